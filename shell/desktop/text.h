// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Captions of labels: broken into lines at blanks and shaped once per
// caption, font and width, then drawn as often as the window is.
#pragma once

#include <QFont>
#include <QRectF>
#include <QStaticText>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "shell/layer/basic.h"

class QFontMetricsF;
class QPainter;

namespace arcadeon::desktop {

class Fonts;

// The caption's lines: broken at blanks where the next word would pass
// `width`; a word longer than the width keeps a line of its own.
[[nodiscard]] QStringList wrapAtBlanks(const QString& text, const QFontMetricsF& metrics, qreal width);

// One label's text as laid out for its caption, font, alignment and width.
class LabelText {
public:
    // Draws `caption` from the top of `area`, placed across it by
    // `alignment` (0 left, 1 right, 2 centred); laid out again only when
    // one of them changed since the last time.
    void draw(QPainter& painter, const QRectF& area, std::string_view caption, const Font& font, int alignment, Fonts& fonts);

private:
    void layOut(QPainter& painter, Fonts& fonts);

    struct Line {
        QStaticText text;
        qreal width = 0;
    };
    std::string caption_;
    Font font_;
    qreal width_ = -1;
    bool laidOut_ = false;
    QFont qfont_;
    qreal ascent_ = 0, height_ = 0;
    std::vector<Line> lines_;
};

}  // namespace arcadeon::desktop
