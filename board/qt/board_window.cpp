#include "board/qt/board_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>

#include "board/board_geometry.h"
#include "board/place_events.h"
#include "board/qt/board_surface.h"
#include "board/qt/focus_mark.h"
#include "board/qt/keyboard_play.h"
#include "board/qt/place_accessibility.h"
#include "rules/random_source.h"
#include "services/file_loading.h"
#include "services/qt/picture_place.h"
#include "services/qt/pictures.h"
#include "services/qt/pointing_hand.h"
#include "services/sound.h"
#include "services/qt/window_geometry.h"
#include "services/qt/message_box.h"
#include "services/qt/modal_window.h"
#include "windows/qt/help_window.h"
#include "windows/qt/scroller_form.h"

namespace quarrow {

namespace {

// The rules throw only for a bug of the program (an index out of range).
// Letting that unwind through Qt's event dispatch is undefined, so stop here
// with the reason.
template <typename Handler>
void RunHandler(Handler&& handler)
{
    try {
        handler();
    } catch (const InternalError& error) {
        qFatal("Quarrow Solitaire internal error: %s", error.what());
    }
}

QString WithSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

BoardWindow::BoardWindow(const QString& programDir, QWidget* parent)
    : BoardWindow(programDir, std::make_unique<ClockRandomSource>(), nullptr, DefaultSoundPlayer(), parent)
{
}

BoardWindow::BoardWindow(const QString& programDir, RandomSource& random, SoundPlayer& sound, QWidget* parent)
    : BoardWindow(programDir, nullptr, &random, sound, parent)
{
}

BoardWindow::BoardWindow(const QString& programDir, std::unique_ptr<RandomSource> owned, RandomSource* chosen,
                         SoundPlayer& sound, QWidget* parent)
    : QMainWindow(parent)
    , program_dir_(programDir)
    , owned_random_(std::move(owned))
    , result_notices_(this, sound)
    , notices_([this] { Mirror(); }, result_notices_)
    , game_(chosen ? *chosen : *owned_random_, notices_)
{
    setObjectName(QStringLiteral("frm_brd"));
    setWindowTitle(kTitle);
    // A fixed board: title bar, system menu, minimise and close, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(LoadPicture(QStringLiteral(":/assets/emblem.ico"))));
    result_notices_.Attach(game_);

    // Before any place exists, so that none is ever spoken of the plain way.
    InstallPlaceAccessibility();
    surface_ = new BoardSurface(this);
    setCentralWidget(surface_);
    focus_mark_ = new FocusMark(this);
    keyboard_ = new KeyboardPlay(*surface_, *focus_mark_, [this](FocusPlace place) { ActivatePlace(place); });
    surface_->setFocus();
    surface_->splash()->setCursor(PointingHandCursor());
    BuildMenus();

    for (int i = 0; i <= kSlotCount; ++i)
        connect(surface_->slot(i), &PicturePlace::clicked, this, &BoardWindow::img_crdbrd_Click);
    for (int k = 1; k <= kFoundationCount; ++k)
        connect(surface_->foundation(k), &PicturePlace::clicked, this, &BoardWindow::img_ace_Click);
    connect(surface_->border(), &PicturePlace::clicked, this, [this] { img_border_Click(); });
}

BoardWindow::~BoardWindow() = default;

void BoardWindow::BuildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnu_file"));
    QAction* deal = file->addAction(QStringLiteral("&Deal"), this, [this] { mnu_deal_Click(); });
    deal->setObjectName(QStringLiteral("mnu_deal"));
    file->addSeparator()->setObjectName(QStringLiteral("mnu_sep"));
    QAction* exit = file->addAction(QStringLiteral("E&xit"), this, [this] { mnu_exit_Click(); });
    exit->setObjectName(QStringLiteral("mnu_exit"));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnu_help"));
    QAction* rules = help->addAction(QStringLiteral("&Rules"), this, [this] { mnu_rules_Click(); });
    rules->setObjectName(QStringLiteral("mnu_rules"));
    help->addSeparator()->setObjectName(QStringLiteral("mnu_sep3"));
    QAction* example = help->addAction(QStringLiteral("&Example"), this, [this] { mnu_example_Click(); });
    example->setObjectName(QStringLiteral("mnu_example"));
    help->addSeparator()->setObjectName(QStringLiteral("mnu_sep4"));
    QAction* about = help->addAction(QStringLiteral("&About"), this, [this] { mnu_about_Click(); });
    about->setObjectName(QStringLiteral("mnu_about"));
}

QString BoardWindow::Form_Load()
{
    SizeAndCentre();
    surface_->PlacePlaces();

    // The undo arrow takes its hand from the cursor holder, and works by the
    // hover-and-click gesture rather than by a plain click.
    undo_hand_ = new PointingHand(surface_->undo());
    connect(undo_hand_, &PointingHand::dropped, this, [this] { img_undo_DragDrop(); });

    setWindowIcon(QIcon());
    surface_->undo()->hide();
    QString why;
    const QImage icon = ReadPictureFile(IconPath(), why);
    if (icon.isNull())
        return QStringLiteral("Quarrow Solitaire cannot start: the window icon %1 %2.")
            .arg(QDir::toNativeSeparators(IconPath()), why);
    setWindowIcon(QIcon(QPixmap::fromImage(icon)));

    game_.snd_path = (WithSeparator(program_dir_) + QStringLiteral("SOUND/")).toStdString();
    LoadWholeFile(game_.snd_path + "APPLAUS.WAV", game_.snd_applause);
    LoadWholeFile(game_.snd_path + "CLUCK.WAV", game_.snd_cluck);
    return {};
}

QString BoardWindow::IconPath() const
{
    return WithSeparator(program_dir_) + QStringLiteral("SOUND/qrrow_icon.ico");
}

void BoardWindow::SizeAndCentre()
{
    // The client area is the part under the menu bar: the board surface.
    surface_->setFixedSize(ToQSize(ClientSizeForRect(kBoardRight, kBoardBottom)));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    CentreOnScreen(this);
}

void BoardWindow::Mirror(bool dealt)
{
    const PlaceNames names = TakePlaceNames(*surface_);
    surface_->Apply(game_.model());
    if (dealt)
        keyboard_->Dealt(game_.model());
    else
        keyboard_->Follow(game_.model());
    AnnounceRenamedPlaces(names);
}

void BoardWindow::ActivatePlace(FocusPlace place)
{
    RunHandler([&] { RaiseClick(game_, place); });
    Mirror();
}

void BoardWindow::img_crdbrd_Click(int index)
{
    RunHandler([&] { game_.img_crdbrd_Click(static_cast<Int16>(index)); });
    Mirror();
}

void BoardWindow::img_border_Click()
{
    RunHandler([&] { game_.img_border_Click(); });
    Mirror();
}

void BoardWindow::img_ace_Click(int index)
{
    RunHandler([&] { game_.img_ace_Click(static_cast<Int16>(index)); });
    Mirror();
}

void BoardWindow::img_undo_DragDrop()
{
    RunHandler([&] { game_.img_undo_DragDrop(true); });
    Mirror();
}

// Neither the mouse nor the keys reach the menus behind a modal window, but a
// screen reader can press a menu item anywhere.
void BoardWindow::mnu_deal_Click()
{
    if (BoardIsBlocked())
        return;
    RunHandler([&] { game_.InitNewGame(); });
    Mirror(true);
}

void BoardWindow::mnu_exit_Click()
{
    if (BoardIsBlocked())
        return;
    QCoreApplication::exit(0);
}

void BoardWindow::mnu_rules_Click()
{
    if (BoardIsBlocked())
        return;
    game_.help_topic = 0;
    HelpWindow help(game_, program_dir_, this);
    ShowModal(help);
}

void BoardWindow::mnu_example_Click()
{
    if (BoardIsBlocked())
        return;
    ShowScrollerForm(program_dir_, this);
}

void BoardWindow::mnu_about_Click()
{
    if (BoardIsBlocked())
        return;
    game_.help_topic = 1;
    HelpWindow help(game_, program_dir_, this);
    ShowModal(help);
}

} // namespace quarrow
