// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What page.cpp shares with the exports that only the tests' build of the
// page has (test_exports.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/scene/pictures.h"

namespace arcadeon::web {

// What the last call into the page that returns text returned.
extern std::string returned;

// The pictures the page draws with; nullptr before the program starts.
[[nodiscard]] scene::Pictures* shownPictures();

// The scene of window `index` made again now from the program, as the page
// would show it (Scenes::fresh), encoded; empty for a window not shown or
// before the program starts.
[[nodiscard]] std::vector<std::int32_t> freshScene(int index);

}  // namespace arcadeon::web
