#include "windows/qt/link_label.h"

#include <QKeyEvent>
#include <QPainter>

namespace quarrow {

LinkLabel::LinkLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setFocusPolicy(Qt::TabFocus);
    setAccessibleDescription(QStringLiteral("Web link: Enter opens it in the browser"));
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    const bool plain = !(event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier));
    if (plain && (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        emit activated();
        return;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // Around the words only, in their own blue.
    QPainter painter(this);
    QPen pen(palette().color(QPalette::WindowText), 1, Qt::DotLine);
    painter.setPen(pen);
    const QRect words = fontMetrics().boundingRect(contentsRect(), static_cast<int>(alignment()), text());
    painter.drawRect(words.adjusted(-2, -1, 1, 0).intersected(rect().adjusted(0, 0, -1, -1)));
}

} // namespace quarrow
