// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The page as a small desktop for Arcadeon's windows. The program itself
// (the windows, their handlers, the layer, the clock) runs in arcadeon.wasm;
// the page's modules only draw the scenes the program makes (draw.js), hand
// the person's input and real time to the program, frame its windows, show
// its message boxes (box.js) and an assistive copy of each window
// (assistive.js). This one holds the windows, the input and the start-up.
import { describe } from './assistive.js';
import { showBox } from './box.js';
import { program, withBytes, withText } from './calls.js';
import { makeFiles } from './files.js';
import { centreFrame, drag, fitFrame, keepFramesInReach, makeFrame, placeFrameWithin } from './frames.js';
import { setUpPad } from './pad.js';
import {
  BOX_OPEN, PICTURE, SCENE_MAGIC, TEXT, UPDATE_HEADER, UPDATE_MAGIC, WINDOW_WORDS, paint, picturesAt, sceneAt, sceneOfWords,
  setFaces, size, wordsAt,
} from './draw.js';

const TWIPS = 15;  // twips to a pixel

const desktop = document.getElementById('desktop');
const endedPage = document.getElementById('ended');
const saveLink = document.getElementById('save');
const loading = document.getElementById('loading');

let M = null;            // the program
let boxOpen = false;     // a handler waits in a message box
let ended = false;
let wakeTimer = 0;
let frameRequested = false;
let drawnOnce = false;   // a window has been drawn
const windows = new Map();   // form index -> the window on the page
const shown = { flags: 0, active: -1 };  // what the last update said of the program
let files = null;        // the windows' pictures and fonts (files.js)
let holding = null;      // while a shown window's files come: the program held till this settles
// What a window's rules read of the player beyond Escape (the program's
// Controls): the pad shows the arrow keys for one, a finger steers the
// other from beside it.
const ARROW_KEYS = 1, POINTER = 2;

// Milliseconds spent in each wake-up and each drawing, for the benchmark.
class Spent {
  constructor() { this.total = 0; this.count = 0; this.longest = 0; }
  add(ms) { this.total += ms; this.count++; this.longest = Math.max(this.longest, ms); }
}
const timing = { wake: new Spent(), draw: new Spent() };

// ---- calls into the program ----------------------------------------------

// After anything the program did: draw it, and wake for its next clock
// boundary. While a handler waits in a box, both wait for the box.
function afterCall() {
  if (ended) return;
  if (waitForFiles()) return;
  requestFrame();
  schedule();
}

// A window shown before its pictures and fonts are in holds the program
// (its time stands still, the person's input reaches nothing) and is drawn
// once they are; the page says it is loading meanwhile. True while held.
function waitForFiles() {
  if (holding) return true;
  const waiting = M.UTF8ToString(M._arcadeon_shown_forms()).split('\n').filter((name) => name !== '' && !files.ready(name));
  if (waiting.length === 0) return false;
  M._arcadeon_hold(1);
  clearTimeout(wakeTimer);
  wakeTimer = 0;
  loading.hidden = false;
  holding = Promise.all(waiting.map(files.need)).then(() => {
    holding = null;
    loading.hidden = true;
    M._arcadeon_hold(0);
    afterCall();
  });
  return true;
}

// The person's input and real time. A handler may open a message box:
// the call then returns at once, and the handler goes on once it is closed.
function input(call) {
  if (ended || boxOpen || holding || !M) return;
  call();
  afterCall();
}

// ---- time ------------------------------------------------------------------

// One wake-up at each clock boundary while a timer runs, none while the tab
// is hidden: on its return, the time missed passes as one stall.
function schedule() {
  clearTimeout(wakeTimer);
  wakeTimer = 0;
  if (ended || boxOpen || document.hidden) return;
  const millis = M._arcadeon_next_wake();  // whole milliseconds
  if (millis < 0) return;
  wakeTimer = setTimeout(wake, millis);
}

function wake() {
  wakeTimer = 0;
  if (ended || boxOpen || holding) return;
  const start = performance.now();
  M._arcadeon_wake();
  timing.wake.add(performance.now() - start);
  afterCall();
}

document.addEventListener('visibilitychange', () => {
  if (ended || !M) return;
  if (document.hidden) {
    clearTimeout(wakeTimer);
    wakeTimer = 0;
  } else {
    wake();
  }
});

// ---- windows on the page -------------------------------------------------------

// A window on the page for the load `serial` of window `index`: its name
// and caption asked for once.
function createWindow(index, serial) {
  const name = M.UTF8ToString(M._arcadeon_form_name(index));
  const game = M._arcadeon_form_is_game(index) === 1;
  const { el, bar, close, client, canvas, assistive, grip } =
    makeFrame(desktop, name, M.UTF8ToString(M._arcadeon_form_caption(index)));
  // A window larger than the page's area is shown smaller, at `fit` of its
  // size (1 when it fits), its scene made at that density (device pixels a
  // pixel times `fit`), so it stays crisp; each window has its own.
  const win = {
    index, name, game, serial, el, canvas, client, assistive, described: null, ctx: canvas.getContext('2d'), placed: false,
    place: null, active: null, ratio: 0, fit: 1, controls: M._arcadeon_form_controls(index),
    scene: null,                          // the scene drawn last
    drawn: { paints: 0, rects: 0 },       // how often it was drawn, and how many rectangles
  };

  close.addEventListener('pointerdown', (e) => e.stopPropagation());
  close.addEventListener('click', () => input(() => M._arcadeon_close(win.index)));
  bar.addEventListener('pointerdown', (e) => startMove(win, e));
  grip.addEventListener('pointerdown', (e) => startResize(win, e));
  canvas.addEventListener('pointerdown', (e) => pointerDown(win, e));
  canvas.addEventListener('pointerup', (e) => pointerUp(win, e));
  canvas.addEventListener('pointermove', (e) => pointerMove(win, e));
  canvas.addEventListener('pointercancel', pointerGone);
  canvas.addEventListener('contextmenu', (e) => e.preventDefault());
  el.addEventListener('pointerdown', (e) => { if (!finger || finger.id === e.pointerId) activate(win); }, true);
  return win;
}

// Centred on the page, frame included, each time the window is loaded, by
// the program's rule (centredIn).
const centre = (win) => centreFrame(desktop, win, (room, size) => M._arcadeon_centred(room, size));
const placeWithin = (win, left, top, whole) => placeFrameWithin(desktop, win, left, top, whole);
const fitOf = (win) => fitFrame(desktop, win, M._arcadeon_client_size(win.index, 0) / TWIPS,
  M._arcadeon_client_size(win.index, 1) / TWIPS);

// Asks the program what changed and draws just that: the damaged
// rectangles of each window whose scene changed, nothing else. A shown
// window that no longer fits (or fits at a larger scale) is made again at
// the scale at which it fits; the others stay as they are.
function render() {
  const deviceRatio = window.devicePixelRatio || 1;
  const placed = updateAt(deviceRatio);
  fitArea();
  let refitted = false;
  for (const win of windows.values()) {
    if (win.el.hidden) continue;
    const fit = fitOf(win);
    if (fit === win.fit || !M._arcadeon_fit(win.index, fit)) continue;
    win.fit = fit;
    refitted = true;
  }
  if (refitted) {
    updateAt(deviceRatio);
    for (const win of placed) centre(win);  // placed at the size they had a moment ago
    keepInReach(true);
  }
}

// The page's area for the windows, as the windows shown need it: the pad
// with the arrow keys only while the window in front reads them, and on a
// touch screen a strip below the windows to steer a game from while one
// that follows the pointer is shown (arcadeon.css).
function fitArea() {
  const front = windows.get(shown.active);
  const arrows = Boolean(front && !front.el.hidden && front.controls === ARROW_KEYS);
  const steer = [...windows.values()].some((win) => !win.el.hidden && win.controls === POINTER);
  const padChanged = pad.showArrows(arrows);
  const steerChanged = document.body.classList.contains('steer') !== steer;
  document.body.classList.toggle('steer', steer);
  if (padChanged || steerChanged) keepInReach(false);
}

// Every shown window kept within the page's area: its title bar, or the
// whole window (`whole`) where it fits.
const keepInReach = (whole) => keepFramesInReach(desktop, windows.values(), whole);

// Returns the windows placed for the first time.
function updateAt(deviceRatio) {
  const placed = [];
  picturesAt(deviceRatio);  // zoomed: every picture is scaled again
  const words = wordsAt(M._arcadeon_update(deviceRatio), UPDATE_MAGIC);
  if (!words) return placed;
  shown.flags = words[2];
  shown.active = words[3];
  const seen = new Set();
  for (let n = 0, at = UPDATE_HEADER; n < words[1]; n++) {
    const [index, visible, active, serial, place, width, height, count] = words.subarray(at, at + WINDOW_WORDS);
    at += WINDOW_WORDS;
    const damage = [];
    for (let r = 0; r < count; r++, at += 4) damage.push({ x: words[at], y: words[at + 1], w: words[at + 2], h: words[at + 3] });
    seen.add(index);
    let win = windows.get(index);
    if (win && win.serial !== serial) {  // unloaded and loaded again since
      win.el.remove();
      win = null;
    }
    if (!win) {
      win = createWindow(index, serial);
      windows.set(index, win);
    }
    if (win.place !== place) win.el.style.zIndex = String(10 + Math.max(0, place));
    if (win.active !== active) win.el.classList.toggle('active', active === 1);
    Object.assign(win, { place, active });
    if (visible) {
      const ratio = deviceRatio * win.fit;
      size(win, width, height, ratio, deviceRatio);
      if (damage.length > 0) {
        win.scene = sceneAt(M._arcadeon_scene(index));
        if (win.scene) paint(win, win.scene, damage, ratio);
        // when the page first showed a window, for the benchmark
        if (win.scene && !drawnOnce) {
          drawnOnce = true;
          performance.mark('arcadeon-drawn');
        }
      }
    }
    if (visible) describeWindow(win);
    const shownAgain = visible && win.el.hidden && win.placed;
    if (win.el.hidden !== !visible) win.el.hidden = !visible;
    if (visible && !win.placed) {
      centre(win);
      placed.push(win);
    }
    // shown again where it can be seen, whole when it fits
    else if (shownAgain) placeWithin(win, win.el.offsetLeft, win.el.offsetTop, true);
  }
  for (const [index, win] of windows) {
    if (!seen.has(index)) {
      win.el.remove();
      windows.delete(index);
    }
  }
  return placed;
}

// The window's elements for assistive technology (assistive.js); a press
// of one is a click at it, through the same input as the pointer's.
function describeWindow(win) {
  describe(win, M.UTF8ToString(M._arcadeon_accessible(win.index)),
    (at) => input(() => M._arcadeon_accessible_press(win.index, at)));
}

function requestFrame() {
  if (frameRequested || ended) return;
  frameRequested = true;
  requestAnimationFrame(() => {
    frameRequested = false;
    if (ended || holding) return;
    const start = performance.now();
    render();
    timing.draw.add(performance.now() - start);
  });
}

// ---- the person's input --------------------------------------------------------

// A point of the page in twips of a window's client area; whole twips when
// the window is shown smaller than its size.
function twipsAt(win, e) {
  const rect = win.canvas.getBoundingClientRect();
  return [twipsOf(win, e.clientX - rect.left), twipsOf(win, e.clientY - rect.top)];
}

function twipsOf(win, pixels) {
  return win.fit === 1 ? pixels * TWIPS : Math.round(pixels * TWIPS / win.fit);
}

// The modifier keys held, as the program counts them.
function shiftState(e) {
  return M._arcadeon_shift_state(e.shiftKey ? 1 : 0, e.ctrlKey ? 1 : 0, e.altKey ? 1 : 0);
}

// A press anywhere on a window that is not the active one activates it first.
function activate(win) {
  if (shown.active === win.index || boxOpen) return;
  input(() => M._arcadeon_activate(win.index));
}

// The mouse buttons as the program counts them, by the DOM's button number.
const BUTTONS = [1, 4, 2, 8, 16];  // left, middle, right, back, forward

// The pointer as the page has it, handed to the program, whose rule says
// which presses and releases make a click (a finger's too), and which
// command button looks pressed meanwhile. The window pressed keeps the
// pointer while a button is held (pointer capture).
//
// On a touch screen the first finger down is the pointer (`finger`) until
// it is lifted; it may be pressed on a window, or on the page beside a game
// that follows the pointer (then it steers that game from there, hiding
// none of it). A second finger meanwhile is that pointer's button: its tap
// clicks where the first finger is, and it moves nothing (`second`).
const isTouch = (e) => e.pointerType !== 'mouse';
let finger = null;   // { id, win, beside }
let second = null;   // the second finger's pointer id

function pointerDown(win, e) {
  if (isTouch(e) && finger && finger.id !== e.pointerId) {
    secondDown(e);
    return;
  }
  const [x, y] = twipsAt(win, e);
  win.canvas.setPointerCapture(e.pointerId);
  if (isTouch(e)) finger = { id: e.pointerId, win, beside: false };
  input(() => M._arcadeon_press(win.index, x, y, BUTTONS[e.button] ?? 0, shiftState(e), isTouch(e) ? 1 : 0));
}

function pointerUp(win, e) {
  if (isTouch(e) && finger?.id !== e.pointerId) return;  // a second finger's (fingerLifted)
  if (isTouch(e)) finger = null;
  const [x, y] = twipsAt(win, e);
  input(() => M._arcadeon_release(win.index, x, y, BUTTONS[e.button] ?? 0, isTouch(e) ? 1 : 0));
}

// A pointer the browser took back: every button let go, no click.
function pointerGone(e) {
  if (e.pointerId === second) second = null;
  if (isTouch(e) && finger?.id !== e.pointerId) return;
  finger = null;
  input(() => M._arcadeon_pointer_gone());
}

// A button pressed or let go while another is held comes as a move, its
// buttons telling which are held. Of the fingers, only the pointer's moves.
function pointerMove(win, e) {
  if (isTouch(e) && finger?.id !== e.pointerId) return;
  const [x, y] = twipsAt(win, e);
  input(() => M._arcadeon_move(win.index, x, y, e.buttons & 31, shiftState(e)));
}

function secondDown(e) {
  if (second !== null) return;
  second = e.pointerId;
  input(() => M._arcadeon_second_finger(1));
}

// The page's own parts a finger presses for themselves: the pad, the bar,
// a message box, a window's title bar and corner.
const ownPart = (target) => target instanceof Element && target.closest('#pad, #bar, .modal, .titlebar, .grip') !== null;

// A finger on the page outside every window: the second finger, or the
// pointer of the game in front when it follows the pointer, pressed beside it.
document.addEventListener('pointerdown', (e) => {
  if (!isTouch(e) || !M || ownPart(e.target) || e.target.closest?.('.window')) return;
  if (finger) {
    secondDown(e);
    return;
  }
  const win = windows.get(shown.active);
  if (!win || win.el.hidden || win.controls !== POINTER || boxOpen) return;
  e.preventDefault();
  finger = { id: e.pointerId, win, beside: true };
  const [x, y] = twipsAt(win, e);
  input(() => M._arcadeon_press_beside(win.index, x, y, shiftState(e)));
});
document.addEventListener('pointermove', (e) => {
  if (finger?.beside && finger.id === e.pointerId) pointerMove(finger.win, e);
});
// Lifted: the second finger's tap, or the pointer pressed beside a window let go.
function fingerLifted(e) {
  if (e.pointerId === second) {
    second = null;
    input(() => M._arcadeon_second_finger(0));
  } else if (finger?.beside && finger.id === e.pointerId) {
    pointerUp(finger.win, e);
  }
}
document.addEventListener('pointerup', fingerLifted);
document.addEventListener('pointercancel', (e) => {
  if (e.pointerId === second || (finger?.beside && finger.id === e.pointerId)) pointerGone(e);
});

// The title bar moves the window; the corner resizes its client area.
function startMove(win, e) {
  if (e.button !== 0 || boxOpen) return;
  const left = win.el.offsetLeft, top = win.el.offsetTop;
  drag(e, (dx, dy) => placeWithin(win, left + dx, top + dy, false));
}

function startResize(win, e) {
  if (e.button !== 0 || boxOpen) return;
  const width = win.canvas.clientWidth, height = win.canvas.clientHeight;
  drag(e, (dx, dy) => {
    const w = Math.max(0, width + dx), h = Math.max(0, height + dy);
    input(() => M._arcadeon_resize(win.index, twipsOf(win, w), twipsOf(win, h)));
  });
}

// The virtual-key code of a key event: by the character the key types,
// whatever the keyboard's layout; by its place only when it types nothing.
function virtualKey(e) {
  return withText(e.key, (key) => withText(e.code, (code) => M._arcadeon_virtual_key(key, code)));
}

function key(e, down) {
  if (!M || ended || boxOpen) return;
  const code = virtualKey(e);
  if (code < 0) return;
  // The program takes the key; the browser keeps its own shortcuts.
  if (!e.ctrlKey && !e.metaKey && !(code >= 112 && code <= 135)) e.preventDefault();
  input(() => M._arcadeon_key(down ? 1 : 0, code, shiftState(e), e.repeat ? 1 : 0));
}
// A zoom changes the device pixel ratio: every window is drawn again at it
// (the program finds every scene changed, and whole). Not every change of
// ratio resizes the page's viewport: the ratio itself is watched too.
// The windows' area changed (the page resized, the pad shown or hidden):
// the windows are fitted to it again and kept in reach.
function areaChanged() {
  if (!M) return;
  requestFrame();
  keepInReach(false);
}
window.addEventListener('resize', areaChanged);
(function watchRatio() {
  matchMedia(`(resolution: ${window.devicePixelRatio || 1}dppx)`).addEventListener('change', () => {
    if (M) requestFrame();
    watchRatio();
  }, { once: true });
})();
document.addEventListener('keydown', (e) => key(e, true));
document.addEventListener('keyup', (e) => key(e, false));

// ---- keys for a player without a keyboard ----------------------------------------

// The pad (pad.js): its keys reach the program as the keyboard's do; shown,
// it takes room from the windows' area.
const pad = setUpPad({
  canPress: () => Boolean(M) && !ended && !boxOpen,
  key: (down, code) => input(() => M._arcadeon_key(down ? 1 : 0, code, 0, 0)),
  shown: areaChanged,
});

// ---- leaving the page ----------------------------------------------------------

// A game in progress is not thrown away by a reload or a way out of the
// page without asking first.
window.addEventListener('beforeunload', (e) => {
  if (ended || ![...windows.values()].some((win) => win.game)) return;
  e.preventDefault();
  e.returnValue = '';
});

// ---- what the program asks of the page -----------------------------------------

// A handler waits in a box (box.js); the page goes on once it is closed
// and the handler has returned.
async function messageBox(title, prompt) {
  boxOpen = true;
  clearTimeout(wakeTimer);
  wakeTimer = 0;
  render();  // what the handler changed so far shows while the box is open
  window.arcadeon.boxes.push({ title, prompt });
  await showBox(title, prompt);
  boxOpen = false;
  // the handler goes on in a microtask; once it has returned:
  setTimeout(afterCall, 0);
}

function programEnded() {
  ended = true;
  clearTimeout(wakeTimer);
  wakeTimer = 0;
  for (const win of windows.values()) win.el.remove();
  windows.clear();
  desktop.hidden = true;
  endedPage.hidden = false;
}

// Save recording: what the person did so far, as a script file.
let savedUrl = null;
saveLink.addEventListener('click', (e) => {
  if (!M) {
    e.preventDefault();
    return;
  }
  if (savedUrl) URL.revokeObjectURL(savedUrl);
  const text = M.UTF8ToString(M._arcadeon_recording());
  savedUrl = URL.createObjectURL(new Blob([text], { type: 'text/plain' }));
  saveLink.href = savedUrl;  // the link's own download goes on with it
});

// ---- start ---------------------------------------------------------------------

// What the page shows, for tests and tools: the windows, and each one's
// drawn scene by element (its pixels, its texts, its pictures).
function elementName(win, owner) {
  win.names ??= new Map();
  if (!win.names.has(owner)) win.names.set(owner, M.UTF8ToString(M._arcadeon_element_name(win.index, owner)));
  return win.names.get(owner);
}

function elementsDrawn(win) {
  const elements = new Map();
  for (const item of win.scene?.items ?? []) {
    if (item.owner < 0) continue;
    let element = elements.get(item.owner);
    if (!element) {
      element = { e: item.owner, n: elementName(win, item.owner), x: item.x, y: item.y, w: item.w, h: item.h, texts: [], pictures: [] };
      elements.set(item.owner, element);
    }
    const right = Math.max(element.x + element.w, item.x + item.w), bottom = Math.max(element.y + element.h, item.y + item.h);
    element.x = Math.min(element.x, item.x);
    element.y = Math.min(element.y, item.y);
    element.w = right - element.x;
    element.h = bottom - element.y;
    if (item.kind === TEXT) element.texts.push(item.text);
    if (item.kind === PICTURE) element.pictures.push({ name: item.picture, ...item.target });
  }
  return [...elements.values()].map(({ texts, ...element }) => ({ ...element, text: texts.join(' ') }));
}

function summary() {
  const forms = [...windows.values()].sort((a, b) => a.index - b.index).map((win) => ({
    i: win.index, name: win.name, caption: win.el.querySelector('.caption').textContent, visible: !win.el.hidden,
    serial: win.serial, place: win.place, w: win.canvas.width, h: win.canvas.height, ratio: win.ratio,
    focus: M ? elementName(win, M._arcadeon_focus(win.index)) : '', drawn: { ...win.drawn }, items: elementsDrawn(win),
  }));
  return { ended, box: (shown.flags & BOX_OPEN) !== 0, active: shown.active, forms };
}

// For tests and tools: what the page shows, a script run by the script
// runner on a program of its own, the boxes shown so far.
window.arcadeon = {
  boxes: [],
  shown: () => (M ? summary() : null),
  // (the tests' build of the program only: the page's own links no runner)
  testExports: () => Boolean(M?._arcadeon_run_script),
  runScript: (text) => withText(text, (pointer) => JSON.parse(M.UTF8ToString(M._arcadeon_run_script(pointer)))),
  ticks: () => (M ? M._arcadeon_ticks() : 0),
  // What Save recording would save now.
  recording: () => (M ? M.UTF8ToString(M._arcadeon_recording()) : ''),
  stalls: () => (M ? M._arcadeon_stalls() : 0),
  hit: (formName, x, y) => {
    const win = [...windows.values()].find((w) => w.name === formName);
    return win ? M._arcadeon_hit(win.index, x, y) : -2;
  },
  picturesLoading: () => (files ? files.arriving() : -1),
  holding: () => holding !== null,
  filesOf: (formName) => (files ? files.urls(formName) : []),
  // The centre of what an element drew last, in device pixels of its
  // window's canvas; null when it drew nothing. Cheap: for following a
  // moving element many times a second.
  centre: (formName, elementName) => {
    const win = [...windows.values()].find((w) => w.name === formName);
    const element = win ? elementsDrawn(win).find((e) => e.n === elementName) : null;
    return element ? { x: element.x + element.w / 2, y: element.y + element.h / 2 } : null;
  },
  // The scene of `form` once `script` has run on a program of its own,
  // as words, and those words drawn whole into a canvas of their own by
  // the same executor as the windows: the parity test's two halves.
  sceneAfterScript: (script, form, ratio) => withText(script, (s) => withText(form, (f) =>
    wordsAt(M._arcadeon_scene_after_script(s, f, ratio), SCENE_MAGIC))),
  // Draws what changed now, without waiting for the next animation frame:
  // the canvases then show the program as it stands.
  drawNow: () => { if (M && !ended && !holding) render(); },
  // The scene of a shown window made again now from the program, as
  // words (the tests' build of the program only); null for a window not shown.
  sceneFresh: (formName) => {
    const win = [...windows.values()].find((w) => w.name === formName);
    return win && !win.el.hidden ? wordsAt(M._arcadeon_scene_fresh(win.index), SCENE_MAGIC) : null;
  },
  drawScene: (words, ratio) => {
    const scene = sceneOfWords(words);
    const canvas = document.createElement('canvas');
    const win = { canvas, client: document.createElement('div'), ctx: canvas.getContext('2d'), drawn: { paints: 0, rects: 0 } };
    size(win, scene.width, scene.height, ratio);
    paint(win, scene, [{ x: 0, y: 0, w: scene.width, h: scene.height }], ratio);
    return canvas;
  },
  timing,
  nextWake: () => (M ? M._arcadeon_next_wake() : -1),
  waking: () => wakeTimer !== 0,
  ended: () => ended,
};

window.arcadeon.ready = (async () => {
  const module = await ArcadeonModule({
    page: { messageBox, changed: requestFrame, ended: programEnded },
  });
  // The program's own font table names each face, its file and the file's
  // own weight (0: it serves the weight asked for).
  const faces = module.UTF8ToString(module._arcadeon_faces()).split('\n').filter((line) => line !== '')
    .map((line) => { const [family, file, weight] = line.split('\t'); return { family, file, weight: Number(weight) }; });
  setFaces(faces);
  M = module;
  program.M = module;
  files = makeFiles(module, faces);
  // The menu's own files first (the program waits for them as it shows
  // the menu), then every other window's while the menu shows.
  M._arcadeon_start();
  afterCall();
  await holding;
  await new Promise((resolve) => requestAnimationFrame(resolve));  // the menu drawn
  // What installs the page, and the icons the browser fetches with it, once
  // they no longer hold up the menu.
  const manifest = document.createElement('link');
  manifest.rel = 'manifest';
  manifest.href = 'manifest.webmanifest';
  document.head.append(manifest);
  await files.all();
  // Once visited, the page starts with no network (service-worker.js). The
  // worker is asked for once every file is in, so that it takes each from
  // the browser's cache rather than the network again.
  if ('serviceWorker' in navigator && window.isSecureContext) {
    navigator.serviceWorker.register('service-worker.js', { updateViaCache: 'none' }).catch(() => {});
  }
})();
