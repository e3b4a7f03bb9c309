// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The page as a small desktop for Arcadeon's windows. The program itself
// (the windows, their handlers, the layer, the clock) runs in arcadeon.wasm;
// this script only draws what the program's display list says, hands the
// person's input and real time to the program, and shows its message boxes.
'use strict';

(() => {
  const TWIPS = 15;  // twips to a pixel
  const FAMILIES = ['Arcadeon Lato Black', 'Arcadeon Blankenburg', 'Arcadeon osifont', 'Arcadeon Liberation Sans'];

  const desktop = document.getElementById('desktop');
  const endedPage = document.getElementById('ended');
  const saveLink = document.getElementById('save');

  let M = null;            // the program
  let boxOpen = false;     // a handler waits in a message box
  let ended = false;
  let wakeTimer = 0;
  let frameRequested = false;
  let lastFrame = null;
  const windows = new Map();   // form index -> the window on the page
  const pictures = new Map();  // file name -> { bitmap, sized: its copies by size }
  let picturesLoading = 0;
  let press = null;            // the command button the program draws pressed: { form, target, inside }

  // Milliseconds spent in each wake-up and each drawing, for the benchmark.
  class Spent {
    constructor() { this.total = 0; this.count = 0; this.longest = 0; }
    add(ms) { this.total += ms; this.count++; this.longest = Math.max(this.longest, ms); }
  }
  const timing = { wake: new Spent(), draw: new Spent() };

  // ---- calls into the program ----------------------------------------------

  function frameNow() {
    return JSON.parse(M.UTF8ToString(M._arcadeon_frame()));
  }

  function withText(text, use) {
    const length = M.lengthBytesUTF8(text) + 1;
    const pointer = M._malloc(length);
    try {
      M.stringToUTF8(text, pointer, length);
      return use(pointer);
    } finally {
      M._free(pointer);
    }
  }

  // After anything the program did: draw it, and wake for its next clock
  // boundary. While a handler waits in a box, both wait for the box.
  function afterCall() {
    if (ended) return;
    requestFrame();
    schedule();
  }

  // The person's input and real time. A handler may open a message box:
  // the call then returns at once, and the handler goes on once it is closed.
  function input(call) {
    if (ended || boxOpen || !M) return;
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
    const millis = M._arcadeon_next_wake();
    if (millis < 0) return;
    wakeTimer = setTimeout(wake, Math.max(0, Math.ceil(millis)));
  }

  function wake() {
    wakeTimer = 0;
    if (ended || boxOpen) return;
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

  // ---- twips to device pixels ------------------------------------------------

  // Rounds half away from zero, as the desktop program does.
  const lround = (v) => (v < 0 ? -Math.round(-v) : Math.round(v));

  // Every edge goes to the nearest device pixel; rectangles are half-open.
  class Grid {
    constructor(ratio) { this.ratio = ratio; }
    edge(twips) {
      const far = 1e6;
      let device = twips * this.ratio / TWIPS;
      if (!(device > -far)) device = -far;
      return lround(Math.min(device, far));
    }
    rect(left, top, width, height) {
      const x0 = this.edge(left), y0 = this.edge(top);
      return { x: x0, y: y0, w: this.edge(left + width) - x0, h: this.edge(top + height) - y0 };
    }
    // One pixel's width of line starting at `twips`: at least one device pixel.
    lineStart(twips) { return this.edge(twips); }
    lineEnd(twips) { return Math.max(this.edge(twips + TWIPS), this.edge(twips) + 1); }
  }

  const empty = (r) => r.w <= 0 || r.h <= 0;

  // ---- drawing -----------------------------------------------------------------

  // A picture, decoded once into a bitmap ready to draw; null until it is.
  function picture(name) {
    let entry = pictures.get(name);
    if (!entry) {
      entry = { bitmap: null, sized: new Map() };
      pictures.set(name, entry);
      picturesLoading++;
      const image = new Image();
      image.src = 'assets/' + encodeURIComponent(name);
      image.decode()
        .then(() => createImageBitmap(image))
        .then((bitmap) => { entry.bitmap = bitmap; })
        .catch(() => {})  // a picture that cannot be read draws nothing
        .finally(() => { picturesLoading--; requestFrame(); });
    }
    return entry;
  }

  // The picture at the device pixels it is drawn at, scaled smoothly once
  // and kept: a canvas scaling it at every drawing would cost each frame.
  // Until that copy is ready, the picture is scaled as it is drawn.
  function sizedPicture(entry, width, height) {
    if (width === entry.bitmap.width && height === entry.bitmap.height) return entry.bitmap;
    const key = width + 'x' + height;
    const sized = entry.sized.get(key);
    if (sized) return sized.bitmap ?? entry.bitmap;
    if (width > 4096 || height > 4096) return entry.bitmap;  // beyond that, scaled as drawn
    if (entry.sized.size >= 16) entry.sized.clear();  // sizes change only when a window's scale does
    const made = { bitmap: null };
    entry.sized.set(key, made);
    createImageBitmap(entry.bitmap, { resizeWidth: width, resizeHeight: height, resizeQuality: 'high' })
      .then((bitmap) => { made.bitmap = bitmap; requestFrame(); })
      .catch(() => {});
    return entry.bitmap;
  }

  function drawImage(ctx, item, grid) {
    if (!item.pic) return;
    const entry = picture(item.pic);
    if (!entry.bitmap) return;
    const target = item.stretch
      ? grid.rect(item.x, item.y, item.w, item.h)
      : grid.rect(item.x, item.y, entry.bitmap.width * TWIPS, entry.bitmap.height * TWIPS);
    if (empty(target)) return;
    ctx.imageSmoothingEnabled = true;
    ctx.imageSmoothingQuality = 'high';
    ctx.drawImage(sizedPicture(entry, target.w, target.h), target.x, target.y, target.w, target.h);
  }

  // The caption's lines, broken at blanks where the next word would pass the
  // width; a word longer than the width keeps a line of its own.
  function wrapAtBlanks(ctx, text, width) {
    const lines = [];
    for (const paragraph of text.replace(/\r\n/g, '\n').split('\n')) {
      let line = '';
      let at = 0;
      while (at < paragraph.length) {
        let wordStart = at;
        while (wordStart < paragraph.length && paragraph[wordStart] === ' ') wordStart++;
        let wordEnd = wordStart;
        while (wordEnd < paragraph.length && paragraph[wordEnd] !== ' ') wordEnd++;
        const blanksAndWord = paragraph.slice(at, wordEnd);
        if (line !== '' && ctx.measureText(line + blanksAndWord).width > width) {
          lines.push(line);
          line = paragraph.slice(wordStart, wordEnd);
        } else {
          line += blanksAndWord;
        }
        at = wordEnd;
      }
      lines.push(line);
    }
    return lines;
  }

  function drawLabel(ctx, item, grid) {
    const area = grid.rect(item.x, item.y, item.w, item.h);
    if (empty(area)) return;
    if (item.back) {
      ctx.fillStyle = item.back;
      ctx.fillRect(area.x, area.y, area.w, area.h);
    }
    if (item.text === '') return;
    const r = grid.ratio;
    ctx.save();
    ctx.beginPath();
    ctx.rect(area.x, area.y, area.w, area.h);
    ctx.clip();
    ctx.scale(r, r);  // text in pixels, at the device's resolution
    ctx.font = item.font;
    ctx.fillStyle = item.fore;
    ctx.textBaseline = 'alphabetic';
    const left = area.x / r, right = (area.x + area.w) / r, bottom = (area.y + area.h) / r;
    const width = area.w / r;
    const metrics = ctx.measureText('Hg');
    const ascent = metrics.fontBoundingBoxAscent, height = ascent + metrics.fontBoundingBoxDescent;
    let top = area.y / r;
    for (const line of wrapAtBlanks(ctx, item.text, width)) {
      if (top >= bottom) break;
      const lineWidth = ctx.measureText(line).width;
      let x = left;
      if (item.align === 1) x = right - lineWidth;
      if (item.align === 2) x = left + (width - lineWidth) / 2;
      ctx.fillText(line, x, top + ascent);
      top += height;
    }
    ctx.restore();
  }

  // The interior of a shape: 0 solid, 1 none, 2 to 7 hatched.
  function fillStyleOf(ctx, style, colour, ratio) {
    if (style === 0) return colour;
    if (style < 2 || style > 7) return null;
    const size = Math.max(8, Math.round(8 * ratio));
    const tile = document.createElement('canvas');
    tile.width = tile.height = size;
    const t = tile.getContext('2d');
    t.fillStyle = colour;
    const one = Math.max(1, Math.round(ratio));
    for (let i = 0; i < size; i++) {
      if (style === 2 || style === 6) t.fillRect(i, 0, 1, one);                       // horizontal
      if (style === 3 || style === 6) t.fillRect(0, i, one, 1);                       // vertical
      if (style === 4 || style === 7) t.fillRect(size - 1 - i, i, one, one);          // up to the right
      if (style === 5 || style === 7) t.fillRect(i, i, one, one);                     // down to the right
    }
    return ctx.createPattern(tile, 'repeat');
  }

  function shapePath(ctx, r, kind, radius) {
    ctx.beginPath();
    if (kind === 2 || kind === 3) {
      ctx.ellipse(r.x + r.w / 2, r.y + r.h / 2, r.w / 2, r.h / 2, 0, 0, 2 * Math.PI);
    } else {
      ctx.roundRect(r.x, r.y, r.w, r.h, Math.max(0, radius));
    }
  }

  // A rectangle's outline is four one-pixel lines along the inside of its
  // edges, each where a line on that edge would be drawn; a circle's and a
  // rounded rectangle's, the ring between the body and the body inside them.
  function drawShape(ctx, item, grid) {
    let { x, y, w, h } = item;
    const kind = item.shape;
    if (kind === 1 || kind === 3 || kind === 5) {  // square kinds: the shorter side, centred
      const side = Math.min(w, h);
      x += (w - side) / 2;
      y += (h - side) / 2;
      w = h = side;
    }
    const body = grid.rect(x, y, w, h);
    if (empty(body)) return;
    const inside = (first, last, from, to) => {
      const inner = Math.min(grid.lineEnd(first), to);
      const outer = Math.max(grid.lineStart(last - TWIPS), from);
      return [inner, Math.max(inner, outer)];
    };
    const [ax, bx] = inside(x, x + w, body.x, body.x + body.w);
    const [ay, by] = inside(y, y + h, body.y, body.y + body.h);
    const inner = { x: ax, y: ay, w: bx - ax, h: by - ay };
    const fill = fillStyleOf(ctx, item.style, item.fill, grid.ratio);
    if (kind === 0 || kind === 1) {
      if (fill) {
        ctx.fillStyle = fill;
        ctx.fillRect(body.x, body.y, body.w, body.h);
      }
      ctx.fillStyle = item.border;
      const right = body.x + body.w, bottom = body.y + body.h;
      ctx.fillRect(body.x, body.y, body.w, ay - body.y);
      ctx.fillRect(body.x, by, body.w, bottom - by);
      ctx.fillRect(body.x, body.y, ax - body.x, body.h);
      ctx.fillRect(bx, body.y, right - bx, body.h);
      return;
    }
    const radius = Math.min(body.w, body.h) / 4;
    if (fill && !empty(inner)) {
      ctx.fillStyle = fill;
      shapePath(ctx, inner, kind, radius - (inner.x - body.x));
      ctx.fill();
    }
    ctx.fillStyle = item.border;
    shapePath(ctx, body, kind, radius);
    if (!empty(inner)) {
      const ring = new Path2D();
      const outer = new Path2D();
      ctx.save();
      ctx.beginPath();
      // the ring: the body less the body inside the outline
      if (kind === 2 || kind === 3) {
        outer.ellipse(body.x + body.w / 2, body.y + body.h / 2, body.w / 2, body.h / 2, 0, 0, 2 * Math.PI);
        ring.addPath(outer);
        ring.ellipse(inner.x + inner.w / 2, inner.y + inner.h / 2, inner.w / 2, inner.h / 2, 0, 0, 2 * Math.PI);
      } else {
        outer.roundRect(body.x, body.y, body.w, body.h, radius);
        ring.addPath(outer);
        ring.roundRect(inner.x, inner.y, inner.w, inner.h, Math.max(0, radius - (inner.x - body.x)));
      }
      ctx.fill(ring, 'evenodd');
      ctx.restore();
    } else {
      ctx.fill();
    }
  }

  // A one-pixel line from (X1, Y1) to (X2, Y2), both end points drawn.
  function drawLine(ctx, item, grid) {
    ctx.fillStyle = item.color;
    const x1 = grid.lineStart(item.x1), x2 = grid.lineStart(item.x2);
    const y1 = grid.lineStart(item.y1), y2 = grid.lineStart(item.y2);
    if (x1 === x2 || y1 === y2) {
      const left = Math.min(x1, x2), top = Math.min(y1, y2);
      const right = Math.max(grid.lineEnd(item.x1), grid.lineEnd(item.x2));
      const bottom = Math.max(grid.lineEnd(item.y1), grid.lineEnd(item.y2));
      ctx.fillRect(left, top, right - left, bottom - top);
      return;
    }
    // Slanted: a pen of the line's thickness stepped one device pixel at a time.
    const across = grid.lineEnd(item.x1) - x1, down = grid.lineEnd(item.y1) - y1;
    const steps = Math.max(Math.abs(x2 - x1), Math.abs(y2 - y1));
    if (steps > (1 << 14)) return;  // far off the screen: not walked pixel by pixel
    for (let i = 0; i <= steps; i++) {
      ctx.fillRect(x1 + lround((x2 - x1) * i / steps), y1 + lround((y2 - y1) * i / steps), across, down);
    }
  }

  // A command button or option button: a raised face (sunken while pressed),
  // its caption with the access key underlined, a dotted focus rectangle.
  function drawButton(ctx, item, grid, focused, pressed) {
    const area = grid.rect(item.x, item.y, item.w, item.h);
    if (empty(area)) return;
    const r = grid.ratio;
    const one = Math.max(1, Math.round(r));
    ctx.save();
    ctx.beginPath();
    ctx.rect(area.x, area.y, area.w, area.h);
    ctx.clip();
    ctx.fillStyle = item.back;
    ctx.fillRect(area.x, area.y, area.w, area.h);
    const { x, y, w, h } = area;
    const edges = (light, dark, inset) => {
      ctx.fillStyle = light;
      ctx.fillRect(x + inset, y + inset, w - 2 * inset, one);
      ctx.fillRect(x + inset, y + inset, one, h - 2 * inset);
      ctx.fillStyle = dark;
      ctx.fillRect(x + inset, y + h - inset - one, w - 2 * inset, one);
      ctx.fillRect(x + w - inset - one, y + inset, one, h - 2 * inset);
    };
    ctx.scale(r, r);
    ctx.font = item.font;
    const metrics = ctx.measureText(item.text);
    const textHeight = metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent;
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    let textLeft, textTop;
    if (item.k === 'cmd') {
      if (pressed) {
        edges('#404040', '#ffffff', 0);
        edges('#808080', item.back, one);
      } else {
        edges('#ffffff', '#404040', 0);
        edges(item.back, '#808080', one);
      }
      if (focused) {  // the default button: a dark frame
        ctx.strokeStyle = '#000000';
        ctx.lineWidth = one;
        ctx.strokeRect(x + one / 2, y + one / 2, w - one, h - one);
      }
      const shift = pressed ? one : 0;
      textLeft = x + (w - metrics.width * r) / 2 + shift;
      textTop = y + (h - textHeight * r) / 2 + shift;
    } else {
      const d = Math.round(12 * r);
      const cx = x + Math.round(2 * r), cy = y + Math.round((h - d) / 2);
      ctx.fillStyle = '#ffffff';
      ctx.beginPath();
      ctx.arc(cx + d / 2, cy + d / 2, d / 2 - one / 2, 0, 2 * Math.PI);
      ctx.fill();
      ctx.strokeStyle = '#808080';
      ctx.lineWidth = one;
      ctx.stroke();
      if (item.value) {
        ctx.fillStyle = '#000000';
        ctx.beginPath();
        ctx.arc(cx + d / 2, cy + d / 2, d / 5, 0, 2 * Math.PI);
        ctx.fill();
      }
      textLeft = cx + d + Math.round(4 * r);
      textTop = y + (h - textHeight * r) / 2;
    }
    ctx.scale(r, r);
    ctx.fillStyle = item.fore;
    const baseline = textTop / r + metrics.fontBoundingBoxAscent;
    ctx.fillText(item.text, textLeft / r, baseline);
    if (item.key >= 0) {  // the access key, underlined
      const before = ctx.measureText(item.text.slice(0, item.key)).width;
      const letter = ctx.measureText(item.text.slice(item.key, item.key + 1)).width;
      ctx.fillRect(textLeft / r + before, baseline + 1, letter, 1);
    }
    if (focused) {
      ctx.setTransform(1, 0, 0, 1, 0, 0);
      ctx.strokeStyle = '#000000';
      ctx.lineWidth = one;
      ctx.setLineDash([one, one]);
      const pad = 2 * one;
      const left = item.k === 'cmd' ? x + 2 * pad : textLeft - one;
      const right = item.k === 'cmd' ? x + w - 2 * pad : textLeft + metrics.width * r + one;
      ctx.strokeRect(left + one / 2, textTop + one / 2, right - left - one, textHeight * r);
    }
    ctx.restore();
  }

  function paint(win, form, active) {
    const ratio = window.devicePixelRatio || 1;
    const grid = new Grid(ratio);
    const cssWidth = Math.trunc(form.w / TWIPS), cssHeight = Math.trunc(form.h / TWIPS);
    const canvas = win.canvas;
    const width = Math.round(cssWidth * ratio), height = Math.round(cssHeight * ratio);
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
    }
    canvas.style.width = cssWidth + 'px';
    canvas.style.height = cssHeight + 'px';
    win.client.style.width = cssWidth + 'px';
    win.client.style.height = cssHeight + 'px';
    const ctx = win.ctx;
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.fillStyle = form.back;
    ctx.fillRect(0, 0, width, height);
    const pressedButton = press && press.form === form.i && press.inside ? press.target : -2;
    for (const item of form.items) {
      ctx.setTransform(1, 0, 0, 1, 0, 0);
      switch (item.k) {
        case 'img': drawImage(ctx, item, grid); break;
        case 'lbl': drawLabel(ctx, item, grid); break;
        case 'shp': drawShape(ctx, item, grid); break;
        case 'lin': drawLine(ctx, item, grid); break;
        case 'cmd':
        case 'opt':
          // the focus shows only in the active window
          drawButton(ctx, item, grid, active && item.focus, item.k === 'cmd' && pressedButton === item.e);
          break;
        default: break;
      }
    }
  }

  // ---- windows on the page -------------------------------------------------------

  function createWindow(form) {
    const el = document.createElement('section');
    el.className = 'window';
    el.dataset.form = form.name;
    el.hidden = true;
    const bar = document.createElement('div');
    bar.className = 'titlebar';
    const caption = document.createElement('span');
    caption.className = 'caption';
    caption.textContent = form.caption;
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
    client.append(canvas);
    const grip = document.createElement('div');
    grip.className = 'grip';
    el.append(bar, client, grip);
    desktop.append(el);
    const win = { index: form.i, name: form.name, serial: form.serial, el, canvas, client, ctx: canvas.getContext('2d'), placed: false };

    close.addEventListener('pointerdown', (e) => e.stopPropagation());
    close.addEventListener('click', () => input(() => M._arcadeon_close(win.index)));
    bar.addEventListener('pointerdown', (e) => startMove(win, e));
    grip.addEventListener('pointerdown', (e) => startResize(win, e));
    canvas.addEventListener('pointerdown', (e) => pointerDown(win, e));
    canvas.addEventListener('pointerup', (e) => pointerUp(win, e));
    canvas.addEventListener('pointermove', (e) => pointerMove(win, e));
    canvas.addEventListener('contextmenu', (e) => e.preventDefault());
    el.addEventListener('pointerdown', () => activate(win), true);
    return win;
  }

  // Centred on the page, frame included, each time the window is loaded.
  function centre(win) {
    const area = desktop.getBoundingClientRect();
    const outer = win.el.getBoundingClientRect();
    win.el.style.left = Math.max(0, Math.round((area.width - outer.width) / 2)) + 'px';
    win.el.style.top = Math.max(0, Math.round((area.height - outer.height) / 2)) + 'px';
    win.placed = true;
  }

  function draw(frame) {
    lastFrame = frame;
    const seen = new Set();
    for (const form of frame.forms) {
      seen.add(form.i);
      let win = windows.get(form.i);
      if (win && win.serial !== form.serial) {  // unloaded and loaded again since
        win.el.remove();
        win = null;
      }
      if (!win) {
        win = createWindow(form);
        windows.set(form.i, win);
      }
      const position = frame.stack.indexOf(form.i);
      win.el.style.zIndex = String(10 + Math.max(0, position));
      win.el.classList.toggle('active', frame.active === form.i);
      if (form.visible) paint(win, form, frame.active === form.i);
      win.el.hidden = !form.visible;
      if (form.visible && !win.placed) centre(win);
    }
    for (const [index, win] of windows) {
      if (!seen.has(index)) {
        win.el.remove();
        windows.delete(index);
      }
    }
  }

  function requestFrame() {
    if (frameRequested || ended) return;
    frameRequested = true;
    requestAnimationFrame(() => {
      frameRequested = false;
      if (ended) return;
      const start = performance.now();
      draw(frameNow());
      timing.draw.add(performance.now() - start);
    });
  }

  // ---- the person's input --------------------------------------------------------

  function twipsAt(win, e) {
    const rect = win.canvas.getBoundingClientRect();
    return [(e.clientX - rect.left) * TWIPS, (e.clientY - rect.top) * TWIPS];
  }

  function shiftState(e) {
    return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0);
  }

  // A press anywhere on a window that is not the active one activates it first.
  function activate(win) {
    if (!lastFrame || lastFrame.active === win.index || boxOpen) return;
    input(() => M._arcadeon_activate(win.index));
  }

  // The mouse buttons as the program counts them, by the DOM's button number.
  const BUTTONS = [1, 4, 2, 8, 16];  // left, middle, right, back, forward

  // Which command button the program draws pressed, kept where paint looks.
  function followPress(win) {
    const target = M._arcadeon_pressed(win.index);
    const was = press;
    press = target >= 0 ? { form: win.index, target, inside: true } : null;
    if ((was ? `${was.form}:${was.target}` : '') !== (press ? `${press.form}:${press.target}` : '')) requestFrame();
  }

  // Which presses and releases make a click is the program's rule; a click
  // goes to it as input.
  function pointerDown(win, e) {
    if (boxOpen || ended || !M) return;
    const [x, y] = twipsAt(win, e);
    M._arcadeon_press(win.index, x, y, BUTTONS[e.button] ?? 0);
    win.canvas.setPointerCapture(e.pointerId);
    followPress(win);
  }

  function pointerUp(win, e) {
    if (boxOpen || ended || !M) return;
    const [x, y] = twipsAt(win, e);
    input(() => M._arcadeon_release(win.index, x, y, BUTTONS[e.button] ?? 0));
    if (!boxOpen && !ended) followPress(win);
  }

  function pointerMove(win, e) {
    if (!M || ended) return;
    const [x, y] = twipsAt(win, e);
    input(() => M._arcadeon_move(win.index, x, y, e.buttons & 7, shiftState(e)));
    if (!boxOpen && !ended) followPress(win);
  }

  // The title bar moves the window; the corner resizes its client area.
  function drag(e, onMove) {
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

  function startMove(win, e) {
    if (e.button !== 0 || boxOpen) return;
    const left = win.el.offsetLeft, top = win.el.offsetTop;
    drag(e, (dx, dy) => {
      win.el.style.left = left + dx + 'px';
      win.el.style.top = Math.max(0, top + dy) + 'px';
    });
  }

  function startResize(win, e) {
    if (e.button !== 0 || boxOpen) return;
    const width = win.canvas.clientWidth, height = win.canvas.clientHeight;
    drag(e, (dx, dy) => {
      const w = Math.max(0, width + dx), h = Math.max(0, height + dy);
      input(() => M._arcadeon_resize(win.index, w * TWIPS, h * TWIPS));
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
    if (!down && e.repeat) return;  // a held key repeats its press; its release comes once
    input(() => M._arcadeon_key(down ? 1 : 0, code, shiftState(e)));
  }
  // A zoom changes the device pixel ratio: every window is drawn again at it.
  window.addEventListener('resize', () => { if (M) requestFrame(); });
  document.addEventListener('keydown', (e) => key(e, true));
  document.addEventListener('keyup', (e) => key(e, false));

  // ---- what the program asks of the page -----------------------------------------

  // A modal box over every window, with its title, prompt and OK. The waiting
  // handler goes on once it is closed (OK, Enter, Space, Escape or its close
  // button), and the page once the handler has returned.
  function messageBox(title, prompt, frameJson) {
    boxOpen = true;
    clearTimeout(wakeTimer);
    wakeTimer = 0;
    if (press) press = null;
    draw(JSON.parse(frameJson));  // what the handler changed so far shows while the box is open
    const modal = document.createElement('div');
    modal.className = 'modal';
    modal.innerHTML = '<div class="box" role="alertdialog" aria-modal="true">' +
      '<div class="titlebar"><span class="caption"></span><button type="button" class="close" title="Close">×</button></div>' +
      '<p class="prompt"></p><div class="buttons"><button type="button" class="ok">OK</button></div></div>';
    modal.querySelector('.caption').textContent = title;
    modal.querySelector('.prompt').textContent = prompt;
    const ok = modal.querySelector('.ok');
    document.body.append(modal);
    ok.focus();
    return new Promise((resolve) => {
      const close = () => {
        document.removeEventListener('keydown', keys, true);
        modal.remove();
        boxOpen = false;
        resolve();
        // the handler goes on in a microtask; once it has returned:
        setTimeout(afterCall, 0);
      };
      const keys = (e) => {
        e.preventDefault();
        e.stopPropagation();
        if (e.repeat) return;
        if (e.key === 'Enter' || e.key === ' ' || e.key === 'Escape') close();
      };
      document.addEventListener('keydown', keys, true);
      ok.addEventListener('click', close);
      modal.querySelector('.close').addEventListener('click', close);
      window.arcadeon.boxes.push({ title, prompt });
    });
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

  // For tests and tools: the program's display list, a script run by the
  // script runner on a program of its own, the boxes shown so far.
  window.arcadeon = {
    boxes: [],
    frame: () => (M ? frameNow() : null),
    shown: () => lastFrame,  // what the page shows: the display list it drew last
    runScript: (text) => withText(text, (pointer) => JSON.parse(M.UTF8ToString(M._arcadeon_run_script(pointer)))),
    ticks: () => (M ? M._arcadeon_ticks() : 0),
    stalls: () => (M ? M._arcadeon_stalls() : 0),
    hit: (formName, x, y) => {
      const form = frameNow().forms.find((f) => f.name === formName);
      return form ? M._arcadeon_hit(form.i, x, y) : -2;
    },
    picturesLoading: () => picturesLoading,
    timing,
    nextWake: () => (M ? M._arcadeon_next_wake() : -1),
    waking: () => wakeTimer !== 0,
    ended: () => ended,
  };

  window.arcadeon.ready = (async () => {
    await Promise.all(FAMILIES.map((family) => document.fonts.load(`16px "${family}"`)));
    M = await ArcadeonModule({
      page: { messageBox, changed: requestFrame, ended: programEnded },
    });
    M._arcadeon_start();
    afterCall();
  })();
})();
