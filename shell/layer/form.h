// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A window: its layout, its elements in z-order, its module-level variables
// and the events its module may handle.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "basic.h"
#include "element.h"

namespace arcadeon {

class App;
class Clock;

// A window as data: its properties and its element list, front first.
// What a game reads of the player beyond Escape: the arrow keys, or the
// pointer (the position its MouseMove follows, its clicks). A front end on
// a touch screen offers each as it suits a finger: a pad of keys, a place
// to steer from that hides nothing of the game.
enum class Controls { None, ArrowKeys, Pointer };

struct FormLayout {
    std::string_view name;
    std::string_view Caption;
    Color BackColor = kButtonFace;
    Twips ClientWidth = 0, ClientHeight = 0;
    std::span<const ElementLayout> elements = {};
    // One of the games: leaving the program while it is loaded loses a game.
    bool game = false;
    Controls controls = Controls::None;
};

// What the application keeps of a window: whether it is loaded and
// visible, and which load it is in. The application changes it; the window
// and everyone else only read it.
struct WindowState {
    bool loaded = false;
    bool visible = false;
    std::uint64_t loadSerial = 0;  // counts the program's loads; tells a reloaded window apart
};

// A window: its layout, its elements, its client area and keyboard focus,
// its module-level variables and its handlers. Which windows are loaded and
// visible, and in what order, is the application's to keep.
class Form {
public:
    Form(App& app, const FormLayout& layout);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // What handlers call.
    void Show();
    void Hide();
    void Unload();
    Twips ScaleLeft() { ensureLoaded(); return 0; }
    Twips ScaleTop() { ensureLoaded(); return 0; }
    Twips ScaleWidth() { ensureLoaded(); return clientWidth_; }
    Twips ScaleHeight() { ensureLoaded(); return clientHeight_; }

    // Reading or writing anything of an unloaded window loads it, hidden.
    void ensureLoaded() {
        if (!state_.loaded) [[unlikely]] loadNow();
    }

    // Events the layer raises; a window's module overrides those it handles.
    virtual void Form_Load() {}
    virtual void Form_Click() {}
    virtual void Form_KeyDown(Integer /*KeyCode*/, Integer /*Shift*/) {}
    virtual void Form_KeyUp(Integer /*KeyCode*/, Integer /*Shift*/) {}
    virtual void Form_MouseMove(Integer /*Button*/, Integer /*Shift*/, Twips /*X*/, Twips /*Y*/) {}

    // State as the layer and the front ends see it; none of these loads.
    [[nodiscard]] std::string_view name() const { return layout_.name; }
    [[nodiscard]] std::string_view caption() const { return layout_.Caption; }
    [[nodiscard]] Color backColor() const { return layout_.BackColor; }
    [[nodiscard]] const FormLayout& layout() const { return layout_; }
    [[nodiscard]] const WindowState& state() const { return state_; }
    [[nodiscard]] bool loaded() const { return state_.loaded; }
    [[nodiscard]] bool visible() const { return state_.visible; }
    // The client area's size in twips as it stands (ScaleWidth and
    // ScaleHeight without the load).
    [[nodiscard]] Twips clientWidth() const { return clientWidth_; }
    [[nodiscard]] Twips clientHeight() const { return clientHeight_; }
    [[nodiscard]] bool clientContains(Twips x, Twips y) const {
        return 0 <= x && x < clientWidth_ && 0 <= y && y < clientHeight_;
    }
    [[nodiscard]] const std::vector<Element*>& elements() const { return elements_; }
    [[nodiscard]] const std::vector<Timer*>& timers() const { return timers_; }
    [[nodiscard]] Element* element(std::string_view name) const;
    // The element of that name as a kind (or a base such as Box), without
    // loading the window: for front ends, tools and tests. Throws when the
    // layout has no such element.
    template <class T>
    [[nodiscard]] T& elementAs(std::string_view name) const;
    [[nodiscard]] Element* focus() const { return focus_; }
    [[nodiscard]] const std::vector<std::pair<std::string_view, Integer*>>& variables() const {
        return variables_;
    }
    [[nodiscard]] Integer* variable(std::string_view name) const;

    // The element a pointer at (x, y) reaches: a button or option button,
    // else the frontmost visible image or label; nullptr for the window itself.
    [[nodiscard]] Element* hitTest(Twips x, Twips y) const;

    // Visible buttons and option buttons in TabIndex order.
    [[nodiscard]] std::vector<Button*> tabOrder() const;

    // What the layer does to a window.
    // Every element, the client area and the focus back to the layout, as a load does.
    void restoreLayout(const Clock& clock);
    // On each show: the first after a load puts the focus on the first tab
    // stop; later ones keep it where it was.
    void takeFocusOnShow();
    // Gives an element the keyboard focus (nullptr: none); an option
    // button that takes it becomes the selected one.
    void setFocus(Element* element);
    // The window manager resized the client area.
    void setClientSize(Twips width, Twips height) {
        clientWidth_ = width;
        clientHeight_ = height;
    }

protected:
    // Program-wide operations, as handlers write them.
    void MsgBox(std::string_view prompt, std::string_view title);
    [[noreturn]] void End();

    // Names a module-level variable for the script runner and the tests.
    void declare(std::string_view name, Integer& variable) { variables_.emplace_back(name, &variable); }

    App& app;

    // A typed handle on one element of this window, as handlers use it:
    // `shpBlue->Left = shpBlue->Left + intSpeedX;`. Every access loads the
    // window first if it is not loaded.
    template <class T>
    class Control {
    public:
        Control(Form& form, std::string_view name, std::function<void()> event = {})
            : form_(form), element_(&form.bind<T>(name, std::move(event))) {}
        T* operator->() {
            form_.ensureLoaded();
            return element_;
        }
        T& operator*() {
            form_.ensureLoaded();
            return *element_;
        }

    private:
        Form& form_;
        T* element_;
    };

private:
    template <class T>
    T& bind(std::string_view name, std::function<void()> event);
    Element& bindElement(std::string_view name, Kind kind, std::function<void()> event);
    [[noreturn]] void noSuchElement(std::string_view name) const;
    [[gnu::cold, gnu::noinline]] void loadNow();

    const FormLayout& layout_;
    const WindowState& state_;
    std::vector<std::unique_ptr<Element>> storage_;
    std::vector<Element*> elements_;
    std::vector<Timer*> timers_;
    std::vector<std::pair<std::string_view, Integer*>> variables_;

    Twips clientWidth_ = 0, clientHeight_ = 0;
    Element* focus_ = nullptr;
    bool focusPlaced_ = false;  // the first show since the load has placed the focus
};

template <class T> constexpr Kind kindOf();
template <> constexpr Kind kindOf<Image>() { return Kind::Image; }
template <> constexpr Kind kindOf<Label>() { return Kind::Label; }
template <> constexpr Kind kindOf<Shape>() { return Kind::Shape; }
template <> constexpr Kind kindOf<Line>() { return Kind::Line; }
template <> constexpr Kind kindOf<Timer>() { return Kind::Timer; }
template <> constexpr Kind kindOf<CommandButton>() { return Kind::CommandButton; }
template <> constexpr Kind kindOf<OptionButton>() { return Kind::OptionButton; }

template <class T>
T& Form::bind(std::string_view name, std::function<void()> event) {
    return static_cast<T&>(bindElement(name, kindOf<T>(), std::move(event)));
}

template <class T>
T& Form::elementAs(std::string_view name) const {
    T* typed = dynamic_cast<T*>(element(name));
    if (typed == nullptr) noSuchElement(name);
    return *typed;
}

}  // namespace arcadeon
