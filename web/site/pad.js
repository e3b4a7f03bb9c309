// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pad of keys for a player without a keyboard (#pad, toggled by #keys):
// a press is a key down, held it repeats its press as a held key does, let
// go a key up. It shows by itself on a touch screen with no fine pointer, or
// at the first touch; Escape always, the arrow keys only while the window in
// front reads them. A touch screen also makes the page's own controls large
// enough for a finger (body.touch, arcadeon.css).

const REPEAT_DELAY = 500, REPEAT_EVERY = 33;  // milliseconds

// `page.canPress()`: whether a key may reach the program now;
// `page.key(down, code)`: a key down or up; `page.shown()`: the pad was
// shown or hidden, or changed its keys. Returns { showArrows(on) }, which
// shows or hides the arrow keys and tells whether that changed anything.
export function setUpPad(page) {
  const pad = document.getElementById('pad');
  const keysToggle = document.getElementById('keys');

  function setPad(on) {
    pad.hidden = !on;
    document.body.classList.toggle('pad', on);
    keysToggle.setAttribute('aria-pressed', String(on));
    page.shown();
  }

  function touchScreen() {
    document.body.classList.add('touch');
    setPad(true);
  }

  function hold(button, e) {
    e.preventDefault();  // no focus taken, no text selected
    if (!page.canPress() || button.held) return;
    const code = Number(button.dataset.key);
    button.setPointerCapture?.(e.pointerId);
    button.classList.add('held');
    const press = () => page.key(true, code);
    let repeat = setTimeout(function again() {
      press();
      repeat = setTimeout(again, REPEAT_EVERY);
    }, REPEAT_DELAY);
    button.held = () => {
      clearTimeout(repeat);
      button.classList.remove('held');
      button.held = null;
      page.key(false, code);
    };
    press();
  }

  for (const button of pad.querySelectorAll('button')) {
    button.addEventListener('pointerdown', (e) => hold(button, e));
    for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) {
      button.addEventListener(type, () => button.held?.());
    }
    button.addEventListener('contextmenu', (e) => e.preventDefault());
    // Enter or Space on the focused key: one press and its release
    button.addEventListener('click', (e) => {
      if (e.detail !== 0) return;
      const code = Number(button.dataset.key);
      page.key(true, code);
      page.key(false, code);
    });
  }
  keysToggle.addEventListener('click', () => setPad(pad.hidden));
  // A touch screen with no fine pointer has no keyboard to count on.
  if (matchMedia('(pointer: coarse)').matches && !matchMedia('(any-pointer: fine)').matches) touchScreen();
  document.addEventListener('pointerdown', (e) => {
    if (e.pointerType === 'touch' && !document.body.classList.contains('touch')) touchScreen();
  }, true);

  return {
    showArrows(on) {
      if (document.body.classList.contains('arrows') === on) return false;
      document.body.classList.toggle('arrows', on);
      for (const button of pad.querySelectorAll('.arrow')) {
        button.hidden = !on;
        button.held?.();  // a key hidden under the finger is let go
      }
      page.shown();
      return true;
    },
  };
}
