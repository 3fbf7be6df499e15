#pragma once

#include <QDialog>
#include <QObject>
#include <QPixmap>
#include <QString>

#include "rules/card.h" // Int16
#include "windows/example_view.h"

class QFrame;
class QLabel;
class QScrollBar;

namespace quarrow {

// vbarScroller as the viewer thinks of it: a range from Min to a Max that may
// lie below Min, so that the value can be used directly as the picture's Top.
// QScrollBar only counts upwards, so underneath it runs over 0..|Max - Min|
// and values are mapped on the way in and out.
class SignedScrollBar final : public QObject {
    Q_OBJECT

public:
    explicit SignedScrollBar(QScrollBar* bar);

    void SetRange(Int16 min, Int16 max, Int16 smallChange, Int16 largeChange);
    void SetValue(Int16 value);

    Int16 value() const;
    Int16 min() const { return range_.min; }
    Int16 max() const { return range_.max; }
    Int16 smallChange() const { return range_.small_change; }
    Int16 largeChange() const { return range_.large_change; }

signals:
    // After an arrow or track click, and as the value changes otherwise.
    void Change(Int16 value);
    // Continuously while the thumb is dragged.
    void Scroll(Int16 value);

private:
    QScrollBar* bar_;
    ScrollRange range_;
};

// ScrollerForm: one picture in a framed box, slid up and down by a vertical
// bar shown only when the picture does not fit.
class ScrollerForm final : public QDialog {
    Q_OBJECT

public:
    explicit ScrollerForm(const QPixmap& picture, QWidget* parent = nullptr);

    static constexpr int kClientWidth = kExampleClientWidth;
    static constexpr int kClientHeight = kExampleClientHeight;
    static constexpr int kBarWidth = kExampleBarWidth;

    const SignedScrollBar& scroller() const { return *scroller_; }
    SignedScrollBar& scroller() { return *scroller_; }

protected:
    // The arrows, Page Up/Down, Home and End work the bar, as its own arrows
    // and track do.
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Layout();
    void InitScroller();
    void vbarScroller_Change(Int16 value);

    QFrame* picOuter = nullptr;
    QWidget* inside_ = nullptr; // picOuter's inner area, which clips the picture
    QLabel* picInner = nullptr;
    QScrollBar* vbarScroller = nullptr;
    SignedScrollBar* scroller_ = nullptr;
    ExampleLayout layout_;
};

// Loads SOUND/example.gif from the program's folder and shows it modally.
// A missing or unreadable picture is reported in a message naming the file,
// and no viewer opens: returns false then, true once the viewer has closed.
bool ShowScrollerForm(const QString& programDir, QWidget* parent);

} // namespace quarrow
