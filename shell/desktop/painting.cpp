// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop/painting.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "shell/desktop/fonts.h"

namespace arcadeon::desktop {

const QPalette& Palettes::button(const QPalette& base, QColor back, QColor fore) {
    const auto key = std::make_tuple(base.cacheKey(), back.rgb(), fore.rgb());
    auto found = palettes_.find(key);
    if (found == palettes_.end()) {
        QPalette palette = base;
        palette.setColor(QPalette::Button, back);
        palette.setColor(QPalette::Window, back);
        palette.setColor(QPalette::ButtonText, fore);
        palette.setColor(QPalette::WindowText, fore);
        found = palettes_.emplace(key, palette).first;
    }
    return found->second;
}

namespace {

QColor qtColor(Color color) {
    const Color rgb = resolveColor(color);
    return {static_cast<int>(rgb & 0xFFu), static_cast<int>((rgb >> 8) & 0xFFu), static_cast<int>((rgb >> 16) & 0xFFu)};
}

QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A shape's body: its rectangle, or for the square kinds (1 square,
// 3 circle, 5 rounded square) a square of the shorter side, centred in it.
QRect shapeBody(const Shape& shape, const Area& area, const Grid& grid) {
    const int kind = shape.ShapeKind;
    if (kind != 1 && kind != 3 && kind != 5) return grid.rect(area.left, area.top, area.width, area.height);
    const Twips side = std::min(area.width, area.height);
    return grid.rect(area.left + (area.width - side) / 2, area.top + (area.height - side) / 2, side, side);
}

// Inside the one-pixel outline of a body that spans `left` to `right`
// twips across (or down): where the outline's two lines end.
struct Inside {
    int from, to;
};
Inside insideOutline(const Grid& grid, Twips first, Twips last, int from, int to) {
    const int in = std::min(grid.lineEnd(first), to);
    const int out = std::max(grid.lineStart(last - kTwipsPerPixel), from);
    return {in, std::max(in, out)};
}

// ---- the element kinds ---------------------------------------------------------

// Whether the element covers every device pixel of its extent with its own
// opaque colour, hiding all behind it.
bool opaque(const Element& element, Pictures& pictures, const Grid& grid) {
    switch (element.kind) {
    case Kind::Image: {
        const auto& image = static_cast<const Image&>(element);
        if (image.Picture.empty()) return false;
        // A stretched picture's own size is not asked for: finding it out
        // keeps the picture at that size, a full-size copy never drawn.
        const QSize natural = image.Stretch ? QSize() : pictures.size(image.Picture);
        if (!image.Stretch && natural.isEmpty()) return false;
        const QRect target = pictureRect(grid, image.Left, image.Top, image.Width, image.Height, image.Stretch, natural);
        if (target.isEmpty()) return false;
        const QPixmap& drawn = pictures.at(image.Picture, target.size());
        return !drawn.isNull() && !drawn.hasAlphaChannel();
    }
    case Kind::Label:
        return static_cast<const Label&>(element).BackStyle == 1;
    case Kind::Shape: {
        const auto& shape = static_cast<const Shape&>(element);
        return (shape.ShapeKind == 0 || shape.ShapeKind == 1) && shape.FillStyle == 0;
    }
    default:
        return false;
    }
}

void drawImage(QPainter& p, const Image& image, const Grid& grid, Pictures& pictures) {
    if (image.Picture.empty()) return;
    const QSize natural = image.Stretch ? QSize() : pictures.size(image.Picture);
    if (!image.Stretch && natural.isEmpty()) return;
    const QRect target = pictureRect(grid, image.Left, image.Top, image.Width, image.Height, image.Stretch, natural);
    if (target.isEmpty()) return;
    constexpr int kLargest = 4096;  // beyond that, let the painter scale what shows
    if (target.width() > kLargest || target.height() > kLargest) {
        p.drawImage(grid.logical(target), Pictures::decode(image.Picture));
        return;
    }
    const QPixmap& drawn = pictures.at(image.Picture, target.size());
    if (!drawn.isNull()) p.drawPixmap(grid.logical(target), drawn, QRectF(drawn.rect()));
}

void drawLabel(QPainter& p, const Label& label, const Grid& grid, const PaintContext& context) {
    const QRect device = grid.rect(label);
    if (device.isEmpty()) return;
    const QRectF area = grid.logical(device);
    if (label.BackStyle == 1) p.fillRect(area, qtColor(label.BackColor));
    if (label.Caption.empty()) return;
    p.save();
    p.setClipRect(area, Qt::IntersectClip);
    p.setPen(qtColor(label.ForeColor));
    LabelText once;
    LabelText& text = context.cache != nullptr ? context.cache->label(label) : once;
    text.draw(p, area, label.Caption, label.Font, label.Alignment, context.fonts);
    p.restore();
}

// The interior pattern of a shape: 0 solid, 1 none, 2 to 7 hatched.
Qt::BrushStyle fillPattern(int fillStyle) {
    switch (fillStyle) {
    case 0: return Qt::SolidPattern;
    case 2: return Qt::HorPattern;
    case 3: return Qt::VerPattern;
    case 4: return Qt::BDiagPattern;
    case 5: return Qt::FDiagPattern;
    case 6: return Qt::CrossPattern;
    case 7: return Qt::DiagCrossPattern;
    default: return Qt::NoBrush;
    }
}

// A rectangle's outline is four one-pixel lines along the inside of its
// edges, each where a `Line` on that edge would be drawn; a circle's and a
// rounded rectangle's is the ring between the body and the same body
// inside those lines. Every edge is crisp: no pixel is blended.
void drawShape(QPainter& p, const Shape& shape, const Grid& grid) {
    const Area area = areaOf(shape);
    const QRect body = shapeBody(shape, area, grid);
    if (body.isEmpty()) return;
    const int kind = shape.ShapeKind;
    const QBrush fill(qtColor(shape.FillColor), fillPattern(shape.FillStyle));
    const QColor border = qtColor(shape.BorderColor);
    // the body's edges in twips, for the outline's lines
    Twips left = area.left, top = area.top, width = area.width, height = area.height;
    if (kind == 1 || kind == 3 || kind == 5) {
        const Twips side = std::min(width, height);
        left += (width - side) / 2;
        top += (height - side) / 2;
        width = height = side;
    }
    const Inside across = insideOutline(grid, left, left + width, body.left(), body.left() + body.width());
    const Inside down = insideOutline(grid, top, top + height, body.top(), body.top() + body.height());
    const QRect inner(across.from, down.from, across.to - across.from, down.to - down.from);
    if (kind == 0 || kind == 1) {
        if (fill.style() != Qt::NoBrush) p.fillRect(grid.logical(body), fill);
        const int left = body.left(), right = body.left() + body.width();
        const int top = body.top(), bottom = body.top() + body.height();
        const QRect bands[] = {
            {left, top, right - left, down.from - top},
            {left, down.to, right - left, bottom - down.to},
            {left, top, across.from - left, bottom - top},
            {across.to, top, right - across.to, bottom - top},
        };
        for (const QRect& band : bands) {
            if (!band.isEmpty()) p.fillRect(grid.logical(band), border);
        }
        return;
    }
    const auto outlineOf = [&](const QRect& device) {
        QPainterPath path;
        const QRectF logical = grid.logical(device);
        if (kind == 2 || kind == 3) {
            path.addEllipse(logical);
        } else {
            const qreal radius = std::min(grid.logical(body).width(), grid.logical(body).height()) / 4;
            const qreal inset = (device.left() - body.left()) / grid.ratio();
            path.addRoundedRect(logical, std::max<qreal>(0, radius - inset), std::max<qreal>(0, radius - inset));
        }
        return path;
    };
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    const QPainterPath outer = outlineOf(body);
    const QPainterPath interior = inner.isEmpty() ? QPainterPath() : outlineOf(inner);
    if (fill.style() != Qt::NoBrush && !inner.isEmpty()) p.fillPath(interior, fill);
    QPainterPath ring = outer;
    ring.addPath(interior);
    ring.setFillRule(Qt::OddEvenFill);
    p.fillPath(ring, border);
    p.restore();
}

// A one-pixel line from (X1, Y1) to (X2, Y2), both end points drawn: the
// pixels a rectangle's outline on the same edge would have.
void drawLine(QPainter& p, const Line& line, const Grid& grid) {
    const QColor colour = qtColor(line.BorderColor);
    const int x1 = grid.lineStart(line.X1), x2 = grid.lineStart(line.X2);
    const int y1 = grid.lineStart(line.Y1), y2 = grid.lineStart(line.Y2);
    if (x1 == x2 || y1 == y2) {
        const int left = std::min(x1, x2), top = std::min(y1, y2);
        const int right = std::max(grid.lineEnd(line.X1), grid.lineEnd(line.X2));
        const int bottom = std::max(grid.lineEnd(line.Y1), grid.lineEnd(line.Y2));
        p.fillRect(grid.logical(QRect(left, top, right - left, bottom - top)), colour);
        return;
    }
    // Slanted: a pen of the line's thickness stepped from one end to the
    // other, one device pixel at a time along the longer direction.
    const int across = grid.lineEnd(line.X1) - x1, down = grid.lineEnd(line.Y1) - y1;
    const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    const int steps = std::max(dx, dy);
    constexpr int kLongest = 1 << 14;  // a line far off the screen is not walked pixel by pixel
    if (steps > kLongest) return;
    for (int i = 0; i <= steps; ++i) {
        const int x = x1 + static_cast<int>(std::lround(static_cast<double>(x2 - x1) * i / steps));
        const int y = y1 + static_cast<int>(std::lround(static_cast<double>(y2 - y1) * i / steps));
        p.fillRect(grid.logical(QRect(x, y, across, down)), colour);
    }
}

// A button is drawn by the platform's style on whole pixels: the pixels its
// device pixels lie in.
QRect buttonArea(const Button& button, const Grid& grid) { return grid.toPixels(grid.rect(button)); }

// Command buttons and option buttons: the platform's own look, in the
// element's colours and font, clipped to the element as a control would be.
void drawButton(QPainter& p, const Button& button, const Grid& grid, const PaintContext& context, bool focused) {
    const QRect area = buttonArea(button, grid);
    if (area.isEmpty()) return;
    QStyle* style = context.widget != nullptr ? context.widget->style() : QApplication::style();
    const QFont font = context.fonts.font(button.Font);
    const QColor back = qtColor(button.BackColor);
    const QColor fore = qtColor(button.ForeColor);

    QStyleOptionButton option;
    if (context.widget != nullptr) option.initFrom(context.widget);
    option.rect = area;
    option.text = qtText(button.Caption);  // an '&' marks the access key, which the style underlines
    option.fontMetrics = QFontMetrics(font);
    Palettes made;
    option.palette = (context.palettes != nullptr ? *context.palettes : made).button(option.palette, back, fore);
    option.state = QStyle::State_Enabled;
    if (context.active) option.state |= QStyle::State_Active;
    if (focused) option.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;

    p.save();
    p.setClipRect(area, Qt::IntersectClip);
    p.setFont(font);
    if (button.kind == Kind::CommandButton) {
        option.state |= context.pressed == &button ? QStyle::State_Sunken : QStyle::State_Raised;
        if (focused) option.features |= QStyleOptionButton::DefaultButton;  // Enter clicks it
        style->drawControl(QStyle::CE_PushButton, &option, &p, context.widget);
    } else {
        p.fillRect(area, back);
        option.state |= static_cast<const OptionButton&>(button).Value ? QStyle::State_On : QStyle::State_Off;
        style->drawControl(QStyle::CE_RadioButton, &option, &p, context.widget);
    }
    p.restore();
}

// The whole paint device in device pixels: a widget measures itself in
// pixels, an image or a pixmap in device pixels.
QRect wholeArea(const QPainter& painter, const Grid& grid) {
    const QPaintDevice& device = *painter.device();
    const QRect measured(0, 0, device.width(), device.height());
    return device.devType() == QInternal::Widget ? grid.toDevice(measured) : measured;
}

}  // namespace

QRect drawnExtent(const Element& element, const Area& area, const Grid& grid, Pictures& pictures) {
    switch (element.kind) {
    case Kind::Image: {
        const auto& image = static_cast<const Image&>(element);
        if (image.Picture.empty()) return {};
        return pictureRect(grid, area.left, area.top, area.width, area.height, image.Stretch,
                           image.Stretch ? QSize() : pictures.size(image.Picture));
    }
    case Kind::Line: {
        const int left = grid.lineStart(area.left), top = grid.lineStart(area.top);
        return {left, top, grid.lineEnd(area.left + area.width) - left, grid.lineEnd(area.top + area.height) - top};
    }
    case Kind::Timer:
        return {};
    case Kind::CommandButton:
    case Kind::OptionButton:
        return grid.toDevice(grid.toPixels(grid.rect(area.left, area.top, area.width, area.height)));
    default:
        return grid.rect(area.left, area.top, area.width, area.height);
    }
}

QRegion damage(const std::vector<Change>& changes, const Form& form, const QRect& whole, const Grid& grid, Pictures& pictures) {
    QRegion region;
    for (const Change& change : changes) {
        if (change.form != &form) continue;
        if (change.element == nullptr) return whole;
        for (const std::optional<Area>& area : {change.before, change.after}) {
            if (area) region += drawnExtent(*change.element, *area, grid, pictures) & whole;
        }
    }
    return region;
}

namespace {

// A visible element that may draw in the region being painted, with the
// device pixels it covers; whether it hides what lies behind it is found
// when first asked.
struct Candidate {
    const Element* element;
    QRect extent;
    int opaque = -1;  // unknown, 0 or 1
};

// What may be drawn in `bounds`, the elements from the front to the back
// (buttons apart), each element's extent worked out once per paint.
struct Candidates {
    std::vector<Candidate> elements;
    std::vector<const Button*> buttons;  // from the back to the front
};

Candidates candidatesIn(const Form& form, const Grid& grid, Pictures& pictures, const QRect& bounds) {
    Candidates found;
    for (const Element* element : form.elements()) {
        if (!isDrawn(*element)) continue;
        if (element->takesFocus()) continue;
        const QRect extent = drawnExtent(*element, areaOf(*element), grid, pictures);
        if (extent.intersects(bounds)) found.elements.push_back({element, extent});
    }
    const std::vector<Element*>& elements = form.elements();
    for (auto at = elements.rbegin(); at != elements.rend(); ++at) {
        if (!(*at)->takesFocus() || !isDrawn(**at)) continue;
        const auto& button = static_cast<const Button&>(**at);
        if (bounds.intersects(grid.toDevice(buttonArea(button, grid)))) found.buttons.push_back(&button);
    }
    return found;
}

// Paints the part of the client area inside `part` (device pixels), where
// the painter clips to `part` or to less.
void paintPart(QPainter& painter, const Form& form, const PaintContext& context, const Grid& grid, const QRect& part,
               Candidates& candidates) {
    // From the front to the back: what each element must draw, given the
    // opaque elements in front of it. Buttons are controls of their own,
    // above everything else, and hide nothing (their corners may be round).
    std::vector<const Element*> drawn;
    QRegion covered;
    for (Candidate& candidate : candidates.elements) {
        const QRect shown = candidate.extent & part;
        if (shown.isEmpty()) continue;
        if (!covered.isEmpty() && QRegion(shown).subtracted(covered).isEmpty()) continue;
        drawn.push_back(candidate.element);
        if (candidate.opaque < 0) candidate.opaque = opaque(*candidate.element, context.pictures, grid) ? 1 : 0;
        if (candidate.opaque == 1) covered += shown;
    }

    const QColor back = qtColor(form.backColor());
    if (covered.isEmpty()) {
        painter.fillRect(grid.logical(part), back);
    } else {
        for (const QRect& rect : QRegion(part).subtracted(covered)) painter.fillRect(grid.logical(rect), back);
    }

    for (auto at = drawn.rbegin(); at != drawn.rend(); ++at) {
        const Element& element = **at;
        switch (element.kind) {
        case Kind::Image: drawImage(painter, static_cast<const Image&>(element), grid, context.pictures); break;
        case Kind::Label: drawLabel(painter, static_cast<const Label&>(element), grid, context); break;
        case Kind::Shape: drawShape(painter, static_cast<const Shape&>(element), grid); break;
        case Kind::Line: drawLine(painter, static_cast<const Line&>(element), grid); break;
        default: break;
        }
    }
    for (const Button* button : candidates.buttons) {
        if (!part.intersects(grid.toDevice(buttonArea(*button, grid)))) continue;
        // The focus shows only in the active window.
        drawButton(painter, *button, grid, context, context.active && form.focus() == button);
    }
}

}  // namespace

// A region of several rectangles is drawn one rectangle at a time, each
// under a clip of that rectangle alone. Under such a clip Qt's raster
// engine copies a picture's rows and fills a rectangle directly; under a
// clip of many rectangles it walks every row of an element through the
// clip, and hands the rows of a tall one to other threads to do so: the
// background picture behind a few moving cars cost more than the cars.
void paintForm(QPainter& painter, const Form& form, const PaintContext& context, const QRegion& dirty) {
    if (dirty.isEmpty()) return;
    const Grid grid(painter.device()->devicePixelRatioF());
    Candidates candidates = candidatesIn(form, grid, context.pictures, dirty.boundingRect());
    if (dirty.rectCount() == 1) {
        paintPart(painter, form, context, grid, dirty.boundingRect(), candidates);
        return;
    }
    for (const QRect& part : dirty) {
        painter.save();
        painter.setClipRect(grid.logical(part), Qt::IntersectClip);
        paintPart(painter, form, context, grid, part, candidates);
        painter.restore();
    }
}

void paintForm(QPainter& painter, const Form& form, const PaintContext& context) {
    const Grid grid(painter.device()->devicePixelRatioF());
    paintForm(painter, form, context, QRegion(wholeArea(painter, grid)));
}

}  // namespace arcadeon::desktop
