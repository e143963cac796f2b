#pragma once

#include "SoundMixer.h"
#include "platform/MediaDevice.h"

#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace zunaka {

class AudioDevice;

// The background music, played from its rendering in the user's cache folder (RenderedPiece.h). The
// piece was rendered once by the helper program zunaka-music, with FluidSynth, in a process of its own:
// the game's process plays it by reading the file, and so neither loads the synthesizer with its
// libraries nor renders the same notes game after game. Opening a piece that has no rendering yet starts
// the helper; a play that starts before the helper is done is silent until then, and goes on from where
// the piece would be by then.
class RenderedMusic final : public MusicBackend, public MusicSource {
public:
    // `soundFont`: the SoundFont to render with, if any was found; `helper`: the helper program;
    // `cache`: the folder of renderings (cacheFolder()), none when there is no folder to write.
    RenderedMusic(AudioDevice& device, std::optional<std::string> soundFont, std::string helper,
                  std::optional<std::string> cache);
    ~RenderedMusic() override;
    RenderedMusic(const RenderedMusic&) = delete;
    RenderedMusic& operator=(const RenderedMusic&) = delete;

    // Checks the file, and finds its rendering or has it made.
    bool load(const std::string& path) override;
    // Starts the piece from its first note; opens the audio device if need be.
    void playFromStart() override;
    // Also the mixer's, when the device went away.
    void stop() override;
    void close() override;

    // Takes the rendering once the helper is done with it. The engine calls this before every play and
    // every second while the device is open.
    void collect();
    // Waits until the helper is done, then collects: for the tests, which must not depend on its speed.
    void waitForRendering();

    // Called by the mixer on the audio thread.
    bool sounding() override;
    void render(std::int16_t* out, int frames) override;

private:
    // Opens the rendering at path_ when it is whole; true when it plays from now on.
    bool openRendering();
    // Reads the rendering ahead from frame `from`; false when it holds nothing there (yet).
    bool readAhead(long from);
    void startHelper(const std::string& piecePath);
    void finishHelper(int waitOptions);

    AudioDevice& device_;
    std::optional<std::string> soundFont_;
    std::string helper_;
    std::optional<std::string> cache_;
    std::string path_;  // the rendering of the open piece; empty when none plays
    pid_t renderer_ = 0;  // the helper making it, while it runs
    // Shared with the audio thread, changed under the device's lock.
    int file_ = -1;
    long frames_ = 0;
    bool awaited_ = false;  // the helper works on the piece
    bool playing_ = false;
    long at_ = 0;  // frames since the piece started
    // What the audio thread read last, from frame readFrom_ on: a read every few buffers, as a read for
    // each was a quarter of the thread's time.
    std::vector<std::int16_t> read_;
    long readFrom_ = 0;
    long readCount_ = 0;
};

} // namespace zunaka
