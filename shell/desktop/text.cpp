// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop/text.h"

#include <QFontMetricsF>
#include <QPainter>

#include "shell/desktop/fonts.h"

namespace arcadeon::desktop {

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

void LabelText::layOut(QPainter& painter, Fonts& fonts) {
    qfont_ = fonts.font(font_);
    const QFontMetricsF metrics(qfont_, painter.device());
    ascent_ = metrics.ascent();
    height_ = metrics.height();
    lines_.clear();
    const QString caption = QString::fromUtf8(caption_.data(), static_cast<qsizetype>(caption_.size()));
    for (const QString& line : wrapAtBlanks(caption, metrics, width_)) {
        QStaticText text(line);
        text.setTextFormat(Qt::PlainText);
        lines_.push_back({std::move(text), metrics.horizontalAdvance(line)});
    }
    laidOut_ = true;
}

void LabelText::draw(QPainter& painter, const QRectF& area, std::string_view caption, const Font& font, int alignment, Fonts& fonts) {
    if (!laidOut_ || caption != caption_ || !(font == font_) || area.width() != width_) {
        caption_ = caption;
        font_ = font;
        width_ = area.width();
        layOut(painter, fonts);
    }
    painter.setFont(qfont_);
    qreal top = area.top();
    for (const Line& line : lines_) {
        if (top >= area.bottom()) break;
        qreal left = area.left();
        if (alignment == 1) left = area.right() - line.width;
        if (alignment == 2) left = area.left() + (area.width() - line.width) / 2;
        // QStaticText places a line by its top; the baseline lies one ascent below
        painter.drawStaticText(QPointF(left, top), line.text);
        top += height_;
    }
}

}  // namespace arcadeon::desktop
