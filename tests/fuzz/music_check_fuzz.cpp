// The check the music must pass before FluidSynth sees it. Besides not reading past the bytes, it must
// accept every file that the tests' own reader of the format reads whole.
#include "platform/StandardMidiFile.h"
#include "smf_reader.hpp"

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const bool accepted = zunaka::isStandardMidiFile({reinterpret_cast<const char*>(data), size});
    try {
        const auto file = zunaka::test::readSmf(std::vector<std::uint8_t>(data, data + size));
        if (file.format <= 2 && !file.tracks.empty() && file.division != 0 && !accepted)
            std::abort();
    } catch (const std::exception&) {
        // Not for the reader: the check may still accept it (it does not look inside the tracks).
    }
    return 0;
}
