#include "services/qt/sdl_library.h"

#include <dlfcn.h>

namespace quarrow {

namespace {

const SdlLibrary* Resolve()
{
    // Never closed: SDL keeps threads and handlers of its own while audio runs.
    void* handle = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return nullptr;
    static SdlLibrary library;
    bool complete = true;
#define QUARROW_SDL_RESOLVE(name)                                                                           \
    library.name = reinterpret_cast<decltype(library.name)>(dlsym(handle, #name));                          \
    complete = complete && library.name != nullptr;
    QUARROW_SDL_FUNCTIONS(QUARROW_SDL_RESOLVE)
#undef QUARROW_SDL_RESOLVE
    return complete ? &library : nullptr;
}

} // namespace

const SdlLibrary* LoadSdl()
{
    static const SdlLibrary* const library = Resolve();
    return library;
}

} // namespace quarrow
