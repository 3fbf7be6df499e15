#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

#include <memory>
#include <vector>

// Every picture is drawn in 1x design pixels on a canvas whose painter is scaled
// by the output scale, so the @2x files are drawn at twice the detail rather than
// blown up. Nothing is antialiased: the files are palette GIFs and Qt's indexed
// conversion would turn soft edges into stray specks.
class Canvas final {
public:
    Canvas(int width, int height, int scale, QColor background);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    QPainter& painter() { return *m_painter; }
    int scale() const { return m_scale; }

    // Text in a design-pixel rectangle; the font's pixel size is in design pixels.
    void text(const QRectF& rect, int flags, const QString& text, QFont font, QColor colour);
    // Places an already rendered device-pixel image, unscaled, at a design-pixel point.
    void image(QPointF at, const QImage& picture);
    // The same, rotated by degrees about the picture's centre, which lands on `centre`.
    void rotatedImage(QPointF centre, double degrees, const QImage& picture);

    QImage finish();

private:
    QImage m_image;
    std::unique_ptr<QPainter> m_painter;
    int m_scale;
};

enum class FontFace { Sans, SansBold, CondensedBold, Script };

// Fonts come from fixed files (see tools/README.md) so that fontconfig's choices
// on another machine cannot change the output.
bool loadFonts();
QFont font(FontFace face, double pixelSize);
// The largest size up to `f`'s that sets `text` within `width` design pixels.
QFont fitted(QFont f, const QString& text, double width);

// A picture with a palette: what the GIF and icon writers take.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<QRgb> palette;        // padded to the table size with black
    std::vector<unsigned char> pixels; // row-major indexes
};

// Exact palette of an unantialiased picture. `leading` colours come first, in the
// given order (they need not occur); the rest follow in order of first appearance.
// Throws if more colours are used than `tableSize` holds.
IndexedPicture toIndexed(const QImage& image, int tableSize, const std::vector<QRgb>& leading = {});

QImage mirroredBoth(const QImage& image);
