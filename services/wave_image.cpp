#include "services/wave_image.h"

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

std::uint32_t LittleEndian32(const std::string& bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at]))
        | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8
        | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16
        | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

} // namespace

bool WaveChunksFit(const std::string& image)
{
    if (image.size() < 12 || image.compare(0, 4, "RIFF") != 0 || image.compare(8, 4, "WAVE") != 0)
        return false;
    for (std::size_t at = 12; at + 8 <= image.size();) {
        const std::uint64_t size = LittleEndian32(image, at + 4);
        const std::uint64_t end = at + 8 + size + (size & 1); // chunks are padded to even sizes
        if (end > image.size() + (size & 1))
            return false;
        at = static_cast<std::size_t>(end);
    }
    return true;
}

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
