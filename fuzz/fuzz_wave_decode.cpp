// Any bytes through the wave decoder and into two device formats, without
// the player's thread in between: the decoder and converter are where hostile
// bytes do their work, and this way they get millions of tries.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "services/qt/wave_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const quarrow::SdlLibrary* const sdl = quarrow::LoadSdl();
    if (!sdl)
        std::abort();
    quarrow::WaveSamples wave;
    if (!quarrow::DecodeWaveImage(*sdl, std::string(reinterpret_cast<const char*>(data), size), wave))
        return 0;
    if (wave.bytes.empty())
        std::abort();
    SDL_AudioSpec stereo {};
    stereo.format = AUDIO_S16SYS;
    stereo.channels = 2;
    stereo.freq = 44100;
    SDL_AudioSpec mono_float {};
    mono_float.format = AUDIO_F32SYS;
    mono_float.channels = 1;
    mono_float.freq = 48000;
    std::vector<Uint8> out;
    for (const SDL_AudioSpec& device : {stereo, mono_float}) {
        if (quarrow::ConvertWave(*sdl, wave, device, out) && out.size() % quarrow::FrameBytes(device) != 0)
            std::abort();
    }
    return 0;
}
