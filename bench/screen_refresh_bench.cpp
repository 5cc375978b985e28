// SPDX-License-Identifier: GPL-3.0-or-later
// The tuner screen's drawing cost: the real screen in the real window,
// offscreen, through a minute of refreshes as a sounding note gives them (four
// a second: LED bar, a 0.1 s needle glide, now and then a key). Each iteration
// is one refresh and the quarter second of frames after it, in real time as in
// the application, so one size takes a minute; the CPU time is the whole
// process's (Qt's raster engine draws on pooled threads too). Arguments: the
// window's width and height in pixels; pick sizes with --benchmark_filter.

#include "BenchApplication.hpp"

#include "app/TunerWindow.hpp"
#include "layout/WEXConfig.hpp"
#include "tuner/OvraMainView.hpp"

#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

using namespace ovra;
using bench::ensureApplication;

constexpr int REFRESHES_PER_MINUTE = 240;
constexpr int REFRESH_MS = 250;

void BM_ScreenRefreshMinute(benchmark::State& state) {
    ensureApplication();
    WEXConfig layout("ovra");
    auto window = std::make_unique<TunerWindow>();
    auto* screen = new OvraMainView(window->bounds(), nullptr);
    window->setContentView(screen);
    window->resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    window->show();
    QCoreApplication::processEvents();

    int refresh = 0;
    for (auto _ : state) {
        // A steady note: the needle wanders around the middle, the level
        // between five and eight LEDs; every sixteenth refresh a key.
        const double t = refresh * 0.7;
        screen->updateTopAmp(static_cast<float>(0.55 + 0.3 * std::abs(std::sin(t * 0.9))));
        screen->pointPitchNeedle(Point{static_cast<float>(153.0 + 12.0 * std::sin(t)), 32.0f});
        if (refresh % 16 == 15) {
            screen->tuningKeyHit((refresh / 16) % STRING_COUNT);
        }
        ++refresh;
        // The glide and its frames run on Qt's own animation clock.
        QEventLoop wait;
        QTimer::singleShot(REFRESH_MS, &wait, &QEventLoop::quit);
        wait.exec();
    }
    state.counters["refreshes"] = static_cast<double>(refresh);
    window.reset();
}
BENCHMARK(BM_ScreenRefreshMinute)
    ->Args({640, 920}) // twice the points: the desktop default
    ->Args({480, 690}) // one and a half (a 768-pixel-high screen)
    ->Args({320, 460}) // the points themselves
    ->Args({400, 980}) // tall and narrow: letterboxed
    ->Iterations(REFRESHES_PER_MINUTE)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace
