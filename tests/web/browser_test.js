// The page played in Debian's Chromium, headless, over the DevTools protocol,
// as a player would: title, [SPACE], [Enter], arrows and [Z], [S] twice,
// [ESC]; the picture checked on screenshots of the page at two window sizes;
// a run's replay downloaded, then watched, and a damaged one dropped on the
// page refused.
//
// usage: node browser_test.js SITE_DIR SHOT_DIR [LINUX_REPLAY_RUNNER]
// With the Linux runner, the page's replay must also play there, matched.
// Needs puppeteer-core (scripts/test-web installs it from package-lock.json)
// and /usr/bin/chromium (or $SKYWARD_CHROMIUM). Exit 0 when every check holds.
'use strict';
const { spawn, spawnSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const [site, shotDir, linuxRunner] = process.argv.slice(2);
const chromium = process.env.SKYWARD_CHROMIUM || '/usr/bin/chromium';
const started = Date.now();
const log = (text) => console.log(`[${((Date.now() - started) / 1000).toFixed(1)} s] ${text}`);
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

let server = null;
let browser = null;
let page = null;
let profile = null;
const consoleErrors = [];
let kept = 0;

class Failure extends Error {}
function check(condition, what) {
  if (!condition) throw new Failure(what);
}

async function keep(name) {
  kept += 1;
  await page.screenshot({ path: path.join(shotDir, `${String(kept).padStart(2, '0')}-${name}.png`) });
}

// The local server, on a port it picks itself.
function serve() {
  return new Promise((resolve, reject) => {
    server = spawn('python3', [path.join(__dirname, '../../tools/web/serve.py'), site, '0'],
                   { stdio: ['ignore', 'pipe', 'inherit'] });
    let out = '';
    server.stdout.on('data', (chunk) => {
      out += chunk;
      const m = /http:\/\/127\.0\.0\.1:\d+\//.exec(out);
      if (m) resolve(m[0]);
    });
    server.on('exit', (code) => reject(new Error(`the server ended (status ${code})`)));
  });
}

// Where the 640 x 480 picture must be in a window of w x h device pixels: a
// whole multiple from 2x, below that the largest size that keeps the aspect.
function expectedPlace(w, h) {
  const whole = Math.min(Math.floor(w / 640), Math.floor(h / 480));
  let pw, ph;
  if (whole >= 2 || (whole === 1 && (w === 640 || h === 480))) {
    pw = 640 * whole; ph = 480 * whole;
  } else if (w * 480 <= h * 640) {
    pw = w; ph = Math.floor((w * 480 + 320) / 640);
  } else {
    ph = h; pw = Math.floor((h * 640 + 240) / 480);
  }
  return { W: w, H: h, x: Math.floor((w - pw) / 2), y: Math.floor((h - ph) / 2), w: pw, h: ph };
}

// Brightest channel and mean colour of regions of the canvas as it is now;
// picture regions are in the game's 640 x 480 coordinates, taken to the whole
// device pixels inside them.
async function look(place) {
  return page.evaluate((place) => {
    const canvas = document.getElementById('screen');
    const ctx = canvas.getContext('2d');
    const W = canvas.width, H = canvas.height;
    const data = ctx.getImageData(0, 0, W, H).data;
    const stat = (x, y, w, h) => {
      if (w <= 0 || h <= 0) return { max: 0, r: 0, g: 0, b: 0 };
      let max = 0, r = 0, g = 0, b = 0;
      for (let j = y; j < y + h; j++) {
        for (let i = x; i < x + w; i++) {
          const o = (j * W + i) * 4;
          max = Math.max(max, data[o], data[o + 1], data[o + 2]);
          r += data[o]; g += data[o + 1]; b += data[o + 2];
        }
      }
      const n = w * h;
      return { max, r: r / n, g: g / n, b: b / n };
    };
    const pic = (x, y, w, h) => {
      const x0 = Math.ceil(x * place.w / 640), y0 = Math.ceil(y * place.h / 480);
      const x1 = Math.floor((x + w) * place.w / 640), y1 = Math.floor((y + h) * place.h / 480);
      return stat(place.x + x0, place.y + y0, x1 - x0, y1 - y0);
    };
    let sum = 0;
    for (let i = 0; i < data.length; i += 97) sum = (sum * 31 + data[i]) >>> 0;
    return {
      size: [W, H],
      above: stat(0, 0, W, place.y),
      below: stat(0, place.y + place.h, W, H - place.y - place.h),
      left: stat(0, 0, place.x, H),
      right: stat(place.x + place.w, 0, W - place.x - place.w, H),
      besideLeft: pic(0, 0, 130, 458),
      besideRight: pic(510, 0, 130, 458),
      edgeLeft: pic(130, 0, 2, 458),
      edgeRight: pic(508, 0, 2, 458),
      column: pic(130, 0, 380, 458),
      columnTop: pic(140, 0, 360, 80),
      columnMiddle: pic(140, 150, 360, 180),
      helpLine: pic(0, 462, 120, 8),
      sum,
    };
  }, place);
}

const ink = (s) => s.max > 40;
const helpLine = (v) => ink(v.helpLine) && v.helpLine.b > v.helpLine.r + 30 && v.helpLine.b > v.helpLine.g + 30;

async function viewport(w, h) {
  await page.setViewport({ width: w, height: h, deviceScaleFactor: 1 });
  return expectedPlace(w, h);
}

// Nothing outside the picture or beside the play column, something at both
// edges of the column: this pins the picture's size and place.
function checkFrame(v, place, what) {
  check(v.size[0] === place.W && v.size[1] === place.H,
        `${what}: the canvas is ${v.size.join('x')}, not the window's ${place.W}x${place.H}`);
  check(!ink(v.above) && !ink(v.below), `${what}: ink above or below the picture`);
  check(!ink(v.left) && !ink(v.right), `${what}: ink left or right of the picture`);
  check(!ink(v.besideLeft) && !ink(v.besideRight), `${what}: ink beside the play column`);
  check(ink(v.edgeLeft) && ink(v.edgeRight), `${what}: nothing at the edges of the play column`);
}

async function until(what, seconds, test) {
  const limit = Date.now() + seconds * 1000;
  for (;;) {
    const r = await test();
    if (r) return r;
    if (Date.now() > limit) throw new Failure(`${what}: not within ${seconds} s`);
    await sleep(100);
  }
}

// While the page loads, its scripts and the program come one after the other:
// a question asked in between has no answer yet.
const scene = () => page.evaluate(() => {
  try { return window.Module && Module._SkywardScene ? Module._SkywardScene() : -1; } catch (e) { return -1; }
}).catch(() => -1);
const frames = () => page.evaluate(() => (window.Module && Module.skyward && Module.skyward.frames) || 0);
const audioState = () => page.evaluate(() => {
  const s = window.Module && Module.skyward;
  return s && s.audio ? { state: s.audio.state, level: s.level ? s.level() : 0, music: s.playingMusic || '' } : null;
});

// A key held briefly, as a finger does: scenes look at the held key once a frame.
async function tap(key, ms = 120) {
  await page.keyboard.down(key);
  await sleep(ms);
  await page.keyboard.up(key);
}

async function pressUntil(key, what, test) {
  for (let attempt = 1; attempt <= 3; attempt++) {
    await tap(key);
    try {
      return await until(what, 4, test);
    } catch (e) {
      if (!(e instanceof Failure) || attempt === 3) throw e;
      log(`${what} not seen yet; pressing [${key}] again`);
    }
  }
  return null;
}

async function moving(place) {
  const a = await look(place);
  await sleep(400);
  const b = await look(place);
  return a.sum !== b.sum ? b : null;
}

async function still(place) {
  const a = await look(place);
  await sleep(1000);
  const b = await look(place);
  return a.sum === b.sum ? b : null;
}

async function newPage() {
  const p = await browser.newPage();
  p.on('console', (m) => {
    if (m.type() === 'error') consoleErrors.push(m.text());
  });
  p.on('pageerror', (e) => consoleErrors.push(`page error: ${e.message}`));
  p.on('requestfailed', (r) => {
    // Chromium may call a fetch read to its end through a stream "aborted".
    if (r.response() && r.response().ok()) return;
    consoleErrors.push(`request failed: ${r.url()} ${r.failure().errorText}`);
  });
  return p;
}

const shown = (id) => page.evaluate((id) => !document.getElementById(id).hidden, id);
const endedWith = () => page.evaluate(() => !document.getElementById('ended').hidden &&
  [document.getElementById('ended-text').textContent, document.getElementById('ended-outcome').textContent]);

// Picks the file with the page's "Watch a replay" button (here the end
// panel's); the page starts again to play it.
async function watch(file) {
  const [chooser] = await Promise.all([page.waitForFileChooser(), page.click('#ended-watch')]);
  await Promise.all([page.waitForNavigation(), chooser.accept([file])]);
}

// A short game, ended with [ESC]: its replay downloaded from the end panel,
// watched at double speed to its matched checksum; a damaged copy, dropped
// on the page, refused.
async function replays(address) {
  const downloads = fs.mkdtempSync(path.join(os.tmpdir(), 'skyward-downloads.'));
  try {
    page = await newPage();
    await page.setViewport({ width: 1366, height: 768, deviceScaleFactor: 1 });
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
    await page.goto(address);
    await until('the title', 15, async () => (await scene()) === 1 && shown('watch'));
    check(!(await shown('download')), 'a replay is offered on the title before any game');
    await pressUntil('Space', 'the setup screen', async () => (await scene()) === 11);
    await pressUntil('Enter', 'stage 1', async () => (await scene()) === 2);
    check(!(await shown('watch')), '"Watch a replay" is offered in the middle of a game');
    await page.keyboard.down('KeyZ');
    await page.keyboard.down('ArrowLeft');
    await sleep(1500);
    await page.keyboard.up('ArrowLeft');
    await page.keyboard.up('KeyZ');
    // The title's button in the middle of the run (shown there after a game):
    // the run so far, ending at this frame, while the game goes on.
    const downloaded = async (what) => {
      const file = await until(what, 10, async () => {
        const name = fs.readdirSync(downloads).find((n) => n.endsWith('.skr') && !n.startsWith('the-'));
        return name && path.join(downloads, name);
      });
      check(/^skyward-run-\d{4}-\d\d-\d\d-\d{4}\.skr$/.test(path.basename(file)), `downloaded as ${path.basename(file)}`);
      const moved = path.join(path.dirname(file), `${what.replace(/\W+/g, '-')}.skr`);
      fs.renameSync(file, moved);
      log(`${what}: ${path.basename(file)}, ${fs.statSync(moved).size} bytes`);
      return moved;
    };
    await page.evaluate(() => document.getElementById('download').click());
    const soFar = await downloaded('the run so far');
    await sleep(500);
    await tap('Escape');
    await until('the end offering the replay', 5, () => shown('ended-download'));
    await page.click('#ended-download');
    const file = await downloaded('the whole run');
    const bytes = fs.readFileSync(file);
    const ends = [];
    for (const f of linuxRunner ? [soFar, file] : []) {
      const r = spawnSync(linuxRunner, ['--replay', f], { encoding: 'utf8', timeout: 60000,
        env: { ...process.env, SDL_VIDEODRIVER: 'dummy', SDL_AUDIODRIVER: 'dummy' } });
      log(`on Linux: ${r.stdout.trim()}`);
      check(r.status === 0 && /checksum matched/.test(r.stdout), `the page's replay on Linux: status ${r.status}, ${r.stdout}${r.stderr}`);
      ends.push(Number(/frame (\d+)/.exec(r.stdout)[1]));
    }
    check(ends.length === 0 || ends[0] < ends[1], `the copy ends at frame ${ends[0]}, the run at ${ends[1]}`);

    await watch(file);
    await until('the replay playing', 15, async () => (await scene()) >= 1);
    check(!(await shown('watch')) && !(await shown('download')), 'replay buttons shown while watching');
    await keep('watching');
    await page.keyboard.down('KeyF');
    const [said, outcome] = await until('the end of the replay', 60, endedWith);
    await page.keyboard.up('KeyF');
    log(`watched: ${said} ${outcome}`);
    check(said === 'The replay has ended.' && /^replay: checksum matched \(frame \d+, score \d+\)$/.test(outcome),
          `the replay ended with "${said}" "${outcome}"`);
    await keep('watched');

    // Another format version, dropped on the end panel: refused before anything plays.
    bytes[8] ^= 0x7f;
    await Promise.all([page.waitForNavigation(), page.evaluate((data) => {
      const files = new DataTransfer();
      files.items.add(new File([new Uint8Array(data)], 'damaged run.skr'));
      for (const type of ['dragover', 'drop']) {
        document.body.dispatchEvent(new DragEvent(type, { dataTransfer: files, bubbles: true, cancelable: true }));
      }
    }, [...bytes])]);
    const [refused, why] = await until('the damaged replay refused', 15, endedWith);
    log(`damaged: ${refused} ${why}`);
    check(refused === 'This replay cannot be played.' && /^replay: cannot play damaged_run\.skr: /.test(why),
          `a damaged replay ended with "${refused}" "${why}"`);
    // The program's own line on its error output, as on the desktop.
    const line = consoleErrors.indexOf(why);
    if (line >= 0) consoleErrors.splice(line, 1);
    await page.close();
  } finally {
    fs.rmSync(downloads, { recursive: true, force: true });
  }
}

async function main() {
  fs.mkdirSync(shotDir, { recursive: true });
  for (const f of fs.readdirSync(shotDir)) fs.unlinkSync(path.join(shotDir, f));
  const address = await serve();
  log(`page served at ${address}`);
  profile = fs.mkdtempSync(path.join(os.tmpdir(), 'skyward-chromium.'));
  browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           `--user-data-dir=${profile}`,
           // As a browser the player starts: sound waits for a key or click.
           '--autoplay-policy=user-gesture-required',
           // The title's cycle is timed by frames: a hidden or occluded
           // headless page must still get them.
           '--disable-background-timer-throttling', '--disable-renderer-backgrounding',
           '--disable-backgrounding-occluded-windows'],
  });
  log(`browser: ${await browser.version()}`);
  page = await newPage();
  let place = await viewport(1366, 768);

  // --- the title, with its help line; the sound waits for the player
  await page.goto(address);
  await until('the title', 15, async () => (await scene()) === 1 && helpLine(await look(place)));
  log(`title after ${((Date.now() - started) / 1000).toFixed(1)} s`);
  checkFrame(await look(place), place, 'title');
  await keep('title');
  // Until a key or click starts the sound, the page says so. (Some headless
  // builds let a page's sound start by itself; then no note is needed.)
  const before = await audioState();
  check(before !== null, 'no audio context');
  const noteShown = await page.evaluate(() => !document.getElementById('sound-note').hidden);
  check(noteShown === (before.state !== 'running'),
        `the sound is ${before.state} and the note about starting it is ${noteShown ? 'shown' : 'hidden'}`);

  // The logo comes in the title's cycle after some 800 frames.
  const logo = await until('the logo on the title', 60, async () => {
    const v = await look(place);
    return !ink(v.columnTop) && ink(v.columnMiddle) ? v : null;
  });
  check(!ink(logo.above) && !ink(logo.below) && !ink(logo.left) && !ink(logo.right) &&
        !ink(logo.besideLeft) && !ink(logo.besideRight), 'logo: ink outside the play column');
  await keep('logo');
  log('the logo');

  // --- [SPACE]: the first key starts the sound; the setup screen
  await pressUntil('Space', 'the setup screen', async () => (await scene()) === 11);
  const sound = await until('the sound running with music', 5, async () => {
    const a = await audioState();
    return a.state === 'running' && a.music === 'JSET1.MID' && a.level > 0.001 ? a : null;
  });
  log(`sound ${sound.state}, music ${sound.music}, level ${sound.level.toFixed(4)}`);
  check(await page.evaluate(() => document.getElementById('sound-note').hidden),
        'the note about the sound is still shown');
  // Each piece, decoded by this browser: around the loop's end it goes on as
  // it did around the loop's start, so the jump back is seamless.
  const loops = await page.evaluate(async () => {
    const out = {};
    for (const [name, info] of Object.entries(Module.skyward.music)) {
      const bytes = await (await fetch(info.file)).arrayBuffer();
      const ctx = new OfflineAudioContext(2, 1, info.rate);
      const buffer = await ctx.decodeAudioData(bytes);
      const d = buffer.getChannelData(0);
      const w = 2048;
      let diff = 0, level = 0;
      for (let i = -w / 2; i < w / 2; i++) {
        const a = d[info.loopStart + i], b = d[info.loopEnd + i];
        diff += (a - b) * (a - b);
        level += a * a;
      }
      out[name] = { error: Math.sqrt(diff / Math.max(level, 1e-12)), decoded: buffer.length, frames: info.frames };
    }
    return out;
  });
  for (const [name, r] of Object.entries(loops)) {
    log(`${name}: at the loop point ${(100 * r.error).toFixed(1)} % apart (decoded ${r.decoded} of ${r.frames} frames)`);
    check(r.error < 0.3, `${name} does not join at its loop point (${(100 * r.error).toFixed(0)} % apart)`);
  }
  const setup = await look(place);
  check(!helpLine(setup) && ink(setup.column), 'the setup screen is not drawn');
  await keep('setup');

  // --- [Enter]: stage 1, played with arrows and [Z]
  await pressUntil('Enter', 'stage 1', async () => (await scene()) === 2 && moving(place));
  await page.keyboard.down('KeyZ');
  for (const key of ['ArrowLeft', 'ArrowUp', 'ArrowRight', 'ArrowDown']) {
    await page.keyboard.down(key);
    await sleep(700);
    await page.keyboard.up(key);
  }
  await page.keyboard.up('KeyZ');
  const play = await until('the stage moving', 4, () => moving(place));
  checkFrame(play, place, 'play');
  await keep('play');
  log('stage 1 played');

  // --- [S] pauses: the picture stands still; [S] again and it moves on
  await tap('KeyS');
  checkFrame(await until('the pause', 6, () => still(place)), place, 'pause');
  await keep('paused');
  log('paused');
  await tap('KeyS');
  await until('the game going on after the second [S]', 4, () => moving(place));
  log('resumed');

  // --- the page hidden: no frame runs and the sound pauses; back, both go on
  const hide = (hidden) => page.evaluate((hidden) => {
    Object.defineProperty(document, 'hidden', { value: hidden, configurable: true });
    document.dispatchEvent(new Event('visibilitychange'));
  }, hidden);
  await hide(true);
  await sleep(300);
  const hiddenFrames = await frames();
  await sleep(700);
  check((await frames()) === hiddenFrames, 'frames run while the page is hidden');
  check((await audioState()).state === 'suspended', 'the sound goes on while the page is hidden');
  await hide(false);
  await until('the game and its sound going on after the page is shown again', 4, async () =>
    (await frames()) > hiddenFrames && (await audioState()).state === 'running');
  log('hidden and shown again');

  // --- a larger window: the picture follows, at a whole multiple
  place = await viewport(1920, 1080);
  const large = await until('the picture at 1920x1080', 4, async () => {
    const v = await look(place);
    return v.size[0] === 1920 && v.size[1] === 1080 && ink(v.edgeLeft) ? v : null;
  });
  checkFrame(large, place, '1920x1080');
  await keep('1920x1080');
  log(`at 1920x1080 the picture is ${place.w}x${place.h} at ${place.x},${place.y}`);

  // --- [ESC] ends the game; the page offers another
  await tap('Escape');
  await until('the offer to play again', 5, () => page.evaluate(() => !document.getElementById('ended').hidden));
  await sleep(300);
  const framesAfter = await frames();
  await sleep(500);
  check((await frames()) === framesAfter, 'frames still run after [ESC]');
  await keep('ended');
  log('ended after [ESC], the page offers another game');

  await replays(address);
  log('a run\'s replay downloaded and watched; a damaged one refused');

  check(consoleErrors.length === 0, `the console shows errors:\n  ${consoleErrors.join('\n  ')}`);

  // --- what the page says where something is missing
  const missing = async (what, prepare, expected) => {
    const p = await browser.newPage();
    await prepare(p);
    await p.goto(address);
    const text = await p.waitForFunction(() => !document.getElementById('fatal').hidden &&
      document.getElementById('fatal-text').textContent, { timeout: 10000 }).then((h) => h.jsonValue(), () => '');
    await p.screenshot({ path: path.join(shotDir, `missing-${what}.png`) });
    await p.close();
    check(expected.test(text), `without ${what} the page says "${text}"`);
    log(`without ${what}: "${text}"`);
  };
  await missing('WebAssembly', (p) => p.evaluateOnNewDocument(() => { delete window.WebAssembly; }),
                /cannot run WebAssembly/);
  await missing('WebAssembly SIMD', (p) => p.evaluateOnNewDocument(() => {
    const validate = WebAssembly.validate;
    WebAssembly.validate = (bytes) => !new Uint8Array(bytes).includes(253) && validate(bytes);
  }), /not its SIMD instructions/);
  await missing('the data', async (p) => {
    await p.setRequestInterception(true);
    p.on('request', (r) => (r.url().endsWith('.data') ? r.respond({ status: 404, body: '' }) : r.continue()));
  }, /could not be loaded.*skyward-run\.data.*404/);
}

async function finish(code) {
  if (browser) await browser.close().catch(() => {});
  if (server) { server.removeAllListeners('exit'); server.kill(); }
  if (profile) fs.rmSync(profile, { recursive: true, force: true });
  process.exit(code);
}

main().then(async () => {
  log(`PASS: the page played in Chromium; screenshots in ${shotDir}`);
  await finish(0);
}, async (e) => {
  console.log(`FAIL: ${e instanceof Failure ? e.message : e.stack || e}`);
  if (consoleErrors.length) console.log(`console errors:\n  ${consoleErrors.join('\n  ')}`);
  if (page) await page.screenshot({ path: path.join(shotDir, 'failure.png') }).catch(() => {});
  await finish(1);
});
