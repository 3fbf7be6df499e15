#include "services/qt/wave_image.h"

#include <climits>
#include <cstdint>
#include <memory>

namespace quarrow {

namespace {

// SDL decodes headers it cannot convert from: with dozens of channels or a
// rate of millions of hertz its resampler works out negative buffer sizes.
// No real sound file is outside these bounds.
bool Playable(const SDL_AudioSpec& format)
{
    return format.channels >= 1 && format.channels <= 8 && format.freq >= 1000 && format.freq <= 384000;
}

} // namespace


bool SameFormat(const SDL_AudioSpec& a, const SDL_AudioSpec& b)
{
    return a.format == b.format && a.channels == b.channels && a.freq == b.freq;
}

int FrameBytes(const SDL_AudioSpec& audio_format)
{
    return static_cast<int>(SDL_AUDIO_BITSIZE(audio_format.format) / 8) * audio_format.channels;
}

bool DecodeWaveImage(const SdlLibrary& sdl, const std::string& image, WaveSamples& out)
{
    out = {};
    // SDL sizes its buffers from the headers before it reads: a few bytes
    // claiming gigabytes of samples would have it allocate them.
    if (image.size() > static_cast<std::size_t>(INT_MAX) || !WaveChunksFit(image))
        return false;
    SDL_RWops* source = sdl.SDL_RWFromConstMem(image.data(), static_cast<int>(image.size()));
    if (!source)
        return false;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!sdl.SDL_LoadWAV_RW(source, 1, &out.format, &buffer, &length))
        return false;
    if (length > 0 && Playable(out.format))
        out.bytes.assign(buffer, buffer + length);
    sdl.SDL_FreeWAV(buffer);
    return !out.bytes.empty();
}

bool ConvertWave(const SdlLibrary& sdl, const WaveSamples& wave, const SDL_AudioSpec& to, std::vector<Uint8>& out)
{
    out.clear();
    const SDL_AudioSpec& from = wave.format;
    const auto free_stream = [&sdl](SDL_AudioStream* stream) { sdl.SDL_FreeAudioStream(stream); };
    std::unique_ptr<SDL_AudioStream, decltype(free_stream)> stream(
        sdl.SDL_NewAudioStream(from.format, from.channels, from.freq, to.format, to.channels, to.freq), free_stream);
    if (!stream)
        return false;
    const int frame = FrameBytes(from);
    const int whole = frame > 0 ? static_cast<int>(wave.bytes.size()) / frame * frame : 0;
    if (whole == 0 || sdl.SDL_AudioStreamPut(stream.get(), wave.bytes.data(), whole) != 0
        || sdl.SDL_AudioStreamFlush(stream.get()) != 0)
        return false;
    out.resize(static_cast<std::size_t>(sdl.SDL_AudioStreamAvailable(stream.get())));
    const int got = sdl.SDL_AudioStreamGet(stream.get(), out.data(), static_cast<int>(out.size()));
    out.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return !out.empty();
}

} // namespace quarrow
