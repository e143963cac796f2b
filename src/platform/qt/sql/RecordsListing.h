#pragma once

namespace zunaka {

// `zunaka --records`: prints every stored game of every player to standard output as tab-separated lines,
// a header first, in the order stored, and returns 0. Needs no display; opens the file read-only, so it
// works while the game runs, and creates nothing: without a file it prints the header alone. A file it
// cannot read is reported in one line on standard error, and it returns 1.
int printRecords(int argc, char** argv);

} // namespace zunaka
