// zunaka-music: renders the game's piece once, into the user's cache, for RenderedMusic to play.
//
//   zunaka-music PIECE.mid SOUNDFONT FOLDER
//
// The file's name in FOLDER comes from the piece as read here, so a piece replaced while the game looked
// at it is never kept under the old piece's name. It is written beside its final name and renamed when
// whole; other renderings in FOLDER, of pieces or SoundFonts replaced since, are removed.
#include "PieceRenderer.h"
#include "RenderedPiece.h"
#include "platform/qt/MusicFile.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

void removeOthers(const fs::path& folder, const fs::path& kept)
{
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.path() != kept && name.rfind("music-", 0) == 0)
            fs::remove(entry.path(), error);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s PIECE.mid SOUNDFONT FOLDER\n", argv[0]);
        return 2;
    }
    const auto piece = zunaka::readStandardMidiFile(argv[1]);
    if (!piece)
        return 1;
    std::error_code error;
    fs::create_directories(argv[3], error);
    const std::string path = zunaka::renderedPiecePath(argv[3], *piece, argv[2], argv[0]);
    const std::string part = path + "." + std::to_string(getpid()) + ".part";
    std::FILE* out = std::fopen(part.c_str(), "wb");
    if (!out) {
        std::fprintf(stderr, "zunaka: no music: %s cannot be written\n", part.c_str());
        return 1;
    }
    const bool rendered = zunaka::renderPiece(*piece, argv[2], out);
    const bool failedWrite = std::ferror(out) != 0;
    const bool kept = std::fclose(out) == 0 && rendered && std::rename(part.c_str(), path.c_str()) == 0;
    if (!kept) {
        if (rendered || failedWrite)
            std::fprintf(stderr, "zunaka: no music: %s cannot be written\n", path.c_str());
        std::remove(part.c_str());
        return 1;
    }
    removeOthers(argv[3], path);
    return 0;
}
