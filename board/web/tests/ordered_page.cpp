// The test page's module: every shuffle draws 0, so card i is dealt to slot i
// (the ordered deal), and the script that wins it is handed to the browser
// tests, with the names the page gives the cards.
#include <emscripten/emscripten.h>

#include <string>

#include "board/place_names.h"
#include "board/tests/ordered_deal_script.h"
#include "board/web/page_random.h"
#include "rules/testing/stacked_deck.h"

namespace quarrow {

RandomSource& PageRandomSource()
{
    static testing::ScriptedRandom always_zero;
    return always_zero;
}

} // namespace quarrow

namespace {
std::string reply;
}

extern "C" {

// One step a line: from fan, to fan (0: its foundation), the card moved.
EMSCRIPTEN_KEEPALIVE const char* ordered_deal_script()
{
    reply.clear();
    for (const auto& step : quarrow::board_testing::kOrderedDealWin)
        reply += std::to_string(step.from) + " " + std::to_string(step.to) + " " + std::to_string(step.card) + "\n";
    return reply.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* card_name(int code)
{
    reply = quarrow::CardName(static_cast<quarrow::Int16>(code));
    return reply.c_str();
}

} // extern "C"
