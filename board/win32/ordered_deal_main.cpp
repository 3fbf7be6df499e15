// The board for end-to-end tests: every deal is the ordered one (card i in
// slot i, then the kings lowered by the deal), so a test can play a known
// winning game with real clicks. Never installed or packaged.
#include <windows.h>

#include "board/win32/run_board.h"
#include "rules/testing/stacked_deck.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // Every draw 0 leaves the deck in code order.
    quarrow::testing::ScriptedRandom random;
    return quarrow::RunBoard(random);
}
