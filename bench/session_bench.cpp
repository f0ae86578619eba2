// The pixel work of a session: the colour and grey passes over the 425 x 424 pixels a letter step
// shifts, against copying the same bytes with memcpy in the same run, and one whole letter step
// (frame ring, colour pass, the panel composed with its letter).

#include "display/compositor.h"
#include "display/glyph_strips.h"
#include "display/panel_scene.h"
#include "engine/backgrounds.h"
#include "engine/colour_shift.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <vector>

namespace {

using namespace mirelta;

constexpr int kRows = 425;
constexpr int kColumns = 424;

QImage background() {
    QImage picture = Backgrounds::builtIn().picture(Backgrounds::kMany);
    if (picture.isNull()) {
        picture = QImage(kPanelSize, kPanelSize, QImage::Format_BGR888);
        picture.fill(Qt::darkCyan);
    }
    return picture;
}

void MemcpySameBytes(benchmark::State& state) {
    const QImage source = background();
    QImage target = source.copy();
    for (auto _ : state) {
        for (int y = 0; y < kRows; ++y) {
            std::memcpy(target.scanLine(y), source.constScanLine(y), std::size_t{3} * kColumns);
        }
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(MemcpySameBytes)->Unit(benchmark::kMicrosecond);

void ColourPass(benchmark::State& state) {
    QImage picture = background();
    const ShiftValues shift{
        .raiseR = 37, .raiseG = 201, .raiseB = 90, .lowerR = 37, .lowerG = 201, .lowerB = 90};
    int phase = 1;
    for (auto _ : state) {
        colourShiftPass(picture, shift, phase, kRows, kColumns);
        phase = 3 - phase;
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(ColourPass)->Unit(benchmark::kMicrosecond);

// The way the program takes on this processor, and the table form it takes where AVX2 is missing.
void GreyPass(benchmark::State& state, GreyMethod method) {
    QImage picture = background();
    const ShiftValues shift{
        .raiseR = 37, .raiseG = 201, .raiseB = 90, .lowerR = 37, .lowerG = 201, .lowerB = 90};
    int phase = 1;
    for (auto _ : state) {
        greyShiftPass(picture, shift, phase, kRows, kColumns, method);
        phase = 3 - phase;
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK_CAPTURE(GreyPass, program, fastestGreyMethod())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(GreyPass, tables, GreyMethod::Tables)->Unit(benchmark::kMicrosecond);

// What one letter step computes: a ring outline on the window's surface, a colour pass and the
// panel with its big letter composed into a frame.
void LetterStep(benchmark::State& state) {
    const GlyphStrips strips = GlyphStrips::builtIn();
    PanelScene scene;
    scene.background().picture = background();
    scene.big().setGeometry(QRect(131, 131, 168, 168));
    scene.big().setStrip(strips.strip(32));
    scene.big().setFrame(2);
    scene.big().setVisible(true);
    QImage window(1920, 1080, QImage::Format_RGB32);
    window.fill(Qt::black);
    const ShiftValues shift{
        .raiseR = 37, .raiseG = 201, .raiseB = 90, .lowerR = 37, .lowerG = 201, .lowerB = 90};
    QImage frame;
    int phase = 1;
    int offset = 0;
    for (auto _ : state) {
        const QRect ring(747 - offset, 327 - offset, 425 + 2 * offset, 425 + 2 * offset);
        for (int x = ring.left(); x <= ring.right(); ++x) {
            window.setPixel(x, ring.top(), 0xFFFFFFFF);
            window.setPixel(x, ring.bottom(), 0xFFFFFFFF);
        }
        for (int y = ring.top(); y <= ring.bottom(); ++y) {
            window.setPixel(ring.left(), y, 0xFFFFFFFF);
            window.setPixel(ring.right(), y, 0xFFFFFFFF);
        }
        offset = (offset + 10) % 320;
        colourShiftPass(scene.background().picture, shift, phase, kRows, kColumns);
        phase = 3 - phase;
        composePanel(scene, frame);
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(LetterStep)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
