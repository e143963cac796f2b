#pragma once

namespace zunaka {

// The game takes no arguments of its own: it is started from a menu, and everything is chosen in its
// menus. The command line knows --help and --version for whoever meets the program in a terminal,
// --records for a parent or teacher who wants the games in a spreadsheet, and lets Qt's own options
// through (-platform, -display, -style, ...); anything else is a mistake.

// Answers --help or --version when either is among the arguments: prints to standard output and returns
// true. Called first in main(), so that neither needs a display.
bool answerInfoOption(int argc, char** argv);

// Whether --records is among the arguments: main() then lists the records (printRecords) without a display.
bool asksForRecords(int argc, char** argv);

// Whether the arguments say where to show the game themselves (-display :1, or -platform offscreen,
// which needs no display at all).
bool namesDisplay(int argc, char** argv);

// Called once QApplication has taken its own options out of argv: when an argument is left, reports it
// in one line on standard error and returns true; the program then ends with status 2.
bool rejectLeftOverArguments(int argc, char** argv);

// The same where there is no display to start the game on, so that a mistyped option is called one
// there too, before the missing display.
bool rejectLeftOverArgumentsWithoutDisplay(int argc, char** argv);

inline constexpr int kUsageExitStatus = 2;

} // namespace zunaka
