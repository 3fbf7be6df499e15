#pragma once

#include <QLabel>

namespace quarrow {

// The help window's web link, reachable with Tab as well as the mouse: Space
// or Enter on it is a click. While it has the keyboard it draws a dotted
// outline; the mouse never gives it the keyboard, so to the mouse player it
// looks as it always did.
class LinkLabel final : public QLabel {
    Q_OBJECT

public:
    LinkLabel(const QString& text, QWidget* parent);

signals:
    void activated();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quarrow
