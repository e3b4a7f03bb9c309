// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's keys and buttons as the window layer counts them: virtual-key codes,
// shift-state bits and mouse-button bits.
#pragma once

#include <Qt>

namespace arcadeon::desktop {

// The virtual-key code of the key Qt reports (27 Escape, 37 to 40 the arrow
// keys, 65 to 90 the letters, ...): a key that types a character is known by
// that character (shell/layer/keys.h), whatever the keyboard's layout; the
// keypad's keys by their place. -1 for a key without one.
int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers);

// 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(Qt::KeyboardModifiers modifiers);

// 1 left, 2 right, 4 middle, 8 back, 16 forward.
int buttonState(Qt::MouseButtons buttons);

}  // namespace arcadeon::desktop
