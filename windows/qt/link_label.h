#pragma once

#include <QLabel>

namespace quarrow {

// The help window's web link, reachable with Tab as well as the mouse: Space
// or Enter on it is a click. While it has the keyboard it draws the style's
// focus frame around its words; the mouse never gives it the keyboard, so to
// the mouse player it looks as it always did. A screen reader meets it as a
// link whose press action is the same click.
class LinkLabel final : public QLabel {
    Q_OBJECT

public:
    LinkLabel(const QString& text, QWidget* parent);

    // The click of every way in but the mouse's own gesture: the keys and the
    // screen reader's press. A hidden link, or one behind a modal window of
    // its own (the message box of a failed open), takes none.
    void Press();

signals:
    void activated();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quarrow
