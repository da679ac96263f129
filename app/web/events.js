// The page's listeners for the game (app/web/events.cpp): keys by their place
// on the keyboard, the focus and the page's visibility.
mergeInto(LibraryManager.library, {
  skyward_listen: function () {
    var page = Module['skyward'];
    // Keys the browser would act on itself (scrolling, focus moves, menus),
    // which are the game's here.
    var own = { ArrowLeft: 1, ArrowUp: 1, ArrowRight: 1, ArrowDown: 1, Space: 1, Enter: 1,
                NumpadEnter: 1, Tab: 1, Backspace: 1, F1: 1, F2: 1, F3: 1, F4: 1, F10: 1,
                AltLeft: 1, AltRight: 1, Numpad2: 1, Numpad4: 1, Numpad6: 1, Numpad8: 1 };
    var key = function (e, down) {
      // The error box and the end of the game take their keys themselves.
      if (page.modal || page.gameOver) return;
      if (own[e.code]) e.preventDefault();
      if (down && (e.code === 'Enter' || e.code === 'NumpadEnter') && e.altKey) {
        // Alt+Enter: full screen and back. The Enter is not the game's to see.
        e.preventDefault();
        if (!e.repeat) page.toggleFullScreen();
        return;
      }
      var sp = stackSave();
      _skyward_key(allocateUTF8OnStack(e.code || ''), down ? 1 : 0, e.altKey ? 1 : 0);
      stackRestore(sp);
    };
    window.addEventListener('keydown', function (e) { key(e, true); });
    window.addEventListener('keyup', function (e) { key(e, false); });
    var focused = true;
    var focus = function () {
      var now = !document.hidden && document.hasFocus();
      if (now === focused) return;
      focused = now;
      _skyward_focus(now ? 1 : 0);
    };
    window.addEventListener('blur', focus);
    window.addEventListener('focus', focus);
    document.addEventListener('visibilitychange', focus);
  },

  skyward_cursor: function (shown) {
    var page = Module['skyward'];
    if (page) page.canvas.style.cursor = shown ? 'default' : 'none';
  },
});
