// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// `arcadeon-script --verify`: a recording played again by the runner, its
// state at the end compared with the recording's final-state block.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace arcadeon {

struct FinalValue {
    int line = 0;  // 1-based line number in the recording
    std::string path;
    std::string value;
};

// The lines of a script or a recording as the runner reads them: split at
// '\n' (a CR before it stays, the runner drops it).
[[nodiscard]] std::vector<std::string> splitLines(std::string_view text);

// The final-state block: every line that begins "# final ". Throws
// std::runtime_error ("line N: ...") for one that is not "# final PATH = VALUE".
[[nodiscard]] std::vector<FinalValue> readFinalState(const std::vector<std::string>& lines);

// Runs `lines` as the runner does, printing nothing of what the script
// prints, and compares the state at its end with the final-state block.
// Returns 0 after "recording verified: N values", 1 after one line per
// differing path, 2 after an error on `err` (a bad line, a path that names
// nothing, no final-state block; `name` names the file then). With a
// `timeLimit` (microseconds), a script that asks for more time is an error.
int verifyRecording(const std::vector<std::string>& lines, const std::string& name, std::ostream& out,
                    std::ostream& err, std::int64_t timeLimit = -1);

// Runs `lines` as the runner does, printing nothing of what the script
// prints, up to `timeLimit` microseconds of the script's time (checking no
// further when a line asks for more). Returns 2 after "error: line N: ..."
// on `err`, else 0: what a replay checks before it opens a window.
int checkScript(const std::vector<std::string>& lines, std::ostream& err, std::int64_t timeLimit);

// The lines of FILE ("-" for standard input); nullopt after
// "error: FILE: WHAT" on `err`.
[[nodiscard]] std::optional<std::vector<std::string>> readScriptFile(const std::string& file, std::ostream& err);

// arcadeon-script --verify FILE: reads FILE ("-" for standard input) and
// verifies it as verifyRecording() does; the exit status.
[[nodiscard]] int verifyFile(const std::string& file, std::ostream& out, std::ostream& err);

}  // namespace arcadeon
