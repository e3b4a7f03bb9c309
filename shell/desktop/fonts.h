// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped fonts as Qt draws them: each file of the font table
// registered from the program's resources on first use.
#pragma once

#include <QFont>
#include <QString>
#include <array>
#include <vector>

#include "shell/scene/fonts.h"

namespace arcadeon::desktop {

class Fonts {
public:
    Fonts() = default;
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    // The Qt font of a drawn font, at its pixels (the painter scales them
    // to the device), without kerning: the scene placed the text from the
    // glyphs' own widths.
    [[nodiscard]] QFont font(const scene::DrawnFont& font);

private:
    // The family a shipped file registers as; empty when it could not be read.
    const QString& family(int face);

    std::array<bool, scene::kFaces.size()> registered_{};
    std::array<QString, scene::kFaces.size()> families_;
    std::vector<int> fontIds_;
};

}  // namespace arcadeon::desktop
