// Build-time step: puts the hash of the page's one <style> element into its
// Content-Security-Policy, which allows no other inline style.
// Usage: node web/style_hash.mjs PAGE.html
import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';

const path = process.argv[2];
const page = readFileSync(path, 'utf8');
const style = page.match(/<style>([\s\S]*?)<\/style>/);
if (!style || !page.includes('@ZELVO_STYLE_HASH@')) {
  console.error(`style_hash: ${path} needs one <style> and @ZELVO_STYLE_HASH@`);
  process.exit(1);
}
const hash = createHash('sha256').update(style[1], 'utf8').digest('base64');
writeFileSync(path, page.replace('@ZELVO_STYLE_HASH@', `'sha256-${hash}'`));
