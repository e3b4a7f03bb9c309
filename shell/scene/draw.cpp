// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/scene/draw.h"

#include <cmath>

namespace arcadeon::scene {

Item& Builder::add(ItemKind kind, const Rect& shown, Rgb colour) {
    Item& item = scene_.items.emplace_back();
    item.kind = kind;
    item.owner = owner_;
    item.rect = shown;
    item.colour = colour;
    return item;
}

void Builder::fill(const Rect& rect, Rgb colour) {
    const Rect shown = rect.intersected(scene_.client);
    if (!shown.empty()) add(ItemKind::Fill, shown, colour);
}

void Builder::run(int row, int left, int right, Rgb colour) {
    const Rect shown = Rect{left, row, right - left, 1}.intersected(scene_.client);
    if (shown.empty()) return;
    if (!scene_.items.empty()) {
        Item& last = scene_.items.back();
        if (last.kind == ItemKind::Fill && last.owner == owner_ && last.colour == colour && last.rect.x == shown.x &&
            last.rect.w == shown.w && last.rect.bottom() == shown.y) {
            ++last.rect.h;
            return;
        }
    }
    fill(shown, colour);
}

void Builder::frame(const Rect& rect, int width, Rgb light, Rgb dark) {
    fill({rect.x, rect.y, rect.w, width}, light);
    fill({rect.x, rect.y, width, rect.h}, light);
    fill({rect.x, rect.bottom() - width, rect.w, width}, dark);
    fill({rect.right() - width, rect.y, width, rect.h}, dark);
}

void Builder::dots(const Rect& rect, int size, Rgb colour) {
    if (rect.empty() || size <= 0) return;
    // Along the top and the bottom, then down the sides between them.
    for (int x = rect.x; x < rect.right(); x += 2 * size) {
        const int w = std::min(size, rect.right() - x);
        fill({x, rect.y, w, size}, colour);
        if (rect.h > size) fill({x, rect.bottom() - size, w, size}, colour);
    }
    for (int y = rect.y + 2 * size; y < rect.bottom() - size; y += 2 * size) {
        const int h = std::min(size, rect.bottom() - size - y);
        fill({rect.x, y, size, h}, colour);
        if (rect.w > size) fill({rect.right() - size, y, size, h}, colour);
    }
}

void Builder::picture(std::string_view name, const Rect& target) {
    const Rect shown = target.intersected(scene_.client);
    if (shown.empty()) return;
    Item& item = add(ItemKind::Picture, shown, 0);
    item.picture = name;
    item.target = target;
}

void Builder::text(const Rect& box, int x, int baseline, const DrawnFont& font, std::string text, Rgb colour) {
    const Rect shown = box.intersected(scene_.client);
    if (shown.empty() || text.empty()) return;
    Item& item = add(ItemKind::Text, shown, colour);
    item.x = x;
    item.baseline = baseline;
    item.font = font;
    item.text = std::move(text);
}

namespace {

__extension__ typedef __int128 Wide;

// The largest whole number whose square is at most `n`.
std::int64_t isqrt(Wide n) {
    if (n <= 0) return 0;
    auto root = static_cast<std::int64_t>(std::sqrt(static_cast<double>(n)));
    while (root > 0 && static_cast<Wide>(root) * root > n) --root;
    while (static_cast<Wide>(root + 1) * (root + 1) <= n) ++root;
    return root;
}

// Division rounding down, for negative numbers too.
std::int64_t floorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

}  // namespace

std::optional<std::pair<int, int>> Curve::span(int row) const {
    const Rect& b = box_;
    if (b.empty() || row < b.y || row >= b.bottom()) return std::nullopt;
    if (kind_ == Kind::Ellipse) {
        // In half pixels from the centre, a pixel's centre is at
        // (2x + 1 - 2 b.x - b.w, 2y + 1 - 2 b.y - b.h); it is inside when
        // X² h² + Y² w² <= w² h², all in whole numbers.
        const Wide w = b.w, h = b.h;
        const Wide Y = 2 * static_cast<Wide>(row) + 1 - 2 * static_cast<Wide>(b.y) - h;
        const Wide room = w * w * h * h - Y * Y * w * w;
        if (room < 0) return std::nullopt;
        const std::int64_t most = isqrt(room / (h * h));  // the largest |X| inside
        const std::int64_t centre = 2 * static_cast<std::int64_t>(b.x) + b.w - 1;  // x = (X + centre) / 2
        const std::int64_t left = -floorDiv(-(centre - most), 2), right = floorDiv(centre + most, 2);
        if (right < left) return std::nullopt;
        return std::make_pair(static_cast<int>(left), static_cast<int>(right + 1));
    }
    // A rounded rectangle: full rows between the corners; in a corner's
    // rows, the pixels whose centres lie within the corner's circle.
    const double radius = std::min({radius_, b.w / 2.0, b.h / 2.0});
    const double centreY = row + 0.5;
    double dy = 0;
    if (centreY < b.y + radius) dy = b.y + radius - centreY;
    if (centreY > b.bottom() - radius) dy = centreY - (b.bottom() - radius);
    if (dy <= 0) return std::make_pair(b.x, b.right());
    if (dy > radius) return std::nullopt;
    const double dx = std::sqrt(radius * radius - dy * dy);
    const int left = static_cast<int>(std::ceil(b.x + radius - dx - 0.5));
    const int right = static_cast<int>(std::floor(b.right() - radius + dx - 0.5)) + 1;
    if (right <= left) return std::nullopt;
    return std::make_pair(std::max(left, b.x), std::min(right, b.right()));
}

bool patternSet(int fillStyle, int x, int y, const Grid& grid) {
    const int period = std::max(8, static_cast<int>(std::lround(8 * grid.ratio())));
    const int width = grid.pixels(1);
    const auto on = [&](int along) { return ((along % period) + period) % period < width; };
    switch (fillStyle) {
    case 0: return true;
    case 2: return on(y);                      // horizontal lines
    case 3: return on(x);                      // vertical lines
    case 4: return on(x + y);                  // rising diagonals
    case 5: return on(x - y);                  // falling diagonals
    case 6: return on(x) || on(y);             // a grid
    case 7: return on(x + y) || on(x - y);     // a diagonal grid
    default: return false;
    }
}

void runsOf(Builder& out, int row, int left, int right, const std::function<std::optional<Rgb>(int x)>& colourAt) {
    left = std::max(left, out.client().x);
    right = std::min(right, out.client().right());
    int from = left;
    std::optional<Rgb> current;
    for (int x = left; x <= right; ++x) {
        const std::optional<Rgb> colour = x < right ? colourAt(x) : std::nullopt;
        if (x < right && colour == current) continue;
        if (current) out.run(row, from, x, *current);
        current = colour;
        from = x;
    }
}

std::vector<std::string> wrapAtBlanks(std::string_view text, const Measure& measure, double width) {
    std::vector<std::string> lines;
    std::string normalised;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        normalised += text[i];
    }
    std::string_view rest = normalised;
    while (true) {
        const std::size_t end = rest.find('\n');
        const std::string_view paragraph = rest.substr(0, end);
        std::string line;
        std::size_t at = 0;
        while (at < paragraph.size()) {
            std::size_t wordStart = at;
            while (wordStart < paragraph.size() && paragraph[wordStart] == ' ') ++wordStart;
            std::size_t wordEnd = wordStart;
            while (wordEnd < paragraph.size() && paragraph[wordEnd] != ' ') ++wordEnd;
            const std::string_view blanksAndWord = paragraph.substr(at, wordEnd - at);
            if (!line.empty() && measure.width(line + std::string(blanksAndWord)) > width) {
                lines.push_back(std::move(line));
                line = paragraph.substr(wordStart, wordEnd - wordStart);
            } else {
                line += blanksAndWord;
            }
            at = wordEnd;
        }
        lines.push_back(std::move(line));
        if (end == std::string_view::npos) break;
        rest = rest.substr(end + 1);
    }
    return lines;
}

}  // namespace arcadeon::scene
