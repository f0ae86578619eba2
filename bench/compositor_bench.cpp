// The cost of one whole panel frame: the background picture, all 80 grid cells and the big
// letter visible.

#include "display/compositor.h"
#include "display/glyph_strips.h"
#include "display/panel_scene.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

using namespace mirelta;

QImage noisyBackground() {
    QImage image(kPanelSize, kPanelSize, QImage::Format_BGR888);
    std::mt19937 random(7);
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < 3 * image.width(); ++x) {
            line[x] = static_cast<uchar>(random());
        }
    }
    return image;
}

void compose(benchmark::State& state, const PanelScene& scene) {
    QImage frame;
    for (auto _ : state) {
        composePanel(scene, frame);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

void showAllCells(PanelScene& scene, const GlyphStrips& strips) {
    for (int n = 1; n <= kGridCells; ++n) {
        GlyphCell& cell = scene.gridCell(n);
        cell.setStrip(strips.strip(n % kStripCount));
        cell.setFrame(n % kStripFrames);
        cell.setVisible(true);
    }
    scene.big().setStrip(strips.strip(32));
    scene.big().setFrame(2);
    scene.big().setVisible(true);
}

void ComposeFullPanel(benchmark::State& state) {
    const GlyphStrips strips = GlyphStrips::builtIn();
    PanelScene scene;
    scene.background().picture = noisyBackground();
    showAllCells(scene, strips);
    compose(state, scene);
}
BENCHMARK(ComposeFullPanel)->Unit(benchmark::kMicrosecond);

void ComposeBackgroundOnly(benchmark::State& state) {
    PanelScene scene;
    scene.background().picture = noisyBackground();
    compose(state, scene);
}
BENCHMARK(ComposeBackgroundOnly)->Unit(benchmark::kMicrosecond);

void ComposeCellsOnly(benchmark::State& state) {
    const GlyphStrips strips = GlyphStrips::builtIn();
    PanelScene scene;
    showAllCells(scene, strips);
    compose(state, scene);
}
BENCHMARK(ComposeCellsOnly)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
