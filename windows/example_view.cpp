#include "windows/example_view.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace quarrow {

Int16 RoundToInt16(double value)
{
    // nearbyint follows the default rounding mode, to nearest with halves to even.
    const double rounded = std::nearbyint(value);
    return static_cast<Int16>(std::clamp(rounded, double{std::numeric_limits<Int16>::min()},
                                         double{std::numeric_limits<Int16>::max()}));
}

namespace {

int Direction(const ScrollRange& range)
{
    return range.max < range.min ? -1 : 1;
}

} // namespace

int ScrollRange::Span() const
{
    return std::abs(int{max} - int{min});
}

int ScrollRange::ToBar(Int16 value) const
{
    return (int{value} - int{min}) * Direction(*this);
}

Int16 ScrollRange::FromBar(int barValue) const
{
    return static_cast<Int16>(int{min} + Direction(*this) * barValue);
}

std::string ExampleUnavailable(std::string_view path, std::string_view why)
{
    return "The example cannot be shown: the picture " + std::string(path) + " " + std::string(why) + ".";
}

ScrollRange ExampleScrollRange(int innerHeight, int pictureHeight)
{
    const double inner = innerHeight;
    return {0, RoundToInt16(inner - pictureHeight), RoundToInt16(inner / 5), RoundToInt16(inner)};
}

ExampleLayout LayOutExample(int pictureHeight)
{
    ExampleLayout layout;
    const int innerHeight = kExampleClientHeight - 2 * kExampleBorder;
    layout.bar_shown = pictureHeight > innerHeight;
    const int frameWidth = kExampleClientWidth - (layout.bar_shown ? kExampleBarWidth : 0);
    layout.frame = {0, 0, frameWidth, kExampleClientHeight};
    layout.inside = layout.frame.adjusted(kExampleBorder, kExampleBorder, -kExampleBorder, -kExampleBorder);
    layout.bar = {kExampleClientWidth - kExampleBarWidth, 0, kExampleBarWidth, kExampleClientHeight};
    layout.range = ExampleScrollRange(innerHeight, pictureHeight);
    return layout;
}

Int16 ScrollBy(const ScrollRange& range, Int16 value, ScrollStep step)
{
    // On the bar's own scale, where down is always up the count.
    const int line = std::abs(int{range.small_change});
    const int page = std::abs(int{range.large_change});
    int at = range.ToBar(value);
    switch (step) {
    case ScrollStep::LineUp: at -= line; break;
    case ScrollStep::LineDown: at += line; break;
    case ScrollStep::PageUp: at -= page; break;
    case ScrollStep::PageDown: at += page; break;
    case ScrollStep::Top: at = 0; break;
    case ScrollStep::Bottom: at = range.Span(); break;
    }
    return range.FromBar(std::clamp(at, 0, range.Span()));
}

} // namespace quarrow
