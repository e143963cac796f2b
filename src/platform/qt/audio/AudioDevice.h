#pragma once

#include "platform/qt/AudioEngine.h"

#include <SDL_audio.h>

namespace zunaka {

class SoundMixer;

// SDL's audio subsystem, up for the life of the engine, and started again when a lost device is tried
// anew: the PulseAudio and PipeWire drivers keep the connection to the sound server they made at start,
// and a server restarted since is not found through it.
class AudioSession {
public:
    AudioSession() { start(); }
    ~AudioSession() { stop(); }
    AudioSession(const AudioSession&) = delete;
    AudioSession& operator=(const AudioSession&) = delete;

    bool isUp() const { return up_; }
    // Stops and starts the subsystem; only while no device is open. True when it is up.
    bool restart();

private:
    void start();
    void stop();

    bool up_ = false;
};

// The sound card, open only while something sounds: SDL keeps a thread running for an open device even
// when it is paused, mixing silence 43 times a second, so the engine closes it after a quiet spell and
// opens it again for the next sound. A device that cannot be opened, or that goes away while open (its
// sound server restarted, a headset unplugged), is tried again by a later sound, no sooner than five
// seconds after the last try, so a game without sound costs no more than one try in five seconds. The
// loss and the return are each said once on stderr.
class AudioDevice {
public:
    // Without the session up, the device counts as lost from the start.
    AudioDevice(SoundMixer& mixer, AudioSession& session, TickClock clock);
    ~AudioDevice() { close(); }
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Opens the device, unless it was lost less than five seconds ago, and starts it playing from the
    // mixer; true when it is open.
    bool open();
    void close();
    bool isOpen() const { return id_ != 0; }
    // SDL's number for the open device, 0 when closed; for the tests, to ask SDL how it stands.
    SDL_AudioDeviceID id() const { return id_; }
    // Closes a device that went away under the game (unplugged, its sound server gone, a write that
    // failed): SDL then only marks it stopped and goes on calling the mixer for nobody. What sounded is
    // cut, so the music comes back only with its next start. Called before every sound, and every second
    // while the device is open.
    void closeIfLost();

    // Five seconds between two tries of a lost device.
    static constexpr std::int32_t kRetryMs = 5000;

    // Keeps the device's callback out while the game's thread changes what the mixer plays. SDL's lock
    // is recursive; with the device closed there is nothing to keep out.
    class Lock {
    public:
        explicit Lock(const AudioDevice& device) : id_(device.id_)
        {
            if (id_)
                SDL_LockAudioDevice(id_);
        }
        ~Lock()
        {
            if (id_)
                SDL_UnlockAudioDevice(id_);
        }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        SDL_AudioDeviceID id_;
    };

private:
    static void SDLCALL fill(void* self, Uint8* stream, int bytes);
    // Whether a lost device may be tried now, with the session started again for it.
    bool mayTryAgain();
    void lose(const char* why);

    SoundMixer& mixer_;
    AudioSession& session_;
    TickClock clock_;
    SDL_AudioDeviceID id_ = 0;
    bool lost_ = false;
    Tick lastTry_ = 0;  // when it was lost, or last tried in vain
};

} // namespace zunaka
