#include "services/qt/pointing_hand.h"

#include <QFile>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QWidget>

#include "services/qt/pictures.h"

namespace quarrow {

namespace {

const QString kHandCursor = QStringLiteral(":/assets/hand.cur");

quint16 LittleEndian16(const QByteArray& bytes, int at)
{
    return static_cast<quint16>(static_cast<quint8>(bytes[at]) |
                                (static_cast<quint8>(bytes[at + 1]) << 8));
}

} // namespace

bool LoadCursorFile(const QString& path, QCursor& cursor, qreal devicePixelRatio)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    // Header: reserved, type (2 = cursor), count; then the first entry, whose
    // bytes 4..7 are the hot spot's x and y.
    constexpr int kHeaderAndEntry = 6 + 16;
    if (bytes.size() < kHeaderAndEntry || LittleEndian16(bytes, 2) != 2 || LittleEndian16(bytes, 4) == 0)
        return false;

    QPixmap pixmap;
    if (!pixmap.loadFromData(bytes, "CUR") && !pixmap.loadFromData(bytes))
        return false;

    const int x = LittleEndian16(bytes, 10);
    const int y = LittleEndian16(bytes, 12);
    if (x >= pixmap.width() || y >= pixmap.height())
        return false;

    // A high-density cursor carries its hot spot in its own pixels; Qt wants
    // it in logical ones.
    pixmap.setDevicePixelRatio(devicePixelRatio);
    cursor = QCursor(pixmap, qRound(x / devicePixelRatio), qRound(y / devicePixelRatio));
    return true;
}

QCursor PointingHandCursor()
{
    QCursor cursor;
    if (qApp && qApp->devicePixelRatio() > 1.0 && LoadCursorFile(HighDensityPath(kHandCursor), cursor, 2.0))
        return cursor;
    if (LoadCursorFile(kHandCursor, cursor))
        return cursor;
    return QCursor(Qt::PointingHandCursor);
}

PointingHand::PointingHand(QWidget* control)
    : QObject(control)
    , control_(control)
    , hand_(PointingHandCursor())
{
    control->setMouseTracking(true);
    control->installEventFilter(this);
}

bool PointingHand::Usable() const
{
    return control_ && control_->isVisible() && control_->isEnabled();
}

void PointingHand::Begin()
{
    if (active_)
        return;
    active_ = true;
    control_->setCursor(hand_);
}

void PointingHand::End()
{
    active_ = false;
    pressed_ = false;
    if (control_)
        control_->unsetCursor();
}

bool PointingHand::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != control_)
        return false;

    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
        if (Usable())
            Begin();
        break;
    case QEvent::Leave:
    case QEvent::Hide:
        End();
        break;
    case QEvent::EnabledChange:
        if (!control_->isEnabled())
            End();
        break;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        // A press always comes with the pointer over the control, so it begins
        // the gesture even if no move was seen before it.
        if (mouse->button() == Qt::LeftButton && Usable()) {
            Begin();
            pressed_ = true;
        }
        break;
    }
    case QEvent::MouseButtonDblClick:
        // The second half of a double-click is no new press, so the release
        // after it drops nothing: a double-click is one click.
        break;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !pressed_)
            break;
        pressed_ = false;
        // Let go elsewhere, the control was dropped somewhere else: no click.
        if (active_ && Usable() && control_->rect().contains(mouse->position().toPoint()))
            Q_EMIT dropped();
        break;
    }
    default:
        break;
    }
    return false;
}

} // namespace quarrow
