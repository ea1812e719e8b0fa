// What the browser tests share: the site served on 127.0.0.1 by a server of the test's own, Debian's
// Chromium started headless with a fresh profile (driven in real time: requestAnimationFrame runs as on
// a screen), the page opened with a command line, every console error and uncaught exception kept, and
// the native program run for comparison.
'use strict';
const assert = require('node:assert');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');
const { serve } = require('../../scripts/static-server.js');

const root = path.resolve(__dirname, '../..');
const site = path.resolve(root, process.env.NYM_WEB_SITE || 'out/web');
const nativeProgram = path.resolve(root, process.env.NYM_NATIVE_PROGRAM || 'build/nymbus');
const chromium = process.env.NYM_CHROMIUM || '/usr/bin/chromium';

// The flags the tests run Chromium with: SwiftShader's WebGL, and nothing that reaches for the network
// (this machine's network is closed).
const chromiumFlags = [
  '--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
  '--disable-background-networking', '--disable-component-update', '--no-first-run', '--disable-sync',
];

class Browser {
  static async start() {
    const b = new Browser();
    b.server = await serve(site, 0);
    b.profile = fs.mkdtempSync(path.join(os.tmpdir(), 'nym-chromium-'));
    b.browser = await puppeteer.launch({
      executablePath: chromium,
      headless: true,
      args: [...chromiumFlags, `--user-data-dir=${b.profile}`],
    });
    return b;
  }

  get origin() {
    return `http://127.0.0.1:${this.server.address().port}`;
  }

  // The page with this command line in a viewport of width x height CSS pixels.
  async open(args, width = 640, height = 480, deviceScaleFactor = 1) {
    const page = await this.browser.newPage();
    page.problems = [];
    page.on('console', (message) => {
      if (message.type() === 'error') page.problems.push(`console error: ${message.text()}`);
    });
    page.on('pageerror', (error) => page.problems.push(`uncaught: ${error.message}`));
    await page.setViewport({ width, height, deviceScaleFactor });
    await page.goto(`${this.origin}/index.html?args=${encodeURIComponent(args)}`);
    return page;
  }

  async stop() {
    await this.browser.close();
    await new Promise((resolve) => this.server.close(resolve));
    fs.rmSync(this.profile, { recursive: true, force: true });
  }
}

// Waits for the run to end; returns the exit code the page shows.
async function exitCode(page, timeout = 300000) {
  await page.waitForFunction(() => window.nymbus.exitCode !== null, { timeout, polling: 200 });
  return Number(await page.$eval('#exit-code', (e) => e.textContent));
}

// The lines the run wrote on standard output.
function output(page) {
  return page.evaluate(() => window.nymbus.output);
}

// Asserts that the page reported no console error and no uncaught exception.
function assertNoProblems(page) {
  assert.deepStrictEqual(page.problems, []);
}

// The native program's standard output for these arguments.
function runNative(args) {
  return execFileSync(nativeProgram, args, { encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'] });
}

module.exports = { Browser, exitCode, output, assertNoProblems, runNative, root };
