#pragma once

#include <string>
#include <vector>

#include "services/qt/sdl_library.h"
#include "services/wave_check.h"

namespace quarrow {

// A whole wave image decoded to raw samples.
struct WaveSamples {
    SDL_AudioSpec format {};
    std::vector<Uint8> bytes;
};

// Decodes a RIFF wave image held in memory. False for anything SDL cannot
// decode, a sound without samples, or a format no device could play.
bool DecodeWaveImage(const SdlLibrary& sdl, const std::string& image, WaveSamples& out);

// The samples converted to another format; false when SDL cannot convert them.
bool ConvertWave(const SdlLibrary& sdl, const WaveSamples& wave, const SDL_AudioSpec& to, std::vector<Uint8>& out);

bool SameFormat(const SDL_AudioSpec& a, const SDL_AudioSpec& b);
int FrameBytes(const SDL_AudioSpec& audio_format);

} // namespace quarrow
