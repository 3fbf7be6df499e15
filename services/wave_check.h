#pragma once

#include <string>

namespace quarrow {

// Whether a player that believes every header of the image stays inside it.
// The Windows player is handed a pointer and no length (SND_MEMORY), so it
// walks the RIFF chunks by the sizes they claim; every platform's player is
// handed only images that pass, and anything else is silence. An image
// passes when:
// - it is RIFF WAVE and its RIFF size fits the image (a missing pad byte
//   after an odd-sized last chunk is allowed);
// - every chunk inside the RIFF size lies wholly inside the image;
// - it has a "fmt " chunk long enough for the fields a player reads (16
//   bytes, and for any format but PCM the extra bytes it declares), with
//   channels, sample rate and block size that are not zero;
// - a "data" chunk follows the format chunk.
bool WaveChunksFit(const std::string& image);

} // namespace quarrow
