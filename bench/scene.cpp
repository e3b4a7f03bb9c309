// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a front end pays after each event to know what to draw: the scene of
// a window made again and compared with the last one. One Froggy tick (a
// few cars move), one pointer move over the idle menu (nothing changes),
// each at a device pixel ratio of 1 and 2.
#include <benchmark/benchmark.h>

#include "shell/program.h"
#include "shell/scene/scene.h"

namespace {

using namespace arcadeon;

scene::Pictures pictures() {
    // Sizes only: no picture is drawn here, and each size is asked once.
    return scene::Pictures([](std::string_view) { return scene::Bitmap{677, 498, std::vector<std::uint8_t>(677 * 498 * 4)}; });
}

void BM_SceneAfterFroggyTick(benchmark::State& state) {
    Program program;
    Form& froggy = program.open(Program::Game::Froggy);
    scene::Pictures shelf = pictures();
    const double ratio = static_cast<double>(state.range(0));
    scene::Scene shown = scene::sceneOf(froggy, {ratio, true, nullptr}, shelf);
    std::size_t rects = 0;
    for (auto _ : state) {
        program.app.advanceBoundaries(1);
        scene::Scene now = scene::sceneOf(froggy, {ratio, true, nullptr}, shelf);
        rects += scene::damage(shown, now).size();
        shown = std::move(now);
    }
    state.counters["rects"] = benchmark::Counter(static_cast<double>(rects), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SceneAfterFroggyTick)->Arg(1)->Arg(2);

void BM_SceneAfterIdleMenuMove(benchmark::State& state) {
    Program program;
    program.start();
    scene::Pictures shelf = pictures();
    const double ratio = static_cast<double>(state.range(0));
    const scene::Scene shown = scene::sceneOf(program.frmMenu, {ratio, true, nullptr}, shelf);
    Twips x = 0;
    for (auto _ : state) {
        program.app.mouseMove(program.frmMenu, x, 100);
        x = x < 9000 ? x + 15 : 0;
        const scene::Scene now = scene::sceneOf(program.frmMenu, {ratio, true, nullptr}, shelf);
        benchmark::DoNotOptimize(scene::damage(shown, now).empty());
    }
}
BENCHMARK(BM_SceneAfterIdleMenuMove)->Arg(1)->Arg(2);

}  // namespace

BENCHMARK_MAIN();
