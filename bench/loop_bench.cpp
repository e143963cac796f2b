// Measures the real main loop while a game runs: the CPU share of one core and the frame period, once
// waiting between passes as the game does and once busy-polling for comparison.
//
//   loop_bench [SECONDS]      (default 10; runs offscreen when there is no display)
#include "holes/HoleModel.h"
#include "shell/Game.h"
#include "shell/MainLoop.h"
#include "shell/qt/QtForms.h"
#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

void measure(const char* name, bool busyPoll, int seconds, zunaka::GameState& s, zunaka::QtPlatform& p)
{
    s.gLoopOn = true;
    s.gMojiTotal = 10000;  // the game must outlast the measurement
    zunaka::startClick(s, p);

    QElapsedTimer clock;
    std::vector<double> periods;
    qint64 lastFrame = -1;
    zunaka::LoopOptions options;
    options.busyPoll = busyPoll;
    options.onFrame = [&] {
        const qint64 now = clock.nsecsElapsed();
        if (lastFrame >= 0)
            periods.push_back(static_cast<double>(now - lastFrame) / 1e6);
        lastFrame = now;
    };
    QTimer::singleShot(seconds * 1000, [&s] { s.gLoopOn = false; });

    const double cpuBefore = cpuSeconds();
    clock.start();
    zunaka::mainLoop(s, p, options);
    const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    const double cpu = cpuSeconds() - cpuBefore;
    zunaka::stopClick(s, p);

    std::printf("%-12s cpu %6.2f %% of a core   frames %5zu   period median %6.2f ms   p99 %6.2f ms   max %6.2f ms\n",
                name, 100.0 * cpu / wall, periods.size() + 1, percentile(periods, 0.5), percentile(periods, 0.99),
                percentile(periods, 1.0));
}

} // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    zunaka::QtPlatform platform;
    zunaka::GameState state;
    zunaka::QtForms forms(state, platform);
    platform.setForms(&forms);
    zunaka::setDefaults(state);
    zunaka::setHoleRects(state);
    forms.showMainForm();

    std::printf("main loop over %d s with a game running\n", seconds);
    measure("waiting", false, seconds, state, platform);
    measure("busy-poll", true, seconds, state, platform);
    return 0;
}
