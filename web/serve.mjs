// Serves a folder on 127.0.0.1, as any static web host would: files only,
// with their content types. Usage: node web/serve.mjs DIR [PORT]
// Imported by the web tests, which start and stop it themselves, and may
// lay several folders over each other (the first that has a file serves it).
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8', '.wasm': 'application/wasm', '.png': 'image/png',
  '.webmanifest': 'application/manifest+json; charset=utf-8',
};

export function serve(dirs, port = 0) {
  const roots = [dirs].flat().map((dir) => resolve(dir));
  const server = createServer(async (request, response) => {
    let path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    if (path.endsWith('/'))
      path += 'index.html';
    for (const root of roots) {
      const file = normalize(join(root, path));
      if (!file.startsWith(root + '/'))
        continue;
      try {
        const body = await readFile(file);
        response.writeHead(200, { 'Content-Type': types[extname(file)] ?? 'application/octet-stream', 'Cache-Control': 'no-cache' });
        response.end(body);
        return;
      } catch {
        // not in this folder
      }
    }
    response.writeHead(404, { 'Content-Type': 'text/plain' });
    response.end('not found');
  });
  return new Promise((ready) => server.listen(port, '127.0.0.1', () => ready(server)));
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const server = await serve(process.argv[2] ?? 'build-web/site', Number(process.argv[3] ?? 8080));
  console.log(`ZELVO is served at http://127.0.0.1:${server.address().port}/`);
}
