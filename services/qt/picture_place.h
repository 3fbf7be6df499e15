#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace quarrow {

// A lightweight picture control: draws one picture unscaled from its top-left
// corner with no background of its own, and reports a click anywhere in its
// rectangle, transparent pixels included. Hidden or disabled, it reports no
// clicks (a hidden place lets the pointer reach whatever lies beneath). A
// double-click is one click.
class PicturePlace final : public QWidget {
    Q_OBJECT

public:
    // index is the element number in its control array, 0 for a single place.
    PicturePlace(const QString& objectName, int index, QWidget* parent);

    int index() const { return index_; }

    const QPixmap& picture() const { return picture_; }
    // An empty pixmap shows no picture. Repaints only when the picture changes.
    void setPicture(const QPixmap& picture);

signals:
    void clicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QPixmap picture_;
    int index_ = 0;
    bool pressed_ = false;
};

// "img_crdbrd" and 12 -> "img_crdbrd_12": how the places of a control array are named.
QString ControlArrayName(const QString& array, int index);

} // namespace quarrow
