// The web build's figures in headless Chromium (scripts/measure-web runs this): the time from navigation
// to the first presented frame, and the benchmark at 640 x 480 on SwiftShader's WebGL against the native
// program drawing through the OpenGL ES 2.0 translation on llvmpipe, as the ratio of their median frame
// times. Prints one line per figure.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { Browser, exitCode, runNative } = require('./browser.js');

async function firstFrame(browser) {
  const page = await browser.open('--fixed-fps=30 -qaf=60');
  await page.waitForFunction(() => window.nymbus.firstFrameMs !== null, { timeout: 60000 });
  const ms = await page.evaluate(() => window.nymbus.firstFrameMs);
  await exitCode(page);
  await page.close();
  return ms;
}

async function webBenchmark(browser) {
  const page = await browser.open('--benchmark', 640, 480);
  if ((await exitCode(page, 900000)) !== 0) throw new Error('the web benchmark failed');
  const results = await page.$$eval('#downloads a', (links) =>
    fetch(links.find((a) => a.download === 'nymbus-results.json').href).then((r) => r.json()));
  await page.close();
  return results;
}

function nativeBenchmark() {
  const file = path.join(os.tmpdir(), `nym-native-results-${process.pid}.json`);
  runNative(['--gl=es2', '--backend=headless', '--screen=640x480', '--benchmark', `--results=${file}`]);
  const results = JSON.parse(fs.readFileSync(file, 'utf8'));
  fs.rmSync(file);
  return results;
}

(async () => {
  const browser = await Browser.start();
  try {
    const firsts = [];
    for (let i = 0; i < 3; ++i) firsts.push(await firstFrame(browser));
    const sorted = firsts.slice().sort((a, b) => a - b);
    console.log(`first presented frame after navigation: ${firsts.map((ms) => ms.toFixed(0)).join(', ')} ms ` +
                `(median ${sorted[1].toFixed(0)} ms)`);
    const web = await webBenchmark(browser);
    const native = nativeBenchmark();
    const w = web.whole_run;
    const n = native.whole_run;
    console.log(`benchmark 640x480, web (${web.environment.gl_renderer}): median ${w.median_ms} ms, ` +
                `mean ${w.mean_fps} fps, score ${web.score}`);
    console.log(`benchmark 640x480, native --gl=es2 (${native.environment.gl_renderer}): median ` +
                `${n.median_ms} ms, mean ${n.mean_fps} fps, score ${native.score}`);
    console.log(`median frame time, web / native: ${(w.median_ms / n.median_ms).toFixed(2)}`);
  } finally {
    await browser.stop();
  }
})().catch((error) => {
  console.error(`measure: ${error.stack || error}`);
  process.exit(1);
});
