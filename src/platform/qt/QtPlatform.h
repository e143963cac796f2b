#pragma once

#include "AudioModule.h"
#include "platform/MediaDevice.h"
#include "platform/Platform.h"
#include "platform/Rng.h"
#include "sql/SqliteRecords.h"

#include <QElapsedTimer>
#include <QLockFile>
#include <QTimer>

#include <memory>

namespace zunaka {

// The platform of the real program: Qt's event loop and monotonic clock, the sound module (SDL and
// FluidSynth) for sound, a lock file for the single instance, the SQLite file for the records. Created
// after the QApplication; the windows are attached once they exist.
class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    void setForms(Forms* forms) { forms_ = forms; }
    // Whether a message that ends the program is up; a termination signal then ends it at once.
    bool endingMessageUp() const { return endingMessageUp_; }

    Tick getTickCount() override;
    float rnd() override { return rng_.next(); }
    int mciSendString(std::string_view command) override;
    void sndPlaySound(const std::string& path, unsigned flags) override;
    QImage loadPicture(const std::string& path, const PictureUse& use) override;
    PictureFile loadPictureFile(const std::string& path, const PictureUse& use) override;
    ScreenSize screen() const override;
    ScreenSize workArea() const override;
    std::string appPath() const override;
    bool prevInstance() override;
    void msgBox(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    [[noreturn]] void end() override;
    void doEvents() override;
    void waitForEvents(std::int32_t timeoutMs) override;
    Forms& forms() override { return *forms_; }
    RecordStore& records() override { return records_; }

private:
    void watchAudio();

    QElapsedTimer clock_;
    Rng rng_;
    AudioModule audio_;
    MediaDevice media_{audio_};
    // Looks every second, while the audio device is open, whether it can be closed.
    QTimer audioIdle_;
    std::unique_ptr<QLockFile> lock_;
    SqliteRecords records_;
    QTimer wake_;
    Forms* forms_ = nullptr;
    bool endingMessageUp_ = false;
};

} // namespace zunaka
