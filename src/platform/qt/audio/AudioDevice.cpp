#include "AudioDevice.h"

#include "SdlQuietAlsa.h"
#include "SoundMixer.h"

#include <SDL.h>

#include <cstdio>

namespace zunaka {

void AudioSession::start()
{
    silenceAlsaMessages();
    // SDL would turn SIGINT and SIGTERM into quit events that nobody reads, and the game could no longer
    // be stopped by a signal; the program handles them itself.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    up_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
}

void AudioSession::stop()
{
    if (up_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    up_ = false;
}

bool AudioSession::restart()
{
    stop();
    start();
    return up_;
}

AudioDevice::AudioDevice(SoundMixer& mixer, AudioSession& session, TickClock clock)
    : mixer_(mixer), session_(session), clock_(std::move(clock))
{
    if (!session_.isUp())
        lose(SDL_GetError());
}

bool AudioDevice::open()
{
    closeIfLost();
    if (id_)
        return true;
    if (lost_ && !mayTryAgain())
        return false;
    SDL_AudioSpec wanted{};
    wanted.freq = output::kRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = output::kChannels;
    wanted.samples = output::kBufferFrames;
    wanted.callback = fill;
    wanted.userdata = this;
    // No changes allowed: SDL converts to whatever the card wants, and the mixer always speaks one format.
    id_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (!id_) {
        lose(SDL_GetError());
        return false;
    }
    if (lost_)
        std::fprintf(stderr, "zunaka: audio is back\n");
    lost_ = false;
    SDL_PauseAudioDevice(id_, 0);
    return true;
}

bool AudioDevice::mayTryAgain()
{
    if (elapsed(clock_(), lastTry_) < kRetryMs)
        return false;
    lastTry_ = clock_();
    // Tried on the session's word alone, a device would come from the connection that lost it.
    return session_.restart();
}

void AudioDevice::lose(const char* why)
{
    lastTry_ = clock_();
    if (lost_)
        return;
    lost_ = true;
    std::fprintf(stderr, "zunaka: no audio: %s\n", why);
}

void AudioDevice::close()
{
    if (!id_)
        return;
    SDL_CloseAudioDevice(id_);
    id_ = 0;
}

void AudioDevice::closeIfLost()
{
    // The engine never pauses or stops an open device, so a stopped one is one SDL has given up on.
    if (!id_ || SDL_GetAudioDeviceStatus(id_) != SDL_AUDIO_STOPPED)
        return;
    close();
    mixer_.cut();
    lose("the audio device went away");
}

void AudioDevice::fill(void* self, Uint8* stream, int bytes)
{
    auto* device = static_cast<AudioDevice*>(self);
    constexpr int kFrameBytes = output::kChannels * static_cast<int>(sizeof(std::int16_t));
    device->mixer_.render(reinterpret_cast<std::int16_t*>(stream), bytes / kFrameBytes);
}

} // namespace zunaka
