#pragma once

#include <string>

namespace quarrow {

// Plays whole wave (RIFF) images from memory without waiting for them.
class SoundPlayer {
public:
    virtual ~SoundPlayer();

    // Returns at once. An empty image plays nothing; a new sound cuts off one
    // that is still playing.
    virtual void Play(const std::string& image) = 0;
};

// The process-wide player on the system's audio device.
SoundPlayer& DefaultSoundPlayer();

// DefaultSoundPlayer().Play(image).
void PlaySoundImage(const std::string& image);

} // namespace quarrow
