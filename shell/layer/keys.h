// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Keys as the handlers and access keys see them: virtual-key codes, those of
// a US keyboard. A key that types a character is known by that character,
// whatever its place on the keyboard (on a French keyboard the key printed A
// is A); a key that types nothing by its name. Every front end asks here.
#pragma once

#include <string_view>

#include "shell/layer/app.h"

namespace arcadeon {

// The code of the key that types `character` (a Unicode code point): the
// letters of either case 65 to 90, the digits 48 to 57, Space 32, the US
// punctuation keys 186 to 192 and 219 to 222 (shifted or not), the shifted
// US digits (! @ # ...) their digit. -1 for any other character.
[[nodiscard]] int virtualKeyOfCharacter(char32_t character);

// The code of a key that types nothing, by the name a browser gives it
// (KeyboardEvent.code or .key): "Escape", "Enter", "Tab", "Backspace",
// "ArrowLeft", "F1" to "F24", "Numpad0" to "Numpad9", "NumpadAdd",
// "ShiftLeft", "Shift", "ControlRight", "AltLeft", "Pause"...; or by the
// name of its place on a US keyboard ("KeyA", "Digit1", "Semicolon"...);
// -1 when unknown.
[[nodiscard]] int virtualKeyNamed(std::string_view name);

// The code of a browser's key event: by `key` (KeyboardEvent.key, UTF-8)
// when it is one character, through virtualKeyOfCharacter; else, and on the
// numeric keypad, by the key's place `code` (KeyboardEvent.code) through
// virtualKeyNamed, where the US punctuation keys are named too ("Semicolon",
// "BracketLeft"...).
[[nodiscard]] int virtualKeyOfBrowserKey(std::string_view key, std::string_view code);

// The shift state of key and mouse events for the modifier keys held.
[[nodiscard]] constexpr int shiftStateOf(bool shift, bool ctrl, bool alt) {
    return (shift ? kShift : 0) | (ctrl ? kCtrl : 0) | (alt ? kAlt : 0);
}

}  // namespace arcadeon
