// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/program.h"

namespace arcadeon {

Program::Program()
    : frmMenu(*this), frmPause(*this), frmDifficulty(*this), frmPing(*this), frmFroggy(*this),
      frmInvaders(*this) {}

std::vector<Form*> Program::forms() {
    return {&frmMenu, &frmPause, &frmDifficulty, &frmPing, &frmFroggy, &frmInvaders};
}

Form* Program::form(std::string_view name) {
    for (Form* form : forms()) {
        if (form->name() == name) return form;
    }
    return nullptr;
}

}  // namespace arcadeon
