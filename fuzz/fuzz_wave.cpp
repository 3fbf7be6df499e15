// Any bytes as a sound image: decoding, conversion and queueing must stay
// silent or play, never crash or hang.
#include <QCoreApplication>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "services/qt/sdl_sound_player.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The dummy driver accepts samples like a real device but plays nothing.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static quarrow::SdlSoundPlayer player;
    player.Play(std::string(reinterpret_cast<const char*>(data), size));
    player.WaitUntilIdle();
    return 0;
}
