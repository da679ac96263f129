// The browser build's budgets, measured (not a test; docs/PERFORMANCE.md has
// the numbers): the site's weight on disk and over the wire with gzip, the
// time to the title from localhost in headless Chromium, and 30 s of stage 1:
// the frames a second, the slowest frame against the median, one frame's work
// in WebAssembly (logic, compose, scale, hand-over), and the scale alone, to
// hold against `skyward-bench --scale` natively.
//
// usage: NODE_PATH=build-web/npm/node_modules node tools/web/bench.js SITE NATIVE_BIN WEB_BIN INPUT
'use strict';
const { spawn, execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');
const puppeteer = require('puppeteer-core');

const [site, nativeBin, webBin, input] = process.argv.slice(2).map((p) => path.resolve(p));
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const median = (a) => { const s = [...a].sort((x, y) => x - y); return s[Math.floor(s.length / 2)]; };

function weigh() {
  let disk = 0, wire = 0;
  const walk = (dir) => {
    for (const name of fs.readdirSync(dir)) {
      const p = path.join(dir, name);
      if (fs.statSync(p).isDirectory()) { walk(p); continue; }
      if (name.endsWith('.wav') || name === 'music.json' && dir === site) continue;
      const bytes = fs.readFileSync(p);
      disk += bytes.length;
      // What a host sends: media as they are, the rest gzipped.
      wire += /\.(mp3|woff|zip)$/.test(name) ? bytes.length : zlib.gzipSync(bytes, { level: 6 }).length;
    }
  };
  walk(site);
  return { disk, wire };
}

// The same 6000 frames of the fixed-seed replay, natively and under node.
function perFrame(cmd, args) {
  const t = process.hrtime.bigint();
  execFileSync(cmd, args, { cwd: os.tmpdir(), stdio: 'ignore',
    env: { ...process.env, SDL_VIDEODRIVER: 'dummy', SDL_AUDIODRIVER: 'dummy' } });
  return Number(process.hrtime.bigint() - t) / 1e6 / 6000;
}

async function main() {
  const size = weigh();
  console.log(`site: ${(size.disk / 1048576).toFixed(2)} MB on disk, ${(size.wire / 1048576).toFixed(2)} MB over the wire with gzip`);
  const replayArgs = ['--seed', '1', '--frames', '6000', '--input', path.resolve(input)];
  const nativeMs = perFrame(path.join(nativeBin, 'skyward-replay'), replayArgs);
  const wasmMs = perFrame('node', ['--no-experimental-fetch', path.join(webBin, 'skyward-replay.js'), ...replayArgs]);
  // Not like for like, so no ratio: the native runner also presents every frame
  // to SDL's dummy window and plays its sound through SDL's dummy audio driver;
  // under node there is neither screen nor sound.
  console.log(`headless runner, 6000 frames of the fixed-seed replay, wall time per frame with start-up: native ${nativeMs.toFixed(3)} ms (with its present and sound), WebAssembly under node ${wasmMs.toFixed(3)} ms (logic and compose only)`);

  const server = spawn('python3', [path.join(__dirname, 'serve.py'), site, '0'], { stdio: ['ignore', 'pipe', 'inherit'] });
  const address = await new Promise((resolve) => {
    let out = '';
    server.stdout.on('data', (c) => { out += c; const m = /http:\S+\//.exec(out); if (m) resolve(m[0]); });
  });
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'skyward-bench.'));
  const browser = await puppeteer.launch({ executablePath: process.env.SKYWARD_CHROMIUM || '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', `--user-data-dir=${profile}`] });
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: 1366, height: 768 });
    const titles = [];
    for (let run = 0; run < 3; run++) {
      await page.goto(address);
      await page.waitForFunction(() => window.Module && Module.skyward && Module.skyward.firstFrameAt, { timeout: 20000 });
      titles.push(await page.evaluate(() => Module.skyward.firstFrameAt));
    }
    console.log(`title shown ${titles.map((t) => t.toFixed(0)).join(', ')} ms after the page started loading (median ${median(titles).toFixed(0)} ms)`);
    const key = async (k) => { await page.keyboard.down(k); await sleep(150); await page.keyboard.up(k); };
    await key('Space');
    await sleep(500);
    await key('Enter');
    await sleep(1000);
    await page.evaluate(() => { Module.skyward.measure = []; Module.skyward.measureParts = []; });
    await page.keyboard.down('KeyZ');
    const moves = ['ArrowLeft', 'ArrowUp', 'ArrowRight', 'ArrowDown'];
    for (let i = 0; i < 30; i++) {
      await page.keyboard.down(moves[i % 4]);
      await sleep(1000);
      await page.keyboard.up(moves[i % 4]);
    }
    await page.keyboard.up('KeyZ');
    const m = await page.evaluate(() => Module.skyward.measure);
    const parts = await page.evaluate(() => Module.skyward.measureParts);
    const scale = [], handOver = [];
    for (let i = 0; i < parts.length; i += 2) { scale.push(parts[i]); handOver.push(parts[i + 1]); }
    const starts = [], work = [];
    for (let i = 0; i < m.length; i += 2) { starts.push(m[i]); work.push(m[i + 1]); }
    const gaps = starts.slice(1).map((t, i) => t - starts[i]);
    const seconds = (starts[starts.length - 1] - starts[0]) / 1000;
    console.log(`30 s of stage 1 at 1366x768: ${(gaps.length / seconds).toFixed(1)} frames a second; frame interval median ${median(gaps).toFixed(2)} ms, slowest ${Math.max(...gaps).toFixed(2)} ms (${(Math.max(...gaps) / median(gaps)).toFixed(2)}x)`);
    const sorted = [...work].sort((a, b) => a - b);
    console.log(`one frame's work in WebAssembly (logic, compose, scale to 1024x768, hand-over): median ${median(work).toFixed(3)} ms, 99th percentile ${sorted[Math.floor(sorted.length * 0.99)].toFixed(3)} ms`);
    console.log(`  of which the scale ${median(scale).toFixed(3)} ms and the hand-over to the canvas ${median(handOver).toFixed(3)} ms (medians); logic and compose ${(median(work) - median(scale) - median(handOver)).toFixed(3)} ms`);
    // The scale alone, warm and back to back, as `skyward-bench --scale` times it natively.
    const alone = [];
    for (let i = 0; i < 5; i++) alone.push(await page.evaluate(() => Module._SkywardTimeScale(100)));
    console.log(`the scale alone in the page, 5 x 100 times back to back: ${alone.map((t) => t.toFixed(3)).join(', ')} ms each (median ${median(alone).toFixed(3)} ms)`);
  } finally {
    await browser.close();
    server.kill();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

main().catch((e) => { console.error(e); process.exit(1); });
