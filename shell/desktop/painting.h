// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing a window straight from the model: its background, then its
// visible elements from the back to the front, buttons above everything;
// only where something changed, and nothing that an opaque element in front
// of it covers.
#pragma once

#include <QPalette>
#include <QRect>
#include <QRegion>
#include <map>
#include <tuple>
#include <unordered_map>

#include "shell/desktop/pictures.h"
#include "shell/desktop/text.h"
#include "shell/desktop/units.h"
#include "shell/layer/changes.h"
#include "shell/layer/form.h"

class QPainter;
class QWidget;

namespace arcadeon::desktop {

class Fonts;

// Palettes of buttons in given colours, each made once. The platform style
// keeps its drawings of a button by palette, so a palette made afresh at
// every paint would fill its cache with copies never used again.
class Palettes {
public:
    const QPalette& button(const QPalette& base, QColor back, QColor fore);

private:
    std::map<std::tuple<qint64, QRgb, QRgb>, QPalette> palettes_;
};

// What one window keeps between paints: its labels' text, laid out. Let go
// while the window is hidden, laid out again when it is next drawn.
class FormCache {
public:
    LabelText& label(const Element& element) { return labels_[&element]; }
    void release() { labels_ = {}; }

private:
    std::unordered_map<const Element*, LabelText> labels_;
};

struct PaintContext {
    Fonts& fonts;
    Pictures& pictures;
    QWidget* widget = nullptr;         // the window drawn on, for the platform style
    const Element* pressed = nullptr;  // a command button held down under the pointer
    bool active = false;               // the window is the active one: its focus shows
    Palettes* palettes = nullptr;      // kept between paints; made afresh each time without
    FormCache* cache = nullptr;        // kept between paints; laid out afresh each time without
};

// Paints the client area of `form` where it lies in `dirty` (device pixels),
// at 15 twips a pixel, edges rounded to the nearest device pixel. The
// painter clips to `dirty`, or to less; what lies outside is left as it is.
void paintForm(QPainter& painter, const Form& form, const PaintContext& context, const QRegion& dirty);
// The same for the whole client area.
void paintForm(QPainter& painter, const Form& form, const PaintContext& context);

// The device pixels an element of `form` draws on when it lies at `area`
// (an element's rectangle in twips, or the rectangle a line's end points
// span); empty for an element that draws nothing.
[[nodiscard]] QRect drawnExtent(const Element& element, const Area& area, const Grid& grid, Pictures& pictures);

// The device pixels that changes of one window touch: each changed
// element's old and new extent; the whole window, `whole`, for a change
// of the window itself.
[[nodiscard]] QRegion damage(const std::vector<Change>& changes, const Form& form, const QRect& whole, const Grid& grid,
                             Pictures& pictures);

}  // namespace arcadeon::desktop
