#pragma once

#include <string>
#include <string_view>

#include "rules/card.h"
#include "services/plane.h"

namespace quarrow {

// The example viewer, whatever draws it: its size, its picture and the
// arithmetic of its scroll bar.

inline constexpr std::string_view kExampleTitle = "Example - Ternwick Solitaire";
inline constexpr std::string_view kExamplePicture = "SOUND/example.gif";
inline constexpr int kExampleClientWidth = 360;
inline constexpr int kExampleClientHeight = 316;
inline constexpr int kExampleBarWidth = 17;
// The sunken frame's width on each side.
inline constexpr int kExampleBorder = 2;

// The message when the picture cannot be shown: the file's path as the
// platform writes it, then why (WhyUnreadable, NotAPicture).
std::string ExampleUnavailable(std::string_view path, std::string_view why);

// The rounding of the scroll range: to nearest, halves to even, into 16 bits
// (out-of-range values are held at the nearest end).
Int16 RoundToInt16(double value);

// vbarScroller's range: from 0 down to the (negative) top that shows the
// picture's bottom, so the value can be used directly as the picture's top.
// A fifth of the window per arrow, the whole window per page.
struct ScrollRange {
    Int16 min = 0;
    Int16 max = 0;
    Int16 small_change = 1;
    Int16 large_change = 1;

    // A native bar counts upwards only: positions 0..Span() map to the values.
    int Span() const;
    int ToBar(Int16 value) const;
    Int16 FromBar(int barValue) const;
};
ScrollRange ExampleScrollRange(int innerHeight, int pictureHeight);

// Where the viewer's parts lie, in pixels of its client area, for a picture
// pictureHeight high: the sunken frame (picOuter) with its border, the inside
// where the picture shows (its top at the bar's value), and the bar beside
// the frame, shown only when the picture is taller than the inside.
struct ExampleLayout {
    Rect frame;
    Rect inside;
    bool bar_shown = false;
    Rect bar;
    ScrollRange range;
};
ExampleLayout LayOutExample(int pictureHeight);

// The viewer's keys and its bar's own steps: an arrow key or arrow button a
// SmallChange, Page Up/Down or a click on the track a LargeChange, Home and
// End the two ends. The value after the step, held inside the range.
enum class ScrollStep { LineUp, LineDown, PageUp, PageDown, Top, Bottom };
Int16 ScrollBy(const ScrollRange& range, Int16 value, ScrollStep step);

} // namespace quarrow
