#include "SdlAudio.h"

#include "SdlEffects.h"
#include "SdlMusic.h"
#include "SdlQuietAlsa.h"
#include "SdlSoundFont.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>

namespace zunaka {

namespace {

namespace mixer {
constexpr int kFrequency = 44100;
constexpr int kChannels = 2;
// 1024 frames (23 ms) answers a key press within a frame and leaves FluidSynth room on a busy machine.
constexpr int kChunkFrames = 1024;
} // namespace mixer

// The audio subsystem and the mixer, open for the life of the program. When either cannot be opened the
// game goes on in silence after one line on stderr.
class MixerSession {
public:
    MixerSession()
    {
        // SDL_mixer checks the SoundFonts when the mixer opens, so they are named first.
        if (const auto font = soundFontToSet())
            Mix_SetSoundFonts(font->c_str());
        silenceAlsaMessages();
        // SDL would turn SIGINT and SIGTERM into quit events that nobody reads, and the game could no
        // longer be stopped by a signal; the program handles them itself.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            warn("no audio", SDL_GetError());
            return;
        }
        subsystem_ = true;
        const int midi = Mix_Init(MIX_INIT_MID);
        if (Mix_OpenAudio(mixer::kFrequency, MIX_DEFAULT_FORMAT, mixer::kChannels, mixer::kChunkFrames) != 0) {
            warn("no audio", Mix_GetError());
            return;
        }
        open_ = true;
        if (!(midi & MIX_INIT_MID))
            warn("no music", "MIDI is not available in SDL_mixer");
    }

    ~MixerSession()
    {
        if (open_)
            Mix_CloseAudio();
        Mix_Quit();
        if (subsystem_)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    MixerSession(const MixerSession&) = delete;
    MixerSession& operator=(const MixerSession&) = delete;

    bool isOpen() const { return open_; }

private:
    static void warn(const char* what, const char* why) { std::fprintf(stderr, "zunaka: %s: %s\n", what, why); }

    bool subsystem_ = false;
    bool open_ = false;
};

} // namespace

// Members are destroyed in reverse: music and effects release their SDL_mixer objects before the mixer
// closes.
struct SdlAudio::Impl {
    MixerSession session;
    SdlMusic music{session.isOpen()};
    SdlEffects effects{session.isOpen()};
};

SdlAudio::SdlAudio() : impl_(std::make_unique<Impl>()) {}

SdlAudio::~SdlAudio() = default;

MusicBackend& SdlAudio::music()
{
    return impl_->music;
}

void SdlAudio::playEffect(const std::string& path, unsigned flags)
{
    impl_->effects.play(path, flags);
}

bool SdlAudio::hasDevice() const
{
    return impl_->session.isOpen();
}

} // namespace zunaka
