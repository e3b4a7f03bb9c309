// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The page in headless chromium while each game runs: the timer events
// delivered a second (64 for each running timer: Ping and Froggy run one),
// the wake-ups that came more than a clock period late (each a stall), the
// browser's long tasks (over 50 ms), the time of each wake-up and each
// drawing, and the main thread's busy share beside a minimal page that fills
// a canvas of the game window's size 64 times a second, measured in turns
// in the same run; then the canvas calls of 150 pointer moves over the idle
// menu, and the drawings of the Pause dialog beside a running game.
// Figures in bench/README.md.
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
      const centre = await page.evaluate((f, n) => window.arcadeon.centre(f, n), form, follow);
      if (centre) x = centre.x / ratio;
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
  const size = await page.$eval(`[data-form="${form}"] canvas`, (c) => [c.width, c.height]);
  const minimal = await measureMinimal(size[0], size[1], follow !== null);
  const share = 100 * taskSeconds / elapsed;
  console.log(`          the minimal page filling ${size[0]} x ${size[1]} device pixels 64 times a second: busy ${minimal.toFixed(1)}%;` +
    ` ${name} ${(share / minimal).toFixed(2)} times that, goal at most 1: ${share <= minimal ? 'met' : 'NOT MET'}`);
  return share;
}

// The smallest page that keeps a canvas of the same device pixels up to
// date 64 times a second: the whole canvas filled at each clock boundary,
// the pointer moving over it as over the game.
// With `probing`, it is asked a trivial question as often as the game is
// asked where the element it follows is, so both bear the same probing.
async function measureMinimal(width, height, probing) {
  const minimal = await browser.newPage();
  await minimal.setViewport({ width: 1280, height: 1000, deviceScaleFactor: ratio });
  await minimal.setContent(`<canvas width="${width}" height="${height}" style="width:${width / ratio}px;height:${height / ratio}px"></canvas>
    <script>
      const ctx = document.querySelector('canvas').getContext('2d');
      const start = performance.now();
      let frame = 0;
      (function tick() {
        ctx.fillStyle = frame++ % 2 ? '#000000' : '#000008';
        ctx.fillRect(0, 0, ${width}, ${height});
        setTimeout(tick, Math.max(0, start + frame * 15.625 - performance.now()));
      })();
    </script>`);
  const session = await minimal.createCDPSession();
  await session.send('Performance.enable');
  const taskDuration = async () => (await session.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
  await sleep(500);
  const busy0 = await taskDuration();
  const t0 = Date.now();
  while (Date.now() - t0 < seconds * 1000) {
    if (probing) await minimal.evaluate(() => null);
    await minimal.mouse.move(100 + 500 * Math.abs(2 * (((Date.now() - t0) / 2000) % 1) - 1), 300);
    await sleep(10);
  }
  const share = 100 * ((await taskDuration()) - busy0) / ((Date.now() - t0) / 1000);
  await minimal.close();
  await page.bringToFront();
  return share;
}

// Counts the calls that draw on any canvas of the page from now on.
async function countCanvasCalls() {
  await page.evaluate(() => {
    if (window.bench.calls !== undefined) {
      window.bench.calls = 0;
      return;
    }
    window.bench.calls = 0;
    const proto = CanvasRenderingContext2D.prototype;
    for (const name of ['fillRect', 'drawImage', 'fillText', 'putImageData', 'clearRect', 'fill', 'stroke']) {
      const original = proto[name];
      proto[name] = function counted(...args) {
        window.bench.calls++;
        return original.apply(this, args);
      };
    }
  });
}

async function quitToMenu() {
  await page.keyboard.press('Escape');
  await sleep(300);
  await clickElement('frmPause', 'cmdQuittoMenu');
  await sleep(200);
}

console.log(`${seconds} s a game, device pixel ratio ${ratio}, ${await browser.version()}`);

// 150 pointer moves over the idle menu: nothing changes, so nothing is drawn.
{
  await sleep(300);
  await countCanvasCalls();
  const [left, top] = await page.$eval('[data-form="frmMenu"] canvas', (c) => {
    const r = c.getBoundingClientRect();
    return [r.left, r.top];
  });
  for (let i = 0; i < 150; i++) {
    await page.mouse.move(left + 20 + (i * 37) % 600, top + 20 + (i * 53) % 700);
    await sleep(5);
  }
  await sleep(200);
  const calls = await page.evaluate(() => window.bench.calls);
  console.log(`150 pointer moves over the idle menu: ${calls} canvas drawing calls, goal none: ${calls === 0 ? 'met' : 'NOT MET'}`);
}
await measure('Ping', 'frmPing', async () => {
  await clickElement('frmMenu', 'lblPing');
  await sleep(200);
  await clickElement('frmPing', 'lblGo');
}, 'shpBlue');

// The Pause dialog open beside Ping running (GO clicked again behind it):
// the dialog's scene does not change, so it is not drawn.
{
  await page.keyboard.press('Escape');
  await sleep(300);
  await clickElement('frmPing', 'lblGo');
  const drawn = async () => page.evaluate(() => Object.fromEntries(window.arcadeon.shown().forms.map((f) => [f.name, f.drawn.paints])));
  const before = await drawn();
  // the paddle follows the ball meanwhile, so that no ball is lost
  const [left, top] = await page.$eval('[data-form="frmPing"] canvas', (c) => {
    const r = c.getBoundingClientRect();
    return [r.left, r.top];
  });
  for (const t0 = Date.now(); Date.now() - t0 < 3000;) {
    const centre = await page.evaluate(() => window.arcadeon.centre('frmPing', 'shpBlue'));
    if (centre) await page.mouse.move(left + centre.x / ratio, top + 560);
    await sleep(10);
  }
  const after = await drawn();
  const pause = after.frmPause - before.frmPause, ping = after.frmPing - before.frmPing;
  console.log(`The Pause dialog beside Ping running, 3 s: Ping drawn ${ping} times, the dialog ${pause} times, goal none: ${pause === 0 ? 'met' : 'NOT MET'}`);
}
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
