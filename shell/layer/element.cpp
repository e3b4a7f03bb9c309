// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "element.h"

#include <cctype>

#include "clock.h"

namespace arcadeon {

ShownCaption shownCaption(std::string_view caption) {
    ShownCaption shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != '&' && shown.marked < 0) {  // "&&" shows a literal ampersand
                shown.marked = static_cast<int>(shown.text.size());
                shown.key = static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i])));
            }
        }
        shown.text += caption[i];
    }
    return shown;
}

char Button::accessKey() const { return shownCaption(Caption).key; }

bool isDrawn(const Element& element) {
    switch (element.kind) {
    case Kind::Timer: return false;
    case Kind::Line: return static_cast<const Line&>(element).Visible;
    default: return static_cast<const Box&>(element).Visible;
    }
}

Point centreOf(const Element& element) {
    if (element.kind == Kind::Timer) return {};
    if (element.kind == Kind::Line) {
        const auto& line = static_cast<const Line&>(element);
        return {(line.X1 + line.X2) / 2, (line.Y1 + line.Y2) / 2};
    }
    const auto& box = static_cast<const Box&>(element);
    return {box.Left + box.Width / 2, box.Top + box.Height / 2};
}

TimerEnabled& TimerEnabled::operator=(bool on) {
    if (on && !on_) nextDue_ = clock_->boundary() + period_;
    if (!on) owed_ = false;
    on_ = on;
    return *this;
}

void TimerEnabled::reset(const Clock& clock, int intervalMillis, bool on) {
    clock_ = &clock;
    period_ = Clock::periodsFor(intervalMillis);
    on_ = false;
    owed_ = false;
    *this = on;  // a timer enabled by its layout starts counting now
}

namespace {

void resetBox(Box& box, const Props& p) {
    box.Left = p.Left;
    box.Top = p.Top;
    box.Width = p.Width;
    box.Height = p.Height;
    box.Visible = p.Visible;
}

void resetButton(Button& button, const Props& p) {
    resetBox(button, p);
    button.Caption = p.Caption;
    button.TabIndex = p.TabIndex;
    button.BackColor = p.BackColor;
    button.ForeColor = p.ForeColor;
    button.Font = p.Font;
}

}  // namespace

void resetToLayout(Element& element, const Clock& clock) {
    const Props& p = *element.layout;
    switch (element.kind) {
    case Kind::Image: {
        auto& image = static_cast<Image&>(element);
        resetBox(image, p);
        image.Picture = p.Picture;
        image.Stretch = p.Stretch;
        break;
    }
    case Kind::Label: {
        auto& label = static_cast<Label&>(element);
        resetBox(label, p);
        label.Caption = p.Caption;
        label.Alignment = p.Alignment;
        label.BackStyle = p.BackStyle;
        label.BackColor = p.BackColor;
        label.ForeColor = p.ForeColor;
        label.Font = p.Font;
        label.TabIndex = p.TabIndex;
        break;
    }
    case Kind::Shape: {
        auto& shape = static_cast<Shape&>(element);
        resetBox(shape, p);
        shape.ShapeKind = p.Shape;
        shape.BorderColor = p.BorderColor;
        shape.FillStyle = p.FillStyle;
        shape.FillColor = p.FillColor;
        break;
    }
    case Kind::Line: {
        auto& line = static_cast<Line&>(element);
        line.X1 = p.X1;
        line.Y1 = p.Y1;
        line.X2 = p.X2;
        line.Y2 = p.Y2;
        line.Visible = p.Visible;
        line.BorderColor = p.BorderColor;
        break;
    }
    case Kind::Timer: {
        auto& timer = static_cast<Timer&>(element);
        timer.Interval = p.Interval;
        timer.Enabled.reset(clock, p.Interval, p.Enabled);
        break;
    }
    case Kind::CommandButton:
        resetButton(static_cast<CommandButton&>(element), p);
        break;
    case Kind::OptionButton: {
        auto& option = static_cast<OptionButton&>(element);
        resetButton(option, p);
        option.Value = p.Value;
        break;
    }
    }
}

}  // namespace arcadeon
