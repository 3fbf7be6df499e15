#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>

#include "services/sound.h"

namespace quarrow {

// Plays whole wave images through the system's sound call (sndPlaySoundW with
// SND_MEMORY | SND_ASYNC | SND_NODEFAULT). Only images that pass WaveChunksFit
// reach the system; an empty or broken one plays nothing and leaves a sound
// that is playing alone, as on Linux. The system reads the image while it
// plays, after Play() has returned, so the player keeps its own copy alive
// until the next sound has taken over or the player stops it on the way out.
class SystemSoundPlayer final : public SoundPlayer {
public:
    using PlayFunction = BOOL(WINAPI*)(LPCWSTR sound, UINT flags);

    // play is the system call; tests pass a double that records what reaches it.
    explicit SystemSoundPlayer(PlayFunction play = nullptr);
    ~SystemSoundPlayer() override;

    void Play(const std::string& image) override;

private:
    PlayFunction play_;
    std::mutex mutex_;
    // The image being played; replaced only after the system has let go of it.
    std::unique_ptr<const std::string> playing_;
};

} // namespace quarrow
