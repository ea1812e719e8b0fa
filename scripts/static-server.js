// A static file server for the web build's site, on 127.0.0.1 only: scripts/serve-web runs it, the
// browser tests start one of their own. Files are served with the MIME types a browser needs
// (application/wasm lets it compile the module while it downloads).
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.txt': 'text/plain; charset=utf-8',
  '.json': 'application/json',
};

// Starts serving `root` on `port` (0: any free one); resolves to the server once it listens.
function serve(root, port) {
  const base = path.resolve(root);
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://127.0.0.1');
    const file = path.join(base, path.normalize(decodeURIComponent(url.pathname)).replace(/^(\.\.[/\\])+/, ''));
    const target = file.endsWith(path.sep) ? path.join(file, 'index.html') : file;
    if (!target.startsWith(base) || request.method !== 'GET') {
      response.writeHead(404).end();
      return;
    }
    fs.readFile(target, (error, data) => {
      if (error) {
        response.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found\n');
        return;
      }
      response.writeHead(200, {
        'Content-Type': types[path.extname(target)] || 'application/octet-stream',
        'Cache-Control': 'no-cache',
      });
      response.end(data);
    });
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => resolve(server));
  });
}

module.exports = { serve };

if (require.main === module) {
  const [root, port] = process.argv.slice(2);
  serve(root, Number(port || 8080)).then((server) => {
    console.log(`serving ${path.resolve(root)} on http://127.0.0.1:${server.address().port}/`);
  }, (error) => {
    console.error(`serve-web: ${error.message}`);
    process.exit(1);
  });
}
