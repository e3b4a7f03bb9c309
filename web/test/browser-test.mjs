// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Arcadeon's page in a real browser (headless chromium over the DevTools
// protocol), played as a person plays it: the menu as drawn (and drawn
// again only where and when it changes), Ping, the
// Invaders game and its welcome box, the Pause dialog, the recording the
// page saves (checked by arcadeon-script --verify) and the end; then every
// golden script replayed in the page against the runner's output. Then the
// page on a phone played by touch and the pad of keys, on a small laptop,
// and started again with no network.
//
//   node browser-test.mjs --site build-web --runner build/arcadeon-script
//
// Exit status 0 when every check passed, 1 when one failed, 77 when the
// browser, the page or puppeteer-core is missing (unless ARCADEON_REQUIRE_TOOLS
// is set, as `make test` does: then that is a failure).
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import { launchPage, option, repository, skipOrFail } from './page.mjs';

const site = option('--site', path.join(repository, 'build-web'));
const runner = option('--runner', path.join(repository, 'build', 'arcadeon-script'));
if (!fs.existsSync(runner)) skipOrFail(`no ${runner}`);
let axeSource;
try {
  axeSource = fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
} catch {
  skipOrFail('no axe-core (npm ci in web/)');
}

// The page of the checks below: a first one at 1280 x 1000 with a mouse, then
// others (a phone, a small laptop, a visit with no network).
let { browser, page, server, problems } = await launchPage(site, { tests: true });
const results = [];

// Runs one named check; a failure is reported and the rest go on.
async function check(name, body) {
  try {
    await body();
    results.push([name, null]);
    console.log(`ok    ${name}`);
  } catch (error) {
    results.push([name, error]);
    console.log(`FAIL  ${name}\n      ${String(error.stack || error).split('\n').join('\n      ')}`);
  }
}

// What the page shows: its windows and, by element, what each one's canvas
// drew last (device pixels, here at 1 a pixel; texts; pictures).
const frame = () => page.evaluate(() => window.arcadeon.shown());
const TWIPS = 15;
const formOf = (f, name) => f.forms.find((form) => form.name === name);
const itemOf = (form, name) => form.items.find((item) => item.n === name);

// The page rectangle of a selector's element.
const rectOf = (selector) => page.$eval(selector, (e) => {
  const r = e.getBoundingClientRect();
  return { left: r.left, top: r.top, right: r.right, bottom: r.bottom, width: r.width, height: r.height };
});

// The page point of an element's centre, by its drawn rectangle (device
// pixels) over the canvas's size on the page.
async function centreOf(formName, elementName) {
  const form = formOf(await frame(), formName);
  const item = itemOf(form, elementName);
  assert.ok(item, `${formName}.${elementName} is drawn`);
  const r = await rectOf(`[data-form="${formName}"] canvas`);
  const scale = r.width / form.w;
  return [r.left + (item.x + item.w / 2) * scale, r.top + (item.y + item.h / 2) * scale];
}

// The page point of (x, y) twips of a window's client area, shown at any scale.
async function pointAt(formName, x, y) {
  const form = formOf(await frame(), formName);
  const r = await rectOf(`[data-form="${formName}"] canvas`);
  return [r.left + x * r.width / (form.w / form.ratio * TWIPS), r.top + y * r.height / (form.h / form.ratio * TWIPS)];
}

async function waitFor(what, predicate, timeout = 5000) {
  const end = Date.now() + timeout;
  for (;;) {
    const f = await frame();
    if (predicate(f)) return f;
    if (Date.now() > end) {
      const shown = f.forms.map((form) => `${form.name}${form.visible ? '' : ' (hidden)'}`).join(', ');
      throw new Error(`timed out waiting for ${what}: ${shown}${f.box ? ', a message box open' : ''}; active ${f.active}`);
    }
    await new Promise((resolve) => setTimeout(resolve, 20));
  }
}

// Alt+M on the Pause dialog (Quit to Menu): back at the menu, `game` unloaded.
async function quitToMenuByKeys(game) {
  await page.keyboard.down('Alt');
  await page.keyboard.press('KeyM');
  await page.keyboard.up('Alt');
  await waitFor('the menu', (f) => formOf(f, 'frmMenu').visible && !formOf(f, game));
}

// ---- a walk through every window, with axe-core --------------------------------

// What axe-core finds against the page as it stands: one line a violation,
// its rule and the elements it found.
async function axeViolations() {
  if (!await page.evaluate(() => 'axe' in window)) await page.addScriptTag({ content: axeSource });
  return page.evaluate(async () => (await window.axe.run(document, { resultTypes: ['violations'] })).violations
    .map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`));
}

// The page's own controls shown now that are smaller than a finger's 44 x 44 pixels.
const smallControls = () => page.$$eval('#bar a, #bar button, #pad button, .window:not([hidden]) .close, .modal button', (all) =>
  all.filter((c) => c.checkVisibility()).map((c) => [c.id || c.className || c.textContent, c.getBoundingClientRect()])
    .filter(([, r]) => r.width < 44 || r.height < 44).map(([name, r]) => `${name} ${r.width} x ${r.height}`));

// The names of the pad's keys shown now.
const padKeys = () => page.$$eval('#pad button', (keys) => keys.filter((k) => k.checkVisibility())
  .map((k) => k.getAttribute('aria-label') ?? k.textContent));

// Whether two page rectangles meet.
const meet = (a, b) => a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;

// Every window a person meets, and a message box, as the person opens them
// with `how.press(form, element)`, `how.escape()` and `how.ok()`: each
// checked by axe-core as it stands. On a touch screen (`how.touch`): the
// Pause dialog beside each game at its own size, every control of the
// page's own a finger's size, the pad showing the keys of the window in
// front only, and neither the pad nor the bar over a game or out of the
// page. Returns the violations by where they were found, and the size of
// each game's client area on the page.
async function walk(how) {
  const violations = {}, sizes = {};
  const viewport = page.viewport();
  const scan = async (what, keys = ['Escape']) => {
    const found = await axeViolations();
    if (found.length > 0) violations[what] = found;
    if (!how.touch) return;
    assert.deepEqual(await smallControls(), [], `${what}: controls a finger cannot hit`);
    assert.deepEqual(await padKeys(), keys, `${what}: the pad's keys`);
  };
  const play = async (name, what, keys) => {
    await waitFor(what, (f) => !f.box && formOf(f, name)?.visible && !formOf(f, 'frmMenu').visible);
    await scan(what, keys);
    const client = await rectOf(`[data-form="${name}"] canvas`);
    sizes[what] = [Math.round(client.width), Math.round(client.height)];
    if (how.touch) {
      const win = await rectOf(`[data-form="${name}"]`);
      assert.ok(win.left >= 0 && win.top >= 0 && win.right <= viewport.width && win.bottom <= viewport.height, `${what} in the page`);
      for (const part of ['#pad', '#bar']) assert.ok(!meet(win, await rectOf(part)), `${what} clear of ${part}`);
    }
    await how.escape();
    await waitFor('the Pause dialog', (f) => formOf(f, 'frmPause')?.visible && f.active === formOf(f, 'frmPause').i);
    await scan(`the Pause dialog beside ${what}`);
    if (how.touch) {
      assert.deepEqual(await page.$eval('[data-form="frmPause"] canvas', (c) => [c.clientWidth, c.clientHeight]), [143, 157],
        `the Pause dialog beside ${what} at its own size`);
    }
    await how.press('frmPause', 'cmdQuittoMenu');
    await waitFor('the menu', (f) => formOf(f, 'frmMenu').visible && !formOf(f, name));
  };
  await waitFor('the menu', (f) => formOf(f, 'frmMenu')?.visible && f.active === formOf(f, 'frmMenu').i);
  await scan('the menu');
  await how.press('frmMenu', 'imgPing');
  await waitFor('the Difficulty dialog', (f) => formOf(f, 'frmDifficulty')?.visible);
  await scan('the Difficulty dialog');
  await how.press('frmDifficulty', 'cmdPlay');
  await play('frmPing', 'Ping');
  await how.press('frmMenu', 'lblFrog');
  await play('frmFroggy', 'Froggy', ['Escape', 'Up', 'Left', 'Down', 'Right']);
  await how.press('frmMenu', 'lblInvaders');
  await page.waitForSelector('.modal .ok');
  await scan('the welcome box');
  await how.ok();
  await play('frmInvaders', 'Invaders');
  return { violations, sizes };
}

// The page position of a point in twips of a window's client area.
async function at(formName, x, y) {
  const box = await page.$eval(`[data-form="${formName}"] canvas`, (c) => {
    const r = c.getBoundingClientRect();
    return { left: r.left, top: r.top };
  });
  return [box.left + x / 15, box.top + y / 15];
}

async function clickElement(formName, elementName) {
  const item = itemOf(formOf(await frame(), formName), elementName);
  assert.ok(item, `${formName}.${elementName} is drawn`);
  const [x, y] = await at(formName, (item.x + item.w / 2) * TWIPS, (item.y + item.h / 2) * TWIPS);
  await page.mouse.click(x, y);
}

// Every drawing call on each window's canvas, counted by window: what the
// page draws, and when it draws nothing.
async function countDrawing() {
  await page.evaluate(() => {
    window.drawingCalls = {};
    const proto = CanvasRenderingContext2D.prototype;
    for (const name of ['fillRect', 'drawImage', 'fillText', 'putImageData', 'clearRect', 'fill', 'stroke', 'strokeRect']) {
      const original = proto[name];
      proto[name] = function (...args) {
        const form = this.canvas.closest?.('[data-form]')?.dataset.form;
        if (form) window.drawingCalls[form] = (window.drawingCalls[form] ?? 0) + 1;
        return original.apply(this, args);
      };
    }
  });
}
const drawingCalls = (formName) => page.evaluate((name) => window.drawingCalls[name] ?? 0, formName);
const settle = (ms = 200) => new Promise((resolve) => setTimeout(resolve, ms));

// A canvas pixel as [r, g, b].
const pixel = (formName, x, y) => page.$eval(`[data-form="${formName}"] canvas`, (c, x, y) =>
  Array.from(c.getContext('2d').getImageData(x, y, 1, 1).data.slice(0, 3)), x, y);

// A picture file's size and its pixels at `points` ([x, y] each), as [r, g, b]:
// decoded by the browser on its own, apart from the page.
const picturePixels = (file, points) => page.evaluate(async (base64, type, points) => {
  const bytes = Uint8Array.from(atob(base64), (ch) => ch.charCodeAt(0));
  const bitmap = await createImageBitmap(new Blob([bytes], { type }), { colorSpaceConversion: 'none' });
  const ctx = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
  ctx.drawImage(bitmap, 0, 0);
  const data = ctx.getImageData(0, 0, bitmap.width, bitmap.height).data;
  const at = ([x, y]) => Array.from(data.slice((y * bitmap.width + x) * 4, (y * bitmap.width + x) * 4 + 3));
  return { width: bitmap.width, height: bitmap.height, pixels: points.map(at) };
}, fs.readFileSync(file).toString('base64'), file.endsWith('.png') ? 'image/png' : 'image/bmp', points);

await check('the menu opens centred, 657 x 753 pixels at ratio 1, drawn in its colours and pictures', async () => {
  const f = await waitFor('the menu', (f) => formOf(f, 'frmMenu')?.visible);
  assert.equal(f.active, formOf(f, 'frmMenu').i);
  await page.waitForFunction(() => window.arcadeon.picturesLoading() === 0);
  await new Promise((resolve) => setTimeout(resolve, 100));  // drawn with every picture
  const size = await page.$eval('[data-form="frmMenu"] canvas', (c) =>
    [c.clientWidth, c.clientHeight, c.width, c.height]);
  assert.deepEqual(size, [657, 753, 657, 753]);
  const caption = await page.$eval('[data-form="frmMenu"] .caption', (e) => e.textContent);
  assert.equal(caption, 'Menu');
  // The page declares the program's font table and nothing else: each face
  // loaded from its file before the menu was drawn.
  const fonts = await page.evaluate(() => [...document.fonts].map((face) => `${face.family.replaceAll('"', '')} ${face.status}`));
  assert.deepEqual(fonts.sort(), ['Arcadeon Blackletter loaded', 'Arcadeon Heavy loaded',
    'Arcadeon Sans loaded', 'Arcadeon Technical loaded']);
  assert.deepEqual(await pixel('frmMenu', 4, 4), [0, 0, 0], 'the background, button text colour');
  // The game names in red, the title in white: some pixels of each.
  const menu = formOf(f, 'frmMenu');
  const colours = async (name) => {
    const item = itemOf(menu, name);
    return page.$eval('[data-form="frmMenu"] canvas', (c, x, y, w, h) => {
      const d = c.getContext('2d').getImageData(x, y, w, h).data;
      const seen = new Set();
      for (let i = 0; i < d.length; i += 4) seen.add(`${d[i]},${d[i + 1]},${d[i + 2]}`);
      return [...seen];
    }, item.x, item.y, item.w, item.h);
  };
  assert.ok((await colours('lblPing')).includes('255,0,0'), 'Ping in red');
  assert.ok((await colours('lblTitle')).includes('255,255,255'), 'the title in white');
  // Each picture stretched over its element's rectangle: on a grid of points
  // the canvas shows, near enough, the picture's pixel that falls there.
  for (const name of ['imgFroggy', 'imgPing', 'imgInvaders']) {
    const [picture] = itemOf(menu, name).pictures;
    const file = path.join(repository, 'assets', picture.name);
    const { width: sourceWidth, height: sourceHeight } = await picturePixels(file, []);
    const { x: left, y: top, w: width, h: height } = picture;
    const targets = [], sources = [];
    for (let i = 0; i < 10; i++) {
      for (let j = 0; j < 10; j++) {
        const tx = Math.floor((i + 0.5) * width / 10), ty = Math.floor((j + 0.5) * height / 10);
        targets.push([tx, ty]);
        sources.push([Math.floor((tx + 0.5) * sourceWidth / width), Math.floor((ty + 0.5) * sourceHeight / height)]);
      }
    }
    const { pixels } = await picturePixels(file, sources);
    let difference = 0, count = 0;
    for (const [k, [tx, ty]] of targets.entries()) {
      const shown = await pixel('frmMenu', left + tx, top + ty);
      shown.forEach((v, c) => { difference += Math.abs(v - pixels[k][c]); count++; });
    }
    assert.ok(difference / count < 24, `${name}: mean difference ${difference / count}`);
  }
  // Centred in the page's desktop area (above its bar), or at its top when taller.
  const [left, area] = await page.evaluate(() => [
    document.querySelector('[data-form="frmMenu"]').getBoundingClientRect(),
    document.getElementById('desktop').getBoundingClientRect()].map((r) => ({ l: r.left, w: r.width })));
  assert.ok(Math.abs(left.l - area.l - (area.w - left.w) / 2) <= 1, 'centred across');
});

await check('the idle menu is drawn once: pointer moves over it draw nothing', async () => {
  await countDrawing();
  assert.deepEqual(formOf(await frame(), 'frmMenu').drawn, { paints: 1, rects: 1 }, 'drawn whole, once');
  const [x, y] = await at('frmMenu', 150 * TWIPS, 100 * TWIPS);
  for (let i = 0; i < 30; i++) await page.mouse.move(x + 10 * i, y + 7 * i);
  await settle();
  assert.equal(await drawingCalls('frmMenu'), 0, 'no drawing call');
  assert.deepEqual(formOf(await frame(), 'frmMenu').drawn, { paints: 1, rects: 1 });
});

await check('a new device pixel ratio (a zoom) draws every window again, whole, at it', async () => {
  const sized = () => page.$eval('[data-form="frmMenu"] canvas', (c) => [c.width, c.height, c.clientWidth, c.clientHeight]);
  try {
    // a zoom: twice the device pixels a pixel, fewer pixels across (still
    // room for the menu at its size: a smaller page scales it down to fit)
    await page.setViewport({ width: 1000, height: 900, deviceScaleFactor: 2 });
    await page.waitForFunction(() => document.querySelector('[data-form="frmMenu"] canvas').width === 1314, { timeout: 5000 });
    await settle();
    assert.deepEqual(await sized(), [1314, 1506, 657, 753]);
    assert.deepEqual(await pixel('frmMenu', 8, 8), [0, 0, 0]);
    const twice = formOf(await frame(), 'frmMenu');
    assert.deepEqual([twice.ratio, twice.drawn], [2, { paints: 2, rects: 2 }]);
  } finally {
    await page.setViewport({ width: 1280, height: 1000, deviceScaleFactor: 1 });
    await page.waitForFunction(() => document.querySelector('[data-form="frmMenu"] canvas').width === 657, { timeout: 5000 });
  }
  await settle();
  assert.deepEqual(await sized(), [657, 753, 657, 753]);
  assert.deepEqual(formOf(await frame(), 'frmMenu').drawn, { paints: 3, rects: 3 });
});

await check('the Ping name opens Ping and hides the menu; GO and the mouse play it', async () => {
  await clickElement('frmMenu', 'lblPing');
  let f = await waitFor('Ping', (f) => formOf(f, 'frmPing')?.visible && !formOf(f, 'frmMenu').visible);
  assert.equal(f.active, formOf(f, 'frmPing').i);
  assert.equal(await page.$eval('[data-form="frmMenu"]', (e) => e.hidden), true);
  assert.deepEqual(await page.$eval('[data-form="frmPing"] canvas', (c) => [c.clientWidth, c.clientHeight]), [976, 637]);
  const ball = itemOf(formOf(f, 'frmPing'), 'shpBlue');
  await clickElement('frmPing', 'lblGo');
  f = await waitFor('PAUSE', (f) => itemOf(formOf(f, 'frmPing'), 'lblGo').text === 'PAUSE');
  const ticks = await page.evaluate(() => window.arcadeon.ticks());
  // The paddle follows the pointer across the field.
  for (const x of [3000, 6000, 9000, 7000]) {
    const [px, py] = await at('frmPing', x, 8000);
    await page.mouse.move(px, py);
    await new Promise((resolve) => setTimeout(resolve, 150));
    const paddle = itemOf(formOf(await frame(), 'frmPing'), 'shpRed');
    assert.ok(Math.abs((paddle.x + paddle.w / 2) * TWIPS - x) <= 15, `paddle centred on ${x}: ${paddle.x} + ${paddle.w}/2`);
  }
  f = await frame();
  const moved = itemOf(formOf(f, 'frmPing'), 'shpBlue');
  assert.ok(moved.x !== ball.x || moved.y !== ball.y, 'the ball moves');
  await page.waitForFunction((n) => window.arcadeon.ticks() > n, { timeout: 5000 }, ticks + 20);  // the timer ticks
});

await check('Escape opens the Pause dialog; Quit to Menu brings back the menu', async () => {
  await page.keyboard.press('Escape');
  let f = await waitFor('the Pause dialog', (f) => formOf(f, 'frmPause')?.visible);
  assert.equal(f.active, formOf(f, 'frmPause').i);
  assert.equal(itemOf(formOf(f, 'frmPing'), 'lblGo').text, 'GO');
  assert.equal(formOf(f, 'frmPause').focus, 'cmdQuit', 'the focus starts on Quit');
  // Tab and Shift+Tab move the focus along the tab order.
  await page.keyboard.press('Tab');
  await waitFor('the focus on Quit to Menu', (f) => formOf(f, 'frmPause').focus === 'cmdQuittoMenu');
  await page.keyboard.down('Shift');
  await page.keyboard.press('Tab');
  await page.keyboard.up('Shift');
  await waitFor('the focus back on Quit', (f) => formOf(f, 'frmPause').focus === 'cmdQuit');
  // A click on a window's title bar brings it to the front and activates it;
  // a drag of the title bar moves it.
  const titleBar = async (name) => page.$eval(`[data-form="${name}"] .caption`, (e) => {
    const r = e.getBoundingClientRect();
    return [r.left + 10, r.top + r.height / 2];
  });
  const zOrder = () => page.$$eval('.window:not([hidden])', (w) =>
    w.sort((a, b) => Number(a.style.zIndex) - Number(b.style.zIndex)).map((e) => e.dataset.form));
  const [x, y] = await titleBar('frmPause');
  const before = await page.$eval('[data-form="frmPause"]', (e) => [e.offsetLeft, e.offsetTop]);
  await page.mouse.move(x, y);
  await page.mouse.down();
  await page.mouse.move(x + 40, y + 25, { steps: 4 });
  await page.mouse.up();
  assert.deepEqual(await page.$eval('[data-form="frmPause"]', (e) => [e.offsetLeft, e.offsetTop]), [before[0] + 40, before[1] + 25]);
  await page.mouse.click(...await titleBar('frmPing'));
  f = await waitFor('Ping active', (f) => f.active === formOf(f, 'frmPing').i);
  assert.deepEqual(await zOrder(), ['frmPause', 'frmPing']);
  // Ping runs again beside the dialog: the dialog, which does not change, is not drawn again.
  await clickElement('frmPing', 'lblGo');
  await waitFor('PAUSE', (f) => itemOf(formOf(f, 'frmPing'), 'lblGo').text === 'PAUSE');
  await settle();
  const [pause, ping] = [await drawingCalls('frmPause'), await drawingCalls('frmPing')];
  const drawn = formOf(await frame(), 'frmPause').drawn;
  await settle(600);
  assert.equal(await drawingCalls('frmPause'), pause, 'the dialog beside the game is not drawn');
  assert.deepEqual(formOf(await frame(), 'frmPause').drawn, drawn);
  assert.ok(await drawingCalls('frmPing') > ping, 'the game is');
  // Escape again in Ping shows the dialog, in front once more.
  await page.keyboard.press('Escape');
  f = await waitFor('the Pause dialog active', (f) => f.active === formOf(f, 'frmPause').i);
  assert.deepEqual(await zOrder(), ['frmPing', 'frmPause']);
  await clickElement('frmPause', 'cmdQuittoMenu');
  f = await waitFor('the menu', (f) => formOf(f, 'frmMenu').visible && !formOf(f, 'frmPing'));
  assert.equal(formOf(f, 'frmPause').visible, false);
});

await check('Invaders: its welcome box withholds the timers until OK; a click fires', async () => {
  await clickElement('frmMenu', 'lblInvaders');
  await page.waitForSelector('.modal .ok');
  const box = await page.$eval('.modal', (m) => [m.querySelector('.caption').textContent, m.querySelector('.prompt').textContent]);
  assert.deepEqual(box, ['Welcome!', 'Welcome to Vavod Uvavovirovu Divadazo!!!']);
  // While the box is open no handler runs: no tick, and no input reaches a window.
  const before = await page.evaluate(() => window.arcadeon.ticks());
  await clickElement('frmMenu', 'lblPing');
  await new Promise((resolve) => setTimeout(resolve, 300));
  assert.equal(await page.evaluate(() => window.arcadeon.ticks()), before, 'no tick while the box is open');
  let f = await frame();
  assert.equal(f.box, true);
  assert.equal(formOf(f, 'frmPing'), undefined, 'a click on the menu did nothing');
  await page.click('.modal .ok');
  f = await waitFor('the Invaders window', (f) => !f.box && formOf(f, 'frmInvaders')?.visible && !formOf(f, 'frmMenu').visible);
  // the timers go on once it is closed, one boundary after another
  await page.waitForFunction((n) => window.arcadeon.ticks() > n, { timeout: 5000 }, before + 20);
  // The ship follows the pointer; a click on the field fires one shot.
  const field = [5900, 5000];
  assert.equal(await page.evaluate(([x, y]) => window.arcadeon.hit('frmInvaders', x, y), field), -1, 'the point is on the window itself');
  const [px, py] = await at('frmInvaders', ...field);
  await page.mouse.move(px, py);
  await page.mouse.click(px, py);
  f = await waitFor('the shot', (f) => itemOf(formOf(f, 'frmInvaders'), 'shpBullet'));
  const ship = itemOf(formOf(f, 'frmInvaders'), 'imgShip');
  assert.ok(Math.abs((ship.x + ship.w / 2) * TWIPS - field[0]) <= 15, 'the ship under the pointer');
});

await check('Escape and Quit to Menu from Invaders', async () => {
  await page.keyboard.press('Escape');
  await waitFor('the Pause dialog', (f) => formOf(f, 'frmPause')?.visible);
  await clickElement('frmPause', 'cmdQuittoMenu');
  await waitFor('the menu', (f) => formOf(f, 'frmMenu').visible && !formOf(f, 'frmInvaders'));
});

await check('no chord and no window gone under a held button leaves a press held: the name "Ping" still opens Ping', async () => {
  // Over the menu: left down, right down, left up, right up (the browser
  // tells of the right button and of the left one let go in moves).
  const background = [150 * TWIPS, 100 * TWIPS];
  assert.equal(await page.evaluate(([x, y]) => window.arcadeon.hit('frmMenu', x, y), background), -1, 'the menu itself');
  await page.mouse.move(...await at('frmMenu', ...background));
  await page.mouse.down({ button: 'left' });
  await page.mouse.down({ button: 'right' });
  await page.mouse.up({ button: 'left' });
  await page.mouse.up({ button: 'right' });
  await clickElement('frmMenu', 'lblPing');
  await waitFor('Ping after the chord', (f) => formOf(f, 'frmPing')?.visible);
  // Pressed in Ping; Escape and Alt+M (Quit to Menu) unload it under the
  // held button; let go over the menu.
  await page.mouse.move(...await at('frmPing', 7000, 5000));
  await page.mouse.down();
  await page.keyboard.press('Escape');
  await waitFor('the Pause dialog', (f) => formOf(f, 'frmPause')?.visible);
  await quitToMenuByKeys('frmPing');
  const name = itemOf(formOf(await frame(), 'frmMenu'), 'lblPing');
  await page.mouse.move(...await at('frmMenu', (name.x + name.w / 2) * TWIPS, (name.y + name.h / 2) * TWIPS));
  await page.mouse.up();
  await settle();
  assert.equal(formOf(await frame(), 'frmPing'), undefined, 'the release over the menu clicked nothing');
  await clickElement('frmMenu', 'lblPing');
  await waitFor('Ping after the window went away', (f) => formOf(f, 'frmPing')?.visible);
  await page.keyboard.press('Escape');
  await waitFor('the Pause dialog', (f) => formOf(f, 'frmPause')?.visible);
  await clickElement('frmPause', 'cmdQuittoMenu');
  await waitFor('the menu', (f) => formOf(f, 'frmMenu').visible && !formOf(f, 'frmPing'));
});

await check('Froggy: arrow keys step the frog; a hidden tab gets no tick, and one stall on its return', async () => {
  await clickElement('frmMenu', 'lblFrog');
  let f = await waitFor('Froggy', (f) => formOf(f, 'frmFroggy')?.visible);
  const frog = itemOf(formOf(f, 'frmFroggy'), 'imgFroggy');
  await page.keyboard.press('ArrowLeft');
  await page.keyboard.press('ArrowLeft');
  f = await waitFor('the frog to step', (f) => Math.abs(itemOf(formOf(f, 'frmFroggy'), 'imgFroggy').x - (frog.x - 100 / TWIPS)) <= 0.5);
  // The corner resizes the client area: the window's scale follows.
  const grip = await page.$eval('[data-form="frmFroggy"] .grip', (e) => {
    const r = e.getBoundingClientRect();
    return [r.left + r.width / 2, r.top + r.height / 2];
  });
  await page.mouse.move(...grip);
  await page.mouse.down();
  await page.mouse.move(grip[0] - 50, grip[1] - 30, { steps: 5 });
  await page.mouse.up();
  f = await waitFor('the new size', (f) => formOf(f, 'frmFroggy').w === 676 - 50);
  assert.equal(formOf(f, 'frmFroggy').h, 481 - 30);
  assert.deepEqual(await page.$eval('[data-form="frmFroggy"] canvas', (c) => [c.clientWidth, c.clientHeight]), [626, 451]);
  // The tab goes to the background: no wake-up, no tick, however long.
  const visibility = (hidden) => page.evaluate((hidden) => {
    Object.defineProperty(document, 'hidden', { configurable: true, get: () => hidden });
    document.dispatchEvent(new Event('visibilitychange'));
    return [window.arcadeon.ticks(), window.arcadeon.stalls()];
  }, hidden);
  const [ticks, stalls] = await visibility(true);
  await new Promise((resolve) => setTimeout(resolve, 400));
  assert.equal(await page.evaluate(() => window.arcadeon.ticks()), ticks, 'no tick while hidden');
  // Back in front: the time missed passes as one stall, one tick for the one timer.
  const [after, stallsAfter] = await visibility(false);
  assert.deepEqual([after - ticks, stallsAfter - stalls], [1, 1]);
});

await check('Escape in Froggy opens the Pause dialog on its release; Alt+M is Quit to Menu', async () => {
  await page.keyboard.down('Escape');
  await new Promise((resolve) => setTimeout(resolve, 100));
  assert.equal(formOf(await frame(), 'frmPause').visible, false, 'not on the press');
  await page.keyboard.up('Escape');
  await waitFor('the Pause dialog', (f) => formOf(f, 'frmPause')?.visible);
  await quitToMenuByKeys('frmFroggy');
});

// What the browser's accessibility tree shows of the window captioned
// `caption`: its nodes, depth first.
async function accessibleOf(caption) {
  const tree = await page.accessibility.snapshot({ interestingOnly: false });
  const find = (node) => (node.role === 'group' && node.name === caption ? node : (node.children ?? []).map(find).find(Boolean));
  const group = find(tree);
  if (!group) throw new Error(`no accessible window ${caption}`);
  const flat = [];
  const walk = (node) => { flat.push(node); (node.children ?? []).forEach(walk); };
  (group.children ?? []).forEach(walk);
  return flat.filter((n) => n.role !== 'InlineTextBox');
}

// Activates the element of that accessible name in a window as a screen reader does.
async function pressAccessible(caption, name) {
  const handle = await page.$(`[data-form] .assistive[aria-label="${caption}"] ::-p-aria(${JSON.stringify(name).slice(1, -1)})`);
  if (!handle) throw new Error(`no accessible ${name} in ${caption}`);
  await handle.evaluate((node) => node.click());
  await settle();
}

await check('the accessibility tree shows each window\'s buttons, options and texts; presses open Ping', async () => {
  const roles = (nodes) => nodes.filter((n) => n.role !== 'StaticText' || !nodes.some((o) => o !== n && o.name === n.name && o.role !== 'StaticText'))
    .map((n) => `${n.role} ${n.name}`);
  const menu = roles(await accessibleOf('Menu'));
  for (const name of ['Froggy', 'Ping', 'Vavod Uvavovirovu Divadazo', 'Ping (Difficulty first)']) {
    assert.ok(menu.includes(`button ${name}`), `the menu's ${name}: ${menu}`);
  }
  await page.keyboard.press('Escape');
  await waitFor('the Pause dialog', (f) => formOf(f, 'frmPause')?.visible);
  const pause = (await accessibleOf('Pause')).filter((n) => n.role === 'button');
  assert.deepEqual(pause.map((n) => [n.name, n.keyshortcuts]),
    [['Resume', 'Alt+R'], ['Quit to Menu', 'Alt+M'], ['Quit', 'Alt+Q']]);
  await pressAccessible('Pause', 'Quit to Menu');
  await waitFor('the menu', (f) => formOf(f, 'frmMenu').visible && !formOf(f, 'frmPause').visible);
  await pressAccessible('Menu', 'Ping (Difficulty first)');
  await waitFor('the Difficulty dialog', (f) => formOf(f, 'frmDifficulty')?.visible);
  const radios = async () => (await accessibleOf('Difficulty')).filter((n) => n.role === 'radio').map((n) => [n.name, n.checked]);
  assert.deepEqual(await radios(), [['Hard', false], ['Normal', false], ['Easy', true]]);
  await pressAccessible('Difficulty', 'Normal');
  assert.deepEqual(await radios(), [['Hard', false], ['Normal', true], ['Easy', false]]);
  await pressAccessible('Difficulty', 'Play!');
  await waitFor('Ping', (f) => formOf(f, 'frmPing')?.visible);
  const ping = (await accessibleOf('Ping')).map((n) => n.name);
  for (const caption of ['HITS= 0', 'LOSSES= 0', 'HIGH SCORE= 0', 'GO']) assert.ok(ping.includes(caption), `Ping's ${caption}: ${ping}`);
  await page.keyboard.press('Escape');
  await waitFor('the Pause dialog', (f) => formOf(f, 'frmPause')?.visible);
  await pressAccessible('Pause', 'Quit to Menu');
  await waitFor('the menu', (f) => formOf(f, 'frmMenu').visible && !formOf(f, 'frmPing'));
  await pressAccessible('Menu', 'Ping');
  await waitFor('Ping opened by the Ping entry', (f) => formOf(f, 'frmPing')?.visible && !formOf(f, 'frmMenu').visible);
  await page.keyboard.press('Escape');
  await waitFor('the Pause dialog', (f) => formOf(f, 'frmPause')?.visible);
  await pressAccessible('Pause', 'Quit to Menu');
  await waitFor('the menu', (f) => formOf(f, 'frmMenu').visible && formOf(f, 'frmMenu').i === f.active);
});

await check('axe-core finds no violation on the menu, the dialogs, each game and a message box', async () => {
  const { violations } = await walk({
    press: clickElement, escape: () => page.keyboard.press('Escape'), ok: () => page.click('.modal .ok'),
  });
  assert.deepEqual(violations, {});
});

await check('the saved recording replays to the same state (arcadeon-script --verify)', async () => {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'arcadeon-download-'));
  try {
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
    await page.click('#save');
    const file = path.join(folder, 'arcadeon-recording.script');
    const end = Date.now() + 10000;
    while (!fs.existsSync(file)) {
      if (Date.now() > end) throw new Error('no recording was saved');
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
    const text = fs.readFileSync(file, 'utf8');
    assert.match(text, /^click frmMenu /m, 'the clicks are in it');
    assert.match(text, /^ok$/m, 'the box closed with OK is in it');
    const verify = spawnSync(runner, ['--verify', file], { encoding: 'utf8' });
    assert.equal(verify.status, 0, `--verify: ${verify.stdout}${verify.stderr}`);
    assert.match(verify.stdout, /^recording verified: \d+ values$/m);
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
});

await check('Quit ends the program: the page says so; a key is the character it types, whatever the layout', async () => {
  await page.keyboard.press('Escape');
  await waitFor('the Pause dialog', (f) => formOf(f, 'frmPause')?.visible);
  // A French keyboard: the key printed A sits where a US keyboard has Q,
  // and the key printed Q where it has A. Alt with the one printed A is no
  // access key of the dialog; Alt with the one printed Q is Quit's.
  const frenchAlt = (key, code) => page.evaluate(([key, code]) => {
    for (const type of ['keydown', 'keyup']) document.dispatchEvent(new KeyboardEvent(type, { key, code, altKey: true, bubbles: true }));
  }, [key, code]);
  await frenchAlt('a', 'KeyQ');
  await new Promise((resolve) => setTimeout(resolve, 200));
  assert.equal(await page.evaluate(() => window.arcadeon.ended()), false, 'Alt with the key printed A');
  assert.equal(formOf(await frame(), 'frmPause').visible, true);
  await frenchAlt('q', 'KeyA');
  await page.waitForFunction(() => window.arcadeon.ended());
  const text = await page.$eval('#ended', (e) => (e.hidden ? '' : e.textContent.trim()));
  assert.equal(text, 'Arcadeon has ended — reload to play again');
  assert.equal(await page.$$eval('.window', (w) => w.length), 0);
});

await check('every golden script prints in the page what it prints with arcadeon-script', async () => {
  const golden = path.join(repository, 'tests', 'golden');
  const scripts = fs.readdirSync(golden).filter((name) => name.endsWith('.script')).sort();
  assert.ok(scripts.length > 0);
  for (const name of scripts) {
    const text = fs.readFileSync(path.join(golden, name), 'utf8');
    const inPage = await page.evaluate((t) => window.arcadeon.runScript(t), text);
    const native = spawnSync(runner, [path.join(golden, name)], { encoding: 'utf8' });
    assert.equal(inPage.out, native.stdout, `${name}: standard output`);
    assert.equal(inPage.err, native.stderr, `${name}: standard error`);
    assert.equal(inPage.status, native.status, `${name}: exit status`);
    assert.equal(inPage.out, fs.readFileSync(path.join(golden, name.replace(/\.script$/, '.out')), 'utf8'), `${name}: golden output`);
  }
});

await check('the page reported no script error', async () => {
  assert.deepEqual(problems, []);
});

await browser.close();
server.close();

// ---- a phone: touch, no keyboard, a narrow page ----------------------------------

({ browser, page, server, problems } = await launchPage(site, { width: 390, height: 844, ratio: 2, touch: true }));
let VIEWPORT = { width: 390, height: 844 };

await check('the page\'s own program links no script runner: the exports only the tests use are in their build alone', async () => {
  assert.equal(await page.evaluate(() => window.arcadeon.testExports()), false);
  const sizes = ['arcadeon.wasm', 'arcadeon-tests.wasm'].map((name) => fs.statSync(path.join(site, name)).size);
  assert.ok(sizes[0] < sizes[1], `the page's program (${sizes[0]} bytes) is smaller than the tests' (${sizes[1]})`);
});


async function assertFits(formName, viewport) {
  const r = await rectOf(`[data-form="${formName}"]`);
  assert.ok(r.left >= 0 && r.top >= 0 && r.right <= viewport.width && r.bottom <= viewport.height,
    `${formName} inside ${viewport.width} x ${viewport.height}: ${JSON.stringify(r)}`);
}

const tap = async (formName, elementName) => page.touchscreen.tap(...await centreOf(formName, elementName));
const tapKey = async (name) => (await page.$(`::-p-aria(${name})`)).tap();

// A finger drawn from one point to another in `steps` moves, and held
// there a moment before it is lifted (lifted moving, it would fling, and
// the browser takes the next tap as the fling's stop, not as a tap).
async function swipe([x0, y0], [x1, y1], steps = 10) {
  await page.touchscreen.touchStart(x0, y0);
  for (let i = 1; i <= steps; i++) await page.touchscreen.touchMove(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
  await settle(150);
  await page.touchscreen.touchEnd();
}

// A 300-pixel drag across a window's client area and across its title bar:
// the page stays where it is (no history swipe, no scroll, no zoom).
async function assertSwipeStays(formName) {
  const before = await page.evaluate(() => [location.href, history.length, window.scrollX, window.scrollY, visualViewport.scale]);
  const client = await rectOf(`[data-form="${formName}"] canvas`);
  const y = client.top + client.height / 2;
  await swipe([Math.max(2, client.left + 2), y], [Math.max(2, client.left + 2) + 300, y]);
  const bar = await rectOf(`[data-form="${formName}"] .caption`);
  const left = await rectOf(`[data-form="${formName}"]`);
  await swipe([bar.left + 4, bar.top + bar.height / 2], [bar.left + 304, bar.top + bar.height / 2]);
  await settle(300);
  assert.deepEqual(await page.evaluate(() => [location.href, history.length, window.scrollX, window.scrollY, visualViewport.scale]), before,
    `${formName}: the page did not move or navigate`);
  assert.ok(await page.evaluate(() => window.arcadeon.shown() !== null), 'the program is still there');
  // the title bar followed the finger, as far as the page allows
  const moved = await rectOf(`[data-form="${formName}"]`);
  assert.ok(moved.left > left.left || moved.right >= VIEWPORT.width - 1, `${formName} moved by its title bar`);
  await assertFits(formName, VIEWPORT);
}

await check('on a phone the pad of keys shows, each key a button with its name; over the menu, Escape alone', async () => {
  const keys = await page.$$eval('#pad > *', (keys) => keys.map((k) => [k.tagName, k.getAttribute('aria-label') ?? k.textContent]));
  assert.deepEqual(keys, [['BUTTON', 'Escape'], ['BUTTON', 'Up'], ['BUTTON', 'Left'], ['BUTTON', 'Down'], ['BUTTON', 'Right']]);
  assert.deepEqual(await padKeys(), ['Escape']);
});

// A person's taps: on an element of a window, on the pad's Escape, on a box's OK.
const byFinger = { press: (form, element) => tap(form, element), escape: () => tapKey('Escape'),
  ok: async () => (await page.$('.modal .ok')).tap(), touch: true };

await check('on a phone axe-core finds no violation; the Pause dialog beside each game is at its own size; the page\'s controls take a finger', async () => {
  await page.waitForFunction(() => window.arcadeon.picturesLoading() === 0);
  const { violations, sizes } = await walk(byFinger);
  assert.deepEqual(violations, {});
  assert.equal(sizes.Ping[0], 382, 'Ping as wide as the page, its frame aside');
});

await check('on a phone every window the menu shows fits the page; Ping is started by taps and played by a finger', async () => {
  await page.waitForFunction(() => window.arcadeon.picturesLoading() === 0);
  await waitFor('the menu', (f) => formOf(f, 'frmMenu')?.visible);
  await assertFits('frmMenu', VIEWPORT);
  await assertSwipeStays('frmMenu');
  // the Ping picture: the Difficulty dialog, then Play!
  await tap('frmMenu', 'imgPing');
  await waitFor('the Difficulty dialog', (f) => formOf(f, 'frmDifficulty')?.visible);
  await assertFits('frmDifficulty', VIEWPORT);
  await assertSwipeStays('frmDifficulty');
  await tap('frmDifficulty', 'cmdPlay');
  await waitFor('Ping', (f) => formOf(f, 'frmPing')?.visible && !formOf(f, 'frmDifficulty').visible);
  await assertFits('frmPing', VIEWPORT);
  const ping = formOf(await frame(), 'frmPing');
  assert.ok(ping.ratio < 2, `Ping made at fewer device pixels to fit: ${ping.ratio}`);
  await tap('frmPing', 'lblGo');
  await waitFor('PAUSE', (f) => itemOf(formOf(f, 'frmPing'), 'lblGo').text === 'PAUSE');
  // the paddle follows the finger along the drag, and stays where it is let go
  const [x0, y] = await pointAt('frmPing', 2000, 8000);
  const [x1] = await pointAt('frmPing', 9000, 8000);
  await page.touchscreen.touchStart(x0, y);
  for (let i = 1; i <= 8; i++) {
    await page.touchscreen.touchMove(x0 + (x1 - x0) * i / 8, y);
    if (i === 4) {
      await settle(150);
      const paddle = itemOf(formOf(await frame(), 'frmPing'), 'shpRed');
      const centre = (paddle.x + paddle.w / 2) / ping.ratio * TWIPS;
      assert.ok(Math.abs(centre - 5500) <= 60, `paddle under the finger halfway: ${centre}`);
    }
  }
  await page.touchscreen.touchEnd();
  await settle(150);
  const paddle = itemOf(formOf(await frame(), 'frmPing'), 'shpRed');
  assert.ok(Math.abs((paddle.x + paddle.w / 2) / ping.ratio * TWIPS - 9000) <= 60, 'paddle under the finger at the end');
  await assertSwipeStays('frmPing');
});

// The page point below a window's client area under (x, 0) twips of it, `below` pixels under its frame.
async function pointBelow(formName, x, below) {
  const [px] = await pointAt(formName, x, 0);
  return [px, (await rectOf(`[data-form="${formName}"]`)).bottom + below];
}

await check('on a phone the paddle follows a finger held below the window, as far as the field lets it', async () => {
  // Ping afresh, so that the ball is still on its way up and back (two
  // seconds) all the while the finger steers: no loss box comes between.
  if ((await frame()).box) await (await page.$('.modal .ok')).tap();
  await tapKey('Escape');
  await waitFor('the Pause dialog', (f) => formOf(f, 'frmPause')?.visible);
  await tap('frmPause', 'cmdQuittoMenu');
  await waitFor('the menu', (f) => formOf(f, 'frmMenu').visible && !formOf(f, 'frmPing'));
  await tap('frmMenu', 'lblPing');
  await waitFor('Ping', (f) => formOf(f, 'frmPing')?.visible);
  await tap('frmPing', 'lblGo');
  await waitFor('PAUSE', (f) => itemOf(formOf(f, 'frmPing'), 'lblGo').text === 'PAUSE');
  const ping = formOf(await frame(), 'frmPing');
  const paddleCentre = async () => {
    const paddle = itemOf(formOf(await frame(), 'frmPing'), 'shpRed');
    return (paddle.x + paddle.w / 2) / ping.ratio * TWIPS;
  };
  const [x0, y] = await pointBelow('frmPing', 3000, 40);
  const [x1] = await pointAt('frmPing', 11000, 0);
  const finger = await page.touchscreen.touchStart(x0, y);
  try {
    await settle(150);
    assert.ok(Math.abs(await paddleCentre() - 3000) <= 60, `under the finger as it touches: ${await paddleCentre()}`);
    for (let i = 1; i <= 8; i++) await finger.move(x0 + (x1 - x0) * i / 8, y + i);
    await settle(550);  // held longer than a tap
    assert.ok(Math.abs(await paddleCentre() - 11000) <= 60, `under the finger after the drag: ${await paddleCentre()}`);
    // past the paddle's range (the game's rule) it stays where the last point in range put it
    await finger.move(VIEWPORT.width - 1, y);
    await settle(150);
    assert.ok(Math.abs(await paddleCentre() - 11000) <= 60, `left where it was: ${await paddleCentre()}`);
  } finally {
    await finger.end();
  }
  const f = await frame();
  assert.ok(!f.box && itemOf(formOf(f, 'frmPing'), 'lblGo').text === 'PAUSE', 'still running');
  await tap('frmPing', 'lblGo');  // stopped before the ball comes down
  await waitFor('GO', (f) => itemOf(formOf(f, 'frmPing'), 'lblGo').text === 'GO');
});

await check('on a phone the pad\'s Escape opens the Pause dialog, and a tap on Quit to Menu goes back', async () => {
  await tapKey('Escape');
  await waitFor('the Pause dialog', (f) => formOf(f, 'frmPause')?.visible);
  await assertFits('frmPause', VIEWPORT);
  await assertSwipeStays('frmPause');
  await tap('frmPause', 'cmdQuittoMenu');
  await waitFor('the menu', (f) => formOf(f, 'frmMenu').visible && !formOf(f, 'frmPing'));
  await assertFits('frmMenu', VIEWPORT);
});

await check('on a phone a tap fires in Invaders; Save recording stays in reach over its message box', async () => {
  await tap('frmMenu', 'lblInvaders');
  await page.waitForSelector('.modal .ok');
  const save = await rectOf('#save');
  assert.equal(await page.evaluate(([x, y]) => document.elementFromPoint(x, y)?.id, [save.left + save.width / 2, save.top + save.height / 2]),
    'save', 'Save recording above the box');
  await (await page.$('.modal .ok')).tap();
  await waitFor('the Invaders window', (f) => !f.box && formOf(f, 'frmInvaders')?.visible);
  await assertFits('frmInvaders', VIEWPORT);
  // a tap away from the ship, between the walls: the ship comes under the finger and fires
  const ship = itemOf(formOf(await frame(), 'frmInvaders'), 'imgShip');
  const ratio = formOf(await frame(), 'frmInvaders').ratio;
  const target = Math.round((ship.x + ship.w / 2) / ratio * TWIPS) > 5900 ? 4000 : 8000;
  await page.touchscreen.tap(...await pointAt('frmInvaders', target, 5000));
  const f = await waitFor('the shot', (f) => itemOf(formOf(f, 'frmInvaders'), 'shpBullet'));
  const moved = itemOf(formOf(f, 'frmInvaders'), 'imgShip');
  assert.ok(Math.abs((moved.x + moved.w / 2) / ratio * TWIPS - target) <= 60, 'the ship under the finger');
  const bullet = itemOf(formOf(f, 'frmInvaders'), 'shpBullet');
  assert.ok(Math.abs((bullet.x + bullet.w / 2) / ratio * TWIPS - target) <= 120, 'the shot from there');
  // a finger held longer than a tap moves the ship and is no click (the recording below)
  await page.touchscreen.touchStart(...await pointAt('frmInvaders', 6000, 5000));
  await settle(700);
  await page.touchscreen.touchEnd();
  await assertSwipeStays('frmInvaders');
  await tapKey('Escape');
  await waitFor('the Pause dialog', (f) => formOf(f, 'frmPause')?.visible);
  await tap('frmPause', 'cmdQuittoMenu');
  await waitFor('the menu', (f) => formOf(f, 'frmMenu').visible && !formOf(f, 'frmInvaders'));
});

await check('on a phone one finger below Invaders steers the ship, a second finger\'s tap fires from where it is', async () => {
  await tap('frmMenu', 'lblInvaders');
  await page.waitForSelector('.modal .ok');
  await (await page.$('.modal .ok')).tap();
  await waitFor('the Invaders window', (f) => !f.box && formOf(f, 'frmInvaders')?.visible);
  const ratio = formOf(await frame(), 'frmInvaders').ratio;
  const centreX = (item) => (item.x + item.w / 2) / ratio * TWIPS;
  const [x0, y] = await pointBelow('frmInvaders', 4000, 40);
  const [x1] = await pointAt('frmInvaders', 8000, 0);
  const steering = await page.touchscreen.touchStart(x0, y);
  try {
    for (let i = 1; i <= 8; i++) await steering.move(x0 + (x1 - x0) * i / 8, y);
    await settle(700);  // held longer than a tap: no shot
    // the shot rests under the ship, its top at the ship's, until it is fired
    const flying = (f) => {
      const shot = itemOf(formOf(f, 'frmInvaders'), 'shpBullet');
      return shot !== undefined && shot.y < itemOf(formOf(f, 'frmInvaders'), 'imgShip').y;
    };
    let f = await frame();
    const ship = itemOf(formOf(f, 'frmInvaders'), 'imgShip');
    assert.ok(Math.abs(centreX(ship) - 8000) <= 60, `the ship over the finger: ${centreX(ship)}`);
    assert.ok(!flying(f), 'no shot yet');
    // a second finger taps the field far left of the ship
    const firing = await page.touchscreen.touchStart(...await pointAt('frmInvaders', 3000, 4000));
    await firing.end();
    f = await waitFor('the shot', flying);
    const after = itemOf(formOf(f, 'frmInvaders'), 'imgShip');
    assert.ok(Math.abs(centreX(after) - 8000) <= 60, `the ship stayed: ${centreX(after)}`);
    assert.ok(Math.abs(centreX(itemOf(formOf(f, 'frmInvaders'), 'shpBullet')) - 8000) <= 60, 'the shot leaves from the ship');
  } finally {
    await steering.end();
  }
  await tapKey('Escape');
  await waitFor('the Pause dialog', (f) => formOf(f, 'frmPause')?.visible);
  await tap('frmPause', 'cmdQuittoMenu');
  await waitFor('the menu', (f) => formOf(f, 'frmMenu').visible && !formOf(f, 'frmInvaders'));
});

await check('on a phone the pad\'s Up steps the frog; Right held repeats its press as a held key does', async () => {
  await tap('frmMenu', 'lblFrog');
  let f = await waitFor('Froggy', (f) => formOf(f, 'frmFroggy')?.visible);
  await assertFits('frmFroggy', VIEWPORT);
  const ratio = formOf(f, 'frmFroggy').ratio;
  const frog = itemOf(formOf(f, 'frmFroggy'), 'imgFroggy');
  await tapKey('Up');
  f = await waitFor('the frog to step up', (f) => Math.abs((frog.y - itemOf(formOf(f, 'frmFroggy'), 'imgFroggy').y) / ratio * TWIPS - 50) <= 15);
  // held for 700 ms: the press, then its repeats from 500 ms on
  const right = await rectOf('[aria-label="Right"]');
  await page.touchscreen.touchStart(right.left + right.width / 2, right.top + right.height / 2);
  await settle(700);
  await page.touchscreen.touchEnd();
  await settle(100);
  const steps = (itemOf(formOf(await frame(), 'frmFroggy'), 'imgFroggy').x - frog.x) / ratio * TWIPS / 50;
  assert.ok(steps >= 3, `steps to the right: ${steps}`);
  await assertSwipeStays('frmFroggy');
});

await check('the touch session\'s recording holds the finger as move and click, the pad as keydown and keyup, and replays', async () => {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'arcadeon-download-'));
  try {
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
    await (await page.$('#save')).tap();
    const file = path.join(folder, 'arcadeon-recording.script');
    const end = Date.now() + 10000;
    while (!fs.existsSync(file)) {
      if (Date.now() > end) throw new Error('no recording was saved');
      await settle(50);
    }
    await settle(100);
    const text = fs.readFileSync(file, 'utf8');
    assert.match(text, /^move frmPing /m, 'the finger dragged over Ping');
    assert.match(text, /^click frmPing /m, 'the tap on GO');
    assert.equal(text.match(/^click frmInvaders /gm)?.length, 2, 'the tap that fired and the second finger\'s, not the fingers held');
    assert.match(text, /^move frmPing \S+ 9554\.999\d*$/m, 'the finger below Ping, at the bottom of its client area');
    assert.match(text, /^keydown 38$/m, 'the pad\'s Up pressed');
    assert.match(text, /^keyup 38$/m, 'and let go');
    assert.match(text, /^keydown 27$/m, 'the pad\'s Escape');
    assert.ok(text.match(/^keydown 39$/gm).length >= 3 && text.match(/^keyup 39$/gm).length === 1, 'Right held: its repeats, one release');
    const verify = spawnSync(runner, ['--verify', file], { encoding: 'utf8' });
    assert.equal(verify.status, 0, `--verify: ${verify.stdout}${verify.stderr}`);
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
});

await check('a game in progress asks before the page is left or reloaded', async () => {
  const asked = await page.evaluate(() => {
    const event = new Event('beforeunload', { cancelable: true });
    window.dispatchEvent(event);
    return event.defaultPrevented;
  });
  assert.equal(asked, true);
});

await check('the phone page reported no script error', async () => {
  assert.deepEqual(problems, []);
});

await browser.close();
server.close();

// ---- a phone on its side: 844 x 390 ---------------------------------------------

({ browser, page, server, problems } = await launchPage(site, { width: 844, height: 390, ratio: 2, touch: true }));
VIEWPORT = { width: 844, height: 390 };

await check('on a phone on its side axe-core finds no violation; the dialogs at their own size, the games as large as the page lets them', async () => {
  await page.waitForFunction(() => window.arcadeon.picturesLoading() === 0);
  const { violations, sizes } = await walk(byFinger);
  assert.deepEqual(violations, {});
  assert.ok(sizes.Ping[0] >= 400, `Ping ${sizes.Ping}`);
  assert.deepEqual(problems, []);
});

await browser.close();
server.close();

// ---- a small laptop: 1280 x 720 ------------------------------------------------

({ browser, page, server, problems } = await launchPage(site, { width: 1280, height: 720 }));

await check('at 1280 x 720 the whole menu is in view; a window dragged far below comes back into reach', async () => {
  await waitFor('the menu', (f) => formOf(f, 'frmMenu')?.visible);
  const area = await rectOf('#desktop');
  await assertFits('frmMenu', { width: area.right, height: area.bottom });
  const bar = await rectOf('[data-form="frmMenu"] .caption');
  await page.mouse.move(bar.left + 10, bar.top + 5);
  await page.mouse.down();
  await page.mouse.move(bar.left + 10 + 3000, bar.top + 3000, { steps: 5 });
  await page.mouse.up();
  const moved = await rectOf('[data-form="frmMenu"] .titlebar');
  assert.ok(moved.top >= area.top && moved.bottom <= area.bottom && moved.left >= 0 && moved.right <= area.right,
    `the title bar within the page: ${JSON.stringify(moved)}`);
  // Left low on the page (its Ping name still in reach) and shown again
  // (Ping, then Quit to Menu), the menu is placed whole in view.
  const name = await centreOf('frmMenu', 'lblPing');
  const low = await rectOf('[data-form="frmMenu"] .caption');
  await page.mouse.move(low.left + 10, low.top + 5);
  await page.mouse.down();
  await page.mouse.move(low.left + 10, low.top + 5 - (name[1] - (area.bottom - 20)), { steps: 5 });
  await page.mouse.up();
  assert.ok((await rectOf('[data-form="frmMenu"]')).bottom > area.bottom, 'the menu hangs below the page');
  await page.mouse.click(...await centreOf('frmMenu', 'lblPing'));
  await waitFor('Ping', (f) => formOf(f, 'frmPing')?.visible && !formOf(f, 'frmMenu').visible);
  await page.keyboard.press('Escape');
  await waitFor('the Pause dialog', (f) => formOf(f, 'frmPause')?.visible);
  await page.mouse.click(...await centreOf('frmPause', 'cmdQuittoMenu'));
  await waitFor('the menu', (f) => formOf(f, 'frmMenu').visible);
  await settle();
  await assertFits('frmMenu', { width: area.right, height: area.bottom });
  assert.deepEqual(problems, []);
});

await browser.close();
server.close();

// ---- a new build deployed while the page is open ------------------------------------

// A copy of the page as another build: `before` alters its files, then the
// build's own step names it by its content, then `after` alters them again,
// as when a deployment is caught half-way.
function anotherBuild(before, after = () => {}) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'arcadeon-build-'));
  fs.cpSync(site, folder, { recursive: true });
  before(folder);
  const names = fs.readFileSync(path.join(site, 'files.txt'), 'utf8').split('\n').filter((l) => l).map((l) => l.slice(l.indexOf(' ') + 1));
  const stamped = spawnSync('cmake', [`-DSITE=${folder}`, `-DFILES=${names.join(';')}`,
    `-DWORKER=${path.join(repository, 'web', 'site', 'service-worker.js')}`, '-P', path.join(repository, 'cmake', 'site-version.cmake')]);
  assert.equal(stamped.status, 0, String(stamped.stderr));
  after(folder);
  return folder;
}
const builds = () => page.evaluate(async () => (await caches.keys()).filter((name) => name.startsWith('arcadeon-')));
const servedScript = () => page.evaluate(async () => (await (await fetch('page.js')).text()).includes('// the next build'));
// The registration once no worker is installing any more.
const settled = () => page.evaluate(async () => {
  const registration = await navigator.serviceWorker.getRegistration();
  await registration.update().catch(() => {});
  while (registration.installing) await new Promise((resolve) => setTimeout(resolve, 50));
  return { waiting: registration.waiting !== null, active: registration.active?.scriptURL ?? null };
});

let serveFrom, url;
({ browser, page, server, problems, serveFrom, url } = await launchPage(site));

await check('a new build served while the page is open is taken whole at the next visit, never mixed with the old', async () => {
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null, { timeout: 10000 });
  const first = await builds();
  assert.equal(first.length, 1, `one build kept: ${first}`);
  const nextScript = (folder) => fs.appendFileSync(path.join(folder, 'page.js'), '\n// the next build\n');

  // Half deployed: a new list and worker, but a file changed after the list
  // was written. Not taken.
  const half = anotherBuild((folder) => fs.appendFileSync(path.join(folder, 'arcadeon.css'), '\n/* the next build */\n'), nextScript);
  serveFrom(half);
  await page.reload();
  await page.waitForFunction(() => window.arcadeon?.shown()?.forms.length > 0, { timeout: 10000 });
  assert.equal((await settled()).waiting, false, 'a build that does not match its list waits for nobody');
  assert.deepEqual(await builds(), first, 'a build that does not match its list is not kept');
  assert.equal(await servedScript(), false);

  // Deployed whole: fetched in the background while the old build runs on.
  const next = anotherBuild(nextScript);
  serveFrom(next);
  await page.reload();
  await page.waitForFunction(() => window.arcadeon?.shown()?.forms.length > 0, { timeout: 10000 });
  assert.equal(await servedScript(), false, 'the open page runs the old build whole');
  assert.equal((await settled()).waiting, true, 'the new build waits for the next visit');

  // The next visit: the new build whole, the old one's cache gone.
  await page.close();
  page = await browser.newPage();
  page.on('pageerror', (error) => problems.push(String(error)));
  await page.goto(url);
  await page.waitForFunction(() => window.arcadeon?.shown()?.forms.length > 0, { timeout: 10000 });
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null, { timeout: 10000 });
  assert.equal(await servedScript(), true, 'the next visit runs the new build');
  const now = await builds();
  assert.equal(now.length, 1, `one build kept: ${now}`);
  assert.notEqual(now[0], first[0]);
  assert.deepEqual(problems.filter((p) => !/Failed to load resource|ERR_/.test(p)), []);
  serveFrom(site);
  for (const folder of [half, next]) fs.rmSync(folder, { recursive: true, force: true });
});
await browser.close();
server.close();

// ---- a slow network: the menu first, a game waits for its own files ---------------

let letThrough;
const slowPicture = new Promise((resolve) => { letThrough = resolve; });
({ browser, page, server, problems } = await launchPage(site, {
  tests: true, delay: (asked) => (asked.includes('froggy-background') ? slowPicture : null),
}));

await check('the menu is drawn before the games\' files are in; a game opened before its own waits for them alone, its time held', async () => {
  const menu = await waitFor('the menu drawn', (f) => formOf(f, 'frmMenu')?.visible && formOf(f, 'frmMenu').drawn.paints > 0);
  assert.ok(itemOf(formOf(menu, 'frmMenu'), 'imgPing')?.pictures.length > 0, 'the menu with its pictures');
  // every file but the slow one comes in while the menu shows
  await page.waitForFunction(() => window.arcadeon.picturesLoading() === 1);
  await clickElement('frmMenu', 'lblFrog');
  await page.waitForFunction(() => window.arcadeon.holding());
  assert.equal(await page.$eval('#loading', (e) => !e.hidden), true, 'the page says it is loading');
  const ticks = await page.evaluate(() => window.arcadeon.ticks());
  await page.keyboard.press('ArrowUp');  // reaches nothing while held
  await settle(500);
  assert.equal(await page.evaluate(() => window.arcadeon.ticks()), ticks, 'no tick while Froggy waits');
  letThrough();
  await page.waitForFunction(() => !window.arcadeon.holding());
  const froggy = formOf(await waitFor('Froggy drawn', (f) => formOf(f, 'frmFroggy')?.drawn.paints > 0), 'frmFroggy');
  assert.deepEqual(itemOf(froggy, 'imgBackground')?.pictures.map((p) => p.name), ['froggy-background.png']);
  assert.equal(await page.$eval('#loading', (e) => e.hidden), true);
  await waitFor('Froggy\'s clock going', async () => (await page.evaluate(() => window.arcadeon.ticks())) > ticks + 10);
  const recording = await page.evaluate(() => window.arcadeon.recording());
  assert.doesNotMatch(recording, /^keydown 38/m, 'the key pressed while held was not taken');
  const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'arcadeon-held-')), 'held.script');
  fs.writeFileSync(file, recording);
  const verify = spawnSync(runner, ['--verify', file], { encoding: 'utf8' });
  fs.rmSync(path.dirname(file), { recursive: true, force: true });
  assert.equal(verify.status, 0, `--verify: ${verify.stdout}${verify.stderr}`);
  assert.deepEqual(problems, []);
});
await browser.close();
server.close();

// ---- a visit, then no network ------------------------------------------------------

({ browser, page, server, problems } = await launchPage(site));

await check('what the menu waits for is asked for by the page\'s head, at once: the program, the modules, the menu\'s pictures and fonts', async () => {
  await page.waitForFunction(() => performance.getEntriesByName('arcadeon-drawn').length > 0);
  const late = await page.evaluate(() => {
    const drawn = performance.getEntriesByName('arcadeon-drawn')[0].startTime;
    const named = new Set([...document.querySelectorAll('link[href], script[src]')]
      .map((e) => new URL(e.getAttribute('href') ?? e.getAttribute('src'), location.href).pathname));
    return performance.getEntriesByType('resource').filter((e) => e.startTime < drawn)
      .map((e) => new URL(e.name).pathname).filter((name) => !named.has(name));
  });
  assert.deepEqual(late, [], 'fetched before the menu was drawn, but not named in the page\'s head');
  // and no more than that: the head's pictures and fonts are the menu's own
  const [preloaded, menus] = await page.evaluate(() => [
    [...document.querySelectorAll('link[rel=preload][as=font], link[rel=preload][href^="assets/"]')].map((l) => l.getAttribute('href')),
    window.arcadeon.filesOf('frmMenu')]);
  assert.deepEqual([...preloaded].sort(), [...menus].sort());
});

await check('with the network gone after a first visit, a reload starts the program', async () => {
  await page.evaluate(() => navigator.serviceWorker.ready);
  // the page's files kept, then the server gone for good
  await page.waitForFunction(async () => {
    const [build] = (await caches.keys()).filter((name) => name.startsWith('arcadeon-'));
    return build !== undefined && (await (await caches.open(build)).keys()).length > 20;
  }, { timeout: 10000 });
  server.closeAllConnections();
  await new Promise((resolve) => server.close(resolve));
  await page.reload();
  await page.waitForFunction(() => window.arcadeon?.shown()?.forms.length > 0, { timeout: 10000 });
  await page.waitForFunction(() => window.arcadeon.picturesLoading() === 0);
  const menu = formOf(await frame(), 'frmMenu');
  assert.ok(menu?.visible && itemOf(menu, 'imgPing')?.pictures.length > 0, 'the menu with its pictures');
  assert.deepEqual(problems.filter((p) => !/Failed to load resource|ERR_/.test(p)), []);
});

await browser.close();
const failed = results.filter(([, error]) => error).length;
console.log(`${results.length - failed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
