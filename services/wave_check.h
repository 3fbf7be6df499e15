#pragma once

#include <string>

namespace quarrow {

// Whether the image is a RIFF WAVE file whose every chunk fits inside it.
// Every platform's player is handed only images that pass, so a header that
// claims more bytes than the file holds is never read past its end.
bool WaveChunksFit(const std::string& image);

} // namespace quarrow
