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

} // namespace quarrow
