#pragma once

#include "platform/MediaDevice.h"
#include "platform/Platform.h"
#include "platform/Rng.h"

#include <QImage>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zunaka {

// Thrown by FakePlatform::end() in place of ending the process, so a test sees that nothing ran after it.
// Not a std::exception, so that the game's own failure traps cannot swallow it.
struct ProgramEnded {};

// Thrown when the game would wait for an event that no test has scheduled: a real run would hang there.
struct WaitsForever {};

// Records what the game did to its windows; the handlers the real windows would raise are hooks a test
// wires to the game's handlers (see wireHandlers in the tests' support).
class FakeForms : public Forms {
public:
    static QImage whiteWindow(int width, int height);

    void showMainForm() override;
    void hideMainForm() override;
    void unloadMainForm() override;
    void setKeyBoxVisible(bool visible) override { keyBoxVisible = visible; }
    void setKeyBoxText(const std::string& text) override { keyBoxTextValue = text; }
    std::string keyBoxText() const override { return keyBoxTextValue; }
    void focusKeyBox() override { ++focusCount; }
    void showTitleForm() override { titleVisible = true; }
    void paintTitle(const QImage& picture, int width, int height) override;
    void setTitleTimerEnabled(bool enabled) override { titleTimerEnabled = enabled; }
    void unloadTitleForm() override;
    int mainScaleWidth() const override { return window.width(); }
    int mainScaleHeight() const override { return window.height(); }
    void setMainClientSize(int width, int height) override;
    QMargins mainFrame() const override { return frame; }
    void setFullScreen(bool on) override;
    void placeKeyBox(const QRect& rect) override { keyBoxRect = rect; }
    void blitToWindow(const QImage& source, const QRect& from, const QRect& to) override;
    void setMenuChecked(Menu menu, int index, bool checked) override { menuMarks[{menu, index}] = checked; }
    void setOkButton(bool visible, const QRect& rect) override;
    void setPageButton(PageButton button, bool visible, const QRect& rect) override;
    std::optional<std::string> askPlayer(const std::vector<std::string>& players, const std::string& current,
                                         bool mayAdd) override;

    bool mainVisible = false;
    bool mainUnloaded = false;
    bool keyBoxVisible = false;
    std::string keyBoxTextValue;
    int focusCount = 0;
    bool titleVisible = false;
    bool titleUnloaded = false;
    bool titleTimerEnabled = true;
    QSize titlePaintSize;
    QRect keyBoxRect;
    // What the visible surface shows, the size of the client area, and every copy onto it.
    QImage window = whiteWindow(640, 480);
    struct Blit {
        QRect from;
        QRect to;
    };
    std::vector<Blit> windowBlits;
    std::map<std::pair<Menu, int>, bool> menuMarks;  // every mark set, by menu and item
    bool okButtonVisible = false;
    QRect okButtonRect;
    std::map<PageButton, std::pair<bool, QRect>> pageButtons;  // shown, and where
    // What the player dialogs answer in turn (nothing: cancelled), and whether each offered a new name.
    std::deque<std::optional<std::string>> playerAnswers;
    std::vector<bool> playerDialogsMayAdd;
    // A frame of 3 px a side under a caption and menu bar of 41 px: a 640 x 480 window keeps 634 x 436.
    QMargins frame{3, 41, 3, 3};
    bool fullScreen = false;
    QSize windowedClient;  // the client size to come back to from full screen

    std::function<void()> onMainQueryUnload;
    std::function<void()> onMainUnload;
    std::function<void()> onTitleUnload;

private:
    bool mainUnloading_ = false;
    bool titleUnloading_ = false;
};

// Records the music commands the media device carries out.
class RecordingMusic : public MusicBackend {
public:
    bool load(const std::string& path) override;
    void playFromStart() override { log.push_back("play"); }
    void stop() override { log.push_back("stop"); }
    void close() override { log.push_back("close"); }

    std::vector<std::string> log;
    bool loadFails = false;
};

// Keeps the records in memory, at a fixed time of day; `refuses` makes every save and change fail and every
// read of key statistics find nothing, as an unusable file would, and `unreadable` every read of games.
class MemoryRecordStore : public RecordStore {
public:
    std::string localTime() override { return clock; }
    std::string currentPlayer() override { return player; }
    bool save(const GameRecord& record) override;
    bool canSave() override { return !refuses; }
    std::optional<std::vector<GameRecord>> playerGames(const std::string& name) override;
    std::vector<std::string> players() override { return names; }
    bool choosePlayer(const std::string& name) override;
    bool deleteGames(const std::string& name) override;
    KeyStats keyStats(const std::string& player) override;
    int lastLesson(const std::string& player) override;

    std::string clock = "2026-04-06T09:30:00+09:00";
    std::string player = "みんな";
    std::vector<std::string> names{"みんな"};
    bool refuses = false;
    bool unreadable = false;
    std::vector<GameRecord> saved;
    int reads = 0;  // calls of playerGames
};

// The platform for tests: a virtual clock the test advances, the game's own generator (or values queued
// by the test), the media command texts and sounds recorded, settable screen, program folder and previous
// instance, message boxes recorded. Events are callbacks scheduled at virtual times; waiting advances the
// clock to the next event or the timeout, whichever comes first.
class FakePlatform : public Platform {
public:
    Tick getTickCount() override { return now; }
    float rnd() override;
    int mciSendString(std::string_view command) override;
    void sndPlaySound(const std::string& path, unsigned flags) override;
    QImage loadPicture(const std::string& path, const PictureUse& use) override;
    PictureFile loadPictureFile(const std::string& path, const PictureUse& use) override;
    ScreenSize screen() const override { return screenSize; }
    ScreenSize workArea() const override { return workAreaSize.width > 0 ? workAreaSize : screenSize; }
    std::string appPath() const override { return appFolder; }
    bool prevInstance() override { return anotherInstance; }
    void msgBox(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string& text) override;
    [[noreturn]] void end() override { throw ProgramEnded(); }
    void doEvents() override;
    void waitForEvents(std::int32_t timeoutMs) override;
    Forms& forms() override { return fakeForms; }
    RecordStore& records() override { return recordStore; }

    // Runs `handler` in the first event step at or after virtual time `at`.
    void schedule(Tick at, std::function<void()> handler);
    void advance(std::int32_t ms) { now = static_cast<Tick>(static_cast<std::uint32_t>(now) + ms); }

    Tick now = 0;
    std::deque<float> queuedRandom;  // taken before the generator
    ScreenSize screenSize{1024, 768};
    ScreenSize workAreaSize;  // the whole screen while unset
    std::string appFolder = "/opt/zunaka";
    bool anotherInstance = false;
    std::vector<std::string> messages;
    std::vector<std::string> questions;  // asked with はい and いいえ, answered from `answers` in turn
    std::deque<bool> answers;
    std::vector<std::string> mediaCommands;  // every text sent, understood or not
    std::vector<int> mediaResults;
    std::vector<Tick> mediaTicks;  // when each was sent
    bool mediaBreaks = false;      // every command throws, as a broken media layer would
    std::vector<std::string> soundsPlayed;   // effects started
    std::vector<std::string> soundsDropped;  // asked for while another effect still played
    std::int32_t effectLengthMs = 250;
    std::map<std::string, QImage> pictures;  // served by loadPicture; anything else is missing
    bool picturesFromDisk = false;           // decode real files instead, as the game does
    std::vector<std::string> picturesLoaded;
    int doEventsCount = 0;
    RecordingMusic music;
    FakeForms fakeForms;
    MemoryRecordStore recordStore;

private:
    struct Scheduled {
        Tick at;
        std::function<void()> handler;
    };
    bool runDue();

    Rng rng_;
    Tick effectStart_ = 0;
    bool effectEverPlayed_ = false;
    MediaDevice media_{music};
    std::vector<Scheduled> events_;
};

} // namespace zunaka
