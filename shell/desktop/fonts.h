// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The faces the windows name, drawn with the fonts the program ships.
#pragma once

#include <QFont>
#include <QString>
#include <string_view>
#include <vector>

#include "shell/layer/basic.h"

namespace arcadeon::desktop {

class Fonts {
public:
    // The shipped fonts are registered with Qt as they are first asked for,
    // for as long as this object lives.
    Fonts();
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    // The Qt font that draws `font` at 15 twips a pixel (96 pixels an inch):
    // the named face or its shipped substitute, at the same size and weight.
    // An empty face is the default dialog font.
    [[nodiscard]] QFont font(const Font& font);

private:
    struct Substitute {
        std::string_view face;  // as the layouts name it; empty for the dialog font
        const char* file;       // in assets/fonts
        int weight = 0;         // the substitute's own weight, 0 to keep the asked one
        bool registered = false;
        QString family;         // once registered; empty when the file could not be read
    };
    // The substitute's family, registering its file on first use.
    const QString& family(Substitute& substitute);

    std::vector<Substitute> substitutes_;
    std::vector<int> fontIds_;
};

}  // namespace arcadeon::desktop
