// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "form.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "app.h"

namespace arcadeon {

namespace {

std::unique_ptr<Element> makeElement(Kind kind) {
    switch (kind) {
    case Kind::Image: return std::make_unique<Image>();
    case Kind::Label: return std::make_unique<Label>();
    case Kind::Shape: return std::make_unique<Shape>();
    case Kind::Line: return std::make_unique<Line>();
    case Kind::Timer: return std::make_unique<Timer>();
    case Kind::CommandButton: return std::make_unique<CommandButton>();
    case Kind::OptionButton: return std::make_unique<OptionButton>();
    }
    return nullptr;
}

}  // namespace

Form::Form(App& app, const FormLayout& layout) : app(app), layout_(layout), state_(app.enroll(*this)) {
    for (const ElementLayout& row : layout.elements) {
        std::unique_ptr<Element> element = makeElement(row.kind);
        element->name = row.name;
        element->kind = row.kind;
        element->form = this;
        element->layout = &row.props;
        elements_.push_back(element.get());
        if (row.kind == Kind::Timer) timers_.push_back(static_cast<Timer*>(element.get()));
        storage_.push_back(std::move(element));
    }
}

Form::~Form() = default;

Element& Form::bindElement(std::string_view name, Kind kind, std::function<void()> event) {
    Element* element = this->element(name);
    if (element == nullptr || element->kind != kind) noSuchElement(name);
    element->event = std::move(event);
    return *element;
}

void Form::noSuchElement(std::string_view name) const {
    throw std::logic_error(std::string(layout_.name) + " has no element " + std::string(name) +
                           " of that kind in its layout");
}

Element* Form::element(std::string_view name) const {
    for (Element* element : elements_) {
        if (element->name == name) return element;
    }
    return nullptr;
}

Integer* Form::variable(std::string_view name) const {
    for (const auto& [variableName, variable] : variables_) {
        if (variableName == name) return variable;
    }
    return nullptr;
}

void Form::loadNow() { app.load(*this); }

void Form::Show() { app.show(*this); }

void Form::Hide() { app.hide(*this); }

void Form::Unload() { app.unload(*this); }

void Form::restoreLayout(const Clock& clock) {
    clientWidth_ = layout_.ClientWidth;
    clientHeight_ = layout_.ClientHeight;
    focus_ = nullptr;
    focusPlaced_ = false;
    for (Element* element : elements_) resetToLayout(*element, clock);
}

void Form::takeFocusOnShow() {
    if (!focusPlaced_) {
        focusPlaced_ = true;
        std::vector<Button*> order = tabOrder();
        setFocus(order.empty() ? nullptr : order.front());
    } else {
        setFocus(focus_);
    }
}

void Form::MsgBox(std::string_view prompt, std::string_view title) { app.MsgBox(prompt, title); }

void Form::End() { app.End(); }

void Form::setFocus(Element* element) {
    focus_ = element;
    if (element == nullptr || element->kind != Kind::OptionButton) return;
    // An option button that receives the focus becomes the selected one.
    for (Element* other : elements_) {
        if (other->kind == Kind::OptionButton) static_cast<OptionButton*>(other)->Value = (other == element);
    }
}

Element* Form::hitTest(Twips x, Twips y) const {
    for (Element* element : elements_) {
        if (!element->takesFocus()) continue;
        const auto& button = static_cast<const Button&>(*element);
        if (button.Visible && button.contains(x, y)) return element;
    }
    for (Element* element : elements_) {
        if (element->kind != Kind::Image && element->kind != Kind::Label) continue;
        const auto& box = static_cast<const Box&>(*element);
        if (box.Visible && box.contains(x, y)) return element;
    }
    return nullptr;
}

std::vector<Button*> Form::tabOrder() const {
    std::vector<Button*> order;
    for (Element* element : elements_) {
        if (!element->takesFocus()) continue;
        auto* button = static_cast<Button*>(element);
        if (button->Visible) order.push_back(button);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const Button* a, const Button* b) { return a->TabIndex < b->TabIndex; });
    return order;
}

}  // namespace arcadeon
