// The board window as built at start-up: its places, menus, size and files.
#include <QAccessible>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QtMath>

#include "board/board_geometry.h"
#include "services/qt/qt_plane.h"
#include "board/tests/board_fixture.h"

namespace quarrow::board_testing {
namespace {

using BoardWindowTest = BoardTest;

TEST_F(BoardWindowTest, IsAFixedWindowWhoseClientAreaIsTheBoardPlusOnePixel)
{
    EXPECT_EQ(window->objectName(), QStringLiteral("frm_brd"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quarrow Solitaire"));
    EXPECT_EQ(surface().size(), QSize(705, 455));
    EXPECT_EQ(surface().mapTo(window.get(), QPoint(0, 0)), QPoint(0, window->menuBar()->height()));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(window->size(), QSize(705, 455 + window->menuBar()->height()));

    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
}

TEST_F(BoardWindowTest, MenusCarryTheirCaptionsInOrderWithoutShortcuts)
{
    const QList<QAction*> bar = window->menuBar()->actions();
    ASSERT_EQ(bar.size(), 2);
    EXPECT_EQ(bar[0]->text(), QStringLiteral("&File"));
    EXPECT_EQ(bar[0]->menu()->objectName(), QStringLiteral("mnu_file"));
    EXPECT_EQ(bar[1]->text(), QStringLiteral("&Help"));
    EXPECT_EQ(bar[1]->menu()->objectName(), QStringLiteral("mnu_help"));

    auto items = [](QMenu* menu) {
        QStringList seen;
        for (QAction* action : menu->actions()) {
            seen << (action->isSeparator() ? QStringLiteral("-") : action->text()) + QLatin1Char(' ')
                    + action->objectName();
            EXPECT_TRUE(action->shortcut().isEmpty()) << action->objectName().toStdString();
            EXPECT_TRUE(action->isEnabled() && action->isVisible() && !action->isCheckable());
        }
        return seen;
    };
    EXPECT_EQ(items(bar[0]->menu()), (QStringList {"&Deal mnu_deal", "- mnu_sep", "E&xit mnu_exit"}));
    EXPECT_EQ(items(bar[1]->menu()), (QStringList {"&Rules mnu_rules", "- mnu_sep3", "&Example mnu_example",
                                                   "- mnu_sep4", "&About mnu_about"}));
}

TEST_F(BoardWindowTest, StartUpReadsTheSoundsFromTheSoundFolder)
{
    EXPECT_EQ(QString::fromStdString(game().snd_path), folder.path() + QStringLiteral("/SOUND/"));
    EXPECT_EQ(game().snd_applause, kApplause);
    EXPECT_EQ(game().snd_cluck, kCluck);
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST(BoardStartUp, MissingWavesLeaveSilenceAndAFolderWithASlashGetsNoSecond)
{
    QTemporaryDir folder;
    WriteProgramFolder(folder.path());
    QFile::remove(folder.path() + QStringLiteral("/SOUND/CLUCK.WAV"));
    OrderedDeck deck;
    RecordingSound sound;
    BoardWindow window(folder.path() + QLatin1Char('/'), deck, sound);
    ASSERT_EQ(window.Form_Load(), QString());
    EXPECT_EQ(QString::fromStdString(window.game().snd_path), folder.path() + QStringLiteral("/SOUND/"));
    EXPECT_EQ(window.game().snd_applause, kApplause);
    EXPECT_EQ(window.game().snd_cluck, "");
}

TEST(BoardStartUp, AMissingOrUnreadableIconStopsStartUpNamingTheFile)
{
    QTemporaryDir folder;
    WriteProgramFolder(folder.path(), false);
    OrderedDeck deck;
    RecordingSound sound;
    const QString icon = folder.path() + QStringLiteral("/SOUND/qrrow_icon.ico");
    {
        BoardWindow window(folder.path(), deck, sound);
        const QString message = window.Form_Load();
        EXPECT_TRUE(message.contains(icon)) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("is missing"))) << message.toStdString();
    }
    ASSERT_TRUE(QDir().mkpath(icon));
    {
        BoardWindow window(folder.path(), deck, sound);
        const QString message = window.Form_Load();
        EXPECT_TRUE(message.contains(icon)) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("is a folder"))) << message.toStdString();
    }
    ASSERT_TRUE(QDir().rmdir(icon));
    QFile garbage(icon);
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("this is not an icon");
    garbage.close();
    {
        BoardWindow window(folder.path(), deck, sound);
        const QString message = window.Form_Load();
        EXPECT_TRUE(message.contains(icon)) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("cannot be loaded as a picture"))) << message.toStdString();
    }
}

TEST_F(BoardWindowTest, PlacesSitWhereTheBoardWantsThemInTheirFixedLayers)
{
    for (int i = 1; i <= 54; ++i) {
        EXPECT_EQ(slot(i)->objectName(), QStringLiteral("img_crdbrd_%1").arg(i));
        EXPECT_EQ(slot(i)->geometry(), QRect(ToQPoint(SlotTopLeft(i)), QSize(70, 99))) << "slot " << i;
    }
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(foundation(k)->geometry(), QRect(ToQPoint(FoundationTopLeft(k)), QSize(70, 99))) << "foundation " << k;
    EXPECT_EQ(surface().undo()->geometry(), QRect(598, 417, 35, 29));

    // Back to front: faces, slots 0..54, foundations, held picture, frame, cursor holder, undo arrow.
    QStringList expected;
    for (int c = 1; c <= 52; ++c)
        expected << QStringLiteral("img_card_%1").arg(c);
    for (int i = 0; i <= 54; ++i)
        expected << QStringLiteral("img_crdbrd_%1").arg(i);
    for (int k = 1; k <= 4; ++k)
        expected << QStringLiteral("img_ace_%1").arg(k);
    expected << "img_buffer" << "img_border" << "lbl_splash" << "img_undo";
    QStringList stacking;
    for (QObject* child : surface().children()) {
        if (child->isWidgetType())
            stacking << child->objectName();
    }
    EXPECT_EQ(stacking, expected);
}

TEST_F(BoardWindowTest, TheStockOfFacesIsNeverInView)
{
    const QRect client = surface().rect();
    for (int c = 1; c <= 52; ++c) {
        EXPECT_FALSE(client.intersects(surface().card(c)->geometry())) << "card " << c;
        EXPECT_EQ(surface().card(c)->picture().deviceIndependentSize(), QSizeF(70, 99)) << "card " << c;
    }
    EXPECT_FALSE(client.intersects(surface().slot(0)->geometry()) && slot(0)->isVisible());
    EXPECT_FALSE(client.intersects(surface().splash()->geometry()));
    EXPECT_FALSE(surface().splash()->isVisible());
    // Every face differs from every other.
    QSet<QByteArray> pixels;
    for (int c = 1; c <= 52; ++c) {
        const QImage image = surface().card(c)->picture().toImage();
        pixels.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    EXPECT_EQ(pixels.size(), 52);
}

TEST_F(BoardWindowTest, BeforeTheFirstDealEveryPlaceIsEmptyAndTheEmptySlotsTakeClicks)
{
    for (int i = 1; i <= 54; ++i) {
        EXPECT_TRUE(slot(i)->picture().isNull());
        EXPECT_TRUE(slot(i)->isVisible());
        EXPECT_EQ(slot(i)->accessibleName(), QStringLiteral("Empty place"));
    }
    EXPECT_FALSE(slot(0)->isVisible());
    EXPECT_FALSE(surface().border()->isVisible());
    EXPECT_FALSE(surface().buffer()->isVisible());
    EXPECT_FALSE(surface().undo()->isVisible());
    EXPECT_EQ(foundation(2)->accessibleName(), QStringLiteral("Diamonds foundation, empty"));

    // An empty place is selected like a card: the frame goes over it.
    ClickSlot(40);
    EXPECT_TRUE(surface().border()->isVisible());
    EXPECT_EQ(surface().border()->pos(), slot(40)->pos());
    ExpectBoardMirrorsModel();
}

TEST_F(BoardWindowTest, DealShowsTheDealtBoardAndNamesEveryCard)
{
    Deal();
    ExpectBoardMirrorsModel();
    for (int i = 1; i <= 52; ++i) {
        EXPECT_TRUE(slot(i)->isVisible()) << "slot " << i;
        EXPECT_EQ(slot(i)->isEnabled(), i % 3 == 0 || i == 52) << "slot " << i;
    }
    EXPECT_FALSE(slot(53)->isVisible());
    EXPECT_FALSE(slot(54)->isVisible());
    EXPECT_EQ(slot(46)->accessibleName(), QStringLiteral("Seven of hearts"));
    EXPECT_EQ(slot(25)->accessibleName(), QStringLiteral("King of diamonds"));
    EXPECT_EQ(surface().undo()->accessibleName(), QStringLiteral("Undo last move"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(slot(46))->text(QAccessible::Name),
              QStringLiteral("Seven of hearts"));
}

TEST_F(BoardWindowTest, AClickOnAHiddenSlotReachesTheCardBeneath)
{
    Deal();
    // Slot 53 is hidden; where it would lie, the king of hearts in slot 52 shows.
    ClickAt(InWindow(slot(53), QPoint(30, 50)));
    EXPECT_TRUE(game().card_selected);
    EXPECT_EQ(game().sel_slot, 52);
    EXPECT_EQ(surface().border()->pos(), slot(52)->pos());
}

TEST_F(BoardWindowTest, NamesFollowTheCardsAsTheyMove)
{
    Deal();
    ClickSlot(51); // queen of hearts onto the king of hearts
    ClickSlot(52);
    EXPECT_EQ(slot(53)->accessibleName(), QStringLiteral("Queen of hearts"));
    EXPECT_EQ(slot(54)->accessibleName(), QStringLiteral("Empty place"));
    ClickSlot(42);
    EXPECT_TRUE(ClickSlot(45).shown); // refused: a full fan
    ClickSlot(42);                    // cancel
    ClickSlot(40); // covered: nothing
    EXPECT_FALSE(game().card_selected);
    ClickSlot(27); // the ace of clubs
    EXPECT_EQ(foundation(3)->accessibleName(), QStringLiteral("Clubs foundation, Ace of clubs"));
    ExpectBoardMirrorsModel();
}

TEST_F(BoardWindowTest, DealInTheMiddleOfAGameDropsSelectionAndUndo)
{
    Deal();
    ClickSlot(51);
    ClickSlot(52);
    ASSERT_TRUE(surface().undo()->isVisible());
    ClickSlot(48);
    ASSERT_TRUE(surface().border()->isVisible());
    Deal();
    EXPECT_FALSE(surface().border()->isVisible());
    EXPECT_FALSE(surface().undo()->isVisible());
    EXPECT_FALSE(slot(53)->isVisible());
    ExpectBoardMirrorsModel();
}

TEST_F(BoardWindowTest, PaintsTheBoardPictureOverTheWindowColour)
{
    const QImage shown = surface().grab().toImage();
    const qreal ratio = shown.devicePixelRatio();
    auto at = [&](int x, int y) { return shown.pixelColor(qFloor(x * ratio), qFloor(y * ratio)); };
    // The peach field, and the dark frame at the board's edge.
    EXPECT_EQ(at(300, 200), QColor(254, 230, 206));
    EXPECT_EQ(at(0, 0), QColor(64, 64, 64));
    // The extra pixel column and row beyond the picture are window colour.
    EXPECT_EQ(at(704, 100), surface().palette().color(QPalette::Window));
    EXPECT_EQ(at(100, 454), surface().palette().color(QPalette::Window));
}

TEST_F(BoardWindowTest, HighDensityScreensGetTheSharpPicturesAtTheSameLayout)
{
    const qreal wanted = qApp->devicePixelRatio() > 1.0 ? 2.0 : 1.0;
    for (int c = 1; c <= 52; ++c) {
        EXPECT_EQ(surface().card(c)->picture().devicePixelRatio(), wanted) << "card " << c;
        EXPECT_EQ(surface().card(c)->picture().deviceIndependentSize(), QSizeF(70, 99)) << "card " << c;
    }
    EXPECT_EQ(surface().border()->picture().devicePixelRatio(), wanted);
    EXPECT_EQ(surface().undo()->picture().deviceIndependentSize(), QSizeF(35, 29));
    EXPECT_EQ(surface().size(), QSize(705, 455));
}

} // namespace
} // namespace quarrow::board_testing
