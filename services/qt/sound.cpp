#include "services/sound.h"

#include "services/qt/sdl_sound_player.h"

namespace quarrow {

SoundPlayer::~SoundPlayer() = default;

SoundPlayer& DefaultSoundPlayer()
{
    // Deliberately never destroyed: shutting the player down at exit would
    // wait for its worker, which may be stuck in a sound server that never
    // answers. The process ending takes the sound with it.
    static auto* player = new SdlSoundPlayer;
    return *player;
}

void PlaySoundImage(const std::string& image)
{
    DefaultSoundPlayer().Play(image);
}

} // namespace quarrow
