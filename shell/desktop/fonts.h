// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped fonts as Qt draws them: each file of the font table
// registered from the program's resources on first use.
#pragma once

#include <QFont>
#include <QStaticText>
#include <QString>
#include <array>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
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
    [[nodiscard]] const QFont& font(const scene::DrawnFont& font);

    // A run of text in a drawn font, laid out once and kept: the same
    // captions are drawn again and again. `ascent` is how far its top lies
    // above its baseline.
    struct Run {
        QStaticText text;
        qreal ascent = 0;
    };
    [[nodiscard]] const Run& run(const scene::DrawnFont& font, std::string_view text);

private:
    // The family a shipped file registers as; empty when it could not be read.
    const QString& family(int face);

    std::array<bool, scene::kFaces.size()> registered_{};
    std::array<QString, scene::kFaces.size()> families_;
    std::vector<int> fontIds_;
    std::map<std::tuple<int, int, int>, QFont> fonts_;
    std::map<std::tuple<int, int, int, std::string>, Run, std::less<>> runs_;
};

}  // namespace arcadeon::desktop
