// A static server for the browser edition on 127.0.0.1 only: `node web/serve.mjs SITE
// [PORT]` (PORT 0 picks a free one). Files are sent gzip-compressed when the browser takes
// it, with the types a browser needs (application/wasm for the core).
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { gzipSync } from 'node:zlib';
import { fileURLToPath } from 'node:url';

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8', '.wasm': 'application/wasm', '.svg': 'image/svg+xml',
  '.png': 'image/png', '.webmanifest': 'application/manifest+json',
};

export function serve(site, port = 0) {
  const root = resolve(site);
  const compressed = new Map(); // path -> [modified time, gzip body]: each file is packed once
  const server = createServer(async (request, response) => {
    let path;
    try {
      path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    } catch {
      response.writeHead(400).end(); // a malformed escape must not end the server
      return;
    }
    const file = normalize(join(root, path.endsWith('/') ? path + 'index.html' : path));
    if (!file.startsWith(root + sep) || !(extname(file) in TYPES)) {
      response.writeHead(404).end();
      return;
    }
    try {
      let body = await readFile(file);
      const headers = { 'Content-Type': TYPES[extname(file)], 'Cache-Control': 'no-store' };
      if ((request.headers['accept-encoding'] || '').includes('gzip')) {
        const { mtimeMs } = await stat(file);
        if (compressed.get(file)?.[0] !== mtimeMs) {
          compressed.set(file, [mtimeMs, gzipSync(body, { level: 9 })]);
        }
        body = compressed.get(file)[1];
        headers['Content-Encoding'] = 'gzip';
      }
      response.writeHead(200, headers).end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((done, fail) => {
    server.once('error', fail);
    server.listen(port, '127.0.0.1', () => done(server));
  });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [site = '.', port = '8080'] = process.argv.slice(2);
  const fail = (text) => {
    console.error(`serve.mjs: ${text}`);
    process.exit(1);
  };
  if (!/^[0-9]{1,5}$/.test(port) || Number(port) > 65535) {
    fail(`${JSON.stringify(port)} is not a port (0 to 65535)`);
  }
  if (!(await stat(join(site, 'index.html')).catch(() => null))) {
    fail(`${site} holds no index.html: build the browser edition first (./run web)`);
  }
  try {
    const server = await serve(site, Number(port));
    console.log(`Quillmere in the browser: http://127.0.0.1:${server.address().port}/ (Ctrl+C ends)`);
  } catch (error) {
    fail(error.code === 'EADDRINUSE' ? `port ${port} is in use: choose another (./run web PORT)` : error.message);
  }
}
