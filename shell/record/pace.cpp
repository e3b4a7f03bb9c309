// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/record/pace.h"

#include <algorithm>

namespace arcadeon {

bool ReplayPace::pass(App& app, std::int64_t micros, bool stall) {
    if (stall) {
        if (!waitUntil_(dueAt(micros))) return false;
        app.stallTo(micros);
        shown_();
        return true;
    }
    while (!app.ended() && app.clock().now() < micros) {
        const std::int64_t step = app.anyTimerRunning() ? std::min(micros, app.clock().nextBoundaryTime()) : micros;
        if (!waitUntil_(dueAt(step))) return false;
        app.advanceTo(step);
        shown_();
    }
    return true;
}

}  // namespace arcadeon
