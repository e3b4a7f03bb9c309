// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// An optional record of the program's timing, for the desktop benchmark:
// one line per delivered batch of timer ticks and one per window painted,
// each with the time on the system's monotonic clock (CLOCK_MONOTONIC, in
// microseconds), so another process can set it beside its own clock.
//
//   start MICROS              the front end started the program
//   ticks MICROS COUNT        COUNT timer events were delivered since the last line
//   paint MICROS WINDOW       WINDOW (its name, frmMenu...) was drawn
//   input MICROS              a person's input reached the program at MICROS
//                             and changed what a window shows (written once
//                             it has been handled)
//   shown MICROS WINDOW       what WINDOW drew was handed to the window system
//
// `arcadeon` writes it when ARCADEON_TRACE_TICKS names a file. Each line is
// written as it happens, so a reader sees it at once.
#pragma once

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

namespace arcadeon::desktop {

class Trace {
public:
    // The environment variable that names the file.
    static constexpr const char* kVariable = "ARCADEON_TRACE_TICKS";

    // Opens (truncates) `path`; nullptr with `error` set when it cannot.
    static std::unique_ptr<Trace> open(const std::string& path, std::string& error);
    // The trace the environment asks for: `trace` stays empty when the
    // variable is unset or empty. False, with a message on `errors`
    // naming `program`, when the file cannot be written.
    static bool fromEnvironment(const char* program, std::unique_ptr<Trace>& trace, std::ostream& errors = std::cerr);
    ~Trace();
    Trace(const Trace&) = delete;
    Trace& operator=(const Trace&) = delete;

    void start();
    void ticks(std::uint64_t count);
    void paint(std::string_view window);
    void input(std::int64_t reached);
    void shown(std::string_view window);

    // Microseconds on the monotonic clock the lines use.
    static std::int64_t now();

private:
    explicit Trace(std::FILE* file) : file_(file) {}
    std::FILE* file_;
};

}  // namespace arcadeon::desktop
