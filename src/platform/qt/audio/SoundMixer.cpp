#include "SoundMixer.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace zunaka {

namespace {

std::int16_t saturatedSum(std::int16_t a, std::int16_t b)
{
    constexpr int kLow = std::numeric_limits<std::int16_t>::min();
    constexpr int kHigh = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(std::clamp(a + b, kLow, kHigh));
}

} // namespace

void SoundMixer::render(std::int16_t* out, int frames)
{
    const std::size_t samples = static_cast<std::size_t>(frames) * output::kChannels;
    // A stopped or finished piece reads nothing from its rendering.
    const bool music = music_ && music_->sounding();
    if (music)
        music_->render(out, frames);
    else
        std::memset(out, 0, samples * sizeof(std::int16_t));
    const bool effect = effectPlaying();
    if (effect) {
        const std::size_t count = std::min(samples, effect_->samples.size() - effectAt_);
        const std::int16_t* from = effect_->samples.data() + effectAt_;
        for (std::size_t i = 0; i < count; ++i)
            out[i] = saturatedSum(out[i], from[i]);
        effectAt_ += count;
    }
    silentFrames_ = (music || effect) ? 0 : silentFrames_ + frames;
}

void SoundMixer::startEffect(const Sound* sound)
{
    effect_ = sound;
    effectAt_ = 0;
}

void SoundMixer::cut()
{
    effect_ = nullptr;
    if (music_)
        music_->stop();
}

} // namespace zunaka
