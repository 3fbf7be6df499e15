#pragma once

#include <QDialog>
#include <QObject>
#include <QPixmap>
#include <QString>

#include "rules/card.h" // Int16

class QFrame;
class QLabel;
class QScrollBar;

namespace quarrow {

// The rounding of the scroll range: to nearest, halves to even, into 16 bits
// (out-of-range values are held at the nearest end).
Int16 RoundToInt16(double value);

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
    Int16 min() const { return min_; }
    Int16 max() const { return max_; }
    Int16 smallChange() const { return small_change_; }
    Int16 largeChange() const { return large_change_; }

signals:
    // After an arrow or track click, and as the value changes otherwise.
    void Change(Int16 value);
    // Continuously while the thumb is dragged.
    void Scroll(Int16 value);

private:
    int Direction() const { return max_ < min_ ? -1 : 1; }
    Int16 FromBar(int barValue) const;

    QScrollBar* bar_;
    Int16 min_ = 0;
    Int16 max_ = 0;
    Int16 small_change_ = 1;
    Int16 large_change_ = 1;
};

// ScrollerForm: one picture in a framed box, slid up and down by a vertical
// bar shown only when the picture does not fit.
class ScrollerForm final : public QDialog {
    Q_OBJECT

public:
    explicit ScrollerForm(const QPixmap& picture, QWidget* parent = nullptr);

    static constexpr int kClientWidth = 360;
    static constexpr int kClientHeight = 316;
    static constexpr int kBarWidth = 17;

    const SignedScrollBar& scroller() const { return *scroller_; }
    SignedScrollBar& scroller() { return *scroller_; }

protected:
    // The arrows, Page Up/Down, Home and End work the bar, as its own arrows
    // and track do.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Layout();
    void InitScroller();
    void vbarScroller_Change(Int16 value);

    QFrame* picOuter = nullptr;
    QWidget* inside_ = nullptr; // picOuter's inner area, which clips the picture
    QLabel* picInner = nullptr;
    QScrollBar* vbarScroller = nullptr;
    SignedScrollBar* scroller_ = nullptr;
};

// Loads SOUND/example.gif from the program's folder and shows it modally.
// A missing or unreadable picture is reported in a message naming the file,
// and no viewer opens: returns false then, true once the viewer has closed.
bool ShowScrollerForm(const QString& programDir, QWidget* parent);

} // namespace quarrow
