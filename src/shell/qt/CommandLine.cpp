#include "CommandLine.h"

#include "Messages.h"

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace zunaka {

namespace {

constexpr const char* kHelp =
    "Usage: zunaka [QT-OPTION]...\n"
    "   or: zunaka --records\n"
    "%s: whack-a-mole typing practice for beginners on a Japanese (JIS) keyboard.\n"
    "Moles rise out of six holes, each carrying a key's character; type it to catch the mole.\n"
    "The lesson, speed, number of moles and music are chosen in the game's menus;\n"
    "F11 (menu がめん, ぜんがめん) shows the game full screen, F11 or Esc brings the window back.\n"
    "\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n"
    "  --records    print every stored game as tab-separated lines, header first, and exit\n"
    "\n"
    "Qt's own options work as in every Qt program, for example:\n"
    "  -platform NAME    window system plug-in: xcb, wayland, offscreen\n"
    "  -display DISPLAY  X display to open\n"
    "  -style NAME       widget style: Fusion, Windows\n"
    "\n"
    "The game reads its pictures, music and sounds from Deta/ beside the program file.\n"
    "It keeps a record of each game in $XDG_DATA_HOME/zunaka/records.sqlite\n"
    "(~/.local/share/zunaka/records.sqlite when XDG_DATA_HOME is unset); deleting that file starts\n"
    "the records afresh. Nothing leaves the computer.\n";

bool isOption(const char* arg, const char* name)
{
    // Qt accepts its options with one dash or two; so do we, for our own.
    if (arg[0] == '-' && arg[1] == '-')
        ++arg;
    return std::strcmp(arg, name) == 0;
}

} // namespace

bool answerInfoOption(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (isOption(argv[i], "-help")) {
            std::printf(kHelp, kAppTitle);
            return true;
        }
        if (isOption(argv[i], "-version")) {
            std::printf("zunaka (%s) %s\n", kAppTitle, ZUNAKA_VERSION);
            return true;
        }
    }
    return false;
}

bool asksForRecords(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (isOption(argv[i], "-records"))
            return true;
    }
    return false;
}

bool namesDisplay(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (isOption(argv[i], "-platform") || isOption(argv[i], "-display"))
            return true;
    }
    return false;
}

bool rejectLeftOverArgumentsWithoutDisplay(int argc, char** argv)
{
    // Qt takes its options out of argv when its application starts, which needs a window system; the
    // offscreen one needs no display. Options only one window system knows (xcb's -geometry) are not
    // taken here.
    std::string platform = "-platform", offscreen = "offscreen";
    std::vector<char*> args(argv, argv + argc);
    args.insert(args.begin() + 1, {platform.data(), offscreen.data()});
    args.push_back(nullptr);
    int count = argc + 2;
    // Its complaints about the session (no runtime folder) are not the user's concern here.
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const bool rejected = [&] {
        const QApplication qt(count, args.data());
        return rejectLeftOverArguments(count, args.data());
    }();
    qInstallMessageHandler(previous);
    return rejected;
}

bool rejectLeftOverArguments(int argc, char** argv)
{
    if (argc < 2)
        return false;
    const char* what = argv[1][0] == '-' ? "unknown option" : "unexpected argument";
    std::fprintf(stderr, "zunaka: %s '%s' (zunaka --help lists the options)\n", what, argv[1]);
    return true;
}

} // namespace zunaka
