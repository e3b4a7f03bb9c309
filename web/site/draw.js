// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing: the scenes the program makes (shell/scene/scene.h), decoded from
// its words and executed on a window's canvas, damaged rectangle by damaged
// rectangle.
import { program, withText } from './calls.js';

// The words the program hands over (shell/web/page_state.h, shell/scene/scene.h).
export const UPDATE_MAGIC = 0x41535531, UPDATE_HEADER = 5, WINDOW_WORDS = 8, BOX_OPEN = 2;
export const SCENE_MAGIC = 0x41534331, SCENE_HEADER = 5, ITEM_WORDS = 13;
export const FILL = 0, PICTURE = 1, TEXT = 2;
const LARGEST_KEPT = 4096;  // device pixels: a picture scaled larger is made part by part (scene::kLargestKept)
const utf8 = new TextDecoder();

// A copy of the block of words at `pointer` (its fifth word counts them
// all); null when there is none or it is not the block `magic` names.
export function wordsAt(pointer, magic) {
  if (!pointer) return null;
  const at = pointer >> 2;
  if (program.M.HEAP32[at] !== magic) return null;
  return program.M.HEAP32.slice(at, at + program.M.HEAP32[at + 4]);
}

const colourOf = (rgb) => '#' + (rgb >>> 0).toString(16).padStart(6, '0');

// A window's scene as items: fills, pictures and runs of text in drawing order.
export function sceneAt(pointer) {
  const words = wordsAt(pointer, SCENE_MAGIC);
  return words ? sceneOfWords(words) : null;
}

export function sceneOfWords(words) {
  const count = words[1];
  const bytes = new Uint8Array(words.buffer, (SCENE_HEADER + count * ITEM_WORDS) * 4);
  const items = new Array(count);
  for (let i = 0, w = SCENE_HEADER; i < count; i++, w += ITEM_WORDS) {
    const item = { kind: words[w], owner: words[w + 1], x: words[w + 2], y: words[w + 3], w: words[w + 4], h: words[w + 5],
      colour: colourOf(words[w + 6]) };
    if (item.kind === PICTURE || item.kind === TEXT) {
      const text = utf8.decode(bytes.subarray(words[w + 7], words[w + 7] + words[w + 8]));
      if (item.kind === PICTURE) {
        item.picture = text;
        item.target = { x: words[w + 9], y: words[w + 10], w: words[w + 11], h: words[w + 12] };
      } else {
        Object.assign(item, { text, at: words[w + 9], baseline: words[w + 10], face: words[w + 11] & 15,
          weight: words[w + 11] >> 4, pixels: words[w + 12] });
      }
    }
    items[i] = item;
  }
  return { width: words[2], height: words[3], items };
}

// The part of rectangle `a` inside `b`; null when they do not meet.
function within(a, b) {
  const x = Math.max(a.x, b.x), y = Math.max(a.y, b.y);
  const right = Math.min(a.x + a.w, b.x + b.w), bottom = Math.min(a.y + a.h, b.y + b.h);
  return right > x && bottom > y ? { x, y, w: right - x, h: bottom - y } : null;
}

// A picture at the device pixels it is drawn at, as the program scaled it,
// kept in a canvas of its own for every later drawing; null when there is
// nothing to draw.
const pictureCanvases = new Map();  // "name WxH" -> canvas
let picturesRatio = 0;

// The program's fonts: { family, file }, by a text item's face.
let faces = [];
export function setFaces(list) { faces = list; }

// Pictures about to be drawn at `ratio` device pixels a pixel: those kept
// at another (before a zoom) are scaled again.
export function picturesAt(ratio) {
  if (ratio === picturesRatio) return;
  pictureCanvases.clear();
  picturesRatio = ratio;
}
function pictureCanvas(name, width, height) {
  const key = `${name} ${width}x${height}`;
  if (pictureCanvases.has(key)) return pictureCanvases.get(key);
  if (pictureCanvases.size >= 64) pictureCanvases.clear();  // sizes change only with the density
  let canvas = null;
  const pointer = withText(name, (p) => program.M._arcadeon_picture(p, width, height));
  if (pointer) {
    const rgba = new Uint8ClampedArray(program.M.HEAPU8.buffer, pointer, width * height * 4).slice();
    canvas = document.createElement('canvas');
    canvas.width = width;
    canvas.height = height;
    canvas.getContext('2d').putImageData(new ImageData(rgba, width, height), 0, 0);
  }
  pictureCanvases.set(key, canvas);
  return canvas;
}

// One item, where it meets `clip`.
function drawItem(ctx, item, clip, ratio) {
  const part = within(item, clip);
  if (!part) return;
  if (item.kind === FILL) {
    ctx.fillStyle = item.colour;
    ctx.fillRect(part.x, part.y, part.w, part.h);
  } else if (item.kind === PICTURE && (item.target.w > LARGEST_KEPT || item.target.h > LARGEST_KEPT)) {
    // Too large to keep scaled whole: the part that shows, for this drawing.
    const pointer = withText(item.picture, (p) => program.M._arcadeon_picture_part(p, item.target.w, item.target.h,
      part.x - item.target.x, part.y - item.target.y, part.w, part.h));
    if (pointer) {
      const rgba = new Uint8ClampedArray(program.M.HEAPU8.buffer, pointer, part.w * part.h * 4).slice();
      const canvas = new OffscreenCanvas(part.w, part.h);
      canvas.getContext('2d').putImageData(new ImageData(rgba, part.w, part.h), 0, 0);
      ctx.drawImage(canvas, part.x, part.y);
    }
  } else if (item.kind === PICTURE) {
    const source = pictureCanvas(item.picture, item.target.w, item.target.h);
    if (source) ctx.drawImage(source, part.x - item.target.x, part.y - item.target.y, part.w, part.h, part.x, part.y, part.w, part.h);
  } else if (item.kind === TEXT) {
    ctx.save();
    ctx.beginPath();
    ctx.rect(part.x, part.y, part.w, part.h);
    ctx.clip();
    ctx.font = `${item.weight} ${item.pixels * ratio}px "${faces[item.face]?.family ?? 'sans-serif'}"`;
    ctx.fillStyle = item.colour;
    ctx.fillText(item.text, item.at, item.baseline);
    ctx.restore();
  }
}

// A window's damaged rectangles, each drawn from the items that meet it.
export function paint(win, scene, damage, ratio) {
  const ctx = win.ctx;
  ctx.setTransform(1, 0, 0, 1, 0, 0);
  for (const rect of damage) {
    ctx.save();
    ctx.beginPath();
    ctx.rect(rect.x, rect.y, rect.w, rect.h);
    ctx.clip();
    for (const item of scene.items) drawItem(ctx, item, rect, ratio);
    ctx.restore();
  }
  win.drawn.paints++;
  win.drawn.rects += damage.length;
}

// The canvas at the client area's device pixels (made at `ratio` of them a
// pixel), shown at `shownRatio` of them a pixel of the page.
export function size(win, width, height, ratio, shownRatio = ratio) {
  if (win.canvas.width === width && win.canvas.height === height && win.ratio === ratio) return;
  win.canvas.width = width;
  win.canvas.height = height;
  win.ratio = ratio;
  for (const el of [win.canvas, win.client]) {
    el.style.width = width / shownRatio + 'px';
    el.style.height = height / shownRatio + 'px';
  }
  // (a canvas resized starts its drawing state afresh) Pictures are copied
  // pixel for pixel; text is laid out by the program without kerning and,
  // as Qt does, hinted at 1 device pixel a pixel and unhinted at any other
  // density: what comes closest to the desktop's glyphs.
  win.ctx.imageSmoothingEnabled = false;
  win.ctx.fontKerning = 'none';
  win.ctx.textRendering = ratio === 1 ? 'auto' : 'geometricPrecision';
}
