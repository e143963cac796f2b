#pragma once

#include <SDL_audio.h>

namespace zunaka {

class SoundMixer;

// The sound card, open only while something sounds: SDL keeps a thread running for an open device even
// when it is paused, mixing silence 43 times a second, so the engine closes it after a quiet spell and
// opens it again for the next sound. A device that cannot be opened, or that goes away while open, is
// reported once and not tried again: the game goes on in silence.
class AudioDevice {
public:
    // `usable`: false when SDL's audio could not start; the device then never opens.
    AudioDevice(SoundMixer& mixer, bool usable) : mixer_(mixer), failed_(!usable) {}
    ~AudioDevice() { close(); }
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Opens the device and starts it playing from the mixer; true when it is open.
    bool open();
    void close();
    bool isOpen() const { return id_ != 0; }
    // SDL's number for the open device, 0 when closed; for the tests, to ask SDL how it stands.
    SDL_AudioDeviceID id() const { return id_; }
    // Closes a device that went away under the game (unplugged, its sound server gone, a write that
    // failed): SDL then only marks it stopped and goes on calling the mixer for nobody. Called before
    // every sound, and every second while the device is open.
    void closeIfLost();

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

    SoundMixer& mixer_;
    SDL_AudioDeviceID id_ = 0;
    bool failed_ = false;
};

} // namespace zunaka
