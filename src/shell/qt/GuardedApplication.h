#pragma once

#include <QApplication>

namespace zunaka {

class Platform;

// The application object. Every event Qt delivers, and so every handler of the game that runs inside the
// main loop's event step, passes through notify(): there a failure that escapes a handler ends the
// program with its message, once the platform is attached, instead of crossing Qt's event loop.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    void setPlatform(Platform* platform) { platform_ = platform; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    Platform* platform_ = nullptr;
};

} // namespace zunaka
