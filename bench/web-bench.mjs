// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The page in headless chromium while each game runs: the timer events
// delivered a second (64 for each running timer: Ping and Froggy run one),
// the wake-ups that came more than a clock period late (each a stall), the
// browser's long tasks (over 50 ms), the time of each wake-up and each
// drawing, and the main thread's busy share. Figures in bench/README.md.
//
//   node bench/web-bench.mjs [--site build-web] [--seconds 10] [--ratio 1]
import { launchPage, option, repository } from '../web/test/page.mjs';
import path from 'node:path';

const site = option('--site', path.join(repository, 'build-web'));
const seconds = Number(option('--seconds', '10'));
const ratio = Number(option('--ratio', '1'));

const { browser, page } = await launchPage(site, { ratio });
const cdp = await page.createCDPSession();
await cdp.send('Performance.enable');
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Long tasks as the browser reports them, and every wake-up the page makes
// for a clock boundary timed from its start to its end.
await page.evaluate(() => {
  window.bench = { long: [] };
  new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) window.bench.long.push(entry.duration);
  }).observe({ type: 'longtask', buffered: true });
});

async function clickElement(form, name) {
  const f = await page.evaluate(() => window.arcadeon.shown());
  const item = f.forms.find((x) => x.name === form).items.find((i) => i.n === name);
  const [left, top] = await page.$eval(`[data-form="${form}"] canvas`, (c) => {
    const r = c.getBoundingClientRect();
    return [r.left, r.top];
  });
  await page.mouse.click(left + (item.x + item.w / 2) / ratio, top + (item.y + item.h / 2) / ratio);
}

async function busy() {
  const { metrics } = await cdp.send('Performance.getMetrics');
  return metrics.find((m) => m.name === 'TaskDuration').value;
}

// Runs a game for the given time, the pointer following `follow` (an
// element's centre, across) or else sweeping over the window.
async function measure(name, form, start, follow = null) {
  await start();
  await sleep(500);  // past the opening
  await page.evaluate(() => {
    window.bench.long = [];
    for (const spent of Object.values(window.arcadeon.timing)) Object.assign(spent, { total: 0, count: 0, longest: 0 });
  });
  const ticks0 = await page.evaluate(() => window.arcadeon.ticks());
  const stalls0 = await page.evaluate(() => window.arcadeon.stalls());
  const busy0 = await busy();
  const t0 = Date.now();
  const [left, top] = await page.$eval(`[data-form="${form}"] canvas`, (c) => {
    const r = c.getBoundingClientRect();
    return [r.left, r.top];
  });
  while (Date.now() - t0 < seconds * 1000) {
    let x = 100 + 500 * Math.abs(2 * (((Date.now() - t0) / 2000) % 1) - 1);
    if (follow) {
      const item = await page.evaluate((f, n) => window.arcadeon.shown().forms.find((x) => x.name === f)?.items.find((i) => i.n === n), form, follow);
      if (item) x = (item.x + item.w / 2) / ratio;
    }
    await page.mouse.move(left + x, top + 560);
    await sleep(10);
  }
  const elapsed = (Date.now() - t0) / 1000;
  const ticks = (await page.evaluate(() => window.arcadeon.ticks())) - ticks0;
  const taskSeconds = (await busy()) - busy0;
  const stalls = (await page.evaluate(() => window.arcadeon.stalls())) - stalls0;
  const long = await page.evaluate(() => window.bench.long);
  const timing = await page.evaluate(() => window.arcadeon.timing);
  const spent = (s) => `${(s.total / Math.max(1, s.count)).toFixed(2)} ms (longest ${s.longest.toFixed(1)})`;
  const boxes = await page.evaluate(() => window.arcadeon.shown().box);
  console.log(`${name.padEnd(9)} ${(ticks / elapsed).toFixed(1).padStart(6)} timer events/s` +
    `   late wakes ${stalls}   long tasks: ${long.length}${long.length ? ` (longest ${Math.max(...long).toFixed(0)} ms)` : ''}` +
    `   main thread busy ${(100 * taskSeconds / elapsed).toFixed(1)}%${boxes ? '   (a message box opened)' : ''}`);
  const drawn = await page.evaluate(() => window.arcadeon.shown().forms.filter((f) => f.visible)
    .map((f) => `${f.name} ${f.drawn.paints} times, ${f.drawn.rects} rectangles`).join('; '));
  console.log(`          a wake-up ${spent(timing.wake)}, a drawing ${spent(timing.draw)}, ${timing.draw.count} drawings`);
  console.log(`          drawn since the window opened: ${drawn}`);
}

async function quitToMenu() {
  await page.keyboard.press('Escape');
  await sleep(300);
  await clickElement('frmPause', 'cmdQuittoMenu');
  await sleep(200);
}

console.log(`${seconds} s a game, device pixel ratio ${ratio}, ${await browser.version()}`);
await measure('Ping', 'frmPing', async () => {
  await clickElement('frmMenu', 'lblPing');
  await sleep(200);
  await clickElement('frmPing', 'lblGo');
}, 'shpBlue');
await quitToMenu();
await measure('Froggy', 'frmFroggy', async () => {
  await clickElement('frmMenu', 'lblFrog');
});
await quitToMenu();
// Invaders: several timers run at once (the mothership's, the bombs').
await measure('Invaders', 'frmInvaders', async () => {
  await clickElement('frmMenu', 'lblInvaders');
  await page.waitForSelector('.modal .ok');
  await page.click('.modal .ok');
});
await browser.close();
process.exit(0);
