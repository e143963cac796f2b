#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace zunaka {

// Turns SIGTERM, SIGINT and SIGHUP (a kill, Ctrl+C in the terminal, the session ending) into a close of
// the main window, so the music is stopped and closed as on every other way out. The signal only writes
// a byte to a socket; the close runs later, in the main loop's event step, like any other handler.
class TerminationSignals : public QObject {
public:
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals() override;

private:
    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace zunaka
