// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' frames on the page: a title bar with the caption and a close
// button, the client area holding the canvas and its copy for assistive
// technology, a corner to resize by; where a frame is placed, how it is kept
// in reach, and the scale at which a window fits the page. Each
// function takes the page's area (`desktop`, the element the frames are in)
// and windows as page.js keeps them ({ el, client, ... }).

// The frame of a window named `name`, hidden, in `desktop`.
export function makeFrame(desktop, name, captionText) {
  const el = document.createElement('section');
  el.className = 'window';
  el.dataset.form = name;
  el.hidden = true;
  const bar = document.createElement('div');
  bar.className = 'titlebar';
  const caption = document.createElement('span');
  caption.className = 'caption';
  caption.textContent = captionText;
  const close = document.createElement('button');
  close.className = 'close';
  close.type = 'button';
  close.title = 'Close';
  close.textContent = '×';
  close.tabIndex = -1;
  bar.append(caption, close);
  const client = document.createElement('div');
  client.className = 'client';
  const canvas = document.createElement('canvas');
  canvas.setAttribute('aria-hidden', 'true');
  // What the canvas shows, for assistive technology: hidden from sight,
  // and out of the keyboard's way (the game keeps every key).
  const assistive = document.createElement('div');
  assistive.className = 'assistive';
  assistive.setAttribute('role', 'group');
  assistive.setAttribute('aria-label', captionText);
  client.append(canvas, assistive);
  const grip = document.createElement('div');
  grip.className = 'grip';
  el.append(bar, client, grip);
  desktop.append(el);
  return { el, bar, close, client, canvas, assistive, grip };
}

// Centred on the page, frame included, by `centred(room, size)` (the
// program's rule).
export function centreFrame(desktop, win, centred) {
  const area = desktop.getBoundingClientRect();
  const outer = win.el.getBoundingClientRect();
  win.el.style.left = centred(area.width, outer.width) + 'px';
  win.el.style.top = centred(area.height, outer.height) + 'px';
  win.placed = true;
}

// A window's place kept within the page's area: its title bar always
// (`whole` false), the whole window when it fits (`whole` true).
export function placeFrameWithin(desktop, win, left, top, whole) {
  const area = desktop.getBoundingClientRect();
  const width = win.el.offsetWidth, height = whole ? win.el.offsetHeight : win.el.querySelector('.titlebar').offsetHeight + 8;
  const keep = (value, room) => Math.max(0, Math.min(value, Math.max(0, room)));
  win.el.style.left = Math.round(keep(left, area.width - width)) + 'px';
  win.el.style.top = Math.round(keep(top, area.height - height)) + 'px';
}

// Every shown window kept within the page's area: its title bar, or the
// whole window (`whole`) where it fits.
export function keepFramesInReach(desktop, windows, whole) {
  for (const win of windows) {
    if (!win.el.hidden) placeFrameWithin(desktop, win, win.el.offsetLeft, win.el.offsetTop, whole);
  }
}

// The scale at which a window fits the page's area, its frame included: 1
// when it fits at its own size, whatever the other windows need; never
// below 1/64. `width` × `height` is its client size in pixels at full size.
export const SMALLEST_FIT = 1 / 64;
export function fitFrame(desktop, win, width, height) {
  const area = desktop.getBoundingClientRect();
  const frameWidth = win.el.offsetWidth - win.client.offsetWidth, frameHeight = win.el.offsetHeight - win.client.offsetHeight;
  let scale = 1;
  if (width > 0) scale = Math.min(scale, (area.width - frameWidth) / width);
  if (height > 0) scale = Math.min(scale, (area.height - frameHeight) / height);
  return Math.max(SMALLEST_FIT, scale);
}

// A drag of a title bar or a corner: `onMove(dx, dy)` in pixels from where
// it began, until the pointer is let go.
export function drag(e, onMove) {
  e.preventDefault();
  const target = e.currentTarget;
  target.setPointerCapture(e.pointerId);
  const startX = e.clientX, startY = e.clientY;
  const moved = (m) => onMove(m.clientX - startX, m.clientY - startY);
  const done = () => {
    target.removeEventListener('pointermove', moved);
    target.removeEventListener('pointerup', done);
    target.removeEventListener('pointercancel', done);
  };
  target.addEventListener('pointermove', moved);
  target.addEventListener('pointerup', done);
  target.addEventListener('pointercancel', done);
}
