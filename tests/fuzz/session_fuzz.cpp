// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a front end's input to the session: buttons of every kind
// pressed, let go and held together, moves inside and outside the windows,
// short and long touches, a finger pressed beside a window, a second
// finger's taps, keys, resizes to nothing and to huge sizes,
// points and ratios that are no numbers, windows closed, time that jumps
// and stalls. Whatever the sequence, it must end without a crash or
// undefined behaviour; once every button is let go, a click on an element
// reaches its handler; and the recording the session made replays in the
// runner to the same final state. Built for libFuzzer with clang (make
// fuzz), and run over its seeds by a plain driver in every build.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <string>

#include "shell/layer/session.h"
#include "shell/program.h"
#include "shell/record/state.h"
#include "shell/record/verify.h"

namespace {

using arcadeon::Element;
using arcadeon::Form;
using arcadeon::Kind;
using arcadeon::Pointer;
using arcadeon::Session;

// Two minutes of the clock at most: past it the fuzzer learns nothing new, only slower.
constexpr std::int64_t kTimeLimit = std::int64_t{2} * 60 * 1000 * 1000;

// The input's bytes, read one at a time; zeros once they run out.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    [[nodiscard]] bool more() const { return at_ < size_; }
    std::uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// Boxes close after a span the input chooses; what reaches a handler is noted.
class Screen final : public arcadeon::Screen {
public:
    std::int64_t now = 0;
    std::int64_t boxOpenFor = 0;
    const Form* deliveredTo = nullptr;
    const Element* deliveredElement = nullptr;
    bool delivered = false;

    std::int64_t showBox(std::string_view, std::string_view) override {
        now += boxOpenFor;
        return now;
    }
    void delivering(const Form& form, const Element* element) override {
        if (element != nullptr && element->kind == Kind::Timer) return;
        delivered = true;
        deliveredTo = &form;
        deliveredElement = element;
    }
};

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "session fuzz: %s\n", what);
    std::abort();
}

constexpr double kOdd[] = {
    std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
    1e39, -1e39, 3e9, -0.0, 1e-30,
};
constexpr std::int64_t kSpans[] = {0, 1, 999, 15625, 15626, 31250, 15625 * 64, 10'000'000};
constexpr int kButtons[] = {1, 2, 4, 8, 16, 0, 3, 64};
constexpr double kRatios[] = {1, 1.5, 2, 1.0 / 256, 16, 1e7, 0, -1};

// A point of `form`, in twips: an element's centre, inside, just outside,
// far outside, or no number at all.
double coordinate(Bytes& in, const Form& form, bool across) {
    const std::uint8_t mode = in.next();
    const double size = across ? form.clientWidth() : form.clientHeight();
    const std::uint8_t b = in.next();
    switch (mode % 6) {
    case 0: {
        const auto& elements = form.elements();
        if (elements.empty()) return b * 60.0;
        const auto* box = dynamic_cast<const arcadeon::Box*>(elements[b % elements.size()]);
        if (box == nullptr) return b * 60.0;
        return across ? static_cast<double>(box->Left) + box->Width / 2 : static_cast<double>(box->Top) + box->Height / 2;
    }
    case 1: return size * b / 255.0;
    case 2: return -15.0 * b;
    case 3: return size + 15.0 * b;
    case 4: return b * 60.0;
    default: return kOdd[b % std::size(kOdd)];
    }
}

// Where a click on the active window reaches a handler: an element that
// takes clicks, or the window itself. False when there is none to try.
bool clickPoint(const Form& form, double& x, double& y, const Element*& expected) {
    for (const Element* e : form.elements()) {
        const auto* box = dynamic_cast<const arcadeon::Box*>(e);
        if (box == nullptr || !box->Visible || !e->event || e->kind == Kind::OptionButton) continue;
        const double cx = static_cast<double>(box->Left) + box->Width / 2, cy = static_cast<double>(box->Top) + box->Height / 2;
        if (!form.clientContains(static_cast<arcadeon::Twips>(cx), static_cast<arcadeon::Twips>(cy))) continue;
        if (form.hitTest(static_cast<arcadeon::Twips>(cx), static_cast<arcadeon::Twips>(cy)) != e) continue;
        x = cx;
        y = cy;
        expected = e;
        return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    arcadeon::Program program;
    Screen screen;
    Session session(program.app, screen);
    std::string recording;
    std::string why;
    (void)session.recorder().record(
        [&recording](std::string_view text, std::string&) {
            recording += text;
            return true;
        },
        "", why);
    program.start();
    const std::vector<Form*> forms = program.forms();
    Bytes in(data, size);
    while (in.more() && !program.app.ended() && screen.now < kTimeLimit) {
        const std::uint8_t op = in.next();
        Form& form = *forms[in.next() % forms.size()];
        const Pointer pointer = (op & 0x80) != 0 ? Pointer::Touch : Pointer::Mouse;
        const int shift = in.next() % 9;  // 8: no such modifier
        switch (op % 14) {
        case 0: {
            const double x = coordinate(in, form, true), y = coordinate(in, form, false);
            (void)session.press(screen.now, form, x, y, kButtons[in.next() % std::size(kButtons)], shift, pointer);
            break;
        }
        case 1: {
            const double x = coordinate(in, form, true), y = coordinate(in, form, false);
            (void)session.release(screen.now, form, x, y, kButtons[in.next() % std::size(kButtons)], pointer);
            break;
        }
        case 2: {
            const double x = coordinate(in, form, true), y = coordinate(in, form, false);
            (void)session.move(screen.now, form, x, y, in.next() % 40, shift);
            break;
        }
        case 3: (void)session.pointerGone(screen.now); break;
        case 4: {
            const std::uint8_t key = in.next();
            (void)session.key(screen.now, (key & 1) != 0, in.next() + ((key & 2) != 0 ? 200 : 0), shift, (key & 4) != 0);
            break;
        }
        case 5: (void)session.activate(screen.now, form); break;
        case 6:  // rarer than the rest: closing the menu ends the program
            if (in.next() < 48) (void)session.close(screen.now, form);
            break;
        case 7: {
            const std::uint8_t w = in.next(), h = in.next();
            const auto side = [](std::uint8_t b) { return b < 32 ? kOdd[b % std::size(kOdd)] : (b - 32) * 120.0; };
            (void)session.resize(screen.now, form, side(w), side(h));
            break;
        }
        case 8: screen.now += kSpans[in.next() % std::size(kSpans)]; break;
        case 9: (void)session.wake(screen.now); break;
        case 10: (void)session.pressElement(screen.now, form, in.next() % 40); break;
        case 11: {
            const double x = coordinate(in, form, true), y = coordinate(in, form, false);
            (void)session.pressBeside(screen.now, form, x, y, shift);
            break;
        }
        case 12: (void)session.secondFinger(screen.now, (in.next() & 1) != 0); break;
        default:
            (void)session.drawableAt(kRatios[in.next() % std::size(kRatios)]);
            screen.boxOpenFor = kSpans[in.next() % std::size(kSpans)];
            break;
        }
    }

    // Every button let go, a click on the active window reaches its handler.
    if (!program.app.ended()) {
        for (const int button : {1, 2, 4, 8, 16}) {
            Form& on = session.pressing() != nullptr ? const_cast<Form&>(*session.pressing()) : *forms[0];
            (void)session.release(screen.now, on, -1, -1, button);
        }
        Form* active = program.app.activeForm();
        double x = 0, y = 0;
        const Element* expected = nullptr;
        if (active != nullptr && active->visible() && clickPoint(*active, x, y, expected)) {
            screen.delivered = false;
            if (session.press(screen.now, *active, x, y, arcadeon::kLeftButton) != arcadeon::Outcome::Taken) {
                broken("a press on an element was not taken once every button was let go");
            }
            (void)session.release(screen.now, *active, x, y, arcadeon::kLeftButton);
            if (!screen.delivered || screen.deliveredTo != active || screen.deliveredElement != expected) {
                broken("a click on an element did not reach its handler");
            }
        }
    }

    // The recording replays to the state the program is in.
    session.recorder().finish(arcadeon::finalStateBlock(program));
    std::ostringstream out, err;
    if (arcadeon::verifyRecording(arcadeon::splitLines(recording), "recording", out, err, kTimeLimit + 60'000'000) != 0) {
        std::fprintf(stderr, "%s%s", out.str().c_str(), err.str().c_str());
        broken("the recording did not replay to the same final state");
    }
    return 0;
}
