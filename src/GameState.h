#pragma once

#include "OneBased.h"
#include "Ticks.h"
#include "platform/Pictures.h"
#include "records/GameRecord.h"
#include "records/RecordsSummary.h"

#include <QImage>

#include <cstdint>
#include <string>

namespace zunaka {

constexpr int kHoleCount = 6;
constexpr int kMolePictureCount = 8;  // four looks, then the same four caught
constexpr int kMojiTableSize = 44;  // the keys the moles can carry

// A mole's rectangle: left is fixed per hole, top is where the mole's head is now, and right and bottom
// are kept with them when the rectangle is set.
struct HoleRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const HoleRect&) const = default;
};

template <typename T>
using PerHole = OneBased<T, kHoleCount>;

// The status strip as a frame printed it, with the counts it shows: a frame whose counts are the same and
// whose strip still holds these pixels would print them again, at a third of the main thread's time.
struct PrintedStatus {
    int popCount = -1;
    int hitCount = -1;
    qint64 background = 0;  // cacheKey of the background it was restored from
    // cacheKey of the buffer once the strip was last printed or found still printed, and sent: any write
    // to the buffer since (a mole, the guide page, a new picture) changes it.
    qint64 buffer = 0;
    QImage strip;
};

// A mole's picture with its character printed on it, for one look, character, colour and place. Valid
// only while the character's every inked pixel lies where the look's mask is black: there the composed
// mole is the picture alone, whatever ground it moves over, so printing the character each frame would
// give the pixels printed here once.
struct MojiLook {
    int picture = 0;
    std::string moji;
    QRgb colour = 0;
    QPoint at;
    qint64 pictureKey = 0;  // cacheKeys of the look's picture and mask it was made from
    qint64 maskKey = 0;
    bool exact = false;  // false: some ink falls outside the mask, and the character is printed each frame
    QImage image;
    QImage mask;  // the look's mask at the size the mole is drawn at
};

// How にがてなキー draws the moles' characters, worked out when its game starts (records/WeakKeys.h).
struct WeakKeyDraw {
    int drawsAs = 1;  // 7: by the weights below; 1..6: as that lesson, when too few keys were met
    // The running sum of the keys' weights in table order; a key not drawn adds nothing.
    OneBased<double, kMojiTableSize> cumulative;
};

// Everything the game knows at run time. The application owns the one instance and passes it by reference
// to every handler and routine; the names are those the game's rules use.
struct GameState {
    // Program and game flags.
    bool gLoopOn = false;   // the main loop runs another pass
    bool gPlaying = false;  // a game is in progress
    bool gBgmOff = false;   // background music switched off from the menu

    // How the game is shown, changed from the menus at any time; the game itself never reads these.
    bool fullScreen = false;    // the main window covers the screen, the canvas scaled up in it
    bool helpPageOpen = false;  // the guide page was drawn and its OK button not yet pressed
    bool recordsPageOpen = false;  // the records page (きろく) likewise
    RecordsView recordsView;       // what the records page read when it opened

    // Settings, changed from the menus between games.
    int gSpeed = 0;      // 1 fast .. 3 slow: how long a risen mole stays up
    int gLesson = 0;     // 1..6: which keys the moles carry; 7: the player's weak keys (にがてなキー)
    int gMojiTotal = 0;  // moles per game: 30, 50 or 70
    std::int32_t gStep = 0;  // pixels a mole moves per frame

    // Counts of the current game.
    int gPopCount = 0;  // moles that began to rise
    int gHitCount = 0;  // moles caught

    // The record of the game in progress: started with it, counted where moles rise and keys are judged,
    // stored when it ends (records/GameRecords.h).
    GameRecord record;
    Tick recordStartTick = 0;
    // A key press put a character into the key box since the last judgement. A judgement that catches
    // nothing is a miss for the record only then: the release of Shift, or of the G of Ctrl+G, judges
    // again what the box already held.
    bool keyTypedSinceJudged = false;
    // The weights of にがてなキー for the game in progress, read from the records when it started.
    WeakKeyDraw weakKeys;
    // The last game's record could not be stored; it is kept and tried again with the next game.
    bool recordsUnsaved = false;

    Tick gFrameTick = 0;  // end of the last frame
    Tick gBgmTick = 0;    // last (re)start of the music

    // Per hole, 1..6: holes 1-3 the upper row, 4-6 the lower row, each left to right.
    PerHole<int> gHoleTop;     // y of the mole's top when fully up
    PerHole<int> gHoleBottom;  // y of the mole's top when hidden; also the hole's lower edge
    PerHole<HoleRect> gHoleRect;
    PerHole<std::int32_t> gHoleWait;  // ms the current wait lasts, from gHoleTick
    PerHole<Tick> gHoleTick;
    PerHole<bool> gHoleUp;      // rising
    PerHole<bool> gHoleDown;    // sinking
    PerHole<bool> gHoleCaught;  // caught during this appearance, sinking with its caught picture
    PerHole<std::string> gHoleMoji;  // the character the mole carries
    // The colour its character is printed in, chosen with the character; 0 until the hole's first rise.
    PerHole<int> gMojiRed, gMojiGreen, gMojiBlue;

    // The keys in keyboard-row order; filled once at start-up.
    OneBased<std::string, kMojiTableSize> gMojiTable;

    // Off-screen surfaces, laid out at start-up: the background as loaded, the composition buffer that
    // always holds the whole current picture, and the scratch surface where each mole in turn is assembled
    // before it goes into the buffer. Nothing of a mole stays there from one step to the next, so the
    // holes share it.
    QImage BackPicture;
    QImage AllPicture;
    QImage ZunPicture;

    // Pictures loaded at start-up and never changed: four mole looks (5..8 are looks 1..4 caught) with
    // their masks, and the keyboard of the guide and records pages, kept as its file until a page shows it.
    OneBased<QImage, kMolePictureCount> gZunImage;
    OneBased<QImage, kMolePictureCount> gZunMask;
    PictureFile gKeyImage;

    // Full paths of the two sound effects.
    std::string gMissSound;
    std::string gHitSound;

    // Ticks counted by the title window's one-second timer.
    int titleTicks = 0;

    // The status strip as the last frame printed it (Status.cpp).
    PrintedStatus statusPrinted;
    // Per hole, its rising mole's picture with the character on it (DrawMole.cpp).
    PerHole<MojiLook> mojiLooks;
};

} // namespace zunaka
