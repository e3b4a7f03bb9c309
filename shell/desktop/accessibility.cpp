// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QTimer>
#include <vector>

#include "shell/desktop/desktop.h"
#include "shell/desktop/form_window.h"
#include "shell/desktop/units.h"
#include "shell/layer/accessible.h"

namespace arcadeon::desktop {

namespace {

QString qtText(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

QAccessible::Role qtRole(Role role) {
    switch (role) {
    case Role::PushButton: return QAccessible::Button;
    case Role::RadioButton: return QAccessible::RadioButton;
    case Role::Text: break;
    }
    return QAccessible::StaticText;
}

class WindowInterface;

// One element of the window, as its last description has it.
class ElementInterface final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ElementInterface(WindowInterface& window, std::size_t index) : window_(window), index_(index) {}

    [[nodiscard]] bool isValid() const override;
    [[nodiscard]] QObject* object() const override { return nullptr; }
    [[nodiscard]] QWindow* window() const override;
    [[nodiscard]] QAccessibleInterface* parent() const override;
    [[nodiscard]] QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    [[nodiscard]] QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    [[nodiscard]] QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override {}
    [[nodiscard]] QRect rect() const override;
    [[nodiscard]] QAccessible::Role role() const override { return qtRole(node().role); }
    [[nodiscard]] QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    // QAccessibleActionInterface
    [[nodiscard]] QStringList actionNames() const override {
        return node().pressable ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& action) override;
    [[nodiscard]] QStringList keyBindingsForAction(const QString& action) const override {
        if (action != pressAction() || node().accessKey == 0) return {};
        return {QStringLiteral("Alt+") + QChar::fromLatin1(node().accessKey)};
    }

private:
    [[nodiscard]] const AccessibleNode& node() const;

    WindowInterface& window_;
    std::size_t index_;
};

// A form's window: its caption, and its described elements as children.
class WindowInterface final : public QAccessibleWidget {
public:
    explicit WindowInterface(FormWindow* window)
        : QAccessibleWidget(window, QAccessible::Window, qtText(window->form().caption())) {
        describeAgain(active());
    }
    ~WindowInterface() override { dropChildren(); }
    WindowInterface(const WindowInterface&) = delete;
    WindowInterface& operator=(const WindowInterface&) = delete;

    [[nodiscard]] FormWindow& formWindow() const { return *static_cast<FormWindow*>(widget()); }
    [[nodiscard]] const std::vector<AccessibleNode>& nodes() const { return nodes_; }

    [[nodiscard]] QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) return qtText(formWindow().form().caption());
        return QAccessibleWidget::text(kind);
    }
    [[nodiscard]] int childCount() const override { return static_cast<int>(children_.size()); }
    [[nodiscard]] QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        return QAccessible::accessibleInterface(children_[static_cast<std::size_t>(index)]);
    }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override {
        for (std::size_t i = 0; i < children_.size(); ++i) {
            if (QAccessible::accessibleInterface(children_[i]) == child) return static_cast<int>(i);
        }
        return -1;
    }
    [[nodiscard]] QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i) {
            if (QAccessibleInterface* element = child(i); element->rect().contains(x, y)) return element;
        }
        return nullptr;
    }
    [[nodiscard]] QAccessibleInterface* focusChild() const override {
        for (std::size_t i = 0; i < nodes_.size(); ++i) {
            if (nodes_[i].focused) return child(static_cast<int>(i));
        }
        return nullptr;
    }

    // Describes the window again and announces each difference once.
    void refresh(bool active) {
        const std::vector<AccessibleNode> before = nodes_;
        describeAgain(active);
        const AccessibleChanges changes = compare(before, nodes_);
        if (changes.structure) {
            QAccessibleEvent reorder(this, QAccessible::ObjectReorder);
            QAccessible::updateAccessibility(&reorder);
        }
        for (std::size_t i : changes.renamed) {
            QAccessibleEvent renamed(child(static_cast<int>(i)), QAccessible::NameChanged);
            QAccessible::updateAccessibility(&renamed);
        }
        for (std::size_t i : changes.toggled) {
            QAccessible::State checked;
            checked.checked = true;
            QAccessibleStateChangeEvent toggled(child(static_cast<int>(i)), checked);
            QAccessible::updateAccessibility(&toggled);
        }
        if (changes.focus) {
            QAccessibleEvent focus(child(static_cast<int>(*changes.focus)), QAccessible::Focus);
            QAccessible::updateAccessibility(&focus);
        }
    }

private:
    [[nodiscard]] bool active() const {
        const FormWindow& window = formWindow();
        return window.desktop().app().activeForm() == &window.form();
    }

    void describeAgain(bool active) {
        std::vector<AccessibleNode> now = describe(formWindow().form(), active);
        const bool sameCount = now.size() == nodes_.size();
        nodes_ = std::move(now);
        if (sameCount && !children_.empty()) return;
        dropChildren();
        for (std::size_t i = 0; i < nodes_.size(); ++i) {
            children_.push_back(QAccessible::registerAccessibleInterface(new ElementInterface(*this, i)));
        }
    }

    void dropChildren() {
        for (QAccessible::Id id : children_) QAccessible::deleteAccessibleInterface(id);
        children_.clear();
    }

    std::vector<AccessibleNode> nodes_;
    std::vector<QAccessible::Id> children_;
};

const AccessibleNode& ElementInterface::node() const {
    static const AccessibleNode kNone;
    const auto& nodes = window_.nodes();
    return index_ < nodes.size() ? nodes[index_] : kNone;
}

bool ElementInterface::isValid() const { return window_.isValid() && index_ < window_.nodes().size(); }

QWindow* ElementInterface::window() const { return window_.window(); }

QAccessibleInterface* ElementInterface::parent() const { return &window_; }

QString ElementInterface::text(QAccessible::Text kind) const {
    switch (kind) {
    case QAccessible::Name: return qtText(node().name);
    case QAccessible::Accelerator:
        return node().accessKey != 0 ? QStringLiteral("Alt+") + QChar::fromLatin1(node().accessKey) : QString();
    default: return {};
    }
}

QRect ElementInterface::rect() const {
    const AccessibleNode& shown = node();
    const FormWindow& window = window_.formWindow();
    const QPoint topLeft = window.mapToGlobal(QPoint(pixelsFromTwips(shown.left), pixelsFromTwips(shown.top)));
    return {topLeft, pixelSize(shown.width, shown.height)};
}

QAccessible::State ElementInterface::state() const {
    const AccessibleNode& shown = node();
    QAccessible::State state;
    state.focusable = shown.focusable;
    state.focused = shown.focused;
    state.checkable = shown.role == Role::RadioButton;
    state.checked = shown.checked;
    state.readOnly = shown.role == Role::Text;
    return state;
}

// A press is a click at the element, delivered once the request has been
// answered: a click may open a message box, which waits for the person.
void ElementInterface::doAction(const QString& action) {
    if (action != pressAction() || !node().pressable) return;
    FormWindow& window = window_.formWindow();
    const std::size_t element = node().element;
    QTimer::singleShot(0, &window, [target = QPointer<FormWindow>(&window), element] {
        if (target.isNull()) return;
        Form& form = target->form();
        if (!target->isVisible() || !form.loaded()) return;
        target->desktop().deliver([&](Session& session, std::int64_t now) { (void)session.pressElement(now, form, element); });
    });
}

QAccessibleInterface* windowInterface(const QString& /*key*/, QObject* object) {
    auto* window = dynamic_cast<FormWindow*>(object);
    return window != nullptr ? new WindowInterface(window) : nullptr;
}

}  // namespace

void installAccessibility() { QAccessible::installFactory(windowInterface); }

void announceChanges(FormWindow& window, bool active) {
    if (!QAccessible::isActive()) return;
    auto* accessible = dynamic_cast<WindowInterface*>(QAccessible::queryAccessibleInterface(&window));
    if (accessible != nullptr) accessible->refresh(active);
}

}  // namespace arcadeon::desktop
