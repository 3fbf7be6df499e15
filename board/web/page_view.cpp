#include "board/web/page_view.h"

#include "board/focus_outline.h"

namespace quarrow {

std::string PlaceKey(FocusPlace place)
{
    switch (place.kind) {
    case FocusPlace::Kind::Slot:
        return "s" + std::to_string(place.index);
    case FocusPlace::Kind::Foundation:
        return "f" + std::to_string(place.index);
    case FocusPlace::Kind::Frame:
        return "frame";
    case FocusPlace::Kind::Undo:
        return "undo";
    case FocusPlace::Kind::None:
        break;
    }
    return {};
}

bool TabLeavesBoard(const FocusKeeper& keys, BoardKey key)
{
    const std::vector<FocusPlace> places = FocusablePlaces(keys.shown());
    if (places.empty())
        return true;
    if (!keys.markShown() || !IsFocusable(keys.shown(), keys.current()))
        return false;
    if (key == BoardKey::Next)
        return keys.current() == places.back();
    if (key == BoardKey::Previous)
        return keys.current() == places.front();
    return false;
}

Rect FocusMarkRect(const FocusKeeper& keys)
{
    return keys.MarkVisible() ? FocusOutline(keys.current()) : Rect();
}

std::string FocusMarkSvg(const Rect& outline)
{
    if (outline.isEmpty())
        return {};
    std::string path;
    for (const Rect& dash : FocusDashes(outline)) {
        path += 'M' + std::to_string(dash.x() - outline.x()) + ' ' + std::to_string(dash.y() - outline.y()) + 'h'
            + std::to_string(dash.width()) + 'v' + std::to_string(dash.height()) + 'h'
            + std::to_string(-dash.width()) + 'z';
    }
    const std::string ink = "rgb(" + std::to_string(kFocusInk.red) + ',' + std::to_string(kFocusInk.green) + ','
        + std::to_string(kFocusInk.blue) + ')';
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(outline.width()) + "\" height=\""
        + std::to_string(outline.height()) + "\" shape-rendering=\"crispEdges\"><path fill=\"" + ink + "\" d=\""
        + path + "\"/></svg>";
}

} // namespace quarrow
