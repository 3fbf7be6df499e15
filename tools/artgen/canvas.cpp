#include "canvas.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>

#include <map>
#include <stdexcept>

Canvas::Canvas(int width, int height, int scale, QColor background)
    : m_image(width * scale, height * scale, QImage::Format_ARGB32)
    , m_scale(scale)
{
    m_image.fill(background);
    m_painter = std::make_unique<QPainter>(&m_image);
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_painter->setRenderHint(QPainter::TextAntialiasing, false);
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter->scale(scale, scale);
}

Canvas::~Canvas() = default;

void Canvas::text(const QRectF& rect, int flags, const QString& text, QFont f, QColor colour)
{
    // Text is laid out in device pixels so the font is hinted at its real size.
    QPainter& p = *m_painter;
    p.save();
    const QTransform t = p.transform();
    p.resetTransform();
    f.setPixelSize(f.pixelSize() * m_scale);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(t.mapRect(rect), flags, text);
    p.restore();
}

void Canvas::image(QPointF at, const QImage& picture)
{
    QPainter& p = *m_painter;
    p.save();
    const QPointF device = p.transform().map(at);
    p.resetTransform();
    p.drawImage(QPoint(qRound(device.x()), qRound(device.y())), picture);
    p.restore();
}

void Canvas::rotatedImage(QPointF centre, double degrees, const QImage& picture)
{
    QPainter& p = *m_painter;
    p.save();
    const QPointF device = p.transform().map(centre);
    p.resetTransform();
    p.translate(device);
    p.rotate(degrees);
    p.drawImage(QPointF(-picture.width() / 2.0, -picture.height() / 2.0), picture);
    p.restore();
}

QImage Canvas::finish()
{
    m_painter.reset();
    return m_image;
}

namespace {
struct FontFile {
    FontFace face;
    const char* path;
};
constexpr FontFile kFontFiles[] = {
    {FontFace::Sans, "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"},
    {FontFace::SansBold, "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"},
    {FontFace::CondensedBold, "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf"},
    {FontFace::Script, "/usr/share/fonts/opentype/dancingscript/DancingScript-Bold.otf"},
};
std::map<FontFace, QString>& families()
{
    static std::map<FontFace, QString> map;
    return map;
}
} // namespace

bool loadFonts()
{
    for (const FontFile& file : kFontFiles) {
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(file.path));
        if (id < 0) {
            qWarning("cannot load font %s", file.path);
            return false;
        }
        families()[file.face] = QFontDatabase::applicationFontFamilies(id).value(0);
    }
    return true;
}

QFont font(FontFace face, double pixelSize)
{
    QFont f(families().at(face));
    f.setPixelSize(qRound(pixelSize));
    f.setBold(face == FontFace::SansBold || face == FontFace::CondensedBold || face == FontFace::Script);
    if (face == FontFace::CondensedBold)
        f.setStretch(QFont::SemiCondensed); // picks the condensed file of the same family
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setKerning(true);
    return f;
}

QFont fitted(QFont f, const QString& text, double width)
{
    while (f.pixelSize() > 6 && QFontMetricsF(f).horizontalAdvance(text) > width)
        f.setPixelSize(f.pixelSize() - 1);
    return f;
}

IndexedPicture toIndexed(const QImage& source, int tableSize, const std::vector<QRgb>& leading)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    IndexedPicture out;
    out.width = image.width();
    out.height = image.height();
    QHash<QRgb, int> index;
    for (QRgb c : leading) {
        c |= 0xff000000u;
        if (!index.contains(c)) {
            index.insert(c, int(out.palette.size()));
            out.palette.push_back(c);
        }
    }
    out.pixels.reserve(size_t(out.width) * size_t(out.height));
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = row[x] | 0xff000000u;
            auto it = index.constFind(c);
            if (it == index.constEnd()) {
                it = index.insert(c, int(out.palette.size()));
                out.palette.push_back(c);
            }
            out.pixels.push_back(static_cast<unsigned char>(it.value()));
        }
    }
    if (int(out.palette.size()) > tableSize)
        throw std::runtime_error("picture uses " + std::to_string(out.palette.size()) + " colours, table holds "
                                 + std::to_string(tableSize));
    out.palette.resize(size_t(tableSize), qRgb(0, 0, 0));
    return out;
}

QImage mirroredBoth(const QImage& image)
{
    return image.mirrored(true, true);
}
