// Blugrass.mid as built, read back by the independent reader: the band it asks for, notes each instrument
// can play, and a held G chord to end on. Its format and length (it must end before the game restarts it
// at 67 s) are check_music.sh's, with file(1) and SoX.
#include "smf_reader.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace zunaka::test {
namespace {

struct FileNote {
    std::uint32_t tick, length; // a note never switched off keeps length 0
    int key, velocity;
};

std::vector<FileNote> notesOf(const std::vector<SmfEvent>& track)
{
    std::vector<FileNote> notes;
    for (const SmfEvent& e : track) {
        if ((e.status & 0xF0) == 0x90 && e.data.at(1) > 0)
            notes.push_back({e.tick, 0, e.data[0], e.data[1]});
        else if ((e.status & 0xE0) == 0x80) // note-off, or note-on at velocity 0
            for (FileNote& n : notes)
                if (n.key == e.data.at(0) && n.length == 0 && n.tick < e.tick) {
                    n.length = e.tick - n.tick;
                    break;
                }
    }
    return notes;
}

TEST(Blugrass, BuiltFileReadsBackAsTheBandsMinuteOfMusic)
{
    std::ifstream in(ZUNAKA_MUSIC_FILE, std::ios::binary);
    SmfFile file;
    ASSERT_NO_THROW(file = readSmf({std::istreambuf_iterator<char>(in), {}})) << ZUNAKA_MUSIC_FILE;
    const struct {
        const char* name;
        int program, lowest, highest;
    } band[] = {{"fiddle", 110, 55, 88}, {"banjo", 105, 50, 86}, {"guitar", 25, 40, 76}, {"bass", 32, 28, 55}};
    ASSERT_EQ(file.tracks.size(), 1 + std::size(band));
    std::uint32_t lastStart = 0;
    for (const auto& track : file.tracks) {
        EXPECT_EQ(track.back().metaType, 0x2F);
        for (const FileNote& n : notesOf(track))
            lastStart = std::max(lastStart, n.tick);
    }
    std::set<int> channels, lastChord;
    for (std::size_t i = 0; i < std::size(band); ++i) {
        const auto& track = file.tracks[i + 1];
        const auto program = std::find_if(track.begin(), track.end(), [](const SmfEvent& e) { return (e.status & 0xF0) == 0xC0; });
        ASSERT_NE(program, track.end()) << band[i].name;
        EXPECT_EQ(program->data.at(0), band[i].program) << band[i].name;
        channels.insert(program->status & 0x0F);
        bool joinsLastChord = false;
        for (const FileNote& n : notesOf(track)) {
            const std::string at = std::string(band[i].name) + " at tick " + std::to_string(n.tick);
            EXPECT_TRUE(n.key >= band[i].lowest && n.key <= band[i].highest) << at << " plays key " << n.key;
            EXPECT_LE(n.velocity, 100) << at << " is too loud for a background";
            EXPECT_GT(n.length, 0u) << at << " is never switched off";
            if (n.tick == lastStart) {
                joinsLastChord = true;
                lastChord.insert(n.key % 12);
                EXPECT_GE(n.length, 2u * file.division) << at << " holds the last chord";
            }
        }
        EXPECT_TRUE(joinsLastChord) << band[i].name;
    }
    EXPECT_EQ(channels.size(), std::size(band)) << "one channel per instrument";
    EXPECT_FALSE(channels.count(9)) << "no instrument on the percussion channel";
    EXPECT_EQ(lastChord, (std::set<int>{7, 11, 2})) << "a plain G major chord";
}

} // namespace
} // namespace zunaka::test
