#include "services/win32/sound.h"

#include <mmsystem.h>

#include "services/wave_check.h"

namespace quarrow {

SoundPlayer::~SoundPlayer() = default;

SystemSoundPlayer::SystemSoundPlayer(PlayFunction play)
    : play_(play ? play : &sndPlaySoundW)
{
}

SystemSoundPlayer::~SystemSoundPlayer()
{
    std::lock_guard lock(mutex_);
    // Stopped before the image it reads goes.
    if (playing_)
        play_(nullptr, 0);
}

void SystemSoundPlayer::Play(const std::string& image)
{
    // The system would read a header's claims past the end of the image.
    if (image.empty() || !WaveChunksFit(image))
        return;
    auto copy = std::make_unique<const std::string>(image);
    std::lock_guard lock(mutex_);
    // With SND_MEMORY the "name" is the image itself. Starting a sound stops
    // the one playing before the call returns, so the old image can go after it.
    play_(reinterpret_cast<LPCWSTR>(copy->data()), SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
    playing_ = std::move(copy);
}

SoundPlayer& DefaultSoundPlayer()
{
    // Never destroyed: a sound may still be playing from its image as the
    // process ends.
    static auto* player = new SystemSoundPlayer;
    return *player;
}

void PlaySoundImage(const std::string& image)
{
    DefaultSoundPlayer().Play(image);
}

} // namespace quarrow
