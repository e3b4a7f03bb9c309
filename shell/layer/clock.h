// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The layer's clock: 64 periods a second, counted in whole microseconds.
#pragma once

#include <cstdint>

namespace arcadeon {

class Clock {
public:
    static constexpr std::int64_t kPeriodMicros = 15625;  // 15.625 ms

    // Microseconds since the program started.
    [[nodiscard]] std::int64_t now() const { return now_; }
    // Index of the last boundary reached (boundary k lies at k periods).
    [[nodiscard]] std::int64_t boundary() const { return boundary_; }
    [[nodiscard]] std::int64_t nextBoundaryTime() const { return (boundary_ + 1) * kPeriodMicros; }
    // The time of the `count`-th boundary from now (count >= 1): at a
    // boundary the first is one period away, between two it is the next one.
    [[nodiscard]] std::int64_t boundaryTimeAfter(std::int64_t count) const {
        return nextBoundaryTime() + (count - 1) * kPeriodMicros;
    }

    // A timer's period in clock periods: its interval rounded up to whole
    // periods, at least one; an interval of 0 never ticks.
    static constexpr std::int64_t periodsFor(int intervalMillis) {
        if (intervalMillis <= 0) return 0;
        const std::int64_t micros = static_cast<std::int64_t>(intervalMillis) * 1000;
        return (micros + kPeriodMicros - 1) / kPeriodMicros;
    }

    // Moves on to the next boundary.
    void passBoundary() {
        ++boundary_;
        now_ = boundary_ * kPeriodMicros;
    }
    // Straight to the last boundary at or before `micros`, processing none
    // on the way: for a span in which nothing can happen.
    void skipTo(std::int64_t micros) {
        boundary_ = micros / kPeriodMicros;
        now_ = boundary_ * kPeriodMicros;
    }
    // On to `micros`, no further than the next boundary.
    void runTo(std::int64_t micros) {
        if (micros > now_ && micros < nextBoundaryTime()) now_ = micros;
    }

private:
    std::int64_t now_ = 0;
    std::int64_t boundary_ = 0;
};

}  // namespace arcadeon
