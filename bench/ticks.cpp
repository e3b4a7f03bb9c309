// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One clock boundary of each game, through the whole layer, beside the same
// rules written as plain code over a plain struct: the ratio is the layer's cost.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "shell/program.h"

namespace arcadeon {
namespace {


// The program, started, with a game opened by its name on the menu. With no
// front end a message box closes at once: a lost ball or a strike costs no waiting.
struct OpenGame {
    explicit OpenGame(Program::Game game) { program.open(game); }
    Program program;
};

constexpr Program::Game kPingName = Program::Game::Ping, kFroggyName = Program::Game::Froggy,
                        kInvadersName = Program::Game::Invaders;

// ---- Ping --------------------------------------------------------------------

void BM_PingTick_Layer(benchmark::State& state) {
    OpenGame game(kPingName);
    Program& program = game.program;
    auto& timer = program.frmPing.elementAs<Timer>("tmrBlue");
    auto& go = program.frmPing.elementAs<Label>("lblGo");
    for (auto _ : state) {
        if (!timer.Enabled) program.app.click(program.frmPing, 13000, 500);  // GO again after a loss
        program.app.advanceBoundaries(1);
        benchmark::DoNotOptimize(go.Caption.size());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PingTick_Layer);

// The timer's handler called directly: reading and writing elements through
// the window, without the clock and the delivery around it.
void BM_PingTick_HandlerOnly(benchmark::State& state) {
    OpenGame game(kPingName);
    Program& program = game.program;
    auto& timer = program.frmPing.elementAs<Timer>("tmrBlue");
    for (auto _ : state) {
        if (!timer.Enabled) program.app.click(program.frmPing, 13000, 500);
        timer.event();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PingTick_HandlerOnly);

struct PlainPing {
    float ballLeft = 6720, ballTop = 3480, ballWidth = 1095, ballHeight = 1095;
    float fieldLeft = 240, fieldTop = 120, fieldWidth = 14175, fieldHeight = 9255;
    float paddleLeft = 6240, paddleTop = 8880, paddleWidth = 2175, paddleHeight = 375;
    std::int16_t speedX = -75, speedY = -75, hits = 0, losses = 0, highScore = 0;
    bool running = true;
};

void plainPingTick(PlainPing& p) {
    p.ballLeft = p.ballLeft + p.speedX;
    if (p.ballLeft <= p.fieldLeft || p.ballLeft >= p.fieldLeft + p.fieldWidth - p.ballWidth) p.speedX = static_cast<std::int16_t>(-p.speedX);
    p.ballTop = p.ballTop + p.speedY;
    if (p.ballTop <= p.fieldTop) {
        p.speedY = static_cast<std::int16_t>(-p.speedY);
    } else if (p.ballTop >= p.fieldTop + p.fieldHeight - p.ballHeight) {
        p.running = false;
        p.ballTop = 2280;
        p.ballLeft = 4320;
        p.losses = static_cast<std::int16_t>(p.losses + 1);
        p.hits = 0;
        p.speedX = -75;
        p.speedY = -75;
    }
    if (p.ballTop + p.ballHeight >= p.paddleTop && p.paddleTop + p.paddleHeight >= p.ballTop + p.ballHeight &&
        p.ballLeft >= p.paddleLeft - p.paddleWidth && p.ballLeft <= p.paddleLeft + p.paddleWidth) {
        p.speedY = static_cast<std::int16_t>(-p.speedY);
        p.hits = static_cast<std::int16_t>(p.hits + 1);
        p.speedX = static_cast<std::int16_t>(p.speedX < 0 ? p.speedX - 5 : p.speedX + 5);
        p.speedY = static_cast<std::int16_t>(p.speedY < 0 ? p.speedY - 5 : p.speedY + 5);
        if (p.hits > p.highScore) p.highScore = p.hits;
    }
}

void BM_PingTick_Plain(benchmark::State& state) {
    PlainPing ping;
    for (auto _ : state) {
        ping.running = true;
        plainPingTick(ping);
        benchmark::DoNotOptimize(ping);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PingTick_Plain);

// ---- Froggy ------------------------------------------------------------------

void BM_FroggyTick_Layer(benchmark::State& state) {
    OpenGame game(kFroggyName);
    Program& program = game.program;
    auto& car = program.frmFroggy.elementAs<Image>("imgCar1");
    for (auto _ : state) {
        program.app.advanceBoundaries(1);
        benchmark::DoNotOptimize(car.Left);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FroggyTick_Layer);

void BM_FroggyTick_HandlerOnly(benchmark::State& state) {
    OpenGame game(kFroggyName);
    Program& program = game.program;
    auto& timer = program.frmFroggy.elementAs<Timer>("tmrCars");
    for (auto _ : state) timer.event();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FroggyTick_HandlerOnly);

// The clock and the delivery alone: one boundary whose one timer has an empty handler.
void BM_EmptyBoundary(benchmark::State& state) {
    OpenGame game(kFroggyName);
    Program& program = game.program;
    program.frmFroggy.elementAs<Timer>("tmrCars").event = [] {};
    for (auto _ : state) program.app.advanceBoundaries(1);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EmptyBoundary);

struct PlainRect {
    float left, top, width, height;
};

struct PlainFroggy {
    // imgCar1, imgCar2, imgCar3, imgTruck1, imgTruck2, imgTruck3, imgTruck4
    std::array<PlainRect, 7> vehicles{{{2160, 3600, 465, 300}, {7440, 5040, 465, 300}, {6240, 5400, 465, 300},
                                       {2640, 2520, 915, 390}, {1560, 5880, 870, 405}, {2880, 4920, 915, 390},
                                       {6960, 3120, 870, 405}}};
    std::array<float, 7> steps{30, -55, 20, -40, 50, -55, 45};
    PlainRect frog{4680, 6600, 495, 405};
    float scaleLeft = 0, scaleWidth = 10140;
    std::int16_t losses = 0;
};

void plainFrogDies(PlainFroggy& g) {
    g.frog.top = 6600;
    g.frog.left = 4680;
    if (g.losses < 32767) ++g.losses;
}

void plainFroggyTick(PlainFroggy& g) {
    for (std::size_t i = 0; i < 7; ++i) g.vehicles[i].left = g.vehicles[i].left + g.steps[i];
    for (std::size_t i = 0; i < 7; ++i) {
        PlainRect& v = g.vehicles[i];
        if (g.steps[i] > 0) {
            if (v.left > g.scaleLeft + g.scaleWidth) v.left = g.scaleLeft - v.width;
        } else if (v.left + v.width < g.scaleLeft) {
            v.left = g.scaleWidth + g.scaleLeft + v.left;
        }
    }
    for (const PlainRect& v : g.vehicles) {
        const PlainRect& f = g.frog;
        if (v.left - v.width <= f.left && f.left <= v.left + v.width && v.top <= f.top && f.top <= v.top + v.height) plainFrogDies(g);
        if (v.left <= f.left && f.left <= v.left + v.width && v.top - v.height <= f.top && f.top <= v.top + v.height) plainFrogDies(g);
        if (v.left - v.width <= f.left && f.left <= v.left + v.width && v.top <= f.top + f.height && f.top + f.height <= v.top + v.height) plainFrogDies(g);
        if (v.left <= f.left + f.width && f.left + f.width <= v.left + v.width && v.top - v.height <= f.top && f.top <= v.top + v.height) plainFrogDies(g);
    }
}

void BM_FroggyTick_Plain(benchmark::State& state) {
    PlainFroggy froggy;
    for (auto _ : state) {
        plainFroggyTick(froggy);
        benchmark::DoNotOptimize(froggy);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FroggyTick_Plain);

// ---- Vavod Uvavovirovu Divadazo ----------------------------------------------

// The ship stands where no bomb column can strike it and fires whenever its
// shot is at rest: the five timers run for ever without an end of game.
void BM_InvadersTick_Layer(benchmark::State& state) {
    OpenGame game(kInvadersName);
    Program& program = game.program;
    program.frmInvaders.elementAs<Image>("imgShip").Left = 4000;
    auto& bullet = program.frmInvaders.elementAs<Timer>("tmrBullet");
    auto& mothership = program.frmInvaders.elementAs<Image>("imgMothership");
    for (auto _ : state) {
        if (!bullet.Enabled) bullet.Enabled = true;
        program.app.advanceBoundaries(1);
        benchmark::DoNotOptimize(mothership.Left);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_InvadersTick_Layer);

void BM_InvadersTick_HandlerOnly(benchmark::State& state) {
    OpenGame game(kInvadersName);
    Program& program = game.program;
    program.frmInvaders.elementAs<Image>("imgShip").Left = 4000;
    std::array<Timer*, 5> timers{};
    for (std::size_t i = 0; i < timers.size(); ++i) {
        timers[i] = &program.frmInvaders.elementAs<Timer>(std::array{"tmrBomb3", "tmrBomb2", "tmrBomb1", "tmrBullet", "tmrMothership"}[i]);
    }
    for (auto _ : state) {
        timers[3]->Enabled = true;
        for (Timer* timer : timers) {
            if (timer->Enabled) timer->event();
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_InvadersTick_HandlerOnly);

struct PlainInvaders {
    PlainRect ship{4000, 6120, 1755, 765};
    PlainRect bullet{6000, 6240, 135, 375};
    PlainRect mothership{6360, 1320, 1725, 840};
    std::array<PlainRect, 3> bombs{{{3480, 1680, 555, 480}, {5640, 1680, 555, 480}, {7800, 1680, 555, 480}}};
    std::array<bool, 3> bombFalling{};
    std::array<bool, 3> bombVisible{};
    std::array<PlainRect, 12> aliens{};
    std::array<bool, 12> alienVisible{};
    float markerLeft = 2760, markerRightLeft = 8160, markerWidth = 810;
    float wallLeft = 2160, wallRight = 9720, scaleTop = 0, scaleHeight = 7035;
    bool bulletFlying = false, mothershipVisible = true;
    std::int16_t mothershipSpeed = 20, alienSpeed = 20;
    std::array<bool, 3> hearts{true, true, true};

    PlainInvaders() {
        for (std::size_t i = 0; i < 12; ++i) {
            aliens[i] = {2760.0f + 1080.0f * static_cast<float>(i % 6), i < 6 ? 2400.0f : 3240.0f, 810, 615};
            alienVisible[i] = true;
        }
    }
    void restShot() {
        bulletFlying = false;
        bullet.left = ship.width / 2 + ship.left - bullet.width / 2;
        bullet.top = ship.top;
    }
};

void plainBulletTick(PlainInvaders& g) {
    g.bullet.top = g.bullet.top - 50;
    if (g.bullet.top <= g.scaleTop) {
        g.restShot();
        return;
    }
    for (std::size_t i = 0; i < 12; ++i) {
        const PlainRect& a = g.aliens[i];
        if (g.bullet.top <= a.top + a.height && g.bullet.top >= a.top && g.bullet.left >= a.left - g.bullet.width &&
            g.bullet.left <= a.left + a.width) {
            g.alienVisible[i] = false;
            g.aliens[i].left = 0;
            g.restShot();
            return;
        }
    }
}

void plainBombTick(PlainInvaders& g, std::size_t i) {
    PlainRect& b = g.bombs[i];
    if (b.top + b.height < g.scaleTop + g.scaleHeight) {
        g.bombVisible[i] = true;
        b.top = b.top + 30;
        if (b.top + b.height >= g.ship.top && g.ship.left + g.ship.width >= b.left + b.width && b.left >= g.ship.left) {
            b.top = 1680;
            g.bombFalling[i] = false;
            g.bombVisible[i] = false;
        }
    } else {
        b.top = 1680;
        g.bombFalling[i] = false;
        g.bombVisible[i] = false;
    }
}

void plainMothershipTick(PlainInvaders& g) {
    g.mothership.left = g.mothership.left + g.mothershipSpeed;
    if (g.mothership.left <= g.wallLeft || g.mothership.left + g.mothership.width >= g.wallRight) {
        g.mothershipSpeed = static_cast<std::int16_t>(-g.mothershipSpeed);
    } else {
        const float l = g.mothership.left, w = g.mothership.width;
        for (std::size_t i = 0; i < 3; ++i) {
            if (l + w / 3 < g.bombs[i].left && g.bombs[i].left < l + 2 * (w / 3)) {
                g.bombFalling[i] = true;
                break;
            }
        }
    }
    if (g.markerLeft <= g.wallLeft || g.markerRightLeft + g.markerWidth >= g.wallRight) {
        g.alienSpeed = static_cast<std::int16_t>(-g.alienSpeed);
    }
    g.markerLeft = g.markerLeft + g.alienSpeed;
    g.markerRightLeft = g.markerRightLeft + g.alienSpeed;
    for (PlainRect& a : g.aliens) a.left = a.left + g.alienSpeed;
}

void BM_InvadersTick_Plain(benchmark::State& state) {
    PlainInvaders invaders;
    for (auto _ : state) {
        invaders.bulletFlying = true;
        for (std::size_t i = 3; i-- > 0;) {
            if (invaders.bombFalling[i]) plainBombTick(invaders, i);
        }
        if (invaders.bulletFlying) plainBulletTick(invaders);
        plainMothershipTick(invaders);
        benchmark::DoNotOptimize(invaders);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_InvadersTick_Plain);

}  // namespace
}  // namespace arcadeon

BENCHMARK_MAIN();
