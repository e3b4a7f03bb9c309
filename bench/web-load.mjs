// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The page's loading over a slow mobile network: 1.6 Mbit/s down, 750 kbit/s
// up and 150 ms a request (Lighthouse's mobile figures), the CPU 4 times
// slower, applied to the page and its service worker alike; served as a host
// that compresses serves it (the build's .gz copies with Content-Encoding
// gzip, an ETag and Last-Modified on every file). For the first and the
// second visit: the time until the menu is drawn, and the bytes sent before
// it and in all (page and worker). Then Lighthouse's mobile performance
// score, three runs. Figures in bench/README.md.
//
//   node bench/web-load.mjs [--site build-web] [--runs 3] [--no-lighthouse] [--verbose]
import { execFile } from 'node:child_process';
import { promisify } from 'node:util';
import crypto from 'node:crypto';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';

import { option, puppeteerCore, repository } from '../web/test/page.mjs';

const site = path.resolve(option('--site', path.join(repository, 'build-web')));
const runs = Number(option('--runs', '3'));
const verbose = process.argv.includes('--verbose');
const chromium = process.env.CHROMIUM ?? '/usr/bin/chromium';
const puppeteer = await puppeteerCore();

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm', '.png': 'image/png', '.jpg': 'image/jpeg', '.bmp': 'image/bmp', '.webp': 'image/webp',
  '.woff2': 'font/woff2', '.txt': 'text/plain; charset=utf-8', '.webmanifest': 'application/manifest+json',
};
// The network (CDP Network.emulateNetworkConditions) and the CPU.
const NETWORK = { offline: false, latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 750e3 / 8 };
const CPU_SLOWDOWN = 4;

// A host that sends a file's gzip copy when the browser takes gzip; every
// answer counted: { at (ms), bytes (headers and body) }.
function host() {
  const sent = [];
  const server = http.createServer((request, response) => {
    const asked = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    let file = path.normalize(path.join(site, asked));
    if (!file.startsWith(site)) return response.writeHead(403).end();
    if (file.endsWith(path.sep)) file = path.join(file, 'index.html');
    if (!fs.existsSync(file) || !fs.statSync(file).isFile()) return response.writeHead(404).end();
    const stat = fs.statSync(file);
    const headers = {
      'Content-Type': TYPES[path.extname(file)] ?? 'application/octet-stream',
      'Last-Modified': stat.mtime.toUTCString(),
      ETag: `"${stat.size.toString(16)}-${Math.floor(stat.mtimeMs).toString(16)}"`,
      Vary: 'Accept-Encoding',
    };
    // the status line and the headers as sent
    const headerBytes = () => 17 + Object.entries(headers).reduce((sum, [name, value]) => sum + name.length + String(value).length + 4, 2);
    if (request.headers['if-none-match'] === headers.ETag) {
      sent.push({ at: Date.now(), bytes: headerBytes(), name: asked });
      return response.writeHead(304, headers).end();
    }
    let body = fs.readFileSync(file);
    if (/\bgzip\b/.test(request.headers['accept-encoding'] ?? '') && fs.existsSync(`${file}.gz`)) {
      body = fs.readFileSync(`${file}.gz`);
      headers['Content-Encoding'] = 'gzip';
    }
    headers['Content-Length'] = body.length;
    sent.push({ at: Date.now(), bytes: body.length + headerBytes(), name: asked });
    response.writeHead(200, headers).end(body);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () =>
    resolve({ server, sent, url: `http://127.0.0.1:${server.address().port}/` })));
}

// The slow network and CPU on a page and on every worker it starts.
async function slowDown(browser, page) {
  const throttle = async (session, cpu) => {
    await session.send('Network.enable');
    await session.send('Network.emulateNetworkConditions', NETWORK);
    if (cpu) await session.send('Emulation.setCPUThrottlingRate', { rate: CPU_SLOWDOWN });
  };
  browser.on('targetcreated', async (target) => {
    if (target.type() !== 'service_worker') return;
    try {
      await throttle(await target.createCDPSession(), false);
    } catch {
      // gone already
    }
  });
  const session = await page.createCDPSession();
  await throttle(session, true);
  return session;
}

// One visit: milliseconds from the navigation's start until the menu is
// drawn (the page's 'arcadeon-drawn' mark).
async function visit(browser, url) {
  const page = await browser.newPage();
  await page.setViewport({ width: 412, height: 823, deviceScaleFactor: 1.75, isMobile: true, hasTouch: true });
  const session = await slowDown(browser, page);
  // when each of the page's files had come in whole, for --verbose
  const asked = new Map(), arrived = [];
  let origin = null;
  session.on('Network.requestWillBeSent', (e) => { origin ??= e.timestamp; asked.set(e.requestId, new URL(e.request.url).pathname); });
  session.on('Network.loadingFinished', (e) => arrived.push([(e.timestamp - origin) * 1000, asked.get(e.requestId), e.encodedDataLength]));
  await page.goto(url, { waitUntil: 'domcontentloaded', timeout: 120000 });
  await page.waitForFunction(() => performance.getEntriesByName('arcadeon-drawn').length > 0, { timeout: 120000, polling: 50 });
  const menu = await page.evaluate(() => performance.getEntriesByName('arcadeon-drawn')[0].startTime);
  if (verbose) for (const [at, name, bytes] of arrived) if (at <= menu) console.log(`  in at ${at.toFixed(0).padStart(5)} ms ${String(bytes).padStart(7)}  ${name}`);
  return { page, menu };
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const kB = (bytes) => (bytes / 1000).toFixed(0);

const rows = [];
for (let run = 0; run < runs; run++) {
  const { server, sent, url } = await host();
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'arcadeon-load-'));
  const browser = await puppeteer.launch({
    executablePath: chromium, headless: true, userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage', '--mute-audio'],
  });
  try {
    const started = Date.now();
    const first = await visit(browser, url);
    const before = sent.filter((s) => s.at <= started + first.menu);
    const beforeMenu = before.reduce((sum, s) => sum + s.bytes, 0);
    if (verbose) for (const s of before) console.log(`  ${String(s.at - started).padStart(5)} ms  ${String(s.bytes).padStart(7)}  ${s.name}`);
    // every file in, and the worker's cache filled
    await first.page.waitForFunction(async () => {
      const registration = await navigator.serviceWorker.getRegistration();
      return registration?.active?.state === 'activated';
    }, { timeout: 120000, polling: 200 });
    await new Promise((resolve) => setTimeout(resolve, 2000));
    const total = sent.reduce((sum, s) => sum + s.bytes, 0);
    const requests = sent.length;
    await first.page.close();
    const secondStart = sent.length;
    const second = await visit(browser, url);
    const secondBytes = sent.slice(secondStart).reduce((sum, s) => sum + s.bytes, 0);
    await second.page.close();
    rows.push({ first: first.menu, second: second.menu, beforeMenu, total, requests, secondBytes });
    console.log(`run ${run + 1}: first visit ${first.menu.toFixed(0)} ms to the menu, ${kB(beforeMenu)} kB before it, ` +
      `${kB(total)} kB in all (${requests} answers); second visit ${second.menu.toFixed(0)} ms, ${kB(secondBytes)} kB`);
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}
console.log(`median: first visit ${median(rows.map((r) => r.first)).toFixed(0)} ms, second ${median(rows.map((r) => r.second)).toFixed(0)} ms, ` +
  `${kB(median(rows.map((r) => r.beforeMenu)))} kB before the menu, ${kB(median(rows.map((r) => r.total)))} kB in all`);

// Lighthouse 12.2.3 (bench/lighthouse, npm ci there), mobile, performance only.
if (!process.argv.includes('--no-lighthouse')) {
  const lighthouse = path.join(repository, 'bench', 'lighthouse', 'node_modules', '.bin', 'lighthouse');
  const { server, url } = await host();
  const scores = [];
  try {
    for (let run = 0; run < runs; run++) {
      const out = path.join(os.tmpdir(), `arcadeon-lighthouse-${crypto.randomUUID()}.json`);
      // (not execFileSync: this process serves the page meanwhile)
      await promisify(execFile)(lighthouse, [url, '--only-categories=performance', '--output=json', `--output-path=${out}`, '--quiet',
        '--chrome-flags=--headless=new --no-sandbox --disable-gpu --disable-dev-shm-usage'],
      { env: { ...process.env, CHROME_PATH: chromium } });
      const report = JSON.parse(fs.readFileSync(out, 'utf8'));
      fs.rmSync(out, { force: true });
      const audit = (id) => report.audits[id]?.numericValue ?? NaN;
      const score = Math.round(report.categories.performance.score * 100);
      scores.push(score);
      console.log(`lighthouse ${run + 1}: performance ${score}, FCP ${audit('first-contentful-paint').toFixed(0)} ms, ` +
        `LCP ${audit('largest-contentful-paint').toFixed(0)} ms, TBT ${audit('total-blocking-time').toFixed(0)} ms, ` +
        `SI ${audit('speed-index').toFixed(0)} ms, CLS ${audit('cumulative-layout-shift').toFixed(3)}`);
    }
  } finally {
    server.close();
  }
  console.log(`lighthouse median: ${median(scores)}`);
}
