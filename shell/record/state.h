// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's state by path, as `print` names and writes it: what the
// script runner prints, what a recording's final-state block holds and what
// `arcadeon-script --verify` compares.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "shell/program.h"

namespace arcadeon {

// A path that names nothing; what() says why.
struct BadPath : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws BadPath unless `path` names a window or element property, a
// module-level variable, Module1.intDifficulty, app.ActiveForm or app.Clock.
void checkPath(Program& program, std::string_view path);

// The value at `path`, written as `print` writes it. Never loads a window and
// never changes anything. Throws BadPath as checkPath() does.
[[nodiscard]] std::string readPath(Program& program, std::string_view path);

struct PathValue {
    std::string path;
    std::string value;
};

// The state a recording ends with, in a fixed order: Module1.intDifficulty,
// app.ActiveForm, then window by window every module-level variable and, of
// a loaded window, every property of every element in element order.
[[nodiscard]] std::vector<PathValue> finalState(Program& program);

// How each line of the final-state block begins: "# final PATH = VALUE".
inline constexpr std::string_view kFinalMark = "# final ";

// The block that ends a recording: a comment line saying what it is for,
// then one line "# final PATH = VALUE" for each entry of finalState().
[[nodiscard]] std::string finalStateBlock(Program& program);

}  // namespace arcadeon
