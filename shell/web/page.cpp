// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Arcadeon in a web page: the program's windows, driven by the page's input
// and real time, drawn by the page from each window's scene (page_state.h,
// shell/scene), message boxes shown by the page. The page (web/site/page.js) calls the functions below;
// a handler that opens a message box waits in it for the page's OK, the
// browser's stack unwound and rewound around the wait by Asyncify.
#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include <ctime>

#include "shell/program.h"
#include "shell/layer/accessible.h"
#include "shell/layer/keys.h"
#include "shell/layer/recorder.h"
#include "shell/layer/session.h"
#include "shell/record/state.h"
#include "shell/version.h"
#include "shell/web/page.h"
#include "shell/web/page_state.h"

namespace arcadeon::web {

namespace {

// The page's side of a message box: draws what the windows show as it
// opens, shows it, and resolves once the person has closed it.
EM_ASYNC_JS(void, pageMessageBox, (const char* title, const char* prompt), {
    await Module.page.messageBox(UTF8ToString(title), UTF8ToString(prompt));
});
EM_JS(void, pageChanged, (), { Module.page.changed(); });
EM_JS(void, pageEnded, (), { Module.page.ended(); });

// The pictures the page fetched and handed over, before the program starts.
PictureShelf shelf;

class Page final : public Screen {
public:
    // Everything the page passes to the program goes through the session,
    // whose recorder writes it down as a script line first: the recording
    // holds exactly what the program received.
    Page() {
        started_ = emscripten_get_now();
        std::string why;
        (void)session_.recorder().record(
            [this](std::string_view text, std::string& /*why*/) {
                recording_ += text;
                return true;
            },
            recordingHeader(kVersion, std::time(nullptr), "in a web page", "Check it with arcadeon-script --verify FILE"),
            why);
    }
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    Program& program() { return program_; }
    App& app() { return program_.app; }
    Session& session() { return session_; }

    // Microseconds of the program's time: real time since the page started
    // the program, less the spans it was held.
    [[nodiscard]] std::int64_t now() const {
        const double at = held_ ? heldAt_ : emscripten_get_now();
        return static_cast<std::int64_t>((at - started_) * 1000.0);
    }

    // Held while a shown window's pictures or fonts are still on their way:
    // the program's time stands still and the person's pointer, keys and
    // assistive presses reach nothing (a press begun is let go), so the
    // game is played from its first tick as it would be with every file
    // there. Let go, time goes on from where it stood.
    void hold(bool on) {
        if (on == held_) return;
        if (on) {
            (void)session_.pointerGone(now());
            heldAt_ = emscripten_get_now();
        } else {
            started_ += emscripten_get_now() - heldAt_;
        }
        held_ = on;
    }
    [[nodiscard]] bool held() const { return held_; }

    // When the page should wake next, in whole milliseconds from now (0: at
    // once); -1 when only input can change anything (Session::wakeIn) or
    // the program is held.
    [[nodiscard]] double nextWake() const {
        const std::optional<int> millis = held_ ? std::nullopt : session_.wakeIn(now());
        return millis ? *millis : -1;
    }

    // What the page draws: the windows' scenes, what changed since it last drew.
    [[nodiscard]] Scenes& scenes() { return scenes_; }
    [[nodiscard]] scene::Pictures& pictures() { return pictures_; }

    // Screen
    std::int64_t showBox(std::string_view title, std::string_view prompt) override {
        pageMessageBox(std::string(title).c_str(), std::string(prompt).c_str());
        return now();
    }

    // The recording so far, ended by the final-state block of the program
    // as it stands; the recording itself goes on.
    [[nodiscard]] std::string recording() {
        std::string copy = recording_;
        Recorder closing(program_.app);  // writes only the block
        std::string why;
        closing.record(
            [&copy](std::string_view text, std::string& /*why*/) {
                copy += text;
                return true;
            },
            "", why);
        closing.finish(finalStateBlock(program_));
        return copy;
    }
    void changed() override { pageChanged(); }
    void programEnded() override { pageEnded(); }

    // Timer events delivered so far, and the late wake-ups caught up with as a stall.
    [[nodiscard]] double ticks() const { return static_cast<double>(session_.ticks()); }
    [[nodiscard]] double stalls() const { return static_cast<double>(session_.stalls()); }

    [[nodiscard]] const std::vector<Form*>& forms() const { return forms_; }
    [[nodiscard]] Form* form(int index) const {
        return index >= 0 && static_cast<std::size_t>(index) < forms_.size() ? forms_[static_cast<std::size_t>(index)] : nullptr;
    }

private:
    Program program_;
    std::vector<Form*> forms_ = program_.forms();
    Session session_{program_.app, *this};
    std::string recording_;
    double started_ = 0;
    bool held_ = false;
    double heldAt_ = 0;
    scene::Pictures pictures_{[](std::string_view name) { return shelf.load(name); }};
    Scenes scenes_{program_.app, forms_, pictures_};
};

std::unique_ptr<Page> page;

// Runs one piece of the page's input on the window `index` at the time now:
// `input(session, now, form)`, what the session answers.
template <class Input>
arcadeon::Outcome deliver(int index, Input&& input) {
    Form* form = page ? page->form(index) : nullptr;
    if (form == nullptr) return arcadeon::Outcome::Refused;
    return input(page->session(), page->now(), *form);
}

// The same for the person's own input (pointer, keys, assistive presses),
// which reaches nothing while the program is held.
template <class Input>
arcadeon::Outcome deliverInput(int index, Input&& input) {
    if (page && page->held()) return arcadeon::Outcome::Ignored;
    return deliver(index, std::forward<Input>(input));
}

}  // namespace

std::string returned;

scene::Pictures* shownPictures() { return page ? &page->pictures() : nullptr; }

std::vector<std::int32_t> freshScene(int index) {
    if (!page) return {};
    return page->scenes().fresh(index, page->session().pressedButton());
}

}  // namespace arcadeon::web

using arcadeon::web::page;
using arcadeon::web::deliver;
using arcadeon::web::deliverInput;
using arcadeon::Form;
using arcadeon::Twips;

extern "C" {

// Starts the program: the clock at 0, the menu loaded and shown.
EMSCRIPTEN_KEEPALIVE void arcadeon_start() {
    if (page) return;
    page = std::make_unique<arcadeon::web::Page>();
    page->program().start();
}

// Lets real time reach the program; returns when to wake next (see nextWake).
EMSCRIPTEN_KEEPALIVE double arcadeon_wake() {
    if (!page || page->held()) return -1;
    (void)page->session().wake(page->now());
    return page->nextWake();
}

EMSCRIPTEN_KEEPALIVE double arcadeon_next_wake() { return page ? page->nextWake() : -1; }

EMSCRIPTEN_KEEPALIVE double arcadeon_ticks() { return page ? page->ticks() : 0; }
EMSCRIPTEN_KEEPALIVE double arcadeon_stalls() { return page ? page->stalls() : 0; }

EMSCRIPTEN_KEEPALIVE int arcadeon_ended() { return !page || page->app().ended() ? 1 : 0; }

// ---- drawing: the page executes each window's scene ---------------------------

// What the page fetches before it draws each window (filesJson).
EMSCRIPTEN_KEEPALIVE const char* arcadeon_files() {
    arcadeon::Program program;
    arcadeon::web::returned = arcadeon::web::filesJson(program.forms());
    return arcadeon::web::returned.c_str();
}

// The names of the windows shown, one a line.
EMSCRIPTEN_KEEPALIVE const char* arcadeon_shown_forms() {
    std::string& out = arcadeon::web::returned;
    out.clear();
    if (!page) return out.c_str();
    for (const Form* form : page->forms()) {
        if (form->visible()) out.append(form->layout().name).append("\n");
    }
    return out.c_str();
}

// Holds the program (1) while a shown window waits for its files, or lets
// it go on (0); see Page::hold.
EMSCRIPTEN_KEEPALIVE void arcadeon_hold(int on) {
    if (page) page->hold(on != 0);
}

// A picture file as fetched (BMP, decoded here); 1 when it was kept.
EMSCRIPTEN_KEEPALIVE int arcadeon_add_picture_file(const char* name, const std::uint8_t* bytes, int length) {
    if (name == nullptr || bytes == nullptr || length <= 0) return 0;
    return arcadeon::web::shelf.addFile(name, {bytes, static_cast<std::size_t>(length)}) ? 1 : 0;
}

// A picture the browser decoded (JPEG): width × height pixels of RGBA; 1 when it was kept.
EMSCRIPTEN_KEEPALIVE int arcadeon_add_picture_rgba(const char* name, int width, int height, const std::uint8_t* rgba) {
    if (name == nullptr || rgba == nullptr || width <= 0 || height <= 0) return 0;
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    return arcadeon::web::shelf.addRgba(name, width, height, {rgba, bytes}) ? 1 : 0;
}

// The fonts the scenes draw with (shell/scene/fonts.h), one a line: the
// family, the file in fonts/ and the file's own weight (0: any), separated
// by tabs. A text item's face indexes these lines; the page declares its
// font faces from them.
EMSCRIPTEN_KEEPALIVE const char* arcadeon_faces() {
    arcadeon::web::returned.clear();
    for (const arcadeon::scene::ShippedFace& face : arcadeon::scene::kFaces) {
        arcadeon::web::returned.append(face.family).append("\t").append(face.webFile).append("\t");
        arcadeon::web::returned.append(std::to_string(face.weight)).append("\n");
    }
    return arcadeon::web::returned.c_str();
}

// Makes every visible window's scene at `ratio` device pixels a pixel, the
// command button held down drawn pressed, and returns what changed since
// the last call as 32-bit words (page_state.h: the window list and each
// window's damaged rectangles); nullptr before the program starts. Valid
// until the next call.
EMSCRIPTEN_KEEPALIVE const std::int32_t* arcadeon_update(double ratio) {
    if (!page || !page->session().drawableAt(ratio)) return nullptr;
    return page->scenes().update(ratio, page->session().pressedButton()).data();
}

// Window `index` shown at `fit` of its size (1/64 to 1; Scenes::setFit):
// its next scenes made at that fraction of the update's ratio. 1 when taken.
EMSCRIPTEN_KEEPALIVE int arcadeon_fit(int index, double fit) {
    return page && page->scenes().setFit(index, fit) ? 1 : 0;
}

// The scene of window `index` as the last update made it (scene::encode:
// its header gives the words in all); nullptr for a window not shown.
// Valid until the next update.
EMSCRIPTEN_KEEPALIVE const std::int32_t* arcadeon_scene(int index) {
    if (!page) return nullptr;
    const std::vector<std::int32_t>& words = page->scenes().encoded(index);
    return words.empty() ? nullptr : words.data();
}

// The picture `name` scaled to width × height device pixels by the core's
// rule, as RGBA (width × height × 4 bytes); nullptr when there is nothing
// to draw. Valid until the next update.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* arcadeon_picture(const char* name, int width, int height) {
    using arcadeon::scene::kLargestKept;
    if (!page || name == nullptr || width <= 0 || height <= 0 || width > kLargestKept || height > kLargestKept) return nullptr;
    const arcadeon::scene::Bitmap& bitmap = page->pictures().at(name, {width, height});
    return bitmap.width == width && bitmap.height == height ? bitmap.rgba.data() : nullptr;
}

// The part (x, y, w × h) of the picture `name` scaled to width × height
// device pixels, as RGBA: for a picture too large to keep scaled whole,
// made for one drawing. nullptr when there is nothing to draw. Valid until
// the next call.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* arcadeon_picture_part(const char* name, int width, int height, int x, int y, int w,
                                                               int h) {
    static arcadeon::scene::Bitmap part;
    if (!page || name == nullptr) return nullptr;
    part = arcadeon::scene::scaled(arcadeon::web::shelf.load(name), {width, height}, {x, y, w, h});
    return part.width == w && part.height == h ? part.rgba.data() : nullptr;
}

// A window's name and caption, the name of one of its elements, and the
// element holding its focus (-1: none): what the page shows around a
// window and tells its tests. Texts are valid until the next call that
// returns text.
EMSCRIPTEN_KEEPALIVE const char* arcadeon_form_name(int index) {
    const Form* form = page ? page->form(index) : nullptr;
    arcadeon::web::returned = form != nullptr ? std::string(form->name()) : std::string();
    return arcadeon::web::returned.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* arcadeon_form_caption(int index) {
    const Form* form = page ? page->form(index) : nullptr;
    arcadeon::web::returned = form != nullptr ? std::string(form->caption()) : std::string();
    return arcadeon::web::returned.c_str();
}

// Where a window `outer` pixels wide (or high) goes when it is centred in
// an area `area` pixels wide: the whole pixels before it, never fewer than 0.
EMSCRIPTEN_KEEPALIVE int arcadeon_centred(double area, double outer) {
    return arcadeon::centredIn(area, 0, outer, 0).left;
}

// 1 when window `index` is one of the games (its layout says so): leaving
// the page while one is loaded loses a game.
EMSCRIPTEN_KEEPALIVE int arcadeon_form_is_game(int index) {
    const Form* form = page ? page->form(index) : nullptr;
    return form != nullptr && form->layout().game ? 1 : 0;
}

// What window `index` reads of the player beyond Escape (Controls): 0
// nothing, 1 the arrow keys, 2 the pointer.
EMSCRIPTEN_KEEPALIVE int arcadeon_form_controls(int index) {
    const Form* form = page ? page->form(index) : nullptr;
    return form != nullptr ? static_cast<int>(form->layout().controls) : 0;
}

EMSCRIPTEN_KEEPALIVE const char* arcadeon_element_name(int index, int element) {
    const Form* form = page ? page->form(index) : nullptr;
    const bool known = form != nullptr && form->loaded() && element >= 0 && static_cast<std::size_t>(element) < form->elements().size();
    arcadeon::web::returned = known ? std::string(form->elements()[static_cast<std::size_t>(element)]->name) : std::string();
    return arcadeon::web::returned.c_str();
}

// The client area's width (`height` 0) or height (1) in twips as it
// stands: what the page scales a window from when it does not fit.
EMSCRIPTEN_KEEPALIVE double arcadeon_client_size(int index, int height) {
    const Form* form = page ? page->form(index) : nullptr;
    if (form == nullptr || !form->loaded()) return 0;
    return height != 0 ? form->clientHeight() : form->clientWidth();
}

EMSCRIPTEN_KEEPALIVE int arcadeon_focus(int index) {
    const Form* form = page ? page->form(index) : nullptr;
    if (form == nullptr || !form->loaded() || form->focus() == nullptr) return -1;
    const auto& elements = form->elements();
    const auto at = std::find(elements.begin(), elements.end(), form->focus());
    return at == elements.end() ? -1 : static_cast<int>(at - elements.begin());
}

// What a pointer at (x, y) twips of window `index` reaches: the element's
// index in the window's element list, -1 for the window itself, -2 outside
// its client area.
EMSCRIPTEN_KEEPALIVE int arcadeon_hit(int index, double x, double y) {
    Form* form = page ? page->form(index) : nullptr;
    const auto inRange = [](double v) { return std::isfinite(v) && std::fabs(v) <= 1e30; };
    if (form == nullptr || !form->loaded() || !inRange(x) || !inRange(y)) return -2;
    const auto tx = static_cast<Twips>(x), ty = static_cast<Twips>(y);
    if (!form->clientContains(tx, ty)) return -2;
    const arcadeon::Element* hit = form->hitTest(tx, ty);
    if (hit == nullptr) return -1;
    const auto& elements = form->elements();
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (elements[i] == hit) return static_cast<int>(i);
    }
    return -1;
}

// The pointer's input on window `index`, in twips of its client area: a
// mouse button (1 left, 2 right, 4 middle, 8 back, 16 forward) pressed or
// let go, by a finger (`touch` 1) or a mouse; the pointer moved with
// `buttons` held; the pointer lost. Which presses and releases make a click
// is the session's rule. Each returns what the session answered: 0 taken,
// 1 ignored, 2 refused (arcadeon_refusal says why).
EMSCRIPTEN_KEEPALIVE int arcadeon_press(int index, double x, double y, int button, int shift, int touch) {
    return static_cast<int>(deliverInput(index, [&](arcadeon::Session& session, std::int64_t now, Form& form) {
        return session.press(now, form, x, y, button, shift, touch != 0 ? arcadeon::Pointer::Touch : arcadeon::Pointer::Mouse);
    }));
}

EMSCRIPTEN_KEEPALIVE int arcadeon_release(int index, double x, double y, int button, int touch) {
    return static_cast<int>(deliverInput(index, [&](arcadeon::Session& session, std::int64_t now, Form& form) {
        return session.release(now, form, x, y, button, touch != 0 ? arcadeon::Pointer::Touch : arcadeon::Pointer::Mouse);
    }));
}

EMSCRIPTEN_KEEPALIVE int arcadeon_move(int index, double x, double y, int buttons, int shift) {
    return static_cast<int>(deliverInput(index, [&](arcadeon::Session& session, std::int64_t now, Form& form) {
        return session.move(now, form, x, y, buttons, shift);
    }));
}

// A finger pressed on the page beside window `index`, at (x, y) twips of its
// client area outside it (Session::pressBeside); a second finger touched
// (`down` 1) or lifted while one holds (Session::secondFinger).
EMSCRIPTEN_KEEPALIVE int arcadeon_press_beside(int index, double x, double y, int shift) {
    return static_cast<int>(deliverInput(index, [&](arcadeon::Session& session, std::int64_t now, Form& form) {
        return session.pressBeside(now, form, x, y, shift);
    }));
}

EMSCRIPTEN_KEEPALIVE int arcadeon_second_finger(int down) {
    return page && !page->held() ? static_cast<int>(page->session().secondFinger(page->now(), down != 0)) : 1;
}

EMSCRIPTEN_KEEPALIVE int arcadeon_pointer_gone() {
    return page && !page->held() ? static_cast<int>(page->session().pointerGone(page->now())) : 1;
}

EMSCRIPTEN_KEEPALIVE const char* arcadeon_refusal() {
    arcadeon::web::returned = page ? std::string(page->session().refusal()) : std::string();
    return arcadeon::web::returned.c_str();
}

// The command button of window `index` to draw pressed: its index in the
// window's element list; -1 when none.
EMSCRIPTEN_KEEPALIVE int arcadeon_pressed(int index) {
    Form* form = page ? page->form(index) : nullptr;
    const arcadeon::Element* pressed = form != nullptr ? page->session().pressed(*form) : nullptr;
    if (pressed == nullptr) return -1;
    const auto& elements = form->elements();
    const auto found = std::find(elements.begin(), elements.end(), pressed);
    return found == elements.end() ? -1 : static_cast<int>(found - elements.begin());
}

// The virtual-key code of a key event, from its KeyboardEvent.key and .code:
// the character the key types, whatever the layout; its place only for a
// key that types nothing (shell/layer/keys.h). -1 for none.
EMSCRIPTEN_KEEPALIVE int arcadeon_virtual_key(const char* key, const char* code) {
    return arcadeon::virtualKeyOfBrowserKey(key != nullptr ? key : "", code != nullptr ? code : "");
}

// The shift state for the modifier keys held (1 each held): what key and
// pointer input carries.
EMSCRIPTEN_KEEPALIVE int arcadeon_shift_state(int shift, int ctrl, int alt) {
    return arcadeon::shiftStateOf(shift != 0, ctrl != 0, alt != 0);
}

// A key pressed (down 1) or released (down 0), `repeat` 1 when the
// keyboard repeats it: it goes to the active window. Returns as arcadeon_press.
EMSCRIPTEN_KEEPALIVE int arcadeon_key(int down, int code, int shift, int repeat) {
    if (!page || page->held()) return 1;
    return static_cast<int>(page->session().key(page->now(), down != 0, code, shift, repeat != 0));
}

EMSCRIPTEN_KEEPALIVE int arcadeon_activate(int index) {
    return static_cast<int>(
        deliver(index, [](arcadeon::Session& session, std::int64_t now, Form& form) { return session.activate(now, form); }));
}

EMSCRIPTEN_KEEPALIVE int arcadeon_close(int index) {
    return static_cast<int>(
        deliver(index, [](arcadeon::Session& session, std::int64_t now, Form& form) { return session.close(now, form); }));
}

// The client area dragged to width × height twips.
EMSCRIPTEN_KEEPALIVE int arcadeon_resize(int index, double width, double height) {
    return static_cast<int>(deliver(index, [&](arcadeon::Session& session, std::int64_t now, Form& form) {
        return session.resize(now, form, width, height);
    }));
}

// What assistive technology is told of window `index`: one line a node,
// "ROLE<tab>NAME<tab>KEY<tab>STATES<tab>ELEMENT", ROLE button, radio or
// text, KEY the access key or empty, STATES some of f (focused), c
// (checked), p (a press does something). Valid until the next call that
// returns text.
EMSCRIPTEN_KEEPALIVE const char* arcadeon_accessible(int index) {
    const Form* form = page ? page->form(index) : nullptr;
    std::string& text = arcadeon::web::returned;
    text.clear();
    if (form == nullptr) return text.c_str();
    static constexpr const char* kRoles[] = {"button", "radio", "text"};
    for (const arcadeon::AccessibleNode& node : arcadeon::describe(*form, page->app().activeForm() == form)) {
        text += kRoles[static_cast<int>(node.role)];
        text += '\t';
        for (char c : node.name) text += c == '\t' || c == '\n' ? ' ' : c;
        text += '\t';
        if (node.accessKey != 0) text += node.accessKey;
        text += '\t';
        if (node.focused) text += 'f';
        if (node.checked) text += 'c';
        if (node.pressable) text += 'p';
        text += '\t' + std::to_string(node.element) + '\n';
    }
    return text.c_str();
}

// Assistive technology pressed element `element` of window `index`: a
// click at a point of it, as input like any other. Returns 1 when a click went.
EMSCRIPTEN_KEEPALIVE int arcadeon_accessible_press(int index, int element) {
    if (element < 0) return 0;
    const arcadeon::Outcome outcome = deliverInput(index, [&](arcadeon::Session& session, std::int64_t now, Form& form) {
        return session.pressElement(now, form, static_cast<std::size_t>(element));
    });
    return outcome == arcadeon::Outcome::Taken ? 1 : 0;
}

// What the person did so far as a script, with the final-state block that
// arcadeon-script --verify checks; valid until the next call that returns text.
EMSCRIPTEN_KEEPALIVE const char* arcadeon_recording() {
    arcadeon::web::returned = page ? page->recording() : std::string();
    return arcadeon::web::returned.c_str();
}

}  // extern "C"
