// ずなかタイピング: a whack-a-mole typing trainer. main() only answers the command line and checks for a
// display; the game's start-up, loop and shutdown are formLoad's, run by Program.
#include "CommandLine.h"
#include "Program.h"
#include "platform/qt/sql/RecordsListing.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Qt would abort with a long message when there is no display to open; say it in one line instead.
bool hasDisplay(int argc, char** argv)
{
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM") || zunaka::namesDisplay(argc, argv);
}

} // namespace

int main(int argc, char** argv)
{
    if (zunaka::answerInfoOption(argc, argv))
        return EXIT_SUCCESS;
    if (zunaka::asksForRecords(argc, argv))
        return zunaka::printRecords(argc, argv);
    if (!hasDisplay(argc, argv)) {
        if (zunaka::rejectLeftOverArgumentsWithoutDisplay(argc, argv))
            return zunaka::kUsageExitStatus;
        std::fputs("zunaka: no display found (DISPLAY is not set); start it from a desktop session.\n", stderr);
        return EXIT_FAILURE;
    }
    zunaka::Program program(argc, argv);
    if (zunaka::rejectLeftOverArguments(argc, argv))
        return zunaka::kUsageExitStatus;
    return program.run();
}
