#include <windows.h>

#include "board/win32/run_board.h"
#include "rules/random_source.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    quarrow::ClockRandomSource random;
    return quarrow::RunBoard(random);
}
