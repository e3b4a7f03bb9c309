// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the web page draws, told by the model: every loaded window with its
// place in the stack and, in drawing order, what its client area shows. The
// page turns twips into pixels and paints; the rules of what is drawn, in
// which order and in which colours and faces live here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shell/layer/app.h"

namespace arcadeon::web {

// The CSS family that draws a face the windows name (the page declares each
// with @font-face from the program's own font files), and the weight it is
// drawn at.
struct WebFont {
    std::string_view family;
    int weight;
    int pixels;  // the size at 96 pixels an inch
};
[[nodiscard]] WebFont webFont(const Font& font);

// The colour as CSS writes it: "#RRGGBB", system colour roles resolved.
[[nodiscard]] std::string cssColor(Color color);

// A text as a JSON string, quotes included.
[[nodiscard]] std::string jsonString(std::string_view text);

// The display list of every window in `forms` (index i names forms[i]) as
// JSON: {"ended", "box", "active", "stack", "forms": [...]}; see the page's
// desktop.js for how each item is drawn.
[[nodiscard]] std::string frameJson(const App& app, const std::vector<Form*>& forms, bool boxOpen);

}  // namespace arcadeon::web
