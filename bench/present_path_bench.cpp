// What putting one state up through the X server's Present extension costs the window's thread:
// the panel's 425 × 425 pixels (and, scaled, 850 × 850) put into the server's buffer and the
// request to copy them on the next blank. Run on an X server, e.g.
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/present_path_bench
//   --benchmark_min_time=0.05

#include "platform/presentation/present_path.h"

#include <QGuiApplication>
#include <QImage>
#include <QRasterWindow>
#include <QTest>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

using namespace mirelta;

void presentPanel(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    QRasterWindow window;
    window.resize(2 * side, 2 * side);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("no X server");
        return;
    }
    std::uint64_t counter = 0;
    bool refreshed = false;
    auto path = presentPathFor(&window, [&](std::uint64_t at, double) {
        counter = at;
        refreshed = true;
    });
    if (!path) {
        state.SkipWithError("the X server offers no Present extension");
        return;
    }
    QImage picture(path->size(), QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    const QRegion panel(QRect(side / 2, side / 2, side, side));
    long frame = 0;
    for (auto _ : state) {
        // One state a refresh, as a session puts them: only the put and the request are timed.
        refreshed = false;
        path->askForRefresh(counter + 1);
        if (!QTest::qWaitFor([&] { return refreshed; }, 1000)) {
            state.SkipWithError("the X server stopped answering");
            return;
        }
        const auto start = std::chrono::steady_clock::now();
        path->present(picture, panel, ++frame, counter + 1);
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(presentPanel)
    ->Arg(425)
    ->Arg(850)
    ->Iterations(200)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
