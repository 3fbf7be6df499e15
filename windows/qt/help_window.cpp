#include "rules/game.h"

#include "windows/qt/help_window.h"

#include <QButtonGroup>
#include <QDesktopServices>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

#include "services/qt/message_box.h"
#include "services/qt/pictures.h"
#include "services/qt/pointing_hand.h"
#include "services/text_file.h"
#include "services/qt/window_geometry.h"
#include "windows/qt/link_label.h"

namespace quarrow {

namespace {


QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int top)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(300, top, 127, 23);
    return button;
}

// A picture in a thin sunken border, drawn at its own size from the top left.
QLabel* MakePicture(QWidget* parent, const char* name, const QString& resource, const QRect& geometry)
{
    auto* picture = new QLabel(parent);
    picture->setObjectName(QLatin1String(name));
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setLineWidth(1);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setPixmap(LoadPicture(resource));
    picture->setGeometry(geometry);
    return picture;
}

// The picture column right of the text box, with a margin either side.
constexpr int kLinkLeft = 291;
constexpr int kLinkRight = 437;

QFont LinkFont(QFont font, const QString& text, int width)
{
    font.setBold(true);
    font.setUnderline(true);
    constexpr int kSmallestPixelSize = 7;
    int pixelSize = QFontInfo(font).pixelSize();
    while (QFontMetrics(font).horizontalAdvance(text) > width && pixelSize > kSmallestPixelSize)
        font.setPixelSize(--pixelSize);
    return font;
}

// A window without an icon of its own would show its parent's or the
// application's; a fully transparent one leaves the corner blank.
QIcon BlankIcon()
{
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

} // namespace

HelpWindow::HelpWindow(Game& game, const QString& programDir, QWidget* parent)
    // Qt::Tool: a tool-window frame, whose title bar has a close box only.
    : ActivatingDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , game_(game)
    , programDir_(programDir)
{
    setObjectName(QStringLiteral("frm_help"));
    setWindowTitle(QStringLiteral("Quarrow Solitaire - Help"));
    setWindowIcon(BlankIcon());

    txt_help = new QPlainTextEdit(this);
    txt_help->setObjectName(QStringLiteral("txt_help"));
    txt_help->setGeometry(5, 8, 281, 292);
    txt_help->setReadOnly(true);
    txt_help->setAccessibleName(QString::fromUtf8(kHelpTextName.data(), static_cast<qsizetype>(kHelpTextName.size())));
    // Read-only still lets the player select and copy, with the mouse and the keys.
    txt_help->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txt_help->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txt_help->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txt_help->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    btn_rules_ = MakeButton(this, "btn_help_0", QStringLiteral("Rules"), 214);
    btn_about_ = MakeButton(this, "btn_help_5", QStringLiteral("About"), 243);
    btn_ok_ = MakeButton(this, "btn_help_4", QStringLiteral("OK"), 270);
    btn_ok_->setDefault(true);

    btn_help = new QButtonGroup(this);
    btn_help->addButton(btn_rules_, kRules);
    btn_help->addButton(btn_about_, kAbout);
    btn_help->addButton(btn_ok_, kOk);
    connect(btn_help, &QButtonGroup::idClicked, this, &HelpWindow::btn_help_Click);

    setTabOrder(txt_help, btn_ok_);
    setTabOrder(btn_ok_, btn_about_);
    setTabOrder(btn_about_, btn_rules_);

    img_help2 = MakePicture(this, "img_help2", QStringLiteral(":/assets/help_leaves.gif"),
                            QRect(308, 25, 109, 138));
    img_logo = MakePicture(this, "img_logo", QStringLiteral(":/assets/logo.gif"), QRect(295, 58, 140, 102));
    img_logo->hide();

    auto* link = new LinkLabel(kWebHost, this);
    lbl_url = link;
    lbl_url->setObjectName(QStringLiteral("lbl_url"));
    // The host is longer than the classic 93-pixel link can hold in bold, so
    // the link spans the picture column under the logo, and its font steps
    // down only if even that is too narrow: a cut-off address is no use.
    lbl_url->setGeometry(kLinkLeft, 162, kLinkRight - kLinkLeft, 18);
    lbl_url->setAlignment(Qt::AlignCenter);
    lbl_url->setFont(LinkFont(lbl_url->font(), kWebHost, lbl_url->contentsRect().width()));
    QPalette linkPalette = lbl_url->palette();
    linkPalette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    lbl_url->setPalette(linkPalette);

    url_hand_ = new PointingHand(lbl_url);
    connect(url_hand_, &PointingHand::dropped, this, &HelpWindow::lbl_url_DragDrop);
    // From the keyboard the link comes after the buttons, in the about view.
    connect(link, &LinkLabel::activated, this, &HelpWindow::lbl_url_DragDrop);
    setTabOrder(btn_rules_, lbl_url);

    SizeAndCentre(this, QSize(kClientWidth, kClientHeight));
}

void HelpWindow::Form_Activate()
{
    btn_ok_->setFocus(Qt::ActiveWindowFocusReason);
    if (game_.help_topic == 0)
        ShowRulesView();
    else if (game_.help_topic == 1)
        ShowAboutView();
}

void HelpWindow::btn_help_Click(int index)
{
    switch (index) {
    case kRules:
        ShowRulesView();
        break;
    case kAbout:
        ShowAboutView();
        break;
    case kOk:
        accept();
        break;
    default:
        break;
    }
}

void HelpWindow::ShowRulesView()
{
    DisplayHelp(HelpView::Rules);
    img_help2->show();
    img_logo->hide();
    lbl_url->hide();
}

void HelpWindow::ShowAboutView()
{
    DisplayHelp(HelpView::About);
    img_help2->hide();
    img_logo->show();
    lbl_url->show();
}

void HelpWindow::DisplayHelp(HelpView view)
{
    txt_help->setPlainText(QString::fromStdU16String(HelpText(QFile::encodeName(programDir_).toStdString(), view, u"\n")));
}

void HelpWindow::lbl_url_DragDrop()
{
    const QUrl address(QString::fromStdString(WebAddress()));
    if (!QDesktopServices::openUrl(address))
        ShowMessageBox(this, QString::fromUtf8(kLinkFailed.data(), static_cast<qsizetype>(kLinkFailed.size())));
}

} // namespace quarrow
