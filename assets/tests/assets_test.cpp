// Checks the committed pictures, sounds and texts for the facts the program and
// its loaders rely on, reading the bytes directly and then through Qt.

#include "picture_formats.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QRect>
#include <QSet>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {
const QString kSource = QStringLiteral(QUARROW_SOURCE_DIR);
const QRgb kPeach = qRgb(254, 230, 206);
const QRgb kDarkGrey = qRgb(64, 64, 64);
const QRgb kRed = qRgb(255, 64, 64);

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
QByteArray asset(const QString& name) { return readAll(kSource + QStringLiteral("/assets/") + name); }
QByteArray gamedata(const QString& name) { return readAll(kSource + QStringLiteral("/gamedata/") + name); }

QString cardName(int code, bool twice = false)
{
    return QStringLiteral("cards/%1%2.gif").arg(code, 2, 10, QLatin1Char('0')).arg(twice ? "@2x" : "");
}
QString twiceName(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return name.left(dot) + QStringLiteral("@2x") + name.mid(dot);
}

bool isPowerOfTwo(int n) { return n >= 2 && (n & (n - 1)) == 0; }

struct GifExpectation {
    QString name;
    QByteArray signature;
    int width;
    int height;
    int tableSize; // 0: any power of two
    int transparentIndex;
};

std::vector<GifExpectation> resourceGifs()
{
    std::vector<GifExpectation> all = {
        {QStringLiteral("board.gif"), "GIF87a", 704, 454, 128, -1},
        {QStringLiteral("border.gif"), "GIF89a", 70, 99, 16, 1},
        {QStringLiteral("undo.gif"), "GIF87a", 35, 29, 128, -1},
        {QStringLiteral("notice_full.gif"), "GIF87a", 407, 207, 0, -1},
        {QStringLiteral("notice_invalid.gif"), "GIF87a", 400, 200, 0, -1},
        {QStringLiteral("notice_win.gif"), "GIF87a", 407, 207, 0, -1},
        {QStringLiteral("help_leaves.gif"), "GIF87a", 104, 134, 0, -1},
        {QStringLiteral("logo.gif"), "GIF87a", 136, 98, 0, -1},
    };
    for (int code = 1; code <= 52; ++code)
        all.push_back({cardName(code), "GIF87a", 70, 99, 32, -1});
    return all;
}

void expectGif(const QByteArray& bytes, const GifExpectation& e, int scale, bool exactTable)
{
    SCOPED_TRACE(e.name.toStdString() + (scale == 2 ? " @2x" : ""));
    const auto facts = readGifFacts(bytes);
    ASSERT_TRUE(facts.has_value()) << "not a well-formed GIF";
    EXPECT_EQ(facts->signature, e.signature);
    EXPECT_EQ(facts->width, e.width * scale);
    EXPECT_EQ(facts->height, e.height * scale);
    EXPECT_EQ(facts->images, 1);
    EXPECT_FALSE(facts->interlaced);
    EXPECT_FALSE(facts->localTable);
    EXPECT_TRUE(isPowerOfTwo(facts->globalTableSize)) << facts->globalTableSize;
    if (exactTable && e.tableSize) {
        EXPECT_EQ(facts->globalTableSize, e.tableSize);
    }
    EXPECT_EQ(facts->transparentIndex, e.transparentIndex);
}

QImage resource(const QString& name)
{
    return QImage(QStringLiteral(":/assets/") + name).convertToFormat(QImage::Format_ARGB32);
}
} // namespace

TEST(PictureFormats, OneXFilesHaveTheStatedFormatAndTheTwiceFilesMatchThem)
{
    for (const GifExpectation& e : resourceGifs()) {
        expectGif(asset(e.name), e, 1, true);
        expectGif(asset(twiceName(e.name)), e, 2, false);
    }
}

TEST(PictureFormats, EveryResourceLoadsThroughQtAtItsSize)
{
    for (const GifExpectation& e : resourceGifs()) {
        SCOPED_TRACE(e.name.toStdString());
        const QImage one = resource(e.name);
        const QImage two = resource(twiceName(e.name));
        ASSERT_FALSE(one.isNull());
        ASSERT_FALSE(two.isNull());
        EXPECT_EQ(one.size(), QSize(e.width, e.height));
        EXPECT_EQ(two.size(), QSize(e.width * 2, e.height * 2));
    }
    for (const char* name : {"hand.cur", "hand@2x.cur", "emblem.ico", "emblem@2x.ico"})
        EXPECT_FALSE(resource(QString::fromLatin1(name)).isNull()) << name;
}

TEST(PictureFormats, CursorIsMonochromeWithItsHotSpotOnTheFingertip)
{
    struct Case {
        const char* name;
        int size, hotX, hotY;
    };
    for (const Case c : {Case{"hand.cur", 32, 12, 9}, Case{"hand@2x.cur", 64, 24, 18}}) {
        SCOPED_TRACE(c.name);
        const auto facts = readIconFacts(asset(QString::fromLatin1(c.name)));
        ASSERT_TRUE(facts.has_value());
        EXPECT_EQ(facts->type, 2);
        EXPECT_EQ(facts->count, 1);
        EXPECT_EQ(facts->width, c.size);
        EXPECT_EQ(facts->height, c.size);
        EXPECT_EQ(facts->bitsPerPixel, 1);
        EXPECT_EQ(facts->hotX, c.hotX);
        EXPECT_EQ(facts->hotY, c.hotY);

        // The hot spot is the top of the finger: drawn there, nothing above it.
        const QImage hand = resource(QString::fromLatin1(c.name));
        EXPECT_EQ(hand.pixel(c.hotX, c.hotY), qRgb(0, 0, 0));
        for (int y = 0; y < c.hotY; ++y)
            EXPECT_EQ(qAlpha(hand.pixel(c.hotX, y)), 0) << "row " << y;
        EXPECT_EQ(qAlpha(hand.pixel(0, 0)), 0);
        EXPECT_EQ(hand.pixel(c.hotX, c.hotY + 3 * c.size / 32), qRgb(255, 255, 255)) << "white inside the finger";
    }
}

TEST(PictureFormats, IconsAreOneSixteenColourImageOfTheGreenEmblem)
{
    const QByteArray shipped = gamedata(QStringLiteral("SOUND/qrrow_icon.ico"));
    struct Case {
        QByteArray bytes;
        int size;
    };
    for (const Case& c : {Case{asset(QStringLiteral("emblem.ico")), 32}, Case{shipped, 32},
                          Case{asset(QStringLiteral("emblem@2x.ico")), 64}}) {
        SCOPED_TRACE(c.size);
        const auto facts = readIconFacts(c.bytes);
        ASSERT_TRUE(facts.has_value());
        EXPECT_EQ(facts->type, 1);
        EXPECT_EQ(facts->count, 1);
        EXPECT_EQ(facts->width, c.size);
        EXPECT_EQ(facts->height, c.size);
        EXPECT_EQ(facts->bitsPerPixel, 4);
        EXPECT_EQ(facts->paletteSize, 16);

        const QImage icon = QImage::fromData(c.bytes).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(icon.size(), QSize(c.size, c.size));
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << "corners are see-through";
        const QColor middle = icon.pixelColor(c.size / 2 - c.size / 8, c.size / 2);
        EXPECT_EQ(middle.alpha(), 255);
        EXPECT_GT(middle.green(), middle.red());
        EXPECT_GT(middle.green(), middle.blue());
    }
    EXPECT_EQ(shipped, asset(QStringLiteral("emblem.ico"))) << "the shipped icon is the built-in emblem";
}

TEST(BoardPicture, FieldFrameAndFoundationOutlines)
{
    const QImage board = resource(QStringLiteral("board.gif"));
    ASSERT_EQ(board.size(), QSize(704, 454));
    for (QPoint p : {QPoint(0, 0), QPoint(1, 1), QPoint(703, 453), QPoint(702, 200), QPoint(300, 452)})
        EXPECT_EQ(board.pixel(p), kDarkGrey) << p.x() << "," << p.y();
    EXPECT_EQ(board.pixel(2, 2), kPeach);
    const QRgb outline = qRgb(188, 172, 156);
    for (int top : {7, 111, 215, 319}) {
        EXPECT_EQ(board.pixel(7, top + 50), outline);
        EXPECT_EQ(board.pixel(76, top + 50), outline);
        EXPECT_EQ(board.pixel(40, top + 50), kPeach);
        int letterPixels = 0; // the A in each corner
        for (int y = top + 2; y < top + 20; ++y)
            for (int x = 9; x < 25; ++x)
                letterPixels += board.pixel(x, y) == outline;
        EXPECT_GT(letterPixels, 10) << "row " << top;
    }
}

TEST(BoardPicture, TitleArtworkStaysClearOfEveryCardPlaceAndTheUndoPlace)
{
    const QImage board = resource(QStringLiteral("board.gif"));
    std::vector<QRect> places{QRect(598, 417, 35, 29)};
    for (int slot = 1; slot <= 54; ++slot) {
        const int row = (slot - 1) / 15, column = (slot - 1) % 15;
        const int left = 86 + 124 * (column / 3) + 22 * (column % 3);
        places.emplace_back(left, 7 + 104 * row, 70, 99);
    }
    for (const QRect& r : places)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                ASSERT_EQ(board.pixel(x, y), kPeach) << "artwork under a place at " << x << "," << y;

    // And the artwork is really there, in the lower right.
    QSet<QRgb> colours;
    for (int y = 320; y < 452; ++y)
        for (int x = 450; x < 702; ++x)
            colours.insert(board.pixel(x, y));
    EXPECT_GE(colours.size(), 6);
}

TEST(CardFaces, InkSuitAndAceFollowTheCardCode)
{
    QSet<QByteArray> seen;
    for (int code = 1; code <= 52; ++code) {
        SCOPED_TRACE(code);
        const QImage face = resource(cardName(code));
        ASSERT_EQ(face.size(), QSize(70, 99));
        const int suit = (code - 1) / 13 + 1;
        const QRgb ink = suit == 2 || suit == 4 ? kRed : kDarkGrey;

        // Peach and the suit's ink only: no other ink, and no stray shades.
        int inkInStrip = 0, otherColours = 0;
        for (int y = 0; y < 99; ++y)
            for (int x = 0; x < 70; ++x) {
                const QRgb c = face.pixel(x, y);
                EXPECT_EQ(qAlpha(c), 255);
                otherColours += c != ink && c != kPeach;
                inkInStrip += x >= 2 && x < 21 && y >= 2 && y < 30 && c == ink;
            }
        EXPECT_EQ(otherColours, 0);
        EXPECT_GT(inkInStrip, 25) << "index and pip in the visible strip";
        EXPECT_EQ(face.pixel(35, 49), code % 13 == 1 ? ink : kPeach) << "only aces have a middle pip";
        EXPECT_EQ(face.pixel(0, 49), ink);
        EXPECT_EQ(face.pixel(69, 49), ink);
        EXPECT_EQ(face.pixel(68, 49), ink) << "heavier right edge";
        EXPECT_EQ(face.pixel(1, 49), kPeach);

        // The bottom-right corner is the top-left one turned through 180 degrees.
        // (Inside the outline only: the right edge is heavier than the left.)
        for (int y = 3; y < 30; ++y)
            for (int x = 3; x < 21; ++x)
                ASSERT_EQ(face.pixel(x, y), face.pixel(69 - x, 98 - y)) << x << "," << y;

        const QByteArray bytes = asset(cardName(code));
        EXPECT_FALSE(seen.contains(bytes)) << "a face repeats another";
        seen.insert(bytes);
    }
}

namespace {
// The ink of a corner mark, cut to its bounding box. The index takes the top
// 16 rows of the corner and the pip stands under it, inside the strip that a
// covering card leaves visible.
struct Shape {
    int width = 0;
    int height = 0;
    std::vector<bool> ink;
    bool at(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height && ink[size_t(y * width + x)]; }
};

enum class Mark { Index, Pip };

Shape cornerMark(int code, int scale, Mark mark)
{
    const QImage face = resource(cardName(code, scale == 2));
    const QRect band = mark == Mark::Index ? QRect(2 * scale, 2 * scale, 19 * scale, 14 * scale)
                                           : QRect(2 * scale, 16 * scale, 19 * scale, 15 * scale);
    QRect box;
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            if (face.pixel(x, y) != kPeach)
                box |= QRect(x, y, 1, 1);
    Shape s{box.width(), box.height(), {}};
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            s.ink.push_back(face.pixel(x, y) != kPeach);
    return s;
}

// Share of the two shapes' ink that only one of them has, at the alignment
// (boxes' corners matched, then nudged up to one pixel each way) where they
// agree best: a shape merely moved is not a different shape.
double shapeDistance(const Shape& a, const Shape& b)
{
    double best = 1;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            int either = 0, onlyOne = 0;
            for (int y = std::min(0, dy); y < std::max(a.height, b.height + dy); ++y)
                for (int x = std::min(0, dx); x < std::max(a.width, b.width + dx); ++x) {
                    const bool inA = a.at(x, y), inB = b.at(x - dx, y - dy);
                    either += inA || inB;
                    onlyOne += inA != inB;
                }
            if (either)
                best = std::min(best, double(onlyOne) / either);
        }
    return best;
}
} // namespace

TEST(CardFaces, EverySuitsPipHasAShapeOfItsOwnAtBothSizes)
{
    // The pip is the only suit mark on most faces, and red and black alone do
    // not tell a spade from a club: the shapes must differ, by much more than
    // a few widened pixels. Suits that read apart at a glance differ in well
    // over a fifth of their ink; a club drawn as a spade with two pixels
    // widened differs in 3%. (The bottom-right pip is this one turned, which
    // InkSuitAndAceFollowTheCardCode checks.)
    constexpr double kMargin = 0.2;
    const char* const suits[] = {"spades", "diamonds", "clubs", "hearts"};
    for (int scale : {1, 2}) {
        Shape pips[13][4];
        for (int rank = 1; rank <= 13; ++rank)
            for (int suit = 0; suit < 4; ++suit) {
                Shape& pip = pips[rank - 1][suit];
                pip = cornerMark(suit * 13 + rank, scale, Mark::Pip);
                ASSERT_TRUE(pip.width >= 6 * scale && pip.height >= 6 * scale)
                    << suits[suit] << " rank " << rank << " " << scale << "x: no pip under the index";
            }
        for (int a = 0; a < 4; ++a)
            for (int b = a + 1; b < 4; ++b) {
                double worst = 1;
                int worstRank = 0;
                for (int rank = 1; rank <= 13; ++rank) {
                    const double d = shapeDistance(pips[rank - 1][a], pips[rank - 1][b]);
                    if (d < worst) {
                        worst = d;
                        worstRank = rank;
                    }
                }
                EXPECT_GE(worst, kMargin) << suits[a] << " and " << suits[b] << " at " << scale
                                          << "x, closest on rank " << worstRank;
            }
    }
}

TEST(CardFaces, EveryRankHasAnIndexOfItsOwnAtBothSizes)
{
    // Reading a fan relies on the strip alone: no two indexes of one suit may
    // look alike there, the round ones (3, 6, 8, 9, Q) included.
    constexpr double kMargin = 0.2;
    for (int scale : {1, 2})
        for (int suitBase : {0, 13, 26, 39}) {
            Shape indexes[13];
            for (int rank = 1; rank <= 13; ++rank) {
                indexes[rank - 1] = cornerMark(suitBase + rank, scale, Mark::Index);
                ASSERT_GE(indexes[rank - 1].height, 8 * scale) << "no index on " << suitBase + rank;
            }
            for (int a = 0; a < 13; ++a)
                for (int b = a + 1; b < 13; ++b)
                    EXPECT_GE(shapeDistance(indexes[a], indexes[b]), kMargin)
                        << suitBase + a + 1 << " vs " << suitBase + b + 1 << " at " << scale << "x";
        }
}

TEST(OtherPictures, SelectionFrameIsAThreePixelGreenEdgeAroundNothing)
{
    for (int scale : {1, 2}) {
        const QImage frame = resource(scale == 1 ? QStringLiteral("border.gif") : QStringLiteral("border@2x.gif"));
        const int edge = 3 * scale;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x) {
                const bool onEdge = x < edge || y < edge || x >= frame.width() - edge || y >= frame.height() - edge;
                if (onEdge)
                    ASSERT_EQ(frame.pixel(x, y), qRgb(73, 161, 61)) << scale << "x at " << x << "," << y;
                else
                    ASSERT_EQ(qAlpha(frame.pixel(x, y)), 0) << scale << "x at " << x << "," << y;
            }
    }
}

TEST(OtherPictures, UndoArrowIsGreenOnTheBoardColour)
{
    const QImage undo = resource(QStringLiteral("undo.gif"));
    QSet<QRgb> colours;
    int green = 0;
    for (int y = 0; y < undo.height(); ++y)
        for (int x = 0; x < undo.width(); ++x) {
            colours.insert(undo.pixel(x, y));
            green += undo.pixel(x, y) == qRgb(88, 155, 69);
        }
    EXPECT_EQ(colours, (QSet<QRgb>{kPeach, qRgb(88, 155, 69)}));
    EXPECT_GT(green, 150) << "a thick arrow";
    EXPECT_EQ(undo.pixel(0, 0), kPeach);
}

TEST(OtherPictures, NoticesLeaveTheButtonAreaBlank)
{
    // The message window's OK button covers 243..364 x 160..185 of every face.
    for (const char* name : {"notice_full.gif", "notice_invalid.gif", "notice_win.gif"}) {
        const QImage notice = resource(QString::fromLatin1(name));
        const QRgb background = qRgb(255, 255, 255);
        int marks = 0;
        for (int y = 156; y < 190; ++y)
            for (int x = 239; x < 369; ++x)
                marks += notice.pixel(x, y) != background;
        EXPECT_EQ(marks, 0) << name;
    }
}

TEST(ProgramFolderFiles, ExamplePictureAndIcon)
{
    const auto example = readGifFacts(gamedata(QStringLiteral("SOUND/example.gif")));
    ASSERT_TRUE(example.has_value());
    EXPECT_EQ(example->width, 327);
    EXPECT_EQ(example->height, 729);
    EXPECT_EQ(example->images, 1);
    EXPECT_TRUE(isPowerOfTwo(example->globalTableSize));
    EXPECT_EQ(QImage::fromData(gamedata(QStringLiteral("SOUND/example.gif"))).size(), QSize(327, 729));
}

TEST(ProgramFolderFiles, WavesArePlainPcmOfTheRightLengthWithoutClipping)
{
    struct Case {
        const char* name;
        double minSeconds, maxSeconds;
    };
    qint64 total = 0;
    for (const Case c : {Case{"SOUND/APPLAUS.WAV", 2.0, 4.0}, Case{"SOUND/CLUCK.WAV", 0.02, 0.4}}) {
        SCOPED_TRACE(c.name);
        const QByteArray bytes = gamedata(QString::fromLatin1(c.name));
        total += bytes.size();
        const auto facts = readWaveFacts(bytes);
        ASSERT_TRUE(facts.has_value()) << "not a sane RIFF WAVE";
        EXPECT_EQ(facts->format, 1) << "PCM";
        EXPECT_GE(facts->seconds, c.minSeconds);
        EXPECT_LT(facts->seconds, c.maxSeconds);
        EXPECT_LT(facts->peak, facts->fullScale * 98 / 100) << "clipped";
        EXPECT_GT(facts->peak, facts->fullScale / 4) << "nearly silent";
    }
    EXPECT_LE(total, 300 * 1024);
}

TEST(ProgramFolderFiles, TextsAreSingleByteAndSayWhatTheHelpWindowShows)
{
    const QByteArray about = gamedata(QStringLiteral("tvk.txt"));
    const QByteArray rules = gamedata(QStringLiteral("rules.txt"));
    ASSERT_FALSE(about.isEmpty());
    ASSERT_FALSE(rules.isEmpty());
    for (const char* needle : {"Quarrow Solitaire", "Quarrow Games", "www.quarrow-games.example", "1.0"})
        EXPECT_TRUE(about.contains(needle)) << needle;
    // A Windows-1252 copyright sign, not its two-byte UTF-8 form.
    EXPECT_TRUE(about.contains("\xA9"));
    EXPECT_FALSE(about.contains("\xC2\xA9"));
    for (const char* needle : {"three", "undo", "foundation", "king", "ace", "Deal"})
        EXPECT_TRUE(rules.contains(needle)) << needle;
}

TEST(ProgramFolderFiles, BuildCopiesThemBesideTheProgram)
{
    for (const char* name :
         {"SOUND/APPLAUS.WAV", "SOUND/CLUCK.WAV", "SOUND/qrrow_icon.ico", "SOUND/example.gif", "rules.txt", "tvk.txt"}) {
        const QByteArray copy = readAll(QStringLiteral(QUARROW_PROGRAM_DIR "/") + QString::fromLatin1(name));
        EXPECT_FALSE(copy.isEmpty()) << name;
        EXPECT_EQ(copy, gamedata(QString::fromLatin1(name))) << name;
    }
}
