// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The README's pictures of the page on a phone: each game in headless
// chromium on a 390 x 844 touch screen (2 device pixels a pixel), upright
// and on its side, played for a moment by scripted fingers:
//   phone-ping[-side].png      Ping a moment after GO, steered by a finger below the window
//   phone-froggy[-side].png    Froggy with the frog two steps up by the pad
//   phone-invaders[-side].png  the ship steered by a finger below, a shot fired by a second
//
//   node web/phone-screenshots.mjs --site build-web --out docs
import path from 'node:path';

import { launchPage, option, repository } from './test/page.mjs';

const site = option('--site', path.join(repository, 'build-web'));
const out = option('--out', path.join(repository, 'docs'));
const settle = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The page point of (x, y) twips of a window's client area; `below` pixels
// under its frame instead when `y` is null.
async function pointOf(page, formName, x, y, below = 0) {
  return page.evaluate((formName, x, y, below) => {
    const form = window.arcadeon.shown().forms.find((f) => f.name === formName);
    const canvas = document.querySelector(`[data-form="${formName}"] canvas`).getBoundingClientRect();
    const twips = canvas.width / (form.w / form.ratio * 15);
    const px = canvas.left + x * twips;
    if (y === null) return [px, document.querySelector(`[data-form="${formName}"]`).getBoundingClientRect().bottom + below];
    return [px, canvas.top + y * twips];
  }, formName, x, y, below);
}

// The page point of an element's centre as its window drew it.
async function elementAt(page, formName, name) {
  await page.waitForFunction((formName, name) =>
    window.arcadeon.shown().forms.find((f) => f.name === formName && f.visible)?.items.some((i) => i.n === name), {}, formName, name);
  return page.evaluate((formName, name) => {
    const form = window.arcadeon.shown().forms.find((f) => f.name === formName);
    const item = form.items.find((i) => i.n === name);
    const canvas = document.querySelector(`[data-form="${formName}"] canvas`).getBoundingClientRect();
    const scale = canvas.width / form.w;
    return [canvas.left + (item.x + item.w / 2) * scale, canvas.top + (item.y + item.h / 2) * scale];
  }, formName, name);
}

const tap = async (page, formName, name) => page.touchscreen.tap(...await elementAt(page, formName, name));
const tapOk = async (page) => (await page.waitForSelector('.modal .ok')).tap();
const tapKey = async (page, key) => (await page.$(`#pad .${key}`)).tap();

const games = {
  async ping(page) {
    await tap(page, 'frmMenu', 'lblPing');
    await tap(page, 'frmPing', 'lblGo');
    const [x, y] = await pointOf(page, 'frmPing', 5000, null, 30);
    const finger = await page.touchscreen.touchStart(x, y);
    for (let i = 1; i <= 6; i++) await finger.move(x - i * 8, y);
    await settle(500);
    await finger.end();
  },
  async froggy(page) {
    await tap(page, 'frmMenu', 'lblFrog');
    await settle(600);
    await tapKey(page, 'up');
    await tapKey(page, 'up');
    await settle(300);
  },
  async invaders(page) {
    await tap(page, 'frmMenu', 'lblInvaders');
    await tapOk(page);
    await settle(300);
    const [x, y] = await pointOf(page, 'frmInvaders', 4500, null, 30);
    const steering = await page.touchscreen.touchStart(x, y);
    for (let i = 1; i <= 6; i++) await steering.move(x + i * 6, y);
    await settle(200);
    const firing = await page.touchscreen.touchStart(...await pointOf(page, 'frmInvaders', 8500, 4500));
    await firing.end();
    await settle(250);
    await steering.end();
  },
};

for (const [side, width, height] of [['', 390, 844], ['-side', 844, 390]]) {
  for (const [name, play] of Object.entries(games)) {
    const { browser, page, server } = await launchPage(site, { width, height, ratio: 2, touch: true });
    try {
      await page.waitForFunction(() => window.arcadeon.picturesLoading() === 0);
      await settle(200);
      await play(page);
      const file = path.join(out, `phone-${name}${side}.png`);
      await page.screenshot({ path: file });
      console.log(file);
    } finally {
      await browser.close();
      server.close();
    }
  }
}
