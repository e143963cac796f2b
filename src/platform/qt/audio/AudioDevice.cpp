#include "AudioDevice.h"

#include "SoundMixer.h"

#include <cstdio>

namespace zunaka {

bool AudioDevice::open()
{
    closeIfLost();
    if (id_ || failed_)
        return id_ != 0;
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
        failed_ = true;
        std::fprintf(stderr, "zunaka: no audio: %s\n", SDL_GetError());
        return false;
    }
    SDL_PauseAudioDevice(id_, 0);
    return true;
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
    failed_ = true;
    std::fprintf(stderr, "zunaka: no audio: the audio device went away\n");
}

void AudioDevice::fill(void* self, Uint8* stream, int bytes)
{
    auto* device = static_cast<AudioDevice*>(self);
    constexpr int kFrameBytes = output::kChannels * static_cast<int>(sizeof(std::int16_t));
    device->mixer_.render(reinterpret_cast<std::int16_t*>(stream), bytes / kFrameBytes);
}

} // namespace zunaka
