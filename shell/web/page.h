// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What page.cpp shares with the exports that only the tests' build of the
// page has (test_exports.cpp).
#pragma once

#include <string>

#include "shell/scene/pictures.h"

namespace arcadeon::web {

// What the last call into the page that returns text returned.
extern std::string returned;

// The pictures the page draws with; nullptr before the program starts.
[[nodiscard]] scene::Pictures* shownPictures();

}  // namespace arcadeon::web
