#include "TerminationSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace zunaka {

namespace {

// A signal handler gets no context: the socket it writes to has to be reachable from a static. It is set
// once, before the handlers are installed, and only ever read afterwards.
int gSignalSocket[2] = {-1, -1};

void onTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(gSignalSocket[0], &byte, 1);
}

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal))
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gSignalSocket) != 0) {
        std::perror("zunaka: signals");
        return;
    }
    notifier_ = new QSocketNotifier(gSignalSocket[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const auto read = ::read(gSignalSocket[1], &byte, 1);
        if (onSignal_)
            onSignal_();
    });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    for (int signal : kSignals)
        std::signal(signal, SIG_DFL);
    for (int& fd : gSignalSocket) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

} // namespace zunaka
