// The check the music must pass before FluidSynth sees it: it must never read past the bytes it is given,
// whatever they claim. Which files it accepts is pinned by the table in tests/core/DataFilesTest.cpp.
#include "platform/StandardMidiFile.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    zunaka::isStandardMidiFile({reinterpret_cast<const char*>(data), size});
    return 0;
}
