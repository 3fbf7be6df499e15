#pragma once

#include <SDL.h>

namespace quarrow {

// The SDL2 functions the sound player calls, resolved from the shared library
// on the first sound instead of linked: loading SDL2 with the thirty-odd
// libraries it depends on (sound servers, codecs, Wayland) took a fifth of
// the program's start-up, all for a sound that may never play.
#define QUARROW_SDL_FUNCTIONS(X)                                                                            \
    X(SDL_SetHint) X(SDL_InitSubSystem) X(SDL_QuitSubSystem) X(SDL_WasInit) X(SDL_Quit) X(SDL_TLSCleanup)   \
    X(SDL_RWFromConstMem) X(SDL_LoadWAV_RW) X(SDL_FreeWAV) X(SDL_NewAudioStream) X(SDL_AudioStreamPut)      \
    X(SDL_AudioStreamFlush) X(SDL_AudioStreamAvailable) X(SDL_AudioStreamGet) X(SDL_FreeAudioStream)        \
    X(SDL_OpenAudioDevice) X(SDL_PauseAudioDevice) X(SDL_CloseAudioDevice) X(SDL_GetAudioDeviceStatus)      \
    X(SDL_LockAudioDevice) X(SDL_UnlockAudioDevice) X(SDL_ClearQueuedAudio) X(SDL_QueueAudio)               \
    X(SDL_GetQueuedAudioSize)

struct SdlLibrary {
#define QUARROW_SDL_POINTER(name) decltype(&::name) name = nullptr;
    QUARROW_SDL_FUNCTIONS(QUARROW_SDL_POINTER)
#undef QUARROW_SDL_POINTER
};

// SDL2, loaded once on first use from any thread; nullptr when the library is
// not installed or lacks one of the functions, which means silence.
const SdlLibrary* LoadSdl();

} // namespace quarrow
