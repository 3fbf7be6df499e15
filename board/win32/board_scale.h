#pragma once

#include <windows.h>

#include "services/plane.h"

namespace quarrow {

// The board is laid out in design pixels, 96 to the inch; the window draws it
// at its monitor's dots per inch. Each edge is scaled on its own, so places
// that touch in design pixels still touch on the screen.
class BoardScale {
public:
    explicit BoardScale(UINT dpi = 96) : dpi_(dpi < 96 ? 96 : dpi) {}

    UINT dpi() const { return dpi_; }
    // The @2x drawings from one and a half times the design size on: crisp at
    // 144 and 192 dots per inch, where 1x drawings would be blown up.
    bool doubleSize() const { return dpi_ >= 144; }

    int ToDevice(int design) const { return MulDiv(design, static_cast<int>(dpi_), 96); }
    Rect ToDevice(const Rect& design) const
    {
        const int left = ToDevice(design.x());
        const int top = ToDevice(design.y());
        return {left, top, ToDevice(design.x() + design.width()) - left, ToDevice(design.y() + design.height()) - top};
    }
    // The design pixel that a device pixel shows.
    int ToDesign(int device) const
    {
        int design = device * 96 / static_cast<int>(dpi_);
        while (ToDevice(design + 1) <= device)
            ++design;
        while (design > 0 && ToDevice(design) > device)
            --design;
        return design;
    }
    Point ToDesign(Point device) const { return {ToDesign(device.x()), ToDesign(device.y())}; }

private:
    UINT dpi_;
};

inline RECT ToRECT(const Rect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }

} // namespace quarrow
