// What the flash monitor costs a frame: a whole 1024 x 768 window that changes at every refresh,
// and one that stays the same, at the cell sizes the monitor offers.

#include "safety/flash_monitor.h"

#include <QColor>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

QImage filled(const QColor& colour) {
    QImage image(1024, 768, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

void lookAndKeep(benchmark::State& state, bool changing) {
    const QImage first = filled(QColor(20, 200, 90));
    const QImage second = changing ? filled(QColor(240, 30, 160)) : first;
    mirelta::FlashMonitor monitor(first.size(), {.cellSize = static_cast<int>(state.range(0))});
    long frame = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(monitor.add(frame++ % 2 == 0 ? first : second));
    }
}

void changingWindow(benchmark::State& state) {
    lookAndKeep(state, true);
}
void steadyWindow(benchmark::State& state) {
    lookAndKeep(state, false);
}

} // namespace

BENCHMARK(changingWindow)->Arg(1)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK(steadyWindow)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
