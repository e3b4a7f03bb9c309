// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The page and the desktop draw the same pixels. For each state that
// arcadeon-scene-shots drew with the desktop's executor (--shots DIR), the
// page's program runs the same script and makes the window's scene at the
// same ratio, which must be the desktop's scene word for word; the page's
// executor draws it, and every pixel outside the runs of text must be the
// desktop's. Inside a run, glyph rasterisers differ (Qt's and the
// browser's); the runs themselves are the same, at the same places, as the
// scenes are.
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

let passed = 0, failed = 0;
const ratios = [...new Set(cases.map((c) => c.ratio))];
for (const ratio of ratios) {
  const { browser, page, server, problems } = await launchPage(site, { ratio });
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
