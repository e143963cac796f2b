// The one symbol zunaka-audio.so exports; AudioModule finds it with dlsym.
#include "SdlAudio.h"

extern "C" __attribute__((visibility("default"))) zunaka::AudioEngine* zunakaCreateAudioEngine(const char* folder,
                                                                                              zunaka::TickClock clock)
{
    return new zunaka::SdlAudio(folder, std::move(clock));
}
