// The page in a real Chromium: input through the browser's own events, the options a page refuses, the
// portrait screen, and the README's picture.
'use strict';
const assert = require('node:assert');
const { spawnSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { test, before, after } = require('node:test');
const { Browser, exitCode, output, assertNoProblems, runNative, root } = require('./browser.js');

let browser;
before(async () => {
  browser = await Browser.start();
});
after(async () => {
  await browser.stop();
});

function framesPresented(page, count) {
  return page.waitForFunction((n) => window.nymbus.framesPresented >= n, { timeout: 120000 }, count);
}

test('Escape and a press on a full-screen canvas end the run with exit code 0', async () => {
  for (const end of ['escape', 'click']) {
    const page = await browser.open('');
    await framesPresented(page, 20);
    if (end === 'escape') {
      await page.keyboard.press('Escape');
    } else {
      await page.mouse.click(320, 240);
    }
    assert.strictEqual(await exitCode(page, 60000), 0, end);
    assert.ok(await page.$eval('#result', (e) => !e.hidden), end);
    assertNoProblems(page);
    await page.close();
  }
});

test('A framed window is a centred canvas of its size that a press does not end', async () => {
  const page = await browser.open('-windowed -width=320 -height=200');
  await framesPresented(page, 20);
  const box = await (await page.$('#screen')).boundingBox();
  assert.deepStrictEqual(box, { x: 160, y: 140, width: 320, height: 200 });
  await page.mouse.click(320, 240);
  const frames = await page.evaluate(() => window.nymbus.framesPresented);
  await framesPresented(page, frames + 20);
  assert.strictEqual(await page.evaluate(() => window.nymbus.exitCode), null);
  await page.keyboard.press('Escape');
  assert.strictEqual(await exitCode(page, 60000), 0);
  assertNoProblems(page);
  await page.close();
});

// The canvas's drawing buffer and its size on the page in CSS pixels.
function canvasSize(page) {
  return page.$eval('#screen', (c) => [c.width, c.height, c.getBoundingClientRect().width,
                                       c.getBoundingClientRect().height]);
}

test('A full-screen canvas follows the page\'s size in device pixels', async () => {
  const page = await browser.open('', 400, 300, 2);
  await framesPresented(page, 10);
  assert.deepStrictEqual(await canvasSize(page), [800, 600, 400, 300]);
  await page.setViewport({ width: 500, height: 250, deviceScaleFactor: 2 });
  await page.waitForFunction(() => document.getElementById('screen').width === 1000, { timeout: 10000 });
  assert.deepStrictEqual(await canvasSize(page), [1000, 500, 500, 250]);
  const frames = await page.evaluate(() => window.nymbus.framesPresented);
  await framesPresented(page, frames + 10);
  await page.keyboard.press('Escape');
  assert.strictEqual(await exitCode(page, 60000), 0);
  assertNoProblems(page);
  await page.close();
});

test('Scripted input ends the run after its frame, as natively', async () => {
  const args = ['--fixed-fps=30', '--input=escape@10', '--stats'];
  const native = runNative(['--backend=headless', ...args]).split('\n')[0];
  assert.match(native, /^frames presented: [0-9]+$/);
  const page = await browser.open(args.join(' '));
  assert.strictEqual(await exitCode(page), 0);
  assert.strictEqual((await output(page))[0], native);
  assertNoProblems(page);
  await page.close();
});

test('Options a page cannot honour are refused with one line and exit code 2', async () => {
  for (const option of ['--capture=race.mp4', '--log=x.log', '--backend=x11', '--plot=p.png']) {
    const page = await browser.open(`${option} -qaf=5`);
    assert.strictEqual(await exitCode(page), 2, option);
    const name = option.split('=')[0];
    assert.strictEqual(await page.$eval('#messages', (e) => e.textContent),
                       `nymbus: ${name} is not available in a browser`);
    assertNoProblems(page);
    await page.close();
  }
});

// ffmpeg's PSNR between two pictures of the same size, the average over the colour channels.
function psnr(a, b) {
  const run = spawnSync('ffmpeg', ['-hide_banner', '-i', a, '-i', b, '-lavfi', 'psnr', '-f', 'null', '-'],
                        { encoding: 'utf8' });
  const average = /average:([0-9.]+|inf)/.exec(run.stderr);
  assert.ok(average, run.stderr);
  return average[1] === 'inf' ? Infinity : Number(average[1]);
}

test('A page taller than wide is a portrait screen: the race is drawn turned, as natively', async () => {
  const page = await browser.open('--fixed-fps=30 -qaf=450 --screenshot=450:portrait.png', 240, 320);
  assert.strictEqual(await exitCode(page), 0);
  const png = await page.evaluate(() => window.nymbus.pictureAsPng('portrait.png'));
  assertNoProblems(page);
  await page.close();
  const file = path.join(os.tmpdir(), `nym-portrait-${process.pid}.png`);
  fs.writeFileSync(file, Buffer.from(png.split(',')[1], 'base64'));
  try {
    const reference = path.join(root, 'tests/references');
    const turned = psnr(file, path.join(reference, 'portrait-chase.png'));
    assert.ok(turned >= 30, `against the native portrait reference: ${turned} dB`);
    // Another frame of the portrait screen is far from it: the comparison tells frames apart.
    const other = psnr(file, path.join(reference, 'portrait-tunnel-lamps.png'));
    assert.ok(other < 20, `against another frame: ${other} dB`);
  } finally {
    fs.rmSync(file, { force: true });
  }
});

test('The README\'s picture: the race in Chromium', async () => {
  const page = await browser.open('--fixed-fps=30', 640, 480);
  await framesPresented(page, 450);
  const folder = path.join(root, 'out/web-tests');
  fs.mkdirSync(folder, { recursive: true });
  await page.screenshot({ path: path.join(folder, 'race_in_chromium.png') });
  await page.keyboard.press('Escape');
  assert.strictEqual(await exitCode(page, 60000), 0);
  assertNoProblems(page);
  await page.close();
});
