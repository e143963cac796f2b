#pragma once

#include "Forms.h"
#include "Pictures.h"
#include "RecordStore.h"
#include "SoundFlags.h"
#include "Ticks.h"

#include <string>
#include <string_view>

namespace zunaka {

struct ScreenSize {
    int width = 0;  // logical pixels
    int height = 0;
};

// Everything the game needs of the machine: time, randomness, media, the screen, the program's folder,
// message boxes, the event pump, the windows and the records file. The real implementation uses Qt, SDL,
// FluidSynth and SQLite; tests use a fake with a virtual clock. Every call comes from the one thread.
class Platform {
public:
    virtual ~Platform() = default;

    // Milliseconds of a monotonic clock, wrapping at 2^32.
    virtual Tick getTickCount() = 0;
    // Uniform 0 <= r < 1, from a generator that starts from the same state in every run.
    virtual float rnd() = 0;

    // A media command text (open, play, stop, close); returns 0 or an error code, which the game ignores.
    virtual int mciSendString(std::string_view command) = 0;
    // Plays a WAVE file; with kSndEffectFlags it returns at once and drops the request while a sound plays.
    virtual void sndPlaySound(const std::string& path, unsigned flags) = 0;

    // Decodes a picture file for the use given; throws std::runtime_error when it is missing or unreadable.
    virtual QImage loadPicture(const std::string& path, const PictureUse& use) = 0;
    // The same check, keeping the file's bytes for decodePicture to decode when the picture is shown.
    virtual PictureFile loadPictureFile(const std::string& path, const PictureUse& use) = 0;

    virtual ScreenSize screen() const = 0;
    // The part of the screen windows may cover: the screen without the desktop's panels.
    virtual ScreenSize workArea() const = 0;
    // The folder that holds the program file, without a trailing slash unless it is the root.
    virtual std::string appPath() const = 0;
    // Whether another instance of the program runs already.
    virtual bool prevInstance() = 0;

    // A message box with an OK button only, captioned with the program's name; returns when dismissed.
    virtual void msgBox(const std::string& text) = 0;
    // A message box with はい and いいえ, いいえ the default; true for はい.
    virtual bool askYesNo(const std::string& text) = 0;
    // Ends the process at once with a failure status, without unload handlers.
    [[noreturn]] virtual void end() = 0;

    // Dispatches every pending event (menus, keys, mouse, timers, repaints) and returns without waiting.
    virtual void doEvents() = 0;
    // Waits until an event arrives or `timeoutMs` have passed (a negative timeout: until an event),
    // dispatching what arrived.
    virtual void waitForEvents(std::int32_t timeoutMs) = 0;

    virtual Forms& forms() = 0;
    virtual RecordStore& records() = 0;
};

} // namespace zunaka
