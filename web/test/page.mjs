// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The page served from a folder on the loopback address and opened in
// Debian's chromium, headless: what the browser test and the benchmark share.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

export const repository = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..', '..');

// The value after `name` on the command line, or `fallback`.
export function option(name, fallback) {
  const at = process.argv.indexOf(name);
  return at >= 0 && at + 1 < process.argv.length ? process.argv[at + 1] : fallback;
}

// Something the test needs is missing: skipped (77) where the web toolchain
// is optional, a failure where it is required.
export function skipOrFail(why) {
  if (process.env.ARCADEON_REQUIRE_TOOLS) {
    console.error(`error: ${why}`);
    process.exit(1);
  }
  console.log(`skipped: ${why}`);
  process.exit(77);
}

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm', '.png': 'image/png', '.jpg': 'image/jpeg', '.bmp': 'image/bmp',
  '.ttf': 'font/ttf', '.woff2': 'font/woff2', '.txt': 'text/plain; charset=utf-8', '.md': 'text/plain; charset=utf-8',
  '.webmanifest': 'application/manifest+json', '.webp': 'image/webp',
};

// A static server for `folder` on 127.0.0.1, on a free port; serveFrom()
// puts another folder in its place, as a new build deployed. With `tests`
// the page's program is the tests' build of it, with the exports only the
// tests use (arcadeon-tests.js, which loads arcadeon-tests.wasm). `delay`,
// given the path asked for, may return a promise the answer waits for: a
// file that is slow to come.
export async function serve(folder, { tests = false, delay = () => null } = {}) {
  let root = path.resolve(folder);
  const server = http.createServer(async (request, response) => {
    const url = new URL(request.url, 'http://localhost');
    const asked = decodeURIComponent(url.pathname);
    await delay(asked);
    let file = path.normalize(path.join(root, tests && asked === '/arcadeon.js' ? '/arcadeon-tests.js' : asked));
    if (!file.startsWith(root)) {
      response.writeHead(403).end();
      return;
    }
    if (file.endsWith(path.sep)) file = path.join(file, 'index.html');
    fs.readFile(file, (error, data) => {
      if (error) {
        response.writeHead(404).end();
        return;
      }
      response.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] ?? 'application/octet-stream' });
      response.end(data);
    });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const serveFrom = (other) => { root = path.resolve(other); };
  return { server, serveFrom, url: `http://127.0.0.1:${server.address().port}/` };
}

// puppeteer-core, as web/ installs it; skips (see skipOrFail) without it.
export async function puppeteerCore() {
  try {
    return (await import('puppeteer-core')).default;
  } catch {
    return skipOrFail('no puppeteer-core (npm ci in web/)');
  }
}

// Opens the page in headless chromium at `ratio` device pixels a pixel (on
// a touch screen with no mouse when `touch`; with the tests' build of the
// program when `tests`; `delay` as serve's) and waits until the program has started. Skips (see skipOrFail) when the browser, the page or
// puppeteer-core is missing.
export async function launchPage(site, { ratio = 1, width = 1280, height = 1000, touch = false, tests = false, delay } = {}) {
  const chromium = process.env.CHROMIUM ?? '/usr/bin/chromium';
  if (!fs.existsSync(chromium)) skipOrFail(`no browser at ${chromium}`);
  const program = tests ? 'arcadeon-tests.wasm' : 'arcadeon.wasm';
  if (!fs.existsSync(path.join(site, 'index.html')) || !fs.existsSync(path.join(site, program))) {
    skipOrFail(`no page in ${site} (make web)`);
  }
  const puppeteer = await puppeteerCore();
  const { server, serveFrom, url } = await serve(site, { tests, delay });
  const browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    // as root, as CI runs, the browser's sandbox cannot start
    args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage', '--mute-audio'],
  });
  const page = await browser.newPage();
  const problems = [];
  page.on('pageerror', (error) => problems.push(String(error)));
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(message.text());
  });
  await page.setViewport({ width, height, deviceScaleFactor: ratio, isMobile: touch, hasTouch: touch });
  await page.goto(url);
  await page.waitForFunction(() => window.arcadeon?.shown()?.forms.length > 0);
  return { browser, page, server, serveFrom, url, problems };
}
