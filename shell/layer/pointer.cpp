// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/layer/pointer.h"

namespace arcadeon {

bool Presses::over(const Form& form, Twips x, Twips y, const Element*& hit) {
    if (!form.clientContains(x, y)) return false;
    hit = form.hitTest(x, y);
    return true;
}

void Presses::press(const Form& form, Twips x, Twips y, int button) {
    if (form_ != nullptr || app_.inputBlocked()) return;
    const Element* hit = nullptr;
    if (!over(form, x, y, hit)) return;
    form_ = &form;
    button_ = button;
    target_ = hit;
    // kept apart from the element, which an unload under the press may destroy
    targetIsButton_ = hit != nullptr && hit->takesFocus();
    targetIsCommand_ = hit != nullptr && hit->kind == Kind::CommandButton;
    inside_ = true;
}

void Presses::move(const Form& form, Twips x, Twips y) {
    if (form_ != &form) return;
    const Element* hit = nullptr;
    inside_ = over(form, x, y, hit) && hit == target_;
}

bool Presses::release(const Form& form, Twips x, Twips y, int button) {
    if (form_ != &form || button != button_) return false;
    form_ = nullptr;
    if (app_.inputBlocked()) return false;
    const Element* hit = nullptr;
    if (!over(form, x, y, hit) || hit != target_) return false;
    return !targetIsButton_ || button == kLeftButton;
}

const Element* Presses::pressed() const {
    return form_ != nullptr && inside_ && targetIsCommand_ ? target_ : nullptr;
}

}  // namespace arcadeon
