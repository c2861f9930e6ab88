// The web version's figures, in one headless Chromium run:
//   - first contentful paint of the menu window against a static page with
//     the same three texts (median of several cold loads each);
//   - the size of zelvo.wasm and zelvo.js together, gzip'd;
//   - a Calculate press and a switch between sheets inside the page;
//   - Lighthouse, mobile and desktop, its four category scores.
// Usage: node bench/web/bench.mjs [SITE]   (after scripts/web.sh)
import puppeteer from 'puppeteer-core';
import lighthouse from 'lighthouse';
import desktopConfig from 'lighthouse/core/config/desktop-config.js';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { gzipSync } from 'node:zlib';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { serve } from '../../web/serve.mjs';

const site = process.argv[2] ?? 'build-web/site';
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];

// The static page: the menu window's three texts and nothing else to run.
const plain = mkdtempSync(join(tmpdir(), 'zelvo-plain-'));
writeFileSync(join(plain, 'index.html'), '<!DOCTYPE html><html lang="ja"><head><meta charset="utf-8">'
  + '<meta name="viewport" content="width=device-width, initial-scale=1"><title>ZELVO</title></head>'
  + '<body><p>メニュー</p><button>カウントアップ</button><button>３０１</button></body></html>');

const zelvoServer = await serve(site);
const plainServer = await serve(plain);
const address = (server) => `http://127.0.0.1:${server.address().port}/`;
const profile = mkdtempSync(join(tmpdir(), 'zelvo-bench-'));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM ?? '/usr/lib/chromium/chromium',
  headless: true,
  userDataDir: profile,
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync'],
});

async function firstPaint(url, ready) {
  const times = [];
  for (let run = 0; run < 7; ++run) {
    const context = await browser.createBrowserContext(); // cold: no cache, no service worker
    const page = await context.newPage();
    await page.goto(url);
    await page.waitForSelector(ready);
    times.push(await page.evaluate(() => performance.getEntriesByName('first-contentful-paint')[0].startTime));
    await context.close();
  }
  return median(times);
}

const fcp = { zelvo: await firstPaint(address(zelvoServer), 'html[data-zelvo="idle"]'),
              plain: await firstPaint(address(plainServer), 'button') };

const gzipped = ['zelvo.wasm', 'zelvo.js'].map((file) => gzipSync(readFileSync(join(site, file)), { level: 9 }).length);

// Presses and switches timed inside the page, from the click to the
// program's return (averaged), and a switch to the next frame drawn (median).
const page = await browser.newPage();
await page.goto(address(zelvoServer));
await page.waitForSelector('html[data-zelvo="idle"]');
const inside = await page.evaluate(async () => {
  const control = (name) => document.querySelector(`[data-control="${name}"], [data-command="${name}"]`);
  // The program hands back within a few microtasks when no box opens.
  const idle = async () => { while (document.documentElement.dataset.zelvo !== 'idle') await null; };
  const frame = () => new Promise((done) => requestAnimationFrame(() => setTimeout(done)));
  const other = () => (document.querySelector('[data-window]').dataset.window === 'Form6' ? 'two' : 'one');
  control('Command2').click();
  await idle();
  // 301 for one player: nineteen presses of 0 points, then a reset, so that
  // round 20 and its box never come.
  let pressing = 0;
  for (let game = 0; game < 20; ++game) {
    control('reset').click();
    await idle();
    for (let round = 0; round < 19; ++round) {
      for (const field of ['Text1', 'Text2', 'Text3'])
        control(field).value = '0';
      const start = performance.now();
      control('Command1').click();
      await idle();
      pressing += performance.now() - start;
    }
  }
  let switching = 0;
  for (let run = 0; run < 400; ++run) {
    const start = performance.now();
    control(other()).click();
    await idle();
    switching += performance.now() - start;
  }
  const toFrame = [];
  for (let run = 0; run < 51; ++run) {
    const start = performance.now();
    control(other()).click();
    await idle();
    await frame();
    toFrame.push(performance.now() - start);
  }
  return { press: pressing / 380, switchTime: switching / 400, toFrame: toFrame.sort((a, b) => a - b)[25] };
});
await page.close();

async function scores(formFactor) {
  const tab = await browser.newPage();
  const result = await lighthouse(address(zelvoServer), { output: 'json', logLevel: 'error' },
                                  formFactor === 'desktop' ? desktopConfig : undefined, tab);
  await tab.close();
  return Object.fromEntries(Object.values(result.lhr.categories).map((c) => [c.id, Math.round(c.score * 100)]));
}
const lighthouseScores = { mobile: await scores('mobile'), desktop: await scores('desktop') };

await browser.close();
zelvoServer.close();
plainServer.close();
rmSync(profile, { recursive: true, force: true });
rmSync(plain, { recursive: true, force: true });

const ms = (value) => `${value.toFixed(2)} ms`;
console.log(`first contentful paint: ZELVO ${ms(fcp.zelvo)}, static page ${ms(fcp.plain)} (${((fcp.zelvo / fcp.plain - 1) * 100).toFixed(0)}% more)`);
console.log(`zelvo.wasm + zelvo.js gzip'd: ${gzipped[0]} + ${gzipped[1]} = ${((gzipped[0] + gzipped[1]) / 1024).toFixed(1)} KiB`);
console.log(`Calculate press: ${ms(inside.press)}; switch between sheets: ${ms(inside.switchTime)}, to the next frame drawn ${ms(inside.toFrame)}`);
for (const [formFactor, categories] of Object.entries(lighthouseScores))
  console.log(`Lighthouse ${formFactor}: ${Object.entries(categories).map(([name, score]) => `${name} ${score}`).join(', ')}`);
