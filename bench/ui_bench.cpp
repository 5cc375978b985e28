// SPDX-License-Identifier: GPL-3.0-or-later
// View kit costs: the needle's per-refresh move (plain and animated), a button
// touch cycle, and an offscreen picture of a full screen of image views.

#include "BenchApplication.hpp"

#include "layout/Resources.hpp"
#include "layout/WEXConfig.hpp"
#include "ui/ImageView.hpp"
#include "ui/LayoutImageView.hpp"
#include "ui/SceneScreenshot.hpp"
#include "ui/WEXButton.hpp"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace ovra;
using bench::ensureApplication;

void BM_NeedleSetOrigin(benchmark::State& state) {
    ensureApplication();
    View needle(Rect{{0, 0}, {14, 56}});
    float x = 0.0f;
    for (auto _ : state) {
        needle.setOrigin(Point{x, 24.0f});
        x = x > 280.0f ? 0.0f : x + 1.5f;
        benchmark::DoNotOptimize(needle.frame());
    }
}
BENCHMARK(BM_NeedleSetOrigin);

void BM_NeedleAnimatedMove(benchmark::State& state) {
    ensureApplication();
    View needle(Rect{{0, 0}, {14, 56}});
    float x = 0.0f;
    for (auto _ : state) {
        View::animateWithDuration(0.1, [&] { needle.setOrigin(Point{x, 24.0f}); });
        needle.finishAnimation();
        x = x > 280.0f ? 0.0f : x + 1.5f;
    }
}
BENCHMARK(BM_NeedleAnimatedMove);

void BM_ButtonTouchCycle(benchmark::State& state) {
    ensureApplication();
    WEXButton button;
    QImage image(38, 38, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::gray);
    button.setImage(QPixmap::fromImage(image), ControlStateNormal);
    image.fill(Qt::white);
    button.setImage(QPixmap::fromImage(image), ControlStateHighlighted);
    const Touch touch{{5, 5}, {5, 5}};
    for (auto _ : state) {
        button.touchesBegan(touch);
        button.touchesEnded(touch);
    }
    benchmark::DoNotOptimize(button.isButtonOn());
}
BENCHMARK(BM_ButtonTouchCycle);

// The shipped screen's pictures (embedded resources), one view each.
void BM_RenderShippedScreen(benchmark::State& state) {
    ensureApplication();
    WEXConfig config("ovra");
    View root(Rect{{0, 0}, {320, 460}});
    const std::string cfg = "general.cfg";
    root.addSubview(newImageViewOfItem("background", -1, cfg));
    for (int i = 0; i < 6; ++i) {
        root.addSubview(newImageViewOfItem("tuningkey", i, "unpressed", cfg));
    }
    root.addSubview(newImageViewOfItem("guitarhead", -1, cfg));
    for (int i = 0; i < 9; ++i) {
        root.addSubview(newImageViewOfItem("ampmeterled", i, "unpressed", cfg));
    }
    root.addSubview(newImageViewOfItem("pitchmeter", -1, "bright", cfg));
    for (int i = 0; i < 6; ++i) {
        root.addSubview(newImageViewOfItem("string", i, "unpressed", cfg));
    }
    root.addSubview(newImageViewOfItem("pitchneedle", -1, "bright", cfg));
    root.addSubview(newImageViewOfItem("overlay", -1, cfg));
    const double scale = static_cast<double>(state.range(0));
    for (auto _ : state) {
        const QImage picture = renderItem(root, scale);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_RenderShippedScreen)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
