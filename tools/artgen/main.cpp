// quarrow_artgen: draws every picture and synthesises every sound the game
// carries, into the repository's assets/ and gamedata/ folders.
//
//   quarrow_artgen --root <checkout> [--contact-sheet <file.png>] [--face-sheet <file.png>]

#include "art.h"
#include "canvas.h"
#include "contact_sheet.h"
#include "gif_writer.h"
#include "icon_writer.h"
#include "shapes.h"
#include "sounds.h"
#include "wave_writer.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <exception>
#include <functional>

namespace {
const QRgb kFrameKey = colours::peach.rgb();

class Writer final {
public:
    explicit Writer(QString root) : m_root(std::move(root)) {}

    // Writes name.gif and name@2x.gif from one drawing function.
    void gifPair(const QString& name, const std::function<QImage(int)>& draw, int tableSize,
                 const std::vector<QRgb>& leading = {}, GifFormat format = {})
    {
        for (int scale : {1, 2})
            gif(scaledName(name, scale, "gif"), draw(scale), tableSize, leading, format);
    }

    void gif(const QString& relative, const QImage& image, int tableSize, const std::vector<QRgb>& leading = {},
             GifFormat format = {})
    {
        writeGif(path(relative), toIndexed(image, tableSize, leading), format);
    }

    QString path(const QString& relative)
    {
        const QString full = m_root + QLatin1Char('/') + relative;
        m_written << full;
        return full;
    }

    static QString scaledName(const QString& name, int scale, const char* ext)
    {
        return name + (scale == 2 ? QStringLiteral("@2x.") : QStringLiteral(".")) + QLatin1String(ext);
    }

    const QStringList& written() const { return m_written; }

private:
    QString m_root;
    QStringList m_written;
};

void generate(Writer& out)
{
    const QRgb peach = colours::peach.rgb();
    // Board: GIF87a, 128 colours, the peach field first.
    out.gifPair(QStringLiteral("assets/board"), renderBoard, 128, {peach});
    // Faces: GIF87a, 32 colours.
    for (int code = 1; code <= 52; ++code) {
        const QString name = QStringLiteral("assets/cards/%1").arg(code, 2, 10, QLatin1Char('0'));
        out.gifPair(name, [code](int scale) { return renderFace(code, scale); }, 32, {peach});
    }
    // Selection frame: GIF89a, 16 colours, index 1 see-through.
    out.gifPair(QStringLiteral("assets/border"),
                [](int scale) { return renderSelectionFrame(scale, kFrameKey); }, 16,
                {colours::frameGreen.rgb(), kFrameKey}, GifFormat{true, 1});
    out.gifPair(QStringLiteral("assets/undo"), renderUndoArrow, 128, {peach});
    out.gifPair(QStringLiteral("assets/notice_full"), renderFullFanNotice, 32, {qRgb(255, 255, 255)});
    out.gifPair(QStringLiteral("assets/notice_invalid"), renderInvalidMoveNotice, 32, {qRgb(255, 255, 255)});
    out.gifPair(QStringLiteral("assets/notice_win"), renderWinNotice, 16, {qRgb(255, 255, 255)});
    out.gifPair(QStringLiteral("assets/help_leaves"), renderHelpLeaves, 32);
    out.gifPair(QStringLiteral("assets/logo"), renderLogo, 16, {qRgb(255, 255, 255)});

    writeMonoCursor(out.path(QStringLiteral("assets/hand.cur")), renderHand(1), 12, 9);
    writeMonoCursor(out.path(QStringLiteral("assets/hand@2x.cur")), renderHand(2), 24, 18);
    writeIcon16(out.path(QStringLiteral("assets/emblem.ico")), renderEmblemIcon(1));
    writeIcon16(out.path(QStringLiteral("assets/emblem@2x.ico")), renderEmblemIcon(2));

    // Beside the program.
    writeIcon16(out.path(QStringLiteral("gamedata/SOUND/qrrow_icon.ico")), renderEmblemIcon(1));
    out.gif(QStringLiteral("gamedata/SOUND/example.gif"), renderExample(), 64, {peach});
    writeWave(out.path(QStringLiteral("gamedata/SOUND/APPLAUS.WAV")), synthApplause(), kSampleRate);
    writeWave(out.path(QStringLiteral("gamedata/SOUND/CLUCK.WAV")), synthCluck(), kSampleRate);
}

int usage()
{
    std::fputs("usage: quarrow_artgen --root <checkout> [--contact-sheet <file.png>] [--face-sheet <file.png>]\n",
               stderr);
    return 2;
}
} // namespace

int main(int argc, char** argv)
{
    // Drawing needs a GUI application for fonts, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QString root, sheet, faceSheet;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--root") && i + 1 < args.size())
            root = args[++i];
        else if (args[i] == QLatin1String("--contact-sheet") && i + 1 < args.size())
            sheet = args[++i];
        else if (args[i] == QLatin1String("--face-sheet") && i + 1 < args.size())
            faceSheet = args[++i];
        else
            return usage();
    }
    if (root.isEmpty())
        return usage();
    if (!loadFonts())
        return 1;

    Writer out(QDir(root).absolutePath());
    try {
        generate(out);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quarrow_artgen: %s\n", e.what());
        return 1;
    }
    std::printf("wrote %lld files under %s\n", static_cast<long long>(out.written().size()), qPrintable(root));

    if (!sheet.isEmpty()) {
        // 1x pictures first, then their @2x twins, then the rest.
        QStringList ordered;
        for (const QString& f : out.written())
            if (!f.contains(QLatin1String("@2x")) && !f.endsWith(QLatin1String(".WAV")))
                ordered << f;
        for (const QString& f : out.written())
            if (f.contains(QLatin1String("@2x")))
                ordered << f;
        if (!writeContactSheet(sheet, ordered))
            return 1;
        std::printf("contact sheet: %s\n", qPrintable(sheet));
    }
    if (!faceSheet.isEmpty()) {
        QStringList faces;
        for (const QString& f : out.written())
            if (f.contains(QLatin1String("/assets/cards/")) && !f.contains(QLatin1String("@2x")))
                faces << f;
        if (!writeFaceSheet(faceSheet, faces, 13, 4))
            return 1;
        std::printf("face sheet: %s\n", qPrintable(faceSheet));
    }
    return 0;
}
