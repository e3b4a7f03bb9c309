// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop/painting.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QBuffer>
#include <QImageReader>
#include <QPainterPath>
#include <QResource>
#include <QtEndian>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "shell/desktop/fonts.h"

namespace arcadeon::desktop {

// ---- pictures ------------------------------------------------------------------

namespace {

// Twips to the logical pixels of the painter, each edge rounded to the
// nearest device pixel: 15 twips a pixel, times the device pixel ratio.
class Grid {
public:
    explicit Grid(qreal devicePixelRatio) : ratio_(devicePixelRatio) {}

    [[nodiscard]] qreal ratio() const { return ratio_; }

    [[nodiscard]] qreal px(Twips twips) const {
        constexpr double kFar = 1e6;  // far outside any screen; keeps the rasteriser in range
        double device = static_cast<double>(twips) * ratio_ / 15.0;
        if (!(device > -kFar)) device = -kFar;  // also catches NaN
        device = std::min(device, kFar);
        return std::round(device) / ratio_;
    }

    [[nodiscard]] QRectF rect(Twips left, Twips top, Twips width, Twips height) const {
        return {QPointF(px(left), px(top)), QPointF(px(left + width), px(top + height))};
    }

    [[nodiscard]] QRectF rect(const Box& box) const { return rect(box.Left, box.Top, box.Width, box.Height); }

private:
    qreal ratio_;
};

std::string drawnKey(std::string_view name, QSize pixels) {
    return std::string(name) + "@" + std::to_string(pixels.width()) + "x" + std::to_string(pixels.height());
}

}  // namespace

QImage readImage(const QByteArray& bytes, const QByteArray& format) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, format);
    // Only the named format's reader: guessing would load every reader the
    // system has (a megabyte of libraries for pictures the program never shows).
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QImage decodeBmp(const QByteArray& bytes) {
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype size = bytes.size();
    constexpr qsizetype kHeaders = 14 + 40;
    if (size < kHeaders || data[0] != 'B' || data[1] != 'M') return {};
    const quint32 offset = qFromLittleEndian<quint32>(data + 10);
    const quint32 header = qFromLittleEndian<quint32>(data + 14);
    const qint32 width = qFromLittleEndian<qint32>(data + 18);
    const qint32 height = qFromLittleEndian<qint32>(data + 22);  // negative: rows top-down
    const int bits = qFromLittleEndian<quint16>(data + 28);
    const quint32 compression = qFromLittleEndian<quint32>(data + 30);
    constexpr qint32 kLargest = 16384;
    if (header < 40 || compression != 0 || (bits != 24 && bits != 32)) return {};
    if (width <= 0 || width > kLargest || height == 0 || height > kLargest || height < -kLargest) return {};
    const qsizetype rows = height > 0 ? height : -height;
    const int step = bits / 8;
    const qsizetype stride = (static_cast<qsizetype>(width) * step + 3) & ~qsizetype{3};  // rows padded to 4 bytes
    if (offset > static_cast<quint32>(size) || (size - offset) / stride < rows) return {};
    QImage image(width, static_cast<int>(rows), QImage::Format_RGB32);
    if (image.isNull()) return {};
    for (qsizetype y = 0; y < rows; ++y) {
        const uchar* in = data + offset + (height > 0 ? rows - 1 - y : y) * stride;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
        for (qint32 x = 0; x < width; ++x, in += step) out[x] = qRgb(in[2], in[1], in[0]);  // B, G, R; a fourth byte means nothing
    }
    return image;
}

QImage Pictures::decode(std::string_view name) {
    // A name with no file behind it decodes to a null image and draws nothing.
    if (name.empty()) return {};
    const QResource resource(QStringLiteral(":/assets/") + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    if (!resource.isValid()) return {};
    const QByteArray bytes = resource.compressionAlgorithm() == QResource::NoCompression
        ? QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()), static_cast<qsizetype>(resource.size()))
        : resource.uncompressedData();
    QImage image = decodeBmp(bytes);
    if (image.isNull()) {
        const std::string_view suffix = name.substr(std::min(name.rfind('.'), name.size() - 1) + 1);
        image = readImage(bytes, QByteArray(suffix.data(), static_cast<qsizetype>(suffix.size())));
    }
    if (image.isNull()) image.loadFromData(bytes);  // whatever it turns out to be
    return image;
}

Pictures::~Pictures() {
    if (prefetched_.valid()) prefetched_.wait();
}

void Pictures::prefetch(const FormLayout& layout, qreal ratio) {
    collect();
    std::vector<Props> images;
    for (const ElementLayout& row : layout.elements) {
        if (row.kind == Kind::Image && row.props.Visible && !row.props.Picture.empty()) images.push_back(row.props);
    }
    if (images.empty()) return;
    prefetched_ = std::async(std::launch::async, [images = std::move(images), ratio] {
        const Grid grid(ratio);
        std::vector<Decoded> decoded;
        for (const Props& image : images) {
            QImage picture = decode(image.Picture);
            const QSize natural = picture.size();
            const QRectF target = image.Stretch
                ? grid.rect(image.Left, image.Top, image.Width, image.Height)
                : grid.rect(image.Left, image.Top, static_cast<Twips>(natural.width()) * 15, static_cast<Twips>(natural.height()) * 15);
            const QSize pixels = (target.size() * ratio).toSize();
            if (!picture.isNull() && !pixels.isEmpty() && picture.size() != pixels) {
                picture = picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            }
            decoded.push_back({std::string(image.Picture), natural, pixels, std::move(picture)});
        }
        return decoded;
    });
}

void Pictures::collect() {
    if (!prefetched_.valid()) return;
    for (Decoded& done : prefetched_.get()) {
        sizes_.emplace(done.name, done.natural);
        if (!done.image.isNull()) drawn_.emplace(drawnKey(done.name, done.pixels), std::move(done.image));
    }
}

QSize Pictures::size(std::string_view name) {
    collect();
    const std::string key(name);
    if (const auto found = sizes_.find(key); found != sizes_.end()) return found->second;
    // Asked for only by pictures drawn at their own size: that copy is kept.
    QImage image = decode(name);
    const QSize natural = image.size();
    sizes_.emplace(key, natural);
    if (!image.isNull()) drawn_.emplace(drawnKey(name, natural), std::move(image));
    return natural;
}

const QImage& Pictures::at(std::string_view name, QSize pixels) {
    collect();
    const std::string key = drawnKey(name, pixels);
    auto found = drawn_.find(key);
    if (found == drawn_.end()) {
        constexpr std::size_t kKept = 256;  // sizes change only when a window's scale does
        if (drawn_.size() >= kKept) drawn_.clear();
        QImage image = decode(name);
        sizes_.emplace(std::string(name), image.size());
        if (!image.isNull() && image.size() != pixels) {
            image = image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        found = drawn_.emplace(key, std::move(image)).first;
    }
    return found->second;
}

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

void drawImage(QPainter& p, const Image& image, const Grid& grid, Pictures& pictures) {
    if (image.Picture.empty()) return;
    QRectF target;
    if (image.Stretch) {
        target = grid.rect(image);
    } else {
        const QSize natural = pictures.size(image.Picture);
        if (natural.isEmpty()) return;
        target = grid.rect(image.Left, image.Top, static_cast<Twips>(natural.width()) * 15, static_cast<Twips>(natural.height()) * 15);
    }
    if (target.isEmpty()) return;
    const QSize pixels = (target.size() * grid.ratio()).toSize();
    constexpr int kLargest = 4096;  // beyond that, let the painter scale what shows
    if (pixels.width() > kLargest || pixels.height() > kLargest) {
        p.drawImage(target, Pictures::decode(image.Picture));
        return;
    }
    const QImage& drawn = pictures.at(image.Picture, pixels);
    if (!drawn.isNull()) p.drawImage(target, drawn);
}

// The caption's lines: broken at blanks where the next word would pass
// `width`; a word longer than the width keeps a line of its own.
QStringList wrapAtBlanks(const QString& text, const QFontMetricsF& metrics, qreal width) {
    QStringList lines;
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const QString& paragraph : normalised.split(QLatin1Char('\n'))) {
        QString line;
        qsizetype at = 0;
        while (at < paragraph.size()) {
            qsizetype wordStart = at;
            while (wordStart < paragraph.size() && paragraph[wordStart] == QLatin1Char(' ')) ++wordStart;
            qsizetype wordEnd = wordStart;
            while (wordEnd < paragraph.size() && paragraph[wordEnd] != QLatin1Char(' ')) ++wordEnd;
            const QString blanksAndWord = paragraph.mid(at, wordEnd - at);
            if (!line.isEmpty() && metrics.horizontalAdvance(line + blanksAndWord) > width) {
                lines.append(line);
                line = paragraph.mid(wordStart, wordEnd - wordStart);
            } else {
                line += blanksAndWord;
            }
            at = wordEnd;
        }
        lines.append(line);
    }
    return lines;
}

void drawLabel(QPainter& p, const Label& label, const Grid& grid, Fonts& fonts) {
    const QRectF area = grid.rect(label);
    if (area.isEmpty()) return;
    p.save();
    p.setClipRect(area, Qt::IntersectClip);
    if (label.BackStyle == 1) p.fillRect(area, qtColor(label.BackColor));
    const QFont font = fonts.font(label.Font);
    const QFontMetricsF metrics(font, p.device());
    p.setFont(font);
    p.setPen(qtColor(label.ForeColor));
    qreal top = area.top();
    for (const QString& line : wrapAtBlanks(qtText(label.Caption), metrics, area.width())) {
        if (top >= area.bottom()) break;
        const qreal width = metrics.horizontalAdvance(line);
        qreal left = area.left();
        if (label.Alignment == 1) left = area.right() - width;
        if (label.Alignment == 2) left = area.left() + (area.width() - width) / 2;
        p.drawText(QPointF(left, top + metrics.ascent()), line);
        top += metrics.height();
    }
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

void drawShape(QPainter& p, const Shape& shape, const Grid& grid) {
    QRectF body = grid.rect(shape);
    if (body.isEmpty()) return;
    const int kind = shape.ShapeKind;
    if (kind == 1 || kind == 3 || kind == 5) {  // square, circle, rounded square: the shorter side, centred
        const Twips side = std::min(shape.Width, shape.Height);
        body = grid.rect(shape.Left + (shape.Width - side) / 2, shape.Top + (shape.Height - side) / 2, side, side);
        if (body.isEmpty()) return;
    }
    const QBrush fill(qtColor(shape.FillColor), fillPattern(shape.FillStyle));
    const QColor border = qtColor(shape.BorderColor);
    if (kind == 0 || kind == 1) {
        if (fill.style() != Qt::NoBrush) p.fillRect(body, fill);
        // a 1-pixel outline along the inside of the rectangle
        const qreal one = std::min({1.0, body.width(), body.height()});
        p.fillRect(QRectF(body.left(), body.top(), body.width(), one), border);
        p.fillRect(QRectF(body.left(), body.bottom() - one, body.width(), one), border);
        p.fillRect(QRectF(body.left(), body.top(), one, body.height()), border);
        p.fillRect(QRectF(body.right() - one, body.top(), one, body.height()), border);
        return;
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(border, 1);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(fill);
    const QRectF inside = body.adjusted(0.5, 0.5, -0.5, -0.5);
    if (kind == 2 || kind == 3) {
        p.drawEllipse(inside);
    } else {
        const qreal radius = std::min(inside.width(), inside.height()) / 4;
        p.drawRoundedRect(inside, radius, radius);
    }
    p.restore();
}

// A 1-pixel line from its first point up to, not including, its last.
void drawLine(QPainter& p, const Line& line, const Grid& grid) {
    // Aliased, a point at whole coordinates paints the pixel right and below it.
    const QPointF from(grid.px(line.X1), grid.px(line.Y1));
    const QPointF to(grid.px(line.X2), grid.px(line.Y2));
    if (from == to) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(qtColor(line.BorderColor), 1);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.drawLine(from, to);
    p.restore();
}

// Command buttons and option buttons: the platform's own look, in the
// element's colours and font, clipped to the element as a control would be.
void drawButton(QPainter& p, const Button& button, const Grid& grid, const PaintContext& context, bool focused) {
    const QRect area = grid.rect(button).toRect();
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

}  // namespace

void paintForm(QPainter& painter, const Form& form, const PaintContext& context) {
    const Grid grid(painter.device()->devicePixelRatioF());
    const QSizeF device(painter.device()->width(), painter.device()->height());
    painter.fillRect(QRectF(QPointF(0, 0), device), qtColor(form.backColor()));

    const std::vector<Element*>& elements = form.elements();
    for (auto at = elements.rbegin(); at != elements.rend(); ++at) {
        const Element& element = **at;
        switch (element.kind) {
        case Kind::Image:
            if (static_cast<const Image&>(element).Visible) drawImage(painter, static_cast<const Image&>(element), grid, context.pictures);
            break;
        case Kind::Label:
            if (static_cast<const Label&>(element).Visible) drawLabel(painter, static_cast<const Label&>(element), grid, context.fonts);
            break;
        case Kind::Shape:
            if (static_cast<const Shape&>(element).Visible) drawShape(painter, static_cast<const Shape&>(element), grid);
            break;
        case Kind::Line:
            if (static_cast<const Line&>(element).Visible) drawLine(painter, static_cast<const Line&>(element), grid);
            break;
        case Kind::Timer:
        case Kind::CommandButton:
        case Kind::OptionButton:
            break;
        }
    }
    // Buttons are controls of their own, above everything else, in list order.
    for (auto at = elements.rbegin(); at != elements.rend(); ++at) {
        if (!(*at)->takesFocus()) continue;
        const auto& button = static_cast<const Button&>(**at);
        // The focus shows only in the active window.
        if (button.Visible) drawButton(painter, button, grid, context, context.active && form.focus() == &button);
    }
}

}  // namespace arcadeon::desktop
