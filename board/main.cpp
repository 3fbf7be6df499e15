#include <cstdio>

int main()
{
    std::puts("Quarrow Solitaire: the board window is not built yet.");
    return 0;
}
