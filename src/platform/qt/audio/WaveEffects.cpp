#include "WaveEffects.h"

#include "AudioDevice.h"
#include "platform/DataFile.h"
#include "platform/SoundFlags.h"

#include <SDL.h>

#include <cstring>

namespace zunaka {

namespace {

struct WaveFree {
    void operator()(Uint8* samples) const { SDL_FreeWAV(samples); }
};

// Three minutes of CD sound; an effect lasts a second or two.
constexpr std::size_t kMaxWaveFileBytes = std::size_t{32} << 20;

std::unique_ptr<Sound> readWave(const std::string& path)
{
    std::string why;
    const auto file = readDataFile(path, kMaxWaveFileBytes, why);
    if (!file)
        return nullptr;
    SDL_AudioSpec format{};
    Uint8* raw = nullptr;
    Uint32 bytes = 0;
    if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(file->data(), static_cast<int>(file->size())), 1, &format, &raw, &bytes))
        return nullptr;
    const std::unique_ptr<Uint8, WaveFree> wave(raw);
    SDL_AudioCVT convert{};
    if (SDL_BuildAudioCVT(&convert, format.format, format.channels, format.freq, AUDIO_S16SYS, output::kChannels,
                          output::kRate) < 0)
        return nullptr;
    std::vector<Uint8> buffer(static_cast<std::size_t>(bytes) * static_cast<std::size_t>(convert.len_mult));
    std::memcpy(buffer.data(), wave.get(), bytes);
    convert.buf = buffer.data();
    convert.len = static_cast<int>(bytes);
    if (convert.needed && SDL_ConvertAudio(&convert) != 0)
        return nullptr;
    const std::size_t converted = convert.needed ? static_cast<std::size_t>(convert.len_cvt) : bytes;
    auto sound = std::make_unique<Sound>();
    sound->samples.resize(converted / sizeof(std::int16_t));
    std::memcpy(sound->samples.data(), buffer.data(), sound->samples.size() * sizeof(std::int16_t));
    return sound;
}

} // namespace

void WaveEffects::play(const std::string& path, unsigned flags)
{
    // An effect on a device that went away would never end, and keep every later one out.
    device_.closeIfLost();
    if (flags & kSndNoStop) {
        const AudioDevice::Lock lock(device_);
        if (mixer_.effectPlaying())
            return;
    }
    const Sound* sound = soundFor(path);
    if (!sound || !device_.open())
        return;
    const AudioDevice::Lock lock(device_);
    mixer_.startEffect(sound);
}

const Sound* WaveEffects::soundFor(const std::string& path)
{
    auto found = sounds_.find(path);
    if (found == sounds_.end())
        found = sounds_.emplace(path, readWave(path)).first;
    return found->second.get();
}

} // namespace zunaka
