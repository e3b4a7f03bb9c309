// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes from a script or a command line, made safe to show in a message.
#pragma once

#include <string>
#include <string_view>

namespace arcadeon {

// `bytes` as it stands where it is printable UTF-8; each other byte (a NUL,
// a control character, a byte that is not part of valid UTF-8) as \xNN, and
// a backslash as \\, so that a message shows exactly what was read.
std::string printable(std::string_view bytes);

// printable(word) between single quotes, as messages quote what they were given.
std::string quoted(std::string_view word);

}  // namespace arcadeon
