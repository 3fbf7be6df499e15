#include "windows/qt/scroller_form.h"

#include <QDir>
#include <QFrame>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QLabel>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

#include "services/qt/message_box.h"
#include "services/qt/pictures.h"
#include "services/qt/qt_plane.h"
#include "services/qt/window_geometry.h"
#include "services/qt/modal_window.h"

namespace quarrow {

namespace {

QIcon BlankIcon()
{
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

} // namespace

SignedScrollBar::SignedScrollBar(QScrollBar* bar)
    : QObject(bar)
    , bar_(bar)
{
    bar_->setTracking(true);
    connect(bar_, &QScrollBar::valueChanged, this, [this](int barValue) { emit Change(range_.FromBar(barValue)); });
    connect(bar_, &QScrollBar::sliderMoved, this, [this](int barValue) { emit Scroll(range_.FromBar(barValue)); });
}

void SignedScrollBar::SetRange(Int16 min, Int16 max, Int16 smallChange, Int16 largeChange)
{
    range_ = {min, max, smallChange, largeChange};
    bar_->setRange(0, range_.Span());
    bar_->setSingleStep(std::abs(int{smallChange}));
    bar_->setPageStep(std::abs(int{largeChange}));
}

void SignedScrollBar::SetValue(Int16 value)
{
    bar_->setValue(range_.ToBar(value));
}

Int16 SignedScrollBar::value() const
{
    return range_.FromBar(bar_->value());
}

ScrollerForm::ScrollerForm(const QPixmap& picture, QWidget* parent)
    // Qt::Tool: a tool-window frame, whose title bar has a close box only.
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("ScrollerForm"));
    setWindowTitle(QString::fromUtf8(kExampleTitle.data(), static_cast<qsizetype>(kExampleTitle.size())));
    setWindowIcon(BlankIcon());
    SizeAndCentre(this, QSize(kClientWidth, kClientHeight));

    picOuter = new QFrame(this);
    picOuter->setObjectName(QStringLiteral("picOuter"));
    picOuter->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picOuter->setLineWidth(2);

    // The picture slides inside the border, never over it.
    inside_ = new QWidget(picOuter);
    picInner = new QLabel(inside_);
    picInner->setObjectName(QStringLiteral("picInner"));
    picInner->setPixmap(picture);
    picInner->resize(picture.deviceIndependentSize().toSize());
    picInner->setAccessibleName(QStringLiteral("Example of play"));
    picInner->setAccessibleDescription(
        QStringLiteral("A picture of moments of play with their captions; the arrow keys and Page Up and Page "
                       "Down scroll it."));

    vbarScroller = new QScrollBar(Qt::Vertical, this);
    vbarScroller->setObjectName(QStringLiteral("vbarScroller"));
    scroller_ = new SignedScrollBar(vbarScroller);
    connect(scroller_, &SignedScrollBar::Change, this, &ScrollerForm::vbarScroller_Change);
    connect(scroller_, &SignedScrollBar::Scroll, this, &ScrollerForm::vbarScroller_Change);

    Layout();
    InitScroller();
}

void ScrollerForm::Layout()
{
    layout_ = LayOutExample(picInner->height());
    picOuter->setGeometry(ToQRect(layout_.frame));
    // The frame sits at the window's corner, so its inside needs no shifting.
    inside_->setGeometry(ToQRect(layout_.inside));
    picInner->move(0, 0);
    vbarScroller->setGeometry(ToQRect(layout_.bar));
    vbarScroller->setVisible(layout_.bar_shown);
}

void ScrollerForm::InitScroller()
{
    const ScrollRange& range = layout_.range;
    scroller_->SetRange(range.min, range.max, range.small_change, range.large_change);
}

// Over the picture as over the bar: the wheel turns the bar, which scrolls
// the lines the desktop is set to for each notch.
void ScrollerForm::wheelEvent(QWheelEvent* event)
{
    if (vbarScroller->isVisible())
        QCoreApplication::sendEvent(vbarScroller, event);
    else
        QDialog::wheelEvent(event);
}

void ScrollerForm::keyPressEvent(QKeyEvent* event)
{
    std::optional<ScrollStep> step;
    if (!(event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))) {
        switch (event->key()) {
        case Qt::Key_Down: step = ScrollStep::LineDown; break;
        case Qt::Key_Up: step = ScrollStep::LineUp; break;
        case Qt::Key_PageDown: step = ScrollStep::PageDown; break;
        case Qt::Key_PageUp: step = ScrollStep::PageUp; break;
        case Qt::Key_Home: step = ScrollStep::Top; break;
        case Qt::Key_End: step = ScrollStep::Bottom; break;
        default: break;
        }
    }
    if (!step || !layout_.bar_shown) {
        QDialog::keyPressEvent(event);
        return;
    }
    scroller_->SetValue(ScrollBy(layout_.range, scroller_->value(), *step));
}

void ScrollerForm::vbarScroller_Change(Int16 value)
{
    picInner->move(0, value);
}

bool ShowScrollerForm(const QString& programDir, QWidget* parent)
{
    const QString path = programDir + QLatin1Char('/') + QString::fromUtf8(kExamplePicture.data(), static_cast<qsizetype>(kExamplePicture.size()));
    QString why;
    const QImage image = ReadPictureFile(path, why);
    if (image.isNull()) {
        const std::string words = ExampleUnavailable(QDir::toNativeSeparators(path).toStdString(), why.toStdString());
        ShowMessageBox(parent, QString::fromStdString(words));
        return false;
    }
    ScrollerForm form(QPixmap::fromImage(image), parent);
    ShowModal(form);
    return true;
}

} // namespace quarrow
