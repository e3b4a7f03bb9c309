// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A script replayed at its own pace in a front end's windows: the rule of
// how its time passes, for every front end that shows a replay. The front
// end waits; the pace says until when, and what passes then.
#pragma once

#include <cstdint>
#include <functional>

#include "shell/layer/app.h"

namespace arcadeon {

class ReplayPace {
public:
    // Waits until the wall clock, in microseconds since the replay began,
    // reaches `due`; false when the replay is to stop instead.
    using WaitUntil = std::function<bool(std::int64_t due)>;
    // Shows what the time that passed changed.
    using Shown = std::function<void()>;

    // `speed`: how many times faster than the script's own pace (> 0).
    ReplayPace(double speed, WaitUntil waitUntil, Shown shown)
        : speed_(speed), waitUntil_(std::move(waitUntil)), shown_(std::move(shown)) {}

    // Lets the script's time run to `micros` as `wait` (or, with `stall`,
    // as `stall`) does. While a timer runs, time passes boundary by
    // boundary, each when the wall clock reaches it, so that the windows
    // move as they did; the layer sees the same calls as from one `wait`. A
    // stall passes whole at its end: the program showed nothing new
    // meanwhile either. Returns false when the replay stopped on the way.
    bool pass(App& app, std::int64_t micros, bool stall);

    // When the script's time `micros` is due on the wall clock.
    [[nodiscard]] std::int64_t dueAt(std::int64_t micros) const {
        return static_cast<std::int64_t>(static_cast<double>(micros) / speed_);
    }

private:
    double speed_;
    WaitUntil waitUntil_;
    Shown shown_;
};

}  // namespace arcadeon
