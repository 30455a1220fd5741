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

// Whether an Accept-Encoding header takes gzip: named (or x-gzip, or *) with a weight above
// 0. "gzip;q=0" refuses it.
export function acceptsGzip(header = '') {
  const weights = {};
  for (const part of header.split(',')) {
    const [coding, ...parameters] = part.split(';').map((p) => p.trim().toLowerCase());
    const q = parameters.find((p) => p.startsWith('q='));
    const weight = q === undefined ? 1 : Number(q.slice(2));
    weights[coding === 'x-gzip' ? 'gzip' : coding] = Number.isFinite(weight) ? weight : 0;
  }
  return (weights.gzip ?? weights['*'] ?? 0) > 0;
}

export function serve(site, port = 0) {
  const root = resolve(site);
  const compressed = new Map(); // path -> [modified time, gzip body]: each file is packed once
  const server = createServer(async (request, response) => {
    if (request.method !== 'GET' && request.method !== 'HEAD') {
      response.writeHead(405, { Allow: 'GET, HEAD' }).end(); // a page's files are only read
      return;
    }
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
      // Every answer may come compressed or not: a cache between must keep both apart.
      const headers = { 'Content-Type': TYPES[extname(file)], 'Cache-Control': 'no-store', Vary: 'Accept-Encoding' };
      if (acceptsGzip(request.headers['accept-encoding'])) {
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
