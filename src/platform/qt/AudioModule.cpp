#include "AudioModule.h"

#include "MusicFile.h"

#include <cstdio>

#include <dlfcn.h>

namespace zunaka {

namespace {

// What plays when the module cannot be loaded: nothing, and a music file is still judged as it would be.
class SilentEngine final : public AudioEngine, private MusicBackend {
public:
    MusicBackend& music() override { return *this; }
    void playEffect(const std::string&, unsigned) override {}
    bool closeIfSilent() override { return true; }

private:
    bool load(const std::string& path) override { return readStandardMidiFile(path).has_value(); }
    void playFromStart() override {}
    void stop() override {}
    void close() override {}
};

std::unique_ptr<AudioEngine> loadEngine(const std::string& folder, TickClock clock)
{
    const std::string path = folder + "/" + audio_module::kFileName;
    // Never closed: the engine's code must outlive it, and the program ends soon after the engine.
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    auto create = module ? reinterpret_cast<audio_module::Factory>(dlsym(module, audio_module::kFactory)) : nullptr;
    if (!create) {
        std::fprintf(stderr, "zunaka: no sound: %s\n", dlerror());
        return std::make_unique<SilentEngine>();
    }
    return std::unique_ptr<AudioEngine>(create(folder.c_str(), std::move(clock)));
}

} // namespace

AudioModule::AudioModule(std::string folder, TickClock clock) : folder_(std::move(folder)), clock_(std::move(clock))
{
}

AudioModule::~AudioModule() = default;

AudioEngine& AudioModule::engine()
{
    if (!engine_)
        engine_ = loadEngine(folder_, clock_);
    return *engine_;
}

} // namespace zunaka
