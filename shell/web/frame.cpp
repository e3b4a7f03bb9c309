// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/web/frame.h"

#include <algorithm>
#include <cmath>
#include <cstdio>


namespace arcadeon::web {

namespace {

// Faces the layouts name and the families the page declares for the fonts
// the program ships (assets/fonts): the same substitutes as the desktop's.
struct Face {
    std::string_view face;    // as the layouts name it; empty for the dialog font
    std::string_view family;  // as the page's @font-face declares it
    int weight;               // the substitute's own weight; 0 keeps the asked one
};
constexpr Face kFaces[] = {
    {"Arial Black", "Arcadeon Lato Black", 900},
    {"Old English Text MT", "Arcadeon Blankenburg", 0},
    {"ISOCPEUR", "Arcadeon osifont", 0},
    {"", "Arcadeon Liberation Sans", 0},
};

// Twips as JSON: finite, and far outside any window when the model holds
// something no window can show. Nine significant digits hold any single;
// whole numbers, as most are, the quick way.
std::string number(Twips value) {
    constexpr Twips kFar = 1e7f;
    if (std::isnan(value)) value = -kFar;
    value = std::clamp(value, -kFar, kFar);
    if (value == std::trunc(value)) return std::to_string(static_cast<long>(value));
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

class Writer {
public:
    Writer& raw(std::string_view text) {
        out_ += text;
        return *this;
    }
    Writer& key(std::string_view name) {
        if (!out_.empty() && out_.back() != '{' && out_.back() != '[') out_ += ',';
        out_ += '"';
        out_ += name;
        out_ += "\":";
        return *this;
    }
    Writer& field(std::string_view name, std::string_view text) { return key(name).raw(jsonString(text)); }
    Writer& field(std::string_view name, Twips value) { return key(name).raw(number(value)); }
    Writer& field(std::string_view name, int value) { return key(name).raw(std::to_string(value)); }
    Writer& field(std::string_view name, bool value) { return key(name).raw(value ? "true" : "false"); }
    Writer& color(std::string_view name, Color value) { return key(name).raw(jsonString(cssColor(value))); }
    Writer& open(char bracket) {
        if (!out_.empty() && out_.back() != '{' && out_.back() != '[' && out_.back() != ':') out_ += ',';
        out_ += bracket;
        return *this;
    }
    Writer& close(char bracket) {
        out_ += bracket;
        return *this;
    }
    [[nodiscard]] std::string take() { return std::move(out_); }

private:
    std::string out_;
};

std::string cssFont(const Font& font) {
    const WebFont web = webFont(font);
    return std::to_string(web.weight) + " " + std::to_string(web.pixels) + "px \"" + std::string(web.family) +
           "\", sans-serif";
}

void box(Writer& w, const Box& box) {
    w.field("x", box.Left).field("y", box.Top).field("w", box.Width).field("h", box.Height);
}

// A button's caption as shown: each "&" that marks an access key dropped,
// "&&" shown as one "&"; `underline` is the index of the marked letter.
std::string shownCaption(std::string_view caption, int& underline) {
    std::string shown;
    underline = -1;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != '&' && underline < 0) underline = static_cast<int>(shown.size());
        }
        shown += caption[i];
    }
    return shown;
}

void item(Writer& w, const Form& form, const Element& element, int index) {
    w.open('{');
    w.field("e", index).field("n", element.name);
    switch (element.kind) {
    case Kind::Image: {
        const auto& image = static_cast<const Image&>(element);
        w.field("k", std::string_view("img"));
        box(w, image);
        w.field("pic", image.Picture).field("stretch", image.Stretch);
        break;
    }
    case Kind::Label: {
        const auto& label = static_cast<const Label&>(element);
        w.field("k", std::string_view("lbl"));
        box(w, label);
        w.field("text", std::string_view(label.Caption)).field("align", label.Alignment);
        if (label.BackStyle == 1) w.color("back", label.BackColor);
        w.color("fore", label.ForeColor).field("font", std::string_view(cssFont(label.Font)));
        break;
    }
    case Kind::Shape: {
        const auto& shape = static_cast<const Shape&>(element);
        w.field("k", std::string_view("shp"));
        box(w, shape);
        w.field("shape", shape.ShapeKind).color("border", shape.BorderColor).field("style", shape.FillStyle);
        w.color("fill", shape.FillColor);
        break;
    }
    case Kind::Line: {
        const auto& line = static_cast<const Line&>(element);
        w.field("k", std::string_view("lin"));
        w.field("x1", line.X1).field("y1", line.Y1).field("x2", line.X2).field("y2", line.Y2);
        w.color("color", line.BorderColor);
        break;
    }
    case Kind::CommandButton:
    case Kind::OptionButton: {
        const auto& button = static_cast<const Button&>(element);
        w.field("k", std::string_view(element.kind == Kind::CommandButton ? "cmd" : "opt"));
        box(w, button);
        int underline = -1;
        w.field("text", std::string_view(shownCaption(button.Caption, underline))).field("key", underline);
        w.color("back", button.BackColor).color("fore", button.ForeColor);
        w.field("font", std::string_view(cssFont(button.Font))).field("focus", form.focus() == &element);
        if (element.kind == Kind::OptionButton) w.field("value", static_cast<const OptionButton&>(button).Value);
        break;
    }
    case Kind::Timer:
        break;
    }
    w.close('}');
}

// The window's visible elements in drawing order: from the back of the list
// to the front, then buttons and option buttons above everything, among
// themselves in list order too.
void items(Writer& w, const Form& form) {
    const std::vector<Element*>& elements = form.elements();
    w.key("items").open('[');
    for (bool buttons : {false, true}) {
        for (auto index = static_cast<int>(elements.size()) - 1; index >= 0; --index) {
            const Element& element = *elements[static_cast<std::size_t>(index)];
            if (element.takesFocus() == buttons && isDrawn(element)) item(w, form, element, index);
        }
    }
    w.close(']');
}

int indexOf(const std::vector<Form*>& forms, const Form* form) {
    const auto at = std::find(forms.begin(), forms.end(), form);
    return at == forms.end() ? -1 : static_cast<int>(at - forms.begin());
}

}  // namespace

WebFont webFont(const Font& font) {
    const int pixels = std::max(1, static_cast<int>(std::lround(font.size * 96.0f / 72.0f)));
    for (const Face& face : kFaces) {
        if (face.face == font.face) return {face.family, face.weight != 0 ? face.weight : font.weight, pixels};
    }
    return {font.face, font.weight, pixels};  // a face the program does not ship: the browser's nearest
}

std::string cssColor(Color color) {
    const Color rgb = resolveColor(color);
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", rgb & 0xFFu, (rgb >> 8) & 0xFFu, (rgb >> 16) & 0xFFu);
    return text;
}

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string frameJson(const App& app, const std::vector<Form*>& forms, bool boxOpen) {
    Writer w;
    w.open('{');
    w.field("ended", app.ended()).field("box", boxOpen).field("active", indexOf(forms, app.activeForm()));
    w.key("stack").open('[');
    for (std::size_t i = 0; i < app.stack().size(); ++i) {
        if (i > 0) w.raw(",");
        w.raw(std::to_string(indexOf(forms, app.stack()[i])));
    }
    w.close(']');
    w.key("forms").open('[');
    for (std::size_t i = 0; i < forms.size(); ++i) {
        const Form& form = *forms[i];
        if (!form.loaded()) continue;
        w.open('{');
        w.field("i", static_cast<int>(i)).field("name", form.name()).field("caption", form.caption());
        w.field("visible", form.visible()).field("serial", static_cast<int>(form.state().loadSerial));
        w.field("w", form.clientWidth()).field("h", form.clientHeight()).color("back", form.backColor());
        items(w, form);
        w.close('}');
    }
    w.close(']');
    w.close('}');
    return w.take();
}

}  // namespace arcadeon::web
