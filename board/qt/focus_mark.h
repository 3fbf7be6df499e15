#pragma once

#include <QRect>
#include <QWidget>

#include "board/focus_outline.h"

namespace quarrow {

// The keyboard focus drawn over the board: a dark dashed outline, two pixels
// thick, inside a card just clear of the green selection frame's three pixels,
// and around the small undo arrow so it does not hide the arrow. A separate
// widget over the board, so the places and their stacking stay as they are;
// the mouse passes through it.
class FocusMark final : public QWidget {
    Q_OBJECT

public:
    explicit FocusMark(QWidget* parent);

    // place is in the coordinates of the mark's parent; an empty rect hides it.
    void ShowAround(const QRect& place, bool outside);

    static constexpr int kInset = kFocusInset;
    static constexpr int kOutset = kFocusOutset;
    static constexpr int kThickness = kFocusThickness;
    static constexpr int kDash = kFocusDash;
    static constexpr int kGap = kFocusGap;
    static inline const QColor kInk {kFocusInk.red, kFocusInk.green, kFocusInk.blue};

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quarrow
