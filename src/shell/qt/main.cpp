// ずなかタイピング: a whack-a-mole typing trainer. main() only checks for a display; the game's start-up,
// loop and shutdown are formLoad's, run by Program.
#include "Program.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Qt would abort with a long message when there is no display to open; say it in one line instead.
bool hasDisplay()
{
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv)
{
    if (!hasDisplay()) {
        std::fputs("zunaka: no display found (DISPLAY is not set); start it from a desktop session.\n", stderr);
        return EXIT_FAILURE;
    }
    zunaka::Program program(argc, argv);
    return program.run();
}
