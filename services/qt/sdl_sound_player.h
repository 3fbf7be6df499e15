#pragma once

#include <memory>
#include <string>

#include "services/sound.h"

namespace quarrow {

// SoundPlayer over SDL2's queued audio. Every SDL call happens on one worker
// thread of the player's own, started by the first sound: opening the audio
// system can take seconds (or never return) when the sound server is slow or
// broken, and that must never hold up the window. The device is opened in the
// format of the first sound that decodes; later sounds are converted to it.
// No device, no driver or an image that does not decode all mean silence.
// Players share SDL's one audio system, so only one should exist at a time.
class SdlSoundPlayer final : public SoundPlayer {
public:
    SdlSoundPlayer();
    // Stops the sound, closes the device and waits for the worker.
    ~SdlSoundPlayer() override;

    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    void Play(const std::string& image) override;

    // Blocks until every Play() made so far has been handled. For tests and
    // diagnostics; the game never waits for its sounds.
    void WaitUntilIdle();

    // Whether an audio device is open (known after WaitUntilIdle()).
    bool DeviceOpen() const;

private:
    struct Worker;
    std::unique_ptr<Worker> worker_;
};

} // namespace quarrow
