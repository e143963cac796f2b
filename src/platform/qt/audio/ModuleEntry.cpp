// The one symbol zunaka-audio.so exports; AudioModule finds it with dlsym.
#include "SdlAudio.h"

extern "C" __attribute__((visibility("default"))) zunaka::AudioEngine* zunakaCreateAudioEngine(zunaka::TickClock clock)
{
    return new zunaka::SdlAudio(std::move(clock));
}
