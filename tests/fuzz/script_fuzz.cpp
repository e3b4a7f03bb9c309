// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a script or a recording: what `arcadeon --replay` checks before
// it opens a window (the script reader and the runner) and what
// `arcadeon-script --verify` does (the final-state block, the paths, the
// comparison) must end, without a crash, a leak or undefined behaviour.
// Built for libFuzzer with clang (make fuzz), and run over its seeds by a
// plain driver in every build (corpus_main.cpp).
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "shell/record/verify.h"

namespace {

// Ten minutes of the script's clock: 38400 boundaries at most, a few
// milliseconds; past it the fuzzer learns nothing new, only slower.
constexpr std::int64_t kTimeLimit = std::int64_t{10} * 60 * 1000 * 1000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines =
        arcadeon::splitLines(std::string_view(reinterpret_cast<const char*>(data), size));
    std::ostringstream out, err;
    arcadeon::checkScript(lines, err, kTimeLimit);
    arcadeon::verifyRecording(lines, "input", out, err, kTimeLimit);
    return 0;
}
