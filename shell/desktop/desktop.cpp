// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop/desktop.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <algorithm>
#include <optional>

#include "shell/desktop/accessibility.h"
#include "shell/desktop/form_window.h"
#include "shell/desktop/message_box.h"
#include "shell/desktop/units.h"

namespace arcadeon::desktop {

Desktop::Desktop(App& app) : app_(app) {
    // The layer decides when the program ends, not the last window closing.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wake_, &QTimer::timeout, &wake_, [this] { wake(); });
    installAccessibility();
}

Desktop::~Desktop() {
    wake_.stop();
    closeReplayedBox();
    for (auto& [form, window] : windows_) delete window;
    for (const QPointer<FormWindow>& window : discarded_) delete window.data();
}

void Desktop::start(Form& startup) {
    if (trace_) trace_->start();
    // While the window system opens the first window, other threads load
    // the system's font list and decode the window's pictures.
    fontList_ = std::async(std::launch::async, [] { QFontDatabase::families(); });
    elapsed_.start();
    app_.start(startup);
    // The program's icon on every window, message boxes included. Read as
    // what it is: a QIcon made from a file name would load every picture
    // reader the system has to find out.
    QFile icon(QStringLiteral(":/assets/icons/arcadeon-48.png"));
    if (icon.open(QIODevice::ReadOnly)) QGuiApplication::setWindowIcon(QIcon(QPixmap::fromImage(readImage(icon.readAll(), "png"))));
    afterEvent();
}

FormWindow* Desktop::window(const Form& form) const {
    const auto found = windows_.find(&form);
    return found == windows_.end() ? nullptr : found->second;
}

std::int64_t Desktop::elapsedMicros() const {
    return clockBase_ + (elapsed_.isValid() ? elapsed_.nsecsElapsed() / 1000 : 0);
}

// ---- replaying a script ------------------------------------------------------

void Desktop::startReplay(std::function<void()> stop) {
    stopReplay_ = std::move(stop);
    wake_.stop();
}

void Desktop::endReplay() {
    if (!replaying()) return;
    stopReplay_ = nullptr;
    clockBase_ = app_.clock().now();
    elapsed_.restart();
    if (!app_.ended()) afterEvent();
}

void Desktop::windowClosing(FormWindow& window) {
    if (replaying()) {
        stopReplay_();
        return;
    }
    deliver([&](Session& session, std::int64_t now) { (void)session.close(now, window.form()); });
}

void Desktop::showReplayedBox(std::string_view title, std::string_view prompt) {
    showChanges();
    closeReplayedBox();
    replayedBox_ = makeBox(title, prompt).release();
    replayedBox_->setClosable(false);
    replayedBox_->show();  // not modal: closing a window still ends the program
}

void Desktop::closeReplayedBox() { delete replayedBox_.data(); }

// ---- time --------------------------------------------------------------------

// Real time reaches the layer (Session::wake).
void Desktop::catchUp() { (void)session_.wake(elapsedMicros()); }

// Woken at a clock boundary: the timers that are due tick, then the windows
// are drawn once. A wake-up that delivered no tick changed nothing and
// draws nothing.
void Desktop::wake() {
    if (app_.ended() || replaying()) return;
    if (!session_.wake(elapsedMicros())) {
        schedule();
        return;
    }
    afterEvent();
}

void Desktop::afterEvent() {
    if (trace_ && session_.ticks() != ticksTraced_) {
        trace_->ticks(session_.ticks() - ticksTraced_);
        ticksTraced_ = session_.ticks();
    }
    syncSizes();
    showChanges();
    schedule();
}

// Arms one precise single shot for the next boundary (Session::wakeIn);
// when the layer needs no wake the program sleeps until input comes.
void Desktop::schedule() {
    const std::optional<int> millis = replaying() ? std::nullopt : session_.wakeIn(elapsedMicros());
    if (!millis) {
        wake_.stop();
        return;
    }
    wake_.start(*millis);
}

// ---- drawing -----------------------------------------------------------------

// What the handlers changed goes to the screen: each visible window's scene
// is made again and compared with the one it shows; the device pixels that
// differ are drawn again, and nothing else. A window in which nothing
// changed is not drawn at all.
void Desktop::showChanges() {
    for (auto& [form, window] : windows_) {
        if (window->isVisible()) showChanges(*window);
    }
}

void Desktop::showChanges(FormWindow& window) {
    const std::vector<scene::Rect> rects = window.shown().show(sceneOf(window));
    if (rects.empty()) return;
    window.update(pixelRegion(rects, window.shown().scene()->ratio));
    ++updates_;
}

scene::Scene Desktop::sceneOf(const FormWindow& window) {
    const Form& form = window.form();
    const scene::View view{window.devicePixelRatioF(), app_.activeForm() == &form, session_.pressed(form)};
    return scene::sceneOf(form, view, pictures_.scenes());
}

void Desktop::changed() {
    if (replaying()) syncSizes();  // the windows take the sizes the script gives
    showChanges();
    for (auto& [form, window] : windows_) {
        if (window->isVisible()) announceChanges(*window, app_.activeForm() == form);
    }
}

void Desktop::redraw(FormWindow& window) {
    if (window.isVisible()) showChanges(window);
}

// The window system asks for a part of the window: it shows the scene last
// asked for, made now if there is none yet or the window's density changed.
void Desktop::paint(FormWindow& window, const QRegion& pixels) {
    const scene::Scene* shown = window.shown().scene();
    if (shown == nullptr || shown->ratio != window.devicePixelRatioF()) (void)window.shown().show(sceneOf(window));
    QPainter painter(&window);
    paintScene(painter, *window.shown().scene(), deviceRegion(pixels, window.devicePixelRatioF()), pictures_, fonts_);
    if (trace_) {
        trace_->paint(window.form().name());
        if (std::find(painted_.begin(), painted_.end(), &window) == painted_.end()) painted_.push_back(&window);
    }
}

void Desktop::flushed(FormWindow& window) {
    if (!trace_) return;
    const auto found = std::find(painted_.begin(), painted_.end(), &window);
    if (found == painted_.end()) return;
    painted_.erase(found);
    trace_->shown(window.form().name());
}

// ---- input from the windows --------------------------------------------------

// The window manager activated a window (a click on its title bar, say).
// It is active on the screen already, so the layer follows without asking for
// it again: the window manager may still be reporting activations the
// program asked for earlier, and answering each with a new request would make
// two of them bounce between the windows for ever.
void Desktop::windowActivated(FormWindow& window) {
    Form& form = window.form();
    if (!form.visible() || app_.activeForm() == &form || app_.inputBlocked()) return;
    following_ = &window;
    deliver([&](Session& session, std::int64_t now) { (void)session.activate(now, form); });
    following_ = nullptr;
}

void Desktop::windowResized() { syncSizes(); }

// A visible window's scale follows its client area; a minimised one keeps
// the size it had. While a box is open the change waits until it closes.
void Desktop::syncSizes() {
    if (app_.ended()) return;
    if (replaying()) {
        // The other way round: the windows take the sizes the script gave.
        for (auto& [form, window] : windows_) {
            const QSize size = pixelSize(form->clientWidth(), form->clientHeight());
            if (window->isVisible() && window->size() != size) window->resize(size);
        }
        return;
    }
    if (app_.inputBlocked()) return;
    for (auto& [form, window] : windows_) {
        if (!window->isVisible() || window->isMinimized()) continue;
        const Twips width = twipsFromPixels(window->width());
        const Twips height = twipsFromPixels(window->height());
        if (width != form->clientWidth() || height != form->clientHeight()) {
            (void)session_.resize(elapsedMicros(), window->form(), width, height);
        }
    }
}

// ---- the layer's requests ------------------------------------------------------

std::unique_ptr<MessageBox> Desktop::makeBox(std::string_view title, std::string_view prompt) {
    FormWindow* owner = app_.activeForm() != nullptr ? window(*app_.activeForm()) : nullptr;
    return std::make_unique<MessageBox>(owner != nullptr && owner->isVisible() ? owner : nullptr, title, prompt);
}

std::int64_t Desktop::showBox(std::string_view title, std::string_view prompt) {
    showChanges();  // what the handler changed so far shows while the box is open
    const std::unique_ptr<MessageBox> box = makeBox(title, prompt);
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
    return elapsedMicros();
}

void Desktop::formLoading(Form& form) {
    discard(window(form));
    auto* created = new FormWindow(*this, form);
    windows_[&form] = created;
    created->resize(pixelSize(form.clientWidth(), form.clientHeight()));
    place(*created);
}

// Centred on the screen, frame included, each time the form is loaded. The
// frame's size is known once the window manager has framed a first window:
// that one is centred again then.
void Desktop::place(FormWindow& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    const QSize outer = window.size() + frame_;
    const Placement at = centredIn(area.width(), area.height(), outer.width(), outer.height());
    window.move(area.left() + at.left, area.top() + at.top);
    placedUnframed_ = frameKnown_ ? nullptr : &window;
}

void Desktop::windowFramed(FormWindow& window) {
    const QSize extra = window.frameGeometry().size() - window.size();
    if (extra.width() <= 0 && extra.height() <= 0) return;
    frame_ = extra;
    frameKnown_ = true;
    if (placedUnframed_ == &window) place(window);
}

void Desktop::formShown(Form& form) {
    if (FormWindow* shown = window(form); shown != nullptr) {
        shown->show();
        bringForward(*shown);
    }
}

// A hidden window keeps its position and gives back its image, its
// laid-out text and the pictures no window on the screen shows; shown
// again, it is drawn whole.
void Desktop::formHidden(Form& form) {
    if (FormWindow* hidden = window(form); hidden != nullptr) {
        hidden->hide();
        hidden->release();
    }
    releasePictures();
}

// Keeps the drawn pictures of the windows on the screen, and no others.
void Desktop::releasePictures() {
    std::vector<std::pair<std::string_view, scene::Size>> inUse;
    for (const auto& [form, window] : windows_) {
        // a window not drawn yet makes its pictures when it is
        const scene::Scene* shown = window->shown().scene();
        if (!form->visible() || shown == nullptr) continue;
        for (const auto& used : scene::picturesOf(*shown)) inUse.push_back(used);
    }
    pictures_.retain(inUse);
}

void Desktop::formUnloaded(Form& form) {
    discard(window(form));
    releasePictures();
}

void Desktop::formActivated(Form* form) {
    FormWindow* active = form != nullptr ? window(*form) : nullptr;
    if (active != nullptr && active->isVisible() && active != following_) bringForward(*active);
}

// To the front and active; a minimised window comes back to its size first.
void Desktop::bringForward(FormWindow& window) {
    if (window.isMinimized()) window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.raise();
    window.activateWindow();
}

void Desktop::programEnded() {
    wake_.stop();
    while (!windows_.empty()) discard(windows_.begin()->second);
    // Leaves the event loop; with none running yet (the program ended as it
    // started) exit() would only make the next one return at once.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

// Takes a window off the screen. It may be the one whose event is being
// handled, so it is deleted once control is back in the event loop.
void Desktop::discard(FormWindow* window) {
    if (window == nullptr) return;
    windows_.erase(&window->form());
    std::erase(painted_, window);
    if (placedUnframed_ == window) placedUnframed_ = nullptr;
    window->hide();
    window->deleteLater();
    discarded_.emplace_back(window);
    std::erase_if(discarded_, [](const QPointer<FormWindow>& gone) { return gone.isNull(); });
}

}  // namespace arcadeon::desktop
