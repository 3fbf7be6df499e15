#include "board/web/page_random.h"

namespace quarrow {

RandomSource& PageRandomSource()
{
    static ClockRandomSource random;
    return random;
}

} // namespace quarrow
