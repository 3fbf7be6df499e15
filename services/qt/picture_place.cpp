#include "services/qt/picture_place.h"

#include <QMouseEvent>
#include <QPainter>

namespace quarrow {

QString ControlArrayName(const QString& array, int index)
{
    return array + QLatin1Char('_') + QString::number(index);
}

PicturePlace::PicturePlace(const QString& objectName, int index, QWidget* parent)
    : QWidget(parent)
    , index_(index)
{
    setObjectName(objectName);
    // Cards of a fan overlap: whatever is under the transparent corners must show.
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
}

void PicturePlace::setPicture(const QPixmap& picture)
{
    if (picture.cacheKey() == picture_.cacheKey())
        return;
    picture_ = picture;
    update();
}

void PicturePlace::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    // drawPixmap at a point honours the pixmap's device pixel ratio, so a
    // high-density picture covers the same logical rectangle as its 1x twin.
    painter.drawPixmap(QPoint(0, 0), picture_);
}

// A click is a press and a release of the left button, both over the place,
// as the player expects of a button-like control.
void PicturePlace::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    pressed_ = true;
}

void PicturePlace::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_) {
        event->ignore();
        return;
    }
    pressed_ = false;
    if (rect().contains(event->position().toPoint()) && isVisible() && isEnabled())
        emit clicked(index_);
}

// Qt delivers a double-click as press, release, double-click, release. The
// second half is no click of its own: were it taken as a press, a
// double-clicked card would be selected by the first half and put back by the
// second, which lands on the selection frame that came up in between.
void PicturePlace::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    pressed_ = false;
}

void PicturePlace::changeEvent(QEvent* event)
{
    // A place hidden or disabled between press and release must not report
    // the release as a click when it comes back.
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        pressed_ = false;
    QWidget::changeEvent(event);
}

void PicturePlace::hideEvent(QHideEvent* event)
{
    pressed_ = false;
    QWidget::hideEvent(event);
}

} // namespace quarrow
