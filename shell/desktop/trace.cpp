// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop/trace.h"

#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <cstdlib>
#include <cstring>

namespace arcadeon::desktop {

std::unique_ptr<Trace> Trace::open(const std::string& path, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        error = std::strerror(errno);
        return nullptr;
    }
    std::setvbuf(file, nullptr, _IOLBF, 256);  // a whole line reaches the file at once
    return std::unique_ptr<Trace>(new Trace(file));
}

bool Trace::fromEnvironment(const char* program, std::unique_ptr<Trace>& trace, std::ostream& errors) {
    const char* path = std::getenv(kVariable);
    if (path == nullptr || *path == '\0') return true;
    std::string error;
    trace = open(path, error);
    if (!trace) errors << program << ": " << kVariable << "=" << path << ": " << error << "\n";
    return trace != nullptr;
}

Trace::~Trace() { std::fclose(file_); }

std::int64_t Trace::now() {
    // steady_clock is CLOCK_MONOTONIC on Linux: the same clock in every process.
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void Trace::start() { std::fprintf(file_, "start %" PRId64 "\n", now()); }

void Trace::ticks(std::uint64_t count) { std::fprintf(file_, "ticks %" PRId64 " %" PRIu64 "\n", now(), count); }

void Trace::paint(std::string_view window) {
    std::fprintf(file_, "paint %" PRId64 " %.*s\n", now(), static_cast<int>(window.size()), window.data());
}

void Trace::input(std::int64_t reached) { std::fprintf(file_, "input %" PRId64 "\n", reached); }

void Trace::shown(std::string_view window) {
    std::fprintf(file_, "shown %" PRId64 " %.*s\n", now(), static_cast<int>(window.size()), window.data());
}

}  // namespace arcadeon::desktop
