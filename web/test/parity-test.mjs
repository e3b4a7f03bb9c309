// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The page and the desktop draw the same pixels. For each state that
// arcadeon-scene-shots drew with the desktop's executor (--shots DIR), the
// page's program runs the same script and makes the window's scene at the
// same ratio, which must be the desktop's scene word for word; the page's
// executor draws it, and every pixel outside the runs of text must be the
// desktop's. Inside a run, glyph rasterisers differ (Qt's and the
// browser's); the runs themselves are the same, at the same places, as the
// scenes are. Then, played live in the page (Froggy with the Pause dialog
// beside it, Ping), each window as its partial drawings left it must be
// its scene made again from the program and drawn whole, pixel for pixel,
// text included.
//   node web/test/parity-test.mjs --site build-web --shots DIR
import fs from 'node:fs';
import path from 'node:path';
import { launchPage, option } from './page.mjs';

const site = path.resolve(option('--site', 'build-web'));
const shots = option('--shots', null);
if (!shots) {
  console.error('usage: parity-test.mjs --site DIR --shots DIR');
  process.exit(2);
}
const cases = JSON.parse(fs.readFileSync(path.join(shots, 'cases.json'), 'utf8'));

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Clicks the centre of what an element drew.
async function clickElement(page, ratio, form, element) {
  await page.waitForSelector(`[data-form="${form}"]:not([hidden]) canvas`);
  await page.waitForFunction((f, e) => window.arcadeon.centre(f, e) !== null, {}, form, element);
  const centre = await page.evaluate((f, e) => window.arcadeon.centre(f, e), form, element);
  const box = await page.$eval(`[data-form="${form}"] canvas`, (c) => {
    const r = c.getBoundingClientRect();
    return [r.left, r.top];
  });
  await page.mouse.click(box[0] + centre.x / ratio, box[1] + centre.y / ratio);
  await sleep(100);
}

// Games played in the live page, one after the other.
const livePlays = [
  ['Froggy: the frog stepped, the traffic running, the Pause dialog beside it', async (page, ratio) => {
    await clickElement(page, ratio, 'frmMenu', 'lblFrog');
    for (const key of ['ArrowUp', 'ArrowUp', 'ArrowLeft']) await page.keyboard.press(key);
    await sleep(700);
    await page.keyboard.press('Escape');
    await sleep(100);
    await clickElement(page, ratio, 'frmFroggy', 'lblPause');  // GO again behind the dialog
    await sleep(700);
  }],
  ['Ping: started from the Pause dialog, the paddle moved', async (page, ratio) => {
    await page.keyboard.press('Escape');  // the Pause dialog in front again
    await sleep(100);
    await clickElement(page, ratio, 'frmPause', 'cmdQuittoMenu');
    await clickElement(page, ratio, 'frmMenu', 'lblPing');
    await clickElement(page, ratio, 'frmPing', 'lblGo');
    await page.waitForSelector('[data-form="frmPing"]:not([hidden]) canvas');
    const box = await page.$eval('[data-form="frmPing"] canvas', (c) => {
      const r = c.getBoundingClientRect();
      return [r.left, r.top];
    });
    for (let x = 100; x < 700; x += 25) {
      await page.mouse.move(box[0] + x, box[1] + 500);
      await sleep(15);
    }
  }],
];

let passed = 0, failed = 0;
const ratios = [...new Set(cases.map((c) => c.ratio))];
for (const ratio of ratios) {
  const { browser, page, server, problems } = await launchPage(site, { ratio, tests: true });
  try {
    for (const c of cases.filter((each) => each.ratio === ratio)) {
      const scene = fs.readFileSync(path.join(shots, `${c.base}.scene`)).toString('base64');
      const png = fs.readFileSync(path.join(shots, `${c.base}.png`)).toString('base64');
      const result = await page.evaluate(async (c, scene, png) => {
        const desktopWords = new Int32Array(Uint8Array.from(atob(scene), (ch) => ch.charCodeAt(0)).buffer);
        const pageWords = window.arcadeon.sceneAfterScript(c.script, c.window, c.ratio);
        if (!pageWords) return { error: 'the page made no scene' };
        let sameScene = pageWords.length === desktopWords.length;
        for (let i = 0; sameScene && i < pageWords.length; i++) sameScene = pageWords[i] === desktopWords[i];
        if (!sameScene) return { error: `the page's scene differs from the desktop's (${pageWords.length} words against ${desktopWords.length})` };

        const drawn = window.arcadeon.drawScene(pageWords, c.ratio);
        const mine = drawn.getContext('2d').getImageData(0, 0, drawn.width, drawn.height).data;
        const blob = await (await fetch('data:image/png;base64,' + png)).blob();
        const bitmap = await createImageBitmap(blob, { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
        if (bitmap.width !== drawn.width || bitmap.height !== drawn.height) {
          return { error: `sizes differ: page ${drawn.width}x${drawn.height}, desktop ${bitmap.width}x${bitmap.height}` };
        }
        const theirs = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
        theirs.drawImage(bitmap, 0, 0);
        const desktop = theirs.getImageData(0, 0, bitmap.width, bitmap.height).data;
        const inRun = (x, y) => c.runs.some(([rx, ry, rw, rh]) => x >= rx && x < rx + rw && y >= ry && y < ry + rh);
        let differ = 0, first = null, compared = 0;
        for (let y = 0; y < drawn.height; y++) {
          for (let x = 0; x < drawn.width; x++) {
            const i = (y * drawn.width + x) * 4;
            if (mine[i] === desktop[i] && mine[i + 1] === desktop[i + 1] && mine[i + 2] === desktop[i + 2]) {
              compared++;
              continue;
            }
            if (inRun(x, y)) continue;
            compared++;
            if (differ++ === 0) first = { x, y, page: [mine[i], mine[i + 1], mine[i + 2]], desktop: [desktop[i], desktop[i + 1], desktop[i + 2]] };
          }
        }
        return { differ, first, compared, runs: c.runs.length };
      }, c, scene, png);
      const label = `${c.name} at ratio ${c.ratio}`;
      if (result.error || result.differ !== 0 || result.compared === 0) {
        failed++;
        console.log(`FAIL ${label}: ${result.error ?? `${result.differ} pixels differ outside the text runs, the first ${JSON.stringify(result.first)}`}`);
      } else {
        passed++;
        console.log(`ok   ${label}: ${result.compared} pixels identical outside ${result.runs} text runs`);
      }
    }
    // Played live, drawn only where it changed: each window as its partial
    // drawings left it is the window's scene made again now and drawn whole.
    for (const [label, play] of livePlays) {
      await play(page, ratio);
      const result = await page.evaluate((ratio) => {
        // Drawn up to date and compared in one go: no tick comes in between.
        window.arcadeon.drawNow();
        const found = [];
        for (const section of document.querySelectorAll('section.window:not([hidden])')) {
          const name = section.dataset.form;
          const live = section.querySelector('canvas');
          const words = window.arcadeon.sceneFresh(name);
          if (!words) continue;
          const whole = window.arcadeon.drawScene(words, ratio);
          const a = live.getContext('2d').getImageData(0, 0, live.width, live.height).data;
          const b = whole.getContext('2d').getImageData(0, 0, whole.width, whole.height).data;
          let differ = a.length === b.length ? 0 : -1;
          for (let i = 0; differ >= 0 && i < a.length; i++) if (a[i] !== b[i]) differ++;
          found.push({ name, differ });
        }
        return found;
      }, ratio);
      const wrong = result.filter((r) => r.differ !== 0);
      if (result.length === 0 || wrong.length > 0) {
        failed++;
        console.log(`FAIL ${label} at ratio ${ratio}: ${JSON.stringify(wrong.length ? wrong : 'no window shown')}`);
      } else {
        passed++;
        console.log(`ok   ${label} at ratio ${ratio}: ${result.map((r) => r.name).join(', ')} drawn in parts as whole`);
      }
    }
    if (problems.length > 0) {
      failed++;
      console.log(`FAIL the page reported: ${problems.join('; ')}`);
    }
  } finally {
    await browser.close();
    server.close();
  }
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
