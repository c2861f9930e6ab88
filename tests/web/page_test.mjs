// ZELVO's page in headless Chromium, driven as a user drives it: clicks and
// keys go through the DevTools protocol, and everything is found by the
// page's naming contract alone (data-zelvo, data-window, data-control, ...).
//
// node --test tests/web/page_test.mjs   (SITE, CHROMIUM may point elsewhere)
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import puppeteer from 'puppeteer-core';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { serve } from '../../web/serve.mjs';

const site = process.env.SITE ?? 'build-web/site';
const profile = mkdtempSync(join(tmpdir(), 'zelvo-chromium-'));
let browser, server, url;
const errors = [];

before(async () => {
  server = await serve(site);
  url = `http://127.0.0.1:${server.address().port}/`;
  browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/lib/chromium/chromium',
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync'],
  });
});

after(async () => {
  await browser?.close();
  server?.close();
  rmSync(profile, { recursive: true, force: true });
});

// Every box the page opens, as the user saw it, kept in window.zelvoBoxes.
function recordBoxes() {
  window.zelvoBoxes = [];
  new MutationObserver(() => {
    for (const box of document.querySelectorAll('dialog[data-box]:not([data-seen])')) {
      box.dataset.seen = '';
      window.zelvoBoxes.push({
        title: box.querySelector('[data-box-title]').textContent,
        text: box.querySelector('[data-box-text]').textContent,
        buttons: [...box.querySelectorAll('button')].map((b) => b.textContent),
        images: box.querySelectorAll('img, svg').length,
        modal: box.matches(':modal'),
      });
    }
  }).observe(document, { childList: true, subtree: true });
}

async function open(width = 1024, height = 768) {
  const page = await browser.newPage();
  page.on('pageerror', (error) => errors.push(error.message));
  page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
  page.on('dialog', (dialog) => { errors.push(`alert: ${dialog.message()}`); dialog.dismiss(); });
  await page.setViewport({ width, height });
  await page.evaluateOnNewDocument(recordBoxes);
  await page.goto(url);
  await idle(page);
  return page;
}

const idle = (page) => page.waitForSelector('html[data-zelvo="idle"]', { timeout: 10000 });
const windowName = (page) => page.$eval('[data-window]', (w) => w.dataset.window);
const read = (page, name) => page.$eval(`[data-control="${name}"]`, (c) => c.value ?? c.textContent);

// Answers every box with Return and hands back what they said.
async function answerBoxes(page) {
  const seen = [];
  for (;;) {
    const state = await page.$eval('html', (html) => html.dataset.zelvo);
    if (state !== 'busy')
      break;
    if (await page.$('dialog[data-box][open]'))
      await page.keyboard.press('Enter');
  }
  seen.push(...await page.evaluate(() => window.zelvoBoxes.splice(0)));
  return seen;
}

async function click(page, selector) {
  await page.click(selector);
  return answerBoxes(page);
}

async function type(page, field, text) {
  await page.click(`[data-control="${field}"]`, { count: 3 });
  await page.keyboard.press('Backspace');
  await page.keyboard.sendCharacter(text);
}

async function turn(page, player, throws) {
  const fields = [['Text1', 'Text2', 'Text3'], ['Text6', 'Text7', 'Text8'],
                  ['Text10', 'Text11', 'Text12'], ['Text14', 'Text15', 'Text16']][player - 1];
  for (const [i, points] of throws.entries())
    await type(page, fields[i], String(points));
  return click(page, `[data-control="Command${player}"]`);
}

const command = (page, name) => click(page, `[data-command="${name}"]`);
const texts = (boxes) => boxes.map((box) => box.text);

test('every sheet of both games: a round for every player', async () => {
  const games = [['Command1', ['Form1', 'Form2', 'Form3', 'Form4'], '6'], ['Command2', ['Form6', 'Form7', 'Form8', 'Form9'], '295']];
  for (const [button, sheets, score] of games) {
    const page = await open();
    await click(page, `[data-control="${button}"]`);
    for (const [index, sheet] of sheets.entries()) {
      await command(page, ['one', 'two', 'three', 'four'][index]);
      assert.equal(await windowName(page), sheet);
      const players = index + 1;
      for (let player = 1; player <= players; ++player)
        assert.deepEqual(await turn(page, player, [1, 2, 3]), []);
      const labels = ['Label5', 'Label9', 'Label10', 'Label11'].slice(0, players);
      assert.deepEqual(await Promise.all(labels.map((label) => read(page, label))), labels.map(() => score), sheet);
      assert.equal(await read(page, 'Label6'), '2', sheet);
    }
    await page.close();
  }
});

test('Count-Up: eight rounds, a bad entry, switches, reset and the end of the program', async () => {
  const page = await open();
  await click(page, '[data-control="Command1"]');
  assert.equal(await windowName(page), 'Form1');
  assert.deepEqual(texts(await turn(page, 1, ['６０', 'x', 1])), ['数字を入力してください']);
  assert.equal(await read(page, 'Label6'), '1');
  for (let round = 1; round < 8; ++round)
    assert.deepEqual(await turn(page, 1, [60, 60, 60]), []);
  assert.deepEqual(texts(await turn(page, 1, [20, 20, 20])), ['プレーヤー1さんの合計は 1320点です。おつかれさまでした。']);

  const switches = [['two', 'Form2'], ['three', 'Form3'], ['four', 'Form4'], ['one', 'Form1']];
  for (const [name, target] of switches) {
    await command(page, name);
    assert.equal(await windowName(page), target);
    assert.equal(await page.$eval(`[data-command="${name}"]`, (c) => c.disabled && c.ariaDisabled), 'true');
  }
  assert.equal(await read(page, 'Label5'), '0');
  await turn(page, 1, [1, 2, 3]);
  assert.equal(await read(page, 'Label5'), '6');
  await command(page, 'reset');
  assert.deepEqual([await read(page, 'Label5'), await read(page, 'Label6')], ['0', '1']);

  await click(page, '[data-close]');
  await page.waitForSelector('html[data-zelvo="ended"]');
  assert.equal(await page.$('[data-window]'), null);
  await page.click('[data-ended] button');
  await idle(page);
  assert.equal(await windowName(page), 'Form5');
  await page.close();
});

test('301 for two: bust, win, and a name that is text, never markup', async () => {
  const page = await open();
  await click(page, '[data-control="Command2"]');
  await command(page, 'two');
  assert.equal(await windowName(page), 'Form7');
  const name = '<img src=x onerror=alert(1)>';
  await type(page, 'Text5', name);
  await turn(page, 1, [60, 60, 60]);
  assert.deepEqual(texts(await turn(page, 2, [100, 100, 102])), ['★☆バースト☆★']);
  assert.equal(await read(page, 'Label9'), '301');
  await turn(page, 1, [60, 1, 0]);
  assert.deepEqual(texts(await turn(page, 2, [100, 100, 101])),
                   [`${name}さんの勝ちです。おめでとうございます！`]);
  assert.equal(await read(page, 'Text5'), name);
  assert.equal(await page.$('img[src="x"]'), null);
  await page.close();
});

// The layout, Tab order and the menu bar from the keyboard are the
// conformance suite's (conformance.mjs); here what only the page has.
test('sheets centred in the viewport, the menu window at its place, a 32-pixel icon', async () => {
  const page = await open();
  const client = await page.$eval('[data-client]', (c) => { const r = c.getBoundingClientRect(); return [r.left, r.top]; });
  assert.deepEqual(client, [358, 242]);
  assert.deepEqual(await page.$$eval('link[rel="icon"]', (links) => links.map((l) => l.sizes.value)), ['32x32']);
  await click(page, '[data-control="Command2"]');
  await command(page, 'four');
  const centre = await page.$eval('[data-window]', (w) => { const r = w.getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]; });
  assert.ok(Math.abs(centre[0] - 512) <= 2 && Math.abs(centre[1] - 384) <= 2, `centre at ${centre}`);
  await page.close();
});

test('keys faster than a box never reach the page behind it', async () => {
  const page = await open();
  await click(page, '[data-control="Command2"]');
  await page.focus('[data-control="Command1"]');
  for (let i = 0; i < 40; ++i)
    await page.keyboard.press('Enter');
  await idle(page);
  const boxes = await page.evaluate(() => window.zelvoBoxes.splice(0).length);
  assert.equal(boxes, 20, 'every other Return presses 計算, the others answer its box');
  assert.equal(await page.$('dialog'), null);
  assert.deepEqual(await turn(page, 1, [1, 1, 1]), []);
  assert.equal(await read(page, 'Label5'), '298');
  await page.close();
});

test('boxes: modal, titled ZELVO, one OK, no image', async () => {
  const page = await open();
  await click(page, '[data-control="Command1"]');
  await page.click('[data-control="Command1"]');
  await page.waitForSelector('dialog[data-box][open]');
  await page.mouse.click(5, 5); // outside: nothing behind a modal box takes input
  const [box] = await page.evaluate(() => window.zelvoBoxes);
  assert.deepEqual(box, { title: 'ZELVO', text: '数字を入力してください', buttons: ['OK'], images: 0, modal: true });
  await page.click('dialog[data-box] button');
  await idle(page);
  await page.close();
});

test('a phone: the window scaled to the width, never cropped, controls at their designed size', async () => {
  const page = await open(360, 640);
  await click(page, '[data-control="Command1"]');
  const fit = await page.evaluate(() => {
    const w = document.querySelector('[data-window]').getBoundingClientRect();
    const field = document.querySelector('[data-control="Text1"]');
    return { left: w.left, right: w.right, client: document.querySelector('[data-client]').offsetWidth,
             field: field.offsetWidth, inputMode: field.inputMode,
             zoomable: !/user-scalable=no|maximum-scale=1/.test(document.querySelector('meta[name="viewport"]').content) };
  });
  assert.ok(fit.left >= 0 && fit.right <= 360, `window at ${fit.left}..${fit.right}`);
  assert.deepEqual([fit.client, fit.inputMode, fit.zoomable], [439, 'numeric', true]);
  await page.close();
});

test('every text in a Japanese font', async () => {
  const page = await open();
  await click(page, '[data-control="Command2"]');
  const session = await page.createCDPSession();
  const { root } = await session.send('DOM.getDocument', { depth: -1 });
  const { nodeIds } = await session.send('DOM.querySelectorAll', { nodeId: root.nodeId, selector: '[data-caption], [data-command], [data-client] > *' });
  await session.send('CSS.enable');
  for (const nodeId of nodeIds) {
    const { fonts } = await session.send('CSS.getPlatformFontsForNode', { nodeId });
    if (fonts.length)
      assert.match(fonts[0].familyName, /Gothic|ゴシック|CJK/, JSON.stringify(fonts));
  }
  assert.ok(nodeIds.length > 15, `${nodeIds.length} texts`);
  await page.close();
});

test('installable, and offline after one visit', async () => {
  const page = await open();
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
  const session = await page.createCDPSession();
  assert.deepEqual((await session.send('Page.getInstallabilityErrors')).installabilityErrors, []);
  assert.deepEqual((await session.send('Page.getAppManifest')).errors, []);

  await new Promise((done) => { server.close(done); server.closeAllConnections(); });
  await page.reload();
  await idle(page);
  await click(page, '[data-control="Command2"]');
  await turn(page, 1, [20, 20, 20]);
  assert.equal(await read(page, 'Label5'), '241');
  await page.close();
});

test('no uncaught error, rejection or alert on any page', () => {
  assert.deepEqual(errors, []);
});
