// The browser's interfaces for the library (lib/web/*.cpp): the canvas, text
// with the page's faces, Web Audio, the Gamepad API, the error box and local
// storage. The page (app/web/site/page.js) hands them over as Module.skyward;
// without it (the suites and the runner under node) the program has no
// screen to show and no sound, as with the desktop's dummy drivers.
mergeInto(LibraryManager.library, {
  $SkywardWeb: {
    ctx: null, image: null, imageAt: 0, textCanvas: null,
    master: null, analyser: null, levelData: null,
    voices: {}, music: { name: '', token: 0, source: null, cache: {} },
    page: function () { return Module['skyward'] || null; },
    color: function (ref) {
      return 'rgb(' + (ref & 255) + ',' + ((ref >> 8) & 255) + ',' + ((ref >> 16) & 255) + ')';
    },
  },

  skyward_has_page__deps: ['$SkywardWeb'],
  skyward_has_page: function () { return SkywardWeb.page() ? 1 : 0; },

  // The folder of the program's files: the package's root in a page, the
  // program's own folder under node.
  skyward_program_folder: function (out, size) {
    var folder = ENVIRONMENT_IS_NODE ? scriptDirectory : '/';
    if (folder.charAt(folder.length - 1) !== '/') folder += '/';
    stringToUTF8(folder, out, size);
  },

  skyward_canvas_size__deps: ['$SkywardWeb'],
  skyward_canvas_size: function (w, h) {
    var page = SkywardWeb.page();
    var width = 0, height = 0;
    if (page) {
      // Device pixels, so the picture stays sharp at any zoom or density.
      var r = page.canvas.getBoundingClientRect();
      var dpr = window.devicePixelRatio || 1;
      width = Math.round(r.width * dpr);
      height = Math.round(r.height * dpr);
    }
    HEAP32[w >> 2] = width;
    HEAP32[h >> 2] = height;
  },

  skyward_present__deps: ['$SkywardWeb'],
  skyward_present: function (rgba, x, y, w, h, canvasW, canvasH, clear) {
    var page = SkywardWeb.page();
    if (!page) return;
    var canvas = page.canvas;
    if (clear || !SkywardWeb.ctx) {
      canvas.width = canvasW;
      canvas.height = canvasH;
      SkywardWeb.ctx = canvas.getContext('2d', { alpha: false });
      SkywardWeb.ctx.fillStyle = '#000';
      SkywardWeb.ctx.fillRect(0, 0, canvasW, canvasH);
    }
    // The canvas reads the picture where the program wrote it (RGBA bytes), not
    // from a copy: an ImageData over the program's memory, made again when the
    // picture moves or the memory grows (the old buffer is then detached).
    var image = SkywardWeb.image;
    if (clear || !image || SkywardWeb.imageAt !== rgba || image.data.buffer !== HEAPU8.buffer) {
      image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, w * h * 4), w, h);
      SkywardWeb.image = image;
      SkywardWeb.imageAt = rgba;
    }
    SkywardWeb.ctx.putImageData(image, x, y);
  },

  skyward_text_render__deps: ['$SkywardWeb'],
  skyward_text_render: function (face, height, bold, italic, underline, fg, bg, transparent,
                                 text, out, maxW, maxH, wOut, hOut) {
    if (!SkywardWeb.page() || typeof document === 'undefined') return 0;
    var line = UTF8ToString(text);
    var c = SkywardWeb.textCanvas || (SkywardWeb.textCanvas = document.createElement('canvas'));
    var ctx = c.getContext('2d', { willReadFrequently: true });
    var family = face === 0 ? '"Skyward Mincho", serif' : '"Skyward Gothic", sans-serif';
    var style = (italic ? 'italic ' : '') + (bold ? 'bold ' : '');
    var font = function (px) { return style + px + 'px ' + family; };
    ctx.font = font(height);
    var m = ctx.measureText(line);
    // The height asked for is the character cell (ascent + descent), not the em.
    var cell = Math.round(m.fontBoundingBoxAscent) + Math.round(m.fontBoundingBoxDescent);
    var size = height;
    if (cell > 0 && cell !== height) {
      size = Math.max(1, Math.floor((height * height + (cell >> 1)) / cell));
      ctx.font = font(size);
      m = ctx.measureText(line);
    }
    var ascent = Math.round(m.fontBoundingBoxAscent);
    var w = Math.ceil(m.width), h = ascent + Math.round(m.fontBoundingBoxDescent);
    if (w <= 0 || h <= 0 || w > maxW || h > maxH) return 0;
    c.width = w;
    c.height = h;
    ctx.font = font(size);
    if (transparent) {
      ctx.clearRect(0, 0, w, h);
    } else {
      // Opaque background mode: the text sits on a box of the background colour.
      ctx.fillStyle = SkywardWeb.color(bg);
      ctx.fillRect(0, 0, w, h);
    }
    ctx.fillStyle = SkywardWeb.color(fg);
    ctx.textBaseline = 'alphabetic';
    ctx.fillText(line, 0, ascent);
    if (underline) ctx.fillRect(0, Math.min(h - 1, ascent + 1), w, Math.max(1, Math.round(size / 14)));
    HEAPU8.set(ctx.getImageData(0, 0, w, h).data, out);
    HEAP32[wOut >> 2] = w;
    HEAP32[hOut >> 2] = h;
    return 1;
  },

  skyward_show_error__deps: ['$SkywardWeb'],
  skyward_show_error: function (text) {
    var page = SkywardWeb.page();
    if (page) page.showError(UTF8ToString(text));
  },

  // --- sound
  skyward_audio_open__deps: ['$SkywardWeb'],
  skyward_audio_open: function () {
    var page = SkywardWeb.page();
    if (!page || !page.audio) return 0;
    if (!SkywardWeb.master) {
      var ctx = page.audio;
      SkywardWeb.master = ctx.createGain();
      SkywardWeb.analyser = ctx.createAnalyser();
      SkywardWeb.analyser.fftSize = 2048;
      SkywardWeb.levelData = new Float32Array(SkywardWeb.analyser.fftSize);
      SkywardWeb.master.connect(SkywardWeb.analyser);
      SkywardWeb.analyser.connect(ctx.destination);
      // How loud the game is now (root mean square of the last samples).
      page.level = function () {
        var d = SkywardWeb.levelData;
        SkywardWeb.analyser.getFloatTimeDomainData(d);
        var sum = 0;
        for (var i = 0; i < d.length; i++) sum += d[i] * d[i];
        return Math.sqrt(sum / d.length);
      };
    }
    return 1;
  },

  skyward_audio_close__deps: ['$SkywardWeb', 'skyward_music_stop', 'skyward_voice_forget'],
  skyward_audio_close: function () {
    for (var id in SkywardWeb.voices) _skyward_voice_forget(id);
    _skyward_music_stop();
  },

  skyward_voice_make__deps: ['$SkywardWeb'],
  skyward_voice_make: function (id, samples, frames, channels, rate, buffers) {
    var page = SkywardWeb.page();
    if (!page || !page.audio) return 0;
    try {
      var buffer = page.audio.createBuffer(channels, frames, rate);
      for (var ch = 0; ch < channels; ch++) {
        var data = buffer.getChannelData(ch);
        var at = (samples >> 1) + ch;
        for (var i = 0; i < frames; i++, at += channels) data[i] = HEAP16[at] / 32768;
      }
      SkywardWeb.voices[id] = { buffer: buffer, sources: new Array(buffers) };
      return 1;
    } catch (e) {
      return 0;
    }
  },

  skyward_voice_forget__deps: ['$SkywardWeb'],
  skyward_voice_forget: function (id) {
    var v = SkywardWeb.voices[id];
    if (!v) return;
    v.sources.forEach(function (s) { if (s) try { s.stop(); } catch (e) {} });
    delete SkywardWeb.voices[id];
  },

  skyward_voice_play__deps: ['$SkywardWeb'],
  skyward_voice_play: function (id, b) {
    var page = SkywardWeb.page();
    var v = SkywardWeb.voices[id];
    // Before the player's first key the context waits; effects of that time
    // would all sound at once when it starts.
    if (!page || !v || page.audio.state !== 'running') return;
    var old = v.sources[b];
    if (old) try { old.stop(); } catch (e) {}
    var s = page.audio.createBufferSource();
    s.buffer = v.buffer;
    s.connect(SkywardWeb.master);
    s.onended = function () { if (v.sources[b] === s) v.sources[b] = null; };
    s.start();
    v.sources[b] = s;
  },

  skyward_music_play__deps: ['$SkywardWeb', 'skyward_music_stop'],
  skyward_music_play: function (namePtr) {
    var page = SkywardWeb.page();
    var music = SkywardWeb.music;
    var name = namePtr ? UTF8ToString(namePtr) : music.name;
    _skyward_music_stop();
    music.name = name;
    var info = page && page.music && page.music[name];
    if (!page || !page.audio || !info) return;
    var token = music.token;
    if (!music.cache[name]) {
      music.cache[name] = fetch(page.base + info.file).then(function (r) {
        if (!r.ok) throw new Error(info.file + ': ' + r.status + ' ' + r.statusText);
        return r.arrayBuffer();
      }).then(function (bytes) {
        // The callback form: every browser has it.
        return new Promise(function (resolve, reject) { page.audio.decodeAudioData(bytes, resolve, reject); });
      });
      music.cache[name].catch(function (e) {
        delete music.cache[name];
        console.warn('Skyward Run: the music ' + info.file + ' could not be played: ' + (e && e.message || e));
      });
    }
    music.cache[name].then(function (buffer) {
      if (token !== music.token) return;  // another piece was asked for meanwhile
      var s = page.audio.createBufferSource();
      s.buffer = buffer;
      // One period of the rendered repetition: the browser loops it without a gap.
      s.loop = true;
      s.loopStart = info.loopStart / info.rate;
      s.loopEnd = info.loopEnd / info.rate;
      s.connect(SkywardWeb.master);
      s.start();
      music.source = s;
      page.playingMusic = name;
    }, function () {});
  },

  skyward_music_stop__deps: ['$SkywardWeb'],
  skyward_music_stop: function () {
    var music = SkywardWeb.music;
    music.token += 1;
    if (music.source) try { music.source.stop(); } catch (e) {}
    music.source = null;
    var page = SkywardWeb.page();
    if (page) page.playingMusic = '';
  },

  skyward_audio_active__deps: ['$SkywardWeb'],
  skyward_audio_active: function (active) {
    var page = SkywardWeb.page();
    if (!page) return;
    if (page.activeChanged) page.activeChanged(!!active);
    if (!page.audio) return;
    // The music pauses while the game waits, and goes on where it was.
    if (!active && page.audio.state === 'running') {
      SkywardWeb.wasRunning = true;
      page.audio.suspend();
    } else if (active && SkywardWeb.wasRunning) {
      SkywardWeb.wasRunning = false;
      page.audio.resume();
    }
  },

  // --- game pads, standard mapping: stick or D-pad, A is button 1, B button 2
  skyward_pad_read: function (index, x, y, buttons) {
    if (typeof navigator === 'undefined' || !navigator.getGamepads) return 0;
    var pads = navigator.getGamepads();
    var p = pads && pads[index];
    if (!p || !p.connected) return 0;
    var pressed = function (i) { return p.buttons[i] && p.buttons[i].pressed; };
    var px = p.axes.length > 0 ? p.axes[0] : 0, py = p.axes.length > 1 ? p.axes[1] : 0;
    if (p.mapping === 'standard') {
      if (pressed(14)) px = -1;
      if (pressed(15)) px = 1;
      if (pressed(12)) py = -1;
      if (pressed(13)) py = 1;
    }
    var bits = 0;
    for (var i = 0; i < 16 && i < p.buttons.length; i++) if (pressed(i)) bits |= 1 << i;
    HEAPF32[x >> 2] = px;
    HEAPF32[y >> 2] = py;
    HEAP32[buttons >> 2] = bits;
    return 1;
  },

  // --- kept files: local storage, one item per file, bytes as a binary string
  skyward_store_restore__deps: ['$FS', '$SkywardWeb'],
  skyward_store_restore: function (folder) {
    if (!SkywardWeb.page()) return;
    var prefix = 'skyward-run:' + UTF8ToString(folder) + '/';
    try {
      var store = window.localStorage;
      for (var i = 0; i < store.length; i++) {
        var key = store.key(i);
        if (key.indexOf(prefix) !== 0) continue;
        var path = key.substr('skyward-run:'.length);
        var text = store.getItem(key);
        var bytes = new Uint8Array(text.length);
        for (var j = 0; j < text.length; j++) bytes[j] = text.charCodeAt(j) & 255;
        FS.mkdirTree(path.substr(0, path.lastIndexOf('/')));
        FS.writeFile(path, bytes);
      }
    } catch (e) {
      console.warn('Skyward Run: the kept best score could not be read: ' + e);
    }
  },

  skyward_store_put__deps: ['$SkywardWeb'],
  skyward_store_put: function (path, data, size) {
    try {
      var s = '';
      for (var i = 0; i < size; i++) s += String.fromCharCode(HEAPU8[data + i]);
      window.localStorage.setItem('skyward-run:' + UTF8ToString(path), s);
      return 1;
    } catch (e) {
      return 0;
    }
  },
});
