// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing rules of every element kind, once for every front end.
#include "shell/scene/scene.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "shell/scene/draw.h"

namespace arcadeon::scene {

namespace {

// The look of buttons and option buttons, the same on every desktop.
constexpr Rgb kWhite = 0xFFFFFF, kBlack = 0x000000;
constexpr Rgb kLight = 0xFFFFFF;        // the lit edges
constexpr Rgb kShadow = 0x808080;       // the inner shaded edges
constexpr Rgb kDarkShadow = 0x404040;   // the outer shaded edges
constexpr Rgb kFace = 0xD4D0C8;         // RGB(212, 208, 200)

// ---- pictures ------------------------------------------------------------------

// An image draws its picture stretched over its rectangle, or at the
// picture's own size from its top left corner.
void image(Builder& out, const Image& image, const Grid& grid, Pictures& pictures) {
    if (image.Picture.empty()) return;
    if (image.Stretch) {
        out.picture(image.Picture, grid.rect(image.Left, image.Top, image.Width, image.Height));
        return;
    }
    const std::optional<Size> natural = pictures.natural(image.Picture);
    if (!natural) return;
    out.picture(image.Picture, grid.rect(image.Left, image.Top, static_cast<Twips>(natural->width * kTwipsPerPixel),
                                         static_cast<Twips>(natural->height * kTwipsPerPixel)));
}

// ---- text ----------------------------------------------------------------------

// Lines of text from the top of `area`, each placed across it by
// `alignment` (0 left, 1 right, 2 centred), clipped to it.
void lines(Builder& out, const std::vector<std::string>& lines, const Rect& area, const DrawnFont& font, int alignment,
           Rgb colour, const Grid& grid) {
    const Measure measure(font);
    const double ratio = grid.ratio();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int top = area.y + static_cast<int>(std::lround(static_cast<double>(i) * measure.height() * ratio));
        if (top >= area.bottom()) break;
        const int bottom = area.y + static_cast<int>(std::lround(static_cast<double>(i + 1) * measure.height() * ratio));
        const int baseline = top + static_cast<int>(std::lround(measure.ascent() * ratio));
        const double width = measure.width(lines[i]) * ratio;
        double left = area.x;
        if (alignment == 1) left = area.right() - width;
        if (alignment == 2) left = area.x + (area.w - width) / 2;
        const Rect box = Rect{area.x, top, area.w, bottom - top}.intersected(area);
        out.text(box, static_cast<int>(std::lround(left)), baseline, font, lines[i], colour);
    }
}

void label(Builder& out, const Label& label, const Grid& grid) {
    const Rect area = grid.rect(label.Left, label.Top, label.Width, label.Height);
    if (area.empty()) return;
    if (label.BackStyle == 1) out.fill(area, rgbOf(label.BackColor));
    if (label.Caption.empty()) return;
    const DrawnFont font = drawnFont(label.Font);
    const std::vector<std::string> wrapped = wrapAtBlanks(label.Caption, Measure(font), area.w / grid.ratio());
    lines(out, wrapped, area, font, label.Alignment, rgbOf(label.ForeColor), grid);
}

// ---- shapes and lines ------------------------------------------------------------

// A shape's body in twips: its rectangle, or for the square kinds
// (1 square, 3 circle, 5 rounded square) a square of the shorter side,
// centred in it.
struct Body {
    Twips left, top, width, height;
};
Body bodyOf(const Shape& shape) {
    Body body{shape.Left, shape.Top, shape.Width, shape.Height};
    const int kind = shape.ShapeKind;
    if (kind == 1 || kind == 3 || kind == 5) {
        const Twips side = std::min(body.width, body.height);
        body.left += (body.width - side) / 2;
        body.top += (body.height - side) / 2;
        body.width = body.height = side;
    }
    return body;
}

// Where the one-pixel outline's two lines end, across (or down) a body
// that spans `first` to `last` twips and `from` to `to` device pixels.
std::pair<int, int> insideOutline(const Grid& grid, Twips first, Twips last, int from, int to) {
    const int in = std::min(grid.lineEnd(first), to);
    const int out = std::max(grid.lineStart(last - kTwipsPerPixel), from);
    return {in, std::max(in, out)};
}

// A shape's interior pixels of one row in its fill pattern.
void interiorRow(Builder& out, const Shape& shape, int row, int left, int right, const Grid& grid) {
    const Rgb fill = rgbOf(shape.FillColor);
    if (shape.FillStyle == 0) {
        out.run(row, left, right, fill);
        return;
    }
    runsOf(out, row, left, right, [&](int x) -> std::optional<Rgb> {
        return patternSet(shape.FillStyle, x, row, grid) ? std::optional<Rgb>(fill) : std::nullopt;
    });
}

// A rectangle's outline is four one-pixel lines along the inside of its
// edges, each where a `Line` on that edge would be drawn; a circle's and a
// rounded rectangle's is the ring between the body and the same curve
// inside those lines. No pixel is blended.
void shape(Builder& out, const Shape& shape, const Grid& grid) {
    const Body twips = bodyOf(shape);
    const Rect body = grid.rect(twips.left, twips.top, twips.width, twips.height);
    if (body.empty()) return;
    const auto [left, right] = insideOutline(grid, twips.left, twips.left + twips.width, body.x, body.right());
    const auto [top, bottom] = insideOutline(grid, twips.top, twips.top + twips.height, body.y, body.bottom());
    const Rect inner{left, top, right - left, bottom - top};
    const Rgb border = rgbOf(shape.BorderColor);
    const int kind = shape.ShapeKind;
    const bool filled = shape.FillStyle == 0 || (shape.FillStyle >= 2 && shape.FillStyle <= 7);
    // Rows outside the client area are never drawn: not walked either.
    const int firstRow = std::max(body.y, out.client().y), lastRow = std::min(body.bottom(), out.client().bottom());
    if (kind == 0 || kind == 1) {
        if (shape.FillStyle == 0) {
            out.fill(body, rgbOf(shape.FillColor));
        } else if (filled) {
            for (int row = firstRow; row < lastRow; ++row) interiorRow(out, shape, row, body.x, body.right(), grid);
        }
        out.fill({body.x, body.y, body.w, top - body.y}, border);
        out.fill({body.x, bottom, body.w, body.bottom() - bottom}, border);
        out.fill({body.x, body.y, left - body.x, body.h}, border);
        out.fill({right, body.y, body.right() - right, body.h}, border);
        return;
    }
    const bool oval = kind == 2 || kind == 3;
    const double radius = std::min(body.w, body.h) / 4.0;
    const Curve outer = oval ? Curve::ellipse(body) : Curve::roundedRect(body, radius);
    const Curve within = oval ? Curve::ellipse(inner) : Curve::roundedRect(inner, std::max(0.0, radius - (inner.x - body.x)));
    for (int row = firstRow; row < lastRow; ++row) {
        const auto outside = outer.span(row);
        if (!outside) continue;
        const auto inside = inner.empty() ? std::nullopt : within.span(row);
        if (!inside) {
            out.run(row, outside->first, outside->second, border);
            continue;
        }
        out.run(row, outside->first, inside->first, border);
        if (filled) interiorRow(out, shape, row, inside->first, inside->second, grid);
        out.run(row, inside->second, outside->second, border);
    }
}

// A one-pixel line from (X1, Y1) to (X2, Y2), both end points drawn: the
// pixels a rectangle's outline on the same edge would have. A slanted one
// is a pen of the line's thickness stepped from one end to the other, one
// device pixel at a time along the longer direction.
void line(Builder& out, const Line& line, const Grid& grid) {
    const Rgb colour = rgbOf(line.BorderColor);
    const int x1 = grid.lineStart(line.X1), x2 = grid.lineStart(line.X2);
    const int y1 = grid.lineStart(line.Y1), y2 = grid.lineStart(line.Y2);
    if (x1 == x2 || y1 == y2) {
        const int left = std::min(x1, x2), top = std::min(y1, y2);
        const int right = std::max(grid.lineEnd(line.X1), grid.lineEnd(line.X2));
        const int bottom = std::max(grid.lineEnd(line.Y1), grid.lineEnd(line.Y2));
        out.fill({left, top, right - left, bottom - top}, colour);
        return;
    }
    const int across = grid.lineEnd(line.X1) - x1, down = grid.lineEnd(line.Y1) - y1;
    const int steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
    // Only the pens that can meet the client area are walked: a line of any
    // length costs what the part of it on the screen does.
    double first = 0, last = steps;
    const auto keep = [&](int from, int by, int pen, int size) {
        if (by == 0) {
            if (from + pen + 1 < 0 || from - 1 > size) last = -1;
            return;
        }
        const double a = (static_cast<double>(-pen - 1) - from) * steps / by, b = (static_cast<double>(size) + 1 - from) * steps / by;
        first = std::max(first, std::min(a, b));
        last = std::min(last, std::max(a, b));
    };
    keep(x1, x2 - x1, across, out.client().right());
    keep(y1, y2 - y1, down, out.client().bottom());
    if (first > last) return;
    // Pens that touch one another in a row (or a column) are one fill.
    Rect pending;
    for (int i = static_cast<int>(std::floor(first)), end = static_cast<int>(std::ceil(last)); i <= end; ++i) {
        const int x = x1 + static_cast<int>(std::lround(static_cast<double>(x2 - x1) * i / steps));
        const int y = y1 + static_cast<int>(std::lround(static_cast<double>(y2 - y1) * i / steps));
        const Rect pen{x, y, across, down};
        if (!pending.empty() && pen.y == pending.y && pen.h == pending.h && pen.x <= pending.right() && pen.right() >= pending.x) {
            pending = pending.united(pen);
        } else if (!pending.empty() && pen.x == pending.x && pen.w == pending.w && pen.y <= pending.bottom() &&
                   pen.bottom() >= pending.y) {
            pending = pending.united(pen);
        } else {
            out.fill(pending, colour);
            pending = pen;
        }
    }
    out.fill(pending, colour);
}

// ---- buttons ---------------------------------------------------------------------

Rect inset(const Rect& rect, int by) { return {rect.x + by, rect.y + by, rect.w - 2 * by, rect.h - 2 * by}; }

// A button's caption, one line placed by `left` (or centred when none) and
// centred down `area`, its access key underlined. Returns where its text lies.
Rect caption(Builder& out, const Button& button, const Rect& area, std::optional<int> left, const Grid& grid) {
    const ShownCaption text = shownCaption(button.Caption);
    const std::string& shown = text.text;
    const int marked = text.marked;
    const DrawnFont font = drawnFont(button.Font);
    const Measure measure(font);
    const double ratio = grid.ratio();
    const double width = measure.width(shown) * ratio, height = measure.height() * ratio;
    const int x = left ? *left : static_cast<int>(std::lround(area.x + (area.w - width) / 2));
    const int top = static_cast<int>(std::lround(area.y + (area.h - height) / 2));
    const int baseline = top + static_cast<int>(std::lround(measure.ascent() * ratio));
    const Rgb colour = rgbOf(button.ForeColor);
    out.text(area, x, baseline, font, shown, colour);
    if (marked >= 0) {
        std::size_t after = static_cast<std::size_t>(marked);
        (void)nextCharacter(shown, after);
        const int from = x + static_cast<int>(std::lround(measure.width(std::string_view(shown).substr(0, static_cast<std::size_t>(marked))) * ratio));
        const int to = x + static_cast<int>(std::lround(measure.width(std::string_view(shown).substr(0, after)) * ratio));
        const int one = grid.pixels(1);
        out.fill(Rect{from, baseline + one, to - from, one}.intersected(area), colour);
    }
    return {x, top, static_cast<int>(std::lround(width)), static_cast<int>(std::lround(height))};
}

// A raised face with a light top and left and shaded bottom and right; a
// black frame round it when it is the default button (the focused one,
// which Enter clicks); held down, flat and shaded with the caption moved
// one pixel down and right. The focus shows as a dotted rectangle inside.
void commandButton(Builder& out, const Button& button, const Rect& area, bool focused, bool pressed, const Grid& grid) {
    const int one = grid.pixels(1);
    out.fill(area, rgbOf(button.BackColor));
    Rect face = area;
    if (focused || pressed) {
        out.frame(face, one, kBlack, kBlack);
        face = inset(face, one);
    }
    if (pressed) {
        out.frame(face, one, kShadow, kShadow);
    } else {
        out.frame(face, one, kLight, kDarkShadow);
        const Rect within = inset(face, one);
        out.fill({within.x, within.bottom() - one, within.w, one}, kShadow);
        out.fill({within.right() - one, within.y, one, within.h}, kShadow);
    }
    Rect text = area;
    if (pressed) text = {area.x + one, area.y + one, area.w, area.h};
    (void)caption(out, button, text.intersected(inset(area, one)), std::nullopt, grid);
    if (focused) out.dots(inset(area, 4 * one), one, kBlack);
}

// A round box at the left, sunken, white inside, with a dot when it is
// the one chosen; the caption beside it. The focus shows as a dotted
// rectangle round the caption.
void optionButton(Builder& out, const OptionButton& button, const Rect& area, bool focused, const Grid& grid) {
    const int one = grid.pixels(1);
    out.fill(area, rgbOf(button.BackColor));
    const int size = grid.pixels(12);
    const Rect box{area.x, area.y + (area.h - size) / 2, size, size};
    // The rings: the outer one shaded above and lit below, the inner one
    // darker above and the face's colour below; the top left half of a
    // ring is the half above the diagonal.
    const auto upperLeft = [&](int x, int row) { return (2 * (x - box.x) + 1 - box.w) + (2 * (row - box.y) + 1 - box.h) < 0; };
    const Curve rings[] = {Curve::ellipse(box), Curve::ellipse(inset(box, one)), Curve::ellipse(inset(box, 2 * one))};
    const Rgb above[] = {kShadow, kDarkShadow}, below[] = {kLight, kFace};
    for (int row = box.y; row < box.bottom(); ++row) {
        for (int ring = 0; ring < 2; ++ring) {
            const auto outer = rings[ring].span(row);
            if (!outer) continue;
            const auto inner = rings[ring + 1].span(row);
            const auto paint = [&](int from, int to) {
                runsOf(out, row, from, to, [&](int x) -> std::optional<Rgb> {
                    return upperLeft(x, row) ? above[ring] : below[ring];
                });
            };
            if (!inner) {
                paint(outer->first, outer->second);
                continue;
            }
            paint(outer->first, inner->first);
            paint(inner->second, outer->second);
        }
        if (const auto inside = rings[2].span(row)) out.run(row, inside->first, inside->second, kWhite);
    }
    if (button.Value) {
        const int dot = grid.pixels(4);
        const Curve centre = Curve::ellipse({box.x + (size - dot) / 2, box.y + (size - dot) / 2, dot, dot});
        for (int row = centre.box().y; row < centre.box().bottom(); ++row) {
            if (const auto span = centre.span(row)) out.run(row, span->first, span->second, rgbOf(button.ForeColor));
        }
    }
    const Rect text = caption(out, button, area, box.right() + grid.pixels(4), grid);
    if (focused) out.dots(Rect{text.x - one, text.y, text.w + 2 * one, text.h}.intersected(area), one, kBlack);
}

}  // namespace

Scene sceneOf(const Form& form, const View& view, Pictures& pictures) {
    const Grid grid(view.ratio);
    Scene scene;
    scene.ratio = grid.ratio();
    scene.client = grid.client(form.clientWidth(), form.clientHeight());
    Builder out(scene);
    out.owner(-1);
    out.fill(scene.client, rgbOf(form.backColor()));
    const std::vector<Element*>& elements = form.elements();
    // From the back of the list to the front; buttons above everything.
    for (bool buttons : {false, true}) {
        for (int index = static_cast<int>(elements.size()) - 1; index >= 0; --index) {
            const Element& element = *elements[static_cast<std::size_t>(index)];
            if (element.takesFocus() != buttons || !isDrawn(element)) continue;
            out.owner(index);
            // The focus shows only in the active window.
            const bool focused = view.active && form.focus() == &element;
            switch (element.kind) {
            case Kind::Image: image(out, static_cast<const Image&>(element), grid, pictures); break;
            case Kind::Label: label(out, static_cast<const Label&>(element), grid); break;
            case Kind::Shape: shape(out, static_cast<const Shape&>(element), grid); break;
            case Kind::Line: line(out, static_cast<const Line&>(element), grid); break;
            case Kind::CommandButton: {
                const auto& button = static_cast<const Button&>(element);
                const Rect area = grid.rect(button.Left, button.Top, button.Width, button.Height);
                if (!area.empty()) commandButton(out, button, area, focused, view.pressed == &element, grid);
                break;
            }
            case Kind::OptionButton: {
                const auto& button = static_cast<const OptionButton&>(element);
                const Rect area = grid.rect(button.Left, button.Top, button.Width, button.Height);
                if (!area.empty()) optionButton(out, button, area, focused, grid);
                break;
            }
            case Kind::Timer: break;
            }
        }
    }
    return scene;
}

// ---- what changed ------------------------------------------------------------------

namespace {

// The items of each owner and every pixel they touch.
struct Owned {
    std::vector<const Item*> items;
    Rect extent;
};
std::map<int, Owned> byOwner(const Scene& scene) {
    std::map<int, Owned> owners;
    for (const Item& item : scene.items) {
        Owned& owned = owners[item.owner];
        owned.items.push_back(&item);
        owned.extent = owned.extent.united(item.rect);
    }
    return owners;
}

bool same(const Owned& a, const Owned& b) {
    return a.items.size() == b.items.size() &&
           std::equal(a.items.begin(), a.items.end(), b.items.begin(), [](const Item* x, const Item* y) { return *x == *y; });
}

}  // namespace

std::vector<Rect> damage(const Scene& before, const Scene& after) {
    if (before.client != after.client || before.ratio != after.ratio) return {after.client};
    const std::map<int, Owned> old = byOwner(before), now = byOwner(after);
    const auto background = [](const std::map<int, Owned>& owners) -> const Owned* {
        const auto found = owners.find(-1);
        return found == owners.end() ? nullptr : &found->second;
    };
    const Owned* oldBack = background(old);
    const Owned* newBack = background(now);
    if ((oldBack == nullptr) != (newBack == nullptr) || (oldBack != nullptr && !same(*oldBack, *newBack))) return {after.client};
    std::vector<Rect> rects;
    const auto add = [&](const Rect& rect) {
        const Rect shown = rect.intersected(after.client);
        if (shown.empty()) return;
        for (const Rect& had : rects) {
            if (had.contains(shown)) return;
        }
        rects.push_back(shown);
    };
    for (const auto& [owner, owned] : old) {
        const auto found = now.find(owner);
        if (found == now.end() || !same(owned, found->second)) add(owned.extent);
    }
    for (const auto& [owner, owned] : now) {
        const auto found = old.find(owner);
        if (found == old.end() || !same(owned, found->second)) add(owned.extent);
    }
    return rects;
}

std::vector<Rect> Shown::show(Scene now) {
    std::vector<Rect> rects = scene_ ? damage(*scene_, now) : std::vector<Rect>{now.client};
    // A window resized to nothing has nothing to draw, yet shows another scene.
    if (!scene_ || !rects.empty()) {
        scene_ = std::move(now);
        ++version_;
    }
    std::erase_if(rects, [](const Rect& rect) { return rect.empty(); });
    return rects;
}

std::vector<std::pair<std::string_view, Size>> picturesOf(const Scene& scene) {
    std::vector<std::pair<std::string_view, Size>> used;
    for (const Item& item : scene.items) {
        if (item.kind == ItemKind::Picture) used.emplace_back(item.picture, Size{item.target.w, item.target.h});
    }
    return used;
}

// ---- the scene in memory -------------------------------------------------------------

std::vector<std::int32_t> encode(const Scene& scene) {
    std::vector<std::int32_t> words{kMagic, static_cast<std::int32_t>(scene.items.size()), scene.client.w, scene.client.h, 0};
    words.reserve(kHeaderWords + scene.items.size() * kWordsPerItem);
    std::string bytes;
    const auto text = [&](std::string_view part) {
        const auto offset = static_cast<std::int32_t>(bytes.size());
        bytes += part;
        return offset;
    };
    for (const Item& item : scene.items) {
        std::int32_t more[6] = {0, 0, 0, 0, 0, 0};
        if (item.kind == ItemKind::Picture) {
            more[0] = text(item.picture);
            more[1] = static_cast<std::int32_t>(item.picture.size());
            more[2] = item.target.x, more[3] = item.target.y, more[4] = item.target.w, more[5] = item.target.h;
        } else if (item.kind == ItemKind::Text) {
            more[0] = text(item.text);
            more[1] = static_cast<std::int32_t>(item.text.size());
            more[2] = item.x, more[3] = item.baseline, more[4] = item.font.face + 16 * item.font.weight, more[5] = item.font.pixels;
        }
        const std::int32_t head[7] = {static_cast<std::int32_t>(item.kind), item.owner, item.rect.x, item.rect.y,
                                      item.rect.w, item.rect.h, static_cast<std::int32_t>(item.colour)};
        words.insert(words.end(), std::begin(head), std::end(head));
        words.insert(words.end(), std::begin(more), std::end(more));
    }
    bytes.resize((bytes.size() + 3) / 4 * 4, '\0');
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        std::uint32_t word = 0;
        for (std::size_t b = 0; b < 4; ++b) word |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + b])) << (8 * b);
        words.push_back(static_cast<std::int32_t>(word));
    }
    words[4] = static_cast<std::int32_t>(words.size());
    return words;
}

}  // namespace arcadeon::scene
