// The engine in WebAssembly is the native engine: the same GL calls frame by frame (the frame digests of
// the native build), the reference frames within the validation's thresholds in SwiftShader's WebGL,
// and the benchmark's results file as natively, naming the web backend.
'use strict';
const assert = require('node:assert');
const { test, before, after } = require('node:test');
const { Browser, exitCode, output, assertNoProblems, runNative } = require('./browser.js');

let browser;
before(async () => {
  browser = await Browser.start();
});
after(async () => {
  await browser.stop();
});

const digestLine = /^[0-9]+ [0-9a-f]{16}$/;

for (const { args, width, height } of [
  { args: '--fixed-fps=30 -qaf=2500', width: 320, height: 240 },
  { args: '--fixed-fps=144 -qaf=1500', width: 240, height: 320 },
]) {
  test(`The frame digests of ${args} at ${width} x ${height} are the native build's`, async () => {
    const native = runNative(['--backend=headless', `--screen=${width}x${height}`, ...args.split(' '),
                              '--frame-digest=-']).split('\n').filter((l) => digestLine.test(l));
    const page = await browser.open(`${args} --frame-digest=-`, width, height);
    assert.strictEqual(await exitCode(page), 0);
    const web = (await output(page)).filter((l) => digestLine.test(l));
    assertNoProblems(page);
    await page.close();
    assert.strictEqual(web.length, native.length);
    const first = web.findIndex((line, i) => line !== native[i]);
    assert.strictEqual(first, -1, `frame ${first}: web ${web[first]}, native ${native[first]}`);
  });
}

test('--validate passes every reference frame in SwiftShader\'s WebGL', async () => {
  const page = await browser.open('--validate');
  assert.strictEqual(await exitCode(page), 0);
  const lines = await output(page);
  assertNoProblems(page);
  await page.close();
  const frames = lines.filter((l) => / frame +[0-9]+ /.test(l));
  assert.strictEqual(frames.length, 12);
  assert.deepStrictEqual(frames.filter((l) => !l.endsWith('  pass')), []);
  assert.match(lines[lines.length - 1], /^PASS: 12 of 12 frames/);
});

test('--benchmark prints its table and offers the results file (schema 1, backend web)', async () => {
  const page = await browser.open('--benchmark');
  assert.strictEqual(await exitCode(page, 600000), 0);
  const lines = await output(page);
  assert.ok(lines.some((l) => /^score: [0-9]+$/.test(l)), lines.join('\n'));
  const results = await page.$$eval('#downloads a', (links) => {
    const link = links.find((a) => a.download === 'nymbus-results.json');
    return link ? fetch(link.href).then((r) => r.json()) : null;
  });
  assertNoProblems(page);
  await page.close();
  assert.ok(results, 'a download of nymbus-results.json');
  assert.strictEqual(results.schema, 1);
  assert.strictEqual(results.environment.backend, 'web');
  assert.strictEqual(results.run.benchmark, true);
  assert.strictEqual(results.run.laps_completed, 1);
  assert.ok(results.whole_run.frames > 2000);
});
