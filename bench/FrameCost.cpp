// Google Benchmark: the drawing work of one frame on the real surfaces (Qt's offscreen platform), with all
// six moles moving and carrying a character: the holes, the status strip, and the whole frame. The
// window's repaint and its copy to the X server come after, in the event loop; scripts/bench measures
// those in the running game.
//
//   frame-cost [benchmark options]      (run from the build folder: it reads Deta/ beside itself)
#include "Program.h"
#include "holes/HoleModel.h"
#include "holes/HoleMotion.h"
#include "moji/MojiTable.h"
#include "moji/Status.h"
#include "screen/LoadImages.h"
#include "screen/WindowSize.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

zunaka::Program* gProgram = nullptr;

// Every mole three steps out of its hole and rising, as a busy frame finds them.
void raiseAll(zunaka::GameState& s)
{
    for (int hole = 1; hole <= zunaka::kHoleCount; ++hole) {
        s.gHoleRect[hole].top = s.gHoleBottom[hole] - 3 * s.gStep;
        s.gHoleUp[hole] = true;
        s.gHoleDown[hole] = false;
        s.gHoleMoji[hole].assign(1, 'A');
    }
}

void holes(benchmark::State& state)
{
    zunaka::GameState& s = gProgram->state();
    for (auto _ : state) {
        raiseAll(s);
        zunaka::moveHoles(s, gProgram->platform());
    }
}

void statusStrip(benchmark::State& state)
{
    for (auto _ : state)
        zunaka::printStatusWide(gProgram->state(), gProgram->platform());
}

void frame(benchmark::State& state)
{
    zunaka::GameState& s = gProgram->state();
    for (auto _ : state) {
        raiseAll(s);
        zunaka::moveHoles(s, gProgram->platform());
        zunaka::printStatusWide(s, gProgram->platform());
    }
}

BENCHMARK(holes)->Unit(benchmark::kMicrosecond);
BENCHMARK(statusStrip)->Unit(benchmark::kMicrosecond);
BENCHMARK(frame)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    int qtArgc = 1;
    zunaka::Program program(qtArgc, argv);
    gProgram = &program;
    zunaka::GameState& s = program.state();
    zunaka::Platform& p = program.platform();
    zunaka::setWindowSize(p);
    zunaka::arrangeControls(s, p);
    zunaka::loadImages(s, p);
    zunaka::setDefaults(s);
    zunaka::setHoleRects(s);
    zunaka::makeMojiTable(s);
    s.gPlaying = true;
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
