// Runs the conformance suite, compiled to WebAssembly, in the page in
// headless Chromium, and does the input its inspector asks for as a user
// would: clicks and keys through the DevTools protocol. The suite's output
// goes to standard output; the exit status is the suite's.
// Usage: node tests/web/conformance.mjs BUILD_TESTS_DIR SITE_DIR
import puppeteer from 'puppeteer-core';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { serve } from '../../web/serve.mjs';

const [programDir, site] = process.argv.slice(2);
const keys = { Tab: ['Tab'], BackTab: ['Shift', 'Tab'], Return: ['Enter'], Enter: ['NumpadEnter'], Space: ['Space'],
               Escape: ['Escape'], Menu: ['F10'], Alt: ['Alt'], Left: ['ArrowLeft'], Right: ['ArrowRight'] };

// The test page takes the site's stylesheet from the sources (the site has it inside its page).
const here = dirname(fileURLToPath(import.meta.url));
const server = await serve([here, programDir, site, join(here, '../../web/site')]);
const profile = mkdtempSync(join(tmpdir(), 'zelvo-conformance-'));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/lib/chromium/chromium',
  headless: true,
  userDataDir: profile,
  protocolTimeout: 0,
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync'],
});
let status = 1;
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1024, height: 768 });
  page.on('console', (message) => console.log(message.text()));
  // An uncaught error stops the program: the suite cannot go on.
  const failed = new Promise((stop) => page.on('pageerror', (error) => stop(console.log(`uncaught: ${error.message}`) ?? 1)));
  await page.exposeFunction('zelvoDriverInput', async (action, argument) => {
    if (action === 'click')
      return page.click(argument);
    const [modifier, key] = keys[argument].length === 2 ? keys[argument] : [null, keys[argument][0]];
    if (modifier)
      await page.keyboard.down(modifier);
    await page.keyboard.press(key);
    if (modifier)
      await page.keyboard.up(modifier);
  });
  await page.goto(`http://127.0.0.1:${server.address().port}/conformance.html`);
  const finished = page.waitForFunction(() => globalThis.zelvoTestStatus !== undefined, { timeout: 0, polling: 200 })
    .then(() => page.evaluate(() => globalThis.zelvoTestStatus));
  status = await Promise.race([finished, failed]);
} finally {
  await browser.close();
  server.close();
  rmSync(profile, { recursive: true, force: true });
}
process.exit(status);
