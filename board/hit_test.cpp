#include "board/hit_test.h"

#include <vector>

#include "board/place_layers.h"

namespace quarrow {

FocusPlace PlaceAt(const BoardModel& model, Point point)
{
    const std::vector<Layer> layers = BoardLayers(model);
    for (auto layer = layers.rbegin(); layer != layers.rend(); ++layer) {
        if (layer->shown && layer->rect.contains(point))
            return layer->enabled ? layer->place : NoPlace();
    }
    return NoPlace();
}

} // namespace quarrow
