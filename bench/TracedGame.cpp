// The real program with a trace for scripts/bench: the same windows, platform and main loop as zunaka,
// plus a line per event the benchmark times, on CLOCK_MONOTONIC in nanoseconds (the clock mapwait and
// keyprobe use), written as it happens so keyprobe can read it while the game runs.
//
//   zunaka-traced TRACE_FILE [--busy-poll]
//
//   S <ns> main|ready|shown   start-up: main() entered, program built, first window shown
//   F <ns>                    end of a frame
//   R <ns> <hole> <key>       a mole starts to rise carrying <key>
//   K <ns>                    a key release (not auto-repeat) reaches the program
//   C <ns> <hole> x y w h     end of the frame that first draws <hole>'s mole caught; its column in the
//                             main window's coordinates
#include "Program.h"
#include "holes/HoleModel.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

namespace {

long long nowNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

struct FileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

class Trace {
public:
    explicit Trace(const char* path) : file_(std::fopen(path, "w"))
    {
        if (file_)
            std::setvbuf(file_.get(), nullptr, _IOLBF, 0);
    }
    bool isOpen() const { return file_ != nullptr; }

    template <typename... Args>
    void line(const char* format, Args... args)
    {
        std::fprintf(file_.get(), format, args...);
    }

private:
    std::unique_ptr<std::FILE, FileClose> file_;
};

// Sees every key release and the first window shown, before any widget does.
class EventWatch : public QObject {
public:
    explicit EventWatch(Trace& trace) : trace_(trace) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
            // A release travels to the focus widget through its parents; count it once, where it lands.
            if (watched->isWidgetType() && static_cast<QWidget*>(watched)->hasFocus())
                trace_.line("K %lld\n", nowNs());
        } else if (event->type() == QEvent::Show && !shown_ && watched->isWidgetType() &&
                   static_cast<QWidget*>(watched)->isWindow()) {
            shown_ = true;
            trace_.line("S %lld shown\n", nowNs());
        }
        return false;
    }

private:
    Trace& trace_;
    bool shown_ = false;
};

// Compares each frame's end with the previous one: which moles began to rise, which were drawn caught.
class FrameWatch {
public:
    FrameWatch(Trace& trace, zunaka::Program& program) : trace_(trace), program_(program) {}

    void afterFrame()
    {
        const long long now = nowNs();
        trace_.line("F %lld\n", now);
        const zunaka::GameState& s = program_.state();
        for (int hole = 1; hole <= zunaka::kHoleCount; ++hole) {
            if (s.gHoleUp[hole] && !wasUp_[hole])
                trace_.line("R %lld %d %s\n", now, hole, s.gHoleMoji[hole].c_str());
            if (s.gHoleCaught[hole] && !wasCaught_[hole]) {
                const QPoint at = program_.forms().mainForm().mainPicture()->mapTo(
                    &program_.forms().mainForm(), QPoint(s.gHoleRect[hole].left, s.gHoleTop[hole]));
                trace_.line("C %lld %d %d %d %d %d\n", now, hole, at.x(), at.y(), zunaka::kMoleWidth,
                            s.gHoleBottom[hole] - s.gHoleTop[hole]);
            }
            wasUp_[hole] = s.gHoleUp[hole];
            wasCaught_[hole] = s.gHoleCaught[hole];
        }
    }

private:
    Trace& trace_;
    zunaka::Program& program_;
    zunaka::PerHole<bool> wasUp_{};
    zunaka::PerHole<bool> wasCaught_{};
};

} // namespace

int main(int argc, char** argv)
{
    const long long entered = nowNs();
    if (argc < 2) {
        std::fputs("usage: zunaka-traced TRACE_FILE [--busy-poll]\n", stderr);
        return EXIT_FAILURE;
    }
    Trace trace(argv[1]);
    if (!trace.isOpen()) {
        std::perror(argv[1]);
        return EXIT_FAILURE;
    }
    trace.line("S %lld main\n", entered);
    zunaka::LoopOptions options;
    options.busyPoll = argc > 2 && std::strcmp(argv[2], "--busy-poll") == 0;

    int qtArgc = 1;
    zunaka::Program program(qtArgc, argv);
    trace.line("S %lld ready\n", nowNs());
    EventWatch events(trace);
    QApplication::instance()->installEventFilter(&events);
    FrameWatch frames(trace, program);
    options.onFrame = [&frames] { frames.afterFrame(); };
    return program.run(options);
}
