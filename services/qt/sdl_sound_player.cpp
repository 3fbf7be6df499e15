#include "services/qt/sdl_sound_player.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include "services/qt/sdl_library.h"
#include "services/qt/wave_image.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace quarrow {

namespace {

// Only called once StartAudio() has loaded the library.
const SdlLibrary& Sdl()
{
    return *LoadSdl();
}

} // namespace

struct SdlSoundPlayer::Worker {
    // Shared with the caller's thread, under mutex.
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable idle;
    std::string pending;
    bool has_pending = false;
    bool stopping = false;
    std::uint64_t requested = 0;
    std::uint64_t handled = 0;
    std::atomic<bool> device_open{false};
    std::thread thread;
    std::string app_name;

    // The worker thread's own.
    bool sdl_loaded = false;
    bool audio_ready = false;
    SDL_AudioDeviceID device = 0;
    SDL_AudioSpec device_spec{};
    // What the device was first asked for, so that reopening it after a
    // quiet spell gives the same format as before.
    SDL_AudioSpec first_format{};
    bool has_first_format = false;

    void Run();
    void CloseWhenPlayedOut(std::unique_lock<std::mutex>& lock);
    std::chrono::milliseconds TimeToPlayOut() const;
    void Handle(const std::string& image);
    bool StartAudio();
    bool OpenDevice(const SDL_AudioSpec& wanted);
    void CloseDevice();
};

void SdlSoundPlayer::Worker::Run()
{
    for (;;) {
        std::string image;
        std::uint64_t taken = 0;
        {
            std::unique_lock lock(mutex);
            CloseWhenPlayedOut(lock);
            wake.wait(lock, [this] { return has_pending || stopping; });
            if (stopping)
                break;
            // Only the latest request matters: sounds asked for while the
            // worker was busy would have been cut off by it anyway.
            image.swap(pending);
            has_pending = false;
            taken = requested;
        }
        Handle(image);
        {
            std::lock_guard lock(mutex);
            handled = taken;
        }
        idle.notify_all();
    }

    CloseDevice();
    if (sdl_loaded) {
        if (audio_ready)
            Sdl().SDL_QuitSubSystem(SDL_INIT_AUDIO);
        // Nothing else in the program uses SDL: once audio is down, release
        // the hints and this thread's error text too.
        if (Sdl().SDL_WasInit(0) == 0)
            Sdl().SDL_Quit();
        Sdl().SDL_TLSCleanup();
    }
    {
        std::lock_guard lock(mutex);
        handled = requested;
    }
    idle.notify_all();
}

// An open device has a thread of its own that wakes every buffer period
// (about 46 ms), playing silence when there is nothing queued. Closing the
// device once the sound has played out, and a short grace period has passed
// without a new one, leaves nothing running while the player thinks.
void SdlSoundPlayer::Worker::CloseWhenPlayedOut(std::unique_lock<std::mutex>& lock)
{
    const auto asked = [this] { return has_pending || stopping; };
    while (device != 0 && !asked()) {
        if (wake.wait_for(lock, TimeToPlayOut(), asked))
            return;
        // Closing waits for the device's thread; callers of Play() must not.
        lock.unlock();
        if (Sdl().SDL_GetQueuedAudioSize(device) == 0)
            CloseDevice();
        lock.lock();
    }
}

std::chrono::milliseconds SdlSoundPlayer::Worker::TimeToPlayOut() const
{
    constexpr std::chrono::milliseconds kGrace {1000};
    const long long frame = FrameBytes(device_spec);
    if (frame <= 0 || device_spec.freq <= 0)
        return kGrace;
    // What is still queued, plus the buffer the device has already taken.
    const long long frames = Sdl().SDL_GetQueuedAudioSize(device) / frame + device_spec.samples;
    return std::chrono::milliseconds(frames * 1000 / device_spec.freq) + kGrace;
}

bool SdlSoundPlayer::Worker::StartAudio()
{
    if (audio_ready)
        return true;
    // No SDL2 on the system means no sound, and nothing else changes.
    sdl_loaded = sdl_loaded || LoadSdl() != nullptr;
    if (!sdl_loaded)
        return false;
    // SDL would otherwise take over Ctrl+C and termination signals, turning
    // them into events nobody reads.
    Sdl().SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (!app_name.empty())
        Sdl().SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, app_name.c_str());
    audio_ready = Sdl().SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    return audio_ready;
}

bool SdlSoundPlayer::Worker::OpenDevice(const SDL_AudioSpec& wanted_format)
{
    SDL_AudioSpec wanted = wanted_format;
    wanted.samples = 1024; // about 20 ms at 44.1 kHz: a new sound cuts in promptly
    wanted.callback = nullptr;
    wanted.userdata = nullptr;
    SDL_AudioSpec obtained{};
    device = Sdl().SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (device == 0)
        return false;
    device_spec = obtained;
    device_open = true;
    Sdl().SDL_PauseAudioDevice(device, 0);
    return true;
}

void SdlSoundPlayer::Worker::CloseDevice()
{
    if (device != 0)
        Sdl().SDL_CloseAudioDevice(device);
    device = 0;
    device_open = false;
}

void SdlSoundPlayer::Worker::Handle(const std::string& image)
{
    if (image.empty() || !StartAudio())
        return;
    WaveSamples wave;
    if (!DecodeWaveImage(Sdl(), image, wave))
        return;

    // A device that went away (unplugged, server restarted) is opened afresh.
    if (device != 0 && Sdl().SDL_GetAudioDeviceStatus(device) == SDL_AUDIO_STOPPED)
        CloseDevice();
    if (device == 0) {
        if (!OpenDevice(has_first_format ? first_format : wave.format))
            return;
        if (!has_first_format) {
            first_format = wave.format;
            has_first_format = true;
        }
    }

    const std::vector<Uint8>* samples = &wave.bytes;
    std::vector<Uint8> converted;
    if (!SameFormat(wave.format, device_spec)) {
        if (!ConvertWave(Sdl(), wave, device_spec, converted))
            return;
        samples = &converted;
    }

    Sdl().SDL_LockAudioDevice(device);
    Sdl().SDL_ClearQueuedAudio(device);
    Sdl().SDL_QueueAudio(device, samples->data(), static_cast<Uint32>(samples->size()));
    Sdl().SDL_UnlockAudioDevice(device);
}

SdlSoundPlayer::SdlSoundPlayer()
    : worker_(std::make_unique<Worker>())
{
    if (QCoreApplication::instance())
        worker_->app_name = QGuiApplication::applicationDisplayName().toStdString();
}

SdlSoundPlayer::~SdlSoundPlayer()
{
    {
        std::lock_guard lock(worker_->mutex);
        worker_->stopping = true;
    }
    worker_->wake.notify_all();
    if (worker_->thread.joinable())
        worker_->thread.join();
}

void SdlSoundPlayer::Play(const std::string& image)
{
    if (image.empty())
        return;
    {
        std::lock_guard lock(worker_->mutex);
        if (worker_->stopping)
            return;
        worker_->pending = image;
        worker_->has_pending = true;
        ++worker_->requested;
        if (!worker_->thread.joinable())
            worker_->thread = std::thread([worker = worker_.get()] { worker->Run(); });
    }
    worker_->wake.notify_one();
}

void SdlSoundPlayer::WaitUntilIdle()
{
    std::unique_lock lock(worker_->mutex);
    worker_->idle.wait(lock, [this] { return worker_->handled == worker_->requested; });
}

bool SdlSoundPlayer::DeviceOpen() const
{
    return worker_->device_open;
}

} // namespace quarrow
