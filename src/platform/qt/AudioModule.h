#pragma once

#include "AudioEngine.h"

#include <memory>
#include <string>

namespace zunaka {

// The platform's side of the sound module: loads zunaka-audio.so from the program's folder the first
// time the game asks for a sound, and stands in for its music player until then. Without the module the
// game is silent after one line on stderr, as without a sound device.
class AudioModule final : public MusicBackend {
public:
    // `clock`: the platform's, handed to the engine.
    AudioModule(std::string folder, TickClock clock);
    ~AudioModule() override;
    AudioModule(const AudioModule&) = delete;
    AudioModule& operator=(const AudioModule&) = delete;

    bool load(const std::string& path) override { return engine().music().load(path); }
    void playFromStart() override { engine().music().playFromStart(); }
    void stop() override { engine().music().stop(); }
    void close() override { engine().music().close(); }

    void playEffect(const std::string& path, unsigned flags) { engine().playEffect(path, flags); }
    // Does not load the module just to find it silent.
    bool closeIfSilent() { return !engine_ || engine_->closeIfSilent(); }

private:
    AudioEngine& engine();

    std::string folder_;
    TickClock clock_;
    std::unique_ptr<AudioEngine> engine_;
};

} // namespace zunaka
