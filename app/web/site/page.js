// The page around the game: loads the program and its files with progress,
// says plainly what is missing, owns the sound's start, the full-screen
// button, the error box, the replay buttons and the offer to play again. The
// game itself talks to it through Module.skyward.
(function () {
  'use strict';
  var $ = function (id) { return document.getElementById(id); };
  var canvas = $('screen');
  var started = false;

  function fatal(text) {
    $('loading').hidden = true;
    $('fatal-text').textContent = text;
    $('fatal').hidden = false;
    console.error('Skyward Run: ' + text);
  }

  function status(text, fraction) {
    $('status').textContent = text;
    if (fraction === undefined) $('progress').removeAttribute('value');
    else $('progress').value = fraction;
  }

  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
    fatal('This browser cannot run WebAssembly, which the game is made of. ' +
          'A current Chromium, Chrome, Edge, Firefox or Safari can.');
    return;
  }
  // A function with one 128-bit SIMD instruction: the game is built with them.
  var simd = new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0, 1, 5, 1, 96, 0, 1, 123, 3, 2, 1, 0, 10,
                             10, 1, 8, 0, 65, 0, 253, 15, 253, 98, 11]);
  if (!WebAssembly.validate(simd)) {
    fatal('This browser runs WebAssembly, but not its SIMD instructions, which the game uses. ' +
          'Chrome or Edge 91, Firefox 89, Safari 16.4 and later versions can.');
    return;
  }
  if (typeof fetch !== 'function' || typeof Promise !== 'function') {
    fatal('This browser is too old for the game (it has no fetch).');
    return;
  }

  // --- Sound: one context for effects and music, started by the player's
  // first key or click, as browsers require.
  var AudioContextClass = window.AudioContext || window.webkitAudioContext;
  var audio = null;
  if (AudioContextClass) {
    try { audio = new AudioContextClass(); } catch (e) { audio = null; }
  }
  var note = $('sound-note');
  function showSoundState() {
    if (!audio) {
      note.textContent = 'This browser has no Web Audio: the game plays without sound.';
      note.hidden = false;
    } else {
      note.hidden = audio.state === 'running' || !started;
    }
  }
  function startSound() {
    if (audio && audio.state === 'suspended' && !document.hidden && skyward.active) {
      audio.resume().then(showSoundState, showSoundState);
    }
  }
  if (audio) audio.onstatechange = showSoundState;
  window.addEventListener('keydown', startSound, true);
  window.addEventListener('pointerdown', startSound, true);

  // --- Full screen: the button, and Alt+Enter from the game's key handler.
  function toggleFullScreen() {
    var el = document.documentElement;
    var request = el.requestFullscreen || el.webkitRequestFullscreen;
    var exit = document.exitFullscreen || document.webkitExitFullscreen;
    var current = document.fullscreenElement || document.webkitFullscreenElement;
    try {
      var p = current ? exit.call(document) : request.call(el);
      if (p && p.catch) p.catch(function () {});
    } catch (e) { /* refused: the page stays as it is */ }
    canvas.focus();
  }
  var fsButton = $('fullscreen');
  fsButton.addEventListener('click', toggleFullScreen);

  // --- The error box: the game's errors, one after another, each waiting
  // for OK as the desktop's box does; frames do not run meanwhile.
  var pendingErrors = [];
  function showNextError() {
    if (pendingErrors.length === 0) {
      $('errors').hidden = true;
      skyward.modal = false;
      canvas.focus();
      return;
    }
    $('error-text').textContent = pendingErrors[0];
    $('errors').hidden = false;
    skyward.modal = true;
    $('error-ok').focus();
  }
  $('error-ok').addEventListener('click', function () {
    pendingErrors.shift();
    showNextError();
  });

  // --- Replays. The program records every run in the page's memory; the
  // player can take it away as a file. A replay to watch (picked or dropped)
  // is kept in the session's storage while the page starts again to play it,
  // as the desktop game plays one it was started with.
  var STORED_REPLAY = 'skyward-run.replay';
  var STORED_NAME = 'skyward-run.replay-name';
  // What a session's storage holds in text (about 5 million characters);
  // a ten-minute game takes some 100 KB.
  var MAX_REPLAY_BYTES = 3 * 1048576;
  var keepBest = /[?&]keep-best-score(=|&|$)/.test(location.search);
  var watchBytes = null;
  var watchName = '';
  var scene = -1;
  var playedGame = false;
  var ended = false;
  var noteTimer = 0;

  function address(watch) {
    var q = [];
    if (keepBest) q.push('keep-best-score');
    if (watch) q.push('watch');
    return location.pathname + (q.length ? '?' + q.join('&') : '');
  }
  function replayNote(text) {
    var n = $('replay-note');
    n.textContent = text;
    n.hidden = false;
    clearTimeout(noteTimer);
    noteTimer = setTimeout(function () { n.hidden = true; }, 8000);
  }
  if (/[?&]watch(=|&|$)/.test(location.search)) {
    try {
      var stored = sessionStorage.getItem(STORED_REPLAY);
      if (stored !== null) {
        var text = atob(stored);
        watchBytes = new Uint8Array(text.length);
        for (var i = 0; i < text.length; i++) watchBytes[i] = text.charCodeAt(i);
        watchName = sessionStorage.getItem(STORED_NAME) || 'replay.skr';
      }
    } catch (e) { watchBytes = null; }
    // Nothing to watch (storage off, another tab): an ordinary game.
    if (!watchBytes) history.replaceState(null, '', address(false));
  }

  function watchFile(file) {
    if (!file) return;
    if (file.size > MAX_REPLAY_BYTES) {
      replayNote(file.name + ' is ' + (file.size / 1048576).toFixed(1) + ' MB; the page takes replays up to ' +
                 MAX_REPLAY_BYTES / 1048576 + ' MB. The desktop game plays it with --replay.');
      return;
    }
    var reader = new FileReader();
    reader.onerror = function () { replayNote(file.name + ' could not be read.'); };
    reader.onload = function () {
      var url = String(reader.result);
      // A name the page's file system and the game's messages take as it is.
      var name = file.name.replace(/[^A-Za-z0-9._-]+/g, '_').replace(/^\.+/, '').slice(-80) || 'replay.skr';
      try {
        sessionStorage.setItem(STORED_REPLAY, url.slice(url.indexOf(',') + 1));
        sessionStorage.setItem(STORED_NAME, name);
      } catch (e) {
        replayNote('This browser keeps no session storage for the page, which watching a replay needs.');
        return;
      }
      location.assign(address(true));
    };
    reader.readAsDataURL(file);
  }
  var picker = $('replay-file');
  picker.addEventListener('change', function () {
    watchFile(picker.files[0]);
    picker.value = '';
  });
  function pick() { picker.click(); }
  $('watch').addEventListener('click', pick);
  $('ended-watch').addEventListener('click', pick);

  // A drop in the middle of a game would throw the game away: the title or
  // the end takes it.
  function dropAllowed() { return ended || scene === 1 || scene === 11 || !started; }
  function carriesFiles(e) {
    return e.dataTransfer && Array.prototype.indexOf.call(e.dataTransfer.types || [], 'Files') >= 0;
  }
  window.addEventListener('dragover', function (e) {
    if (!carriesFiles(e)) return;
    e.preventDefault();
    e.dataTransfer.dropEffect = dropAllowed() ? 'copy' : 'none';
    $('drop').hidden = !dropAllowed();
  });
  window.addEventListener('dragleave', function (e) {
    if (!e.relatedTarget) $('drop').hidden = true;
  });
  window.addEventListener('drop', function (e) {
    if (!carriesFiles(e)) return;
    e.preventDefault();  // else the browser opens the file in place of the page
    $('drop').hidden = true;
    if (dropAllowed()) watchFile(e.dataTransfer.files[0]);
    else replayNote('A replay can be watched from the title screen; this game goes on.');
  });

  function stamp() {
    var d = new Date();
    var two = function (n) { return (n < 10 ? '0' : '') + n; };
    return d.getFullYear() + '-' + two(d.getMonth() + 1) + '-' + two(d.getDate()) + '-' +
           two(d.getHours()) + two(d.getMinutes());
  }
  function downloadRun() {
    var M = window.Module;
    var path = M && M._SkywardRunReplay ? M._SkywardRunReplay() : 0;
    if (!path) {
      replayNote('There is no replay of this run to download.');
      return;
    }
    var link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([M.FS.readFile(M.UTF8ToString(path))],
                                             { type: 'application/octet-stream' }));
    link.download = 'skyward-run-' + stamp() + '.skr';
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function () { URL.revokeObjectURL(link.href); }, 60000);
    if (!ended) canvas.focus();
  }
  $('download').addEventListener('click', downloadRun);
  $('ended-download').addEventListener('click', downloadRun);

  // The buttons beside the game: on the title only, and not while watching.
  function showReplayButtons() {
    var title = started && !ended && !watchBytes && scene === 1;
    $('download').hidden = !(title && playedGame);
    $('watch').hidden = !title;
  }

  // What the game's layer uses.
  var skyward = {
    canvas: canvas,
    audio: audio,
    active: true,
    modal: false,
    // Where the music files are, beside the page.
    base: '',
    showError: function (text) {
      pendingErrors.push(text);
      if (pendingErrors.length === 1) showNextError();
    },
    toggleFullScreen: toggleFullScreen,
    // The game is running: the title is about to show.
    started: function () {
      started = true;
      $('loading').hidden = true;
      if (document.fullscreenEnabled || document.webkitFullscreenEnabled) fsButton.hidden = false;
      showSoundState();
      if (watchBytes) replayNote('Watching ' + watchName + ': [Esc] ends it, [S] pauses it, ' +
                                 'holding [F] doubles the speed.');
      canvas.focus();
    },
    sceneChanged: function (from, to) {
      scene = to;
      if (to === 1 && (from === 2 || from === 3)) playedGame = true;
      showReplayButtons();
    },
    activeChanged: function (active) {
      skyward.active = active;
      if (active) startSound();
    },
    // [ESC] or the end of the program: offer another game. `outcome` is how
    // a replay ended or why it was refused.
    ended: function (outcome) {
      ended = true;
      showReplayButtons();
      $('loading').hidden = true;
      fsButton.hidden = true;
      note.hidden = true;
      $('replay-note').hidden = true;
      if (watchBytes) {
        $('ended-text').textContent = /^replay: cannot play/.test(outcome || '')
          ? 'This replay cannot be played.' : 'The replay has ended.';
        $('again').textContent = 'Play a game';
      } else {
        var M = window.Module;
        $('ended-download').hidden = !(started && M && M._SkywardRunReplay && M._SkywardRunReplay());
      }
      $('ended-outcome').textContent = outcome || '';
      $('ended-outcome').hidden = !outcome;
      $('ended').hidden = false;
      $('again').focus();
    }
  };
  $('again').addEventListener('click', function () {
    if (watchBytes) location.assign(address(false));
    else location.reload();
  });

  // --- Loading: the program and its data with one progress bar.
  function fetchWithProgress(name, size, progress) {
    return fetch(name).then(function (response) {
      if (!response.ok) throw new Error(name + ': the server answered ' + response.status + ' ' + response.statusText);
      if (!response.body || !response.body.getReader) {
        return response.arrayBuffer().then(function (b) { progress(b.byteLength); return b; });
      }
      var reader = response.body.getReader();
      var chunks = [];
      var received = 0;
      function pump() {
        return reader.read().then(function (r) {
          if (r.done) {
            var out = new Uint8Array(received);
            var at = 0;
            chunks.forEach(function (c) { out.set(c, at); at += c.length; });
            return out.buffer;
          }
          chunks.push(r.value);
          received += r.value.length;
          progress(r.value.length);
          return pump();
        });
      }
      return pump();
    }, function (e) {
      throw new Error(name + ': ' + (e && e.message ? e.message : 'the file could not be fetched'));
    });
  }

  function loadScript(src) {
    return new Promise(function (resolve, reject) {
      var s = document.createElement('script');
      s.src = src;
      s.onload = resolve;
      s.onerror = function () { reject(new Error(src + ': the file could not be loaded')); };
      document.body.appendChild(s);
    });
  }

  function loadFonts() {
    if (!document.fonts || !document.fonts.load) return Promise.resolve();
    // The faces are small; without them the text falls back to another face.
    return Promise.all([document.fonts.load('12px "Skyward Gothic"', 'ア'),
                        document.fonts.load('12px "Skyward Mincho"', 'ア')]).catch(function () {});
  }

  status('Loading…', 0);
  fetch('manifest.json').then(function (r) {
    if (!r.ok) throw new Error('manifest.json: the server answered ' + r.status + ' ' + r.statusText);
    return r.json();
  }).then(function (manifest) {
    var total = manifest.program.size + manifest.data.size;
    var done = 0;
    function progress(n) {
      done += n;
      status('Loading… ' + Math.round(done / 1048576 * 10) / 10 + ' of ' +
             Math.round(total / 1048576 * 10) / 10 + ' MB', Math.min(1, done / total));
    }
    skyward.music = manifest.music;
    return Promise.all([fetchWithProgress(manifest.program.file, manifest.program.size, progress),
                        fetchWithProgress(manifest.data.file, manifest.data.size, progress),
                        loadFonts()]).then(function (parts) {
      status('Starting…');
      var Module = window.Module = {
        canvas: canvas,
        skyward: skyward,
        // The page's address may opt in to the kept best score, as the
        // desktop's command line does (index.html?keep-best-score); a replay
        // to watch is the program's to play, beside its own files.
        arguments: watchBytes ? ['--replay', watchName] : keepBest ? ['--keep-best-score'] : [],
        preRun: [function () {
          if (!watchBytes) return;
          var FS = window.Module.FS;
          FS.mkdir('/replays');
          FS.writeFile('/replays/' + watchName, watchBytes);
          FS.chdir('/replays');
        }],
        wasmBinary: parts[0],
        getPreloadedPackage: function () { return parts[1]; },
        print: function (text) { console.log(text); },
        printErr: function (text) { console.error(text); },
        onAbort: function (what) { fatal('The game stopped: ' + what); }
      };
      return loadScript(manifest.loader).then(function () { return loadScript(manifest.script); });
    });
  }).catch(function (e) {
    fatal('The game\'s files could not be loaded. ' + (e && e.message ? e.message : e) +
          (location.protocol === 'file:' ? ' (The page must be served by a web server; ' +
           'opened from a file, the browser refuses to load it.)' : ''));
  });

  window.addEventListener('error', function (e) {
    if (!started) fatal('The page failed: ' + e.message);
  });
})();
