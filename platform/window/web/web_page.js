// The page's side of the web window backend (web_page.h): the canvas (Module.canvas), the input the
// browser delivers, and the wait for the browser's next animation frame. Sizes are device pixels.
mergeInto(LibraryManager.library, {
  $nymPage: {
    events: [],
    listening: false,
    ratio: function() {
      return window.devicePixelRatio || 1;
    },
  },

  nym_page_listen__deps: ['$nymPage'],
  nym_page_listen: function() {
    if (nymPage.listening) return;
    nymPage.listening = true;
    var canvas = Module['canvas'];
    window.addEventListener('keydown', function(event) {
      if (event.key === 'Escape') {
        nymPage.events.push([0, 0, 0]);
        event.preventDefault();
      }
    });
    // A press of the main mouse button, a touch or a pen: the point in the canvas's pixels.
    canvas.addEventListener('pointerdown', function(event) {
      if (event.button !== 0) return;
      var box = canvas.getBoundingClientRect();
      var x = (event.clientX - box.left) * canvas.width / box.width;
      var y = (event.clientY - box.top) * canvas.height / box.height;
      nymPage.events.push([1, Math.floor(x), Math.floor(y)]);
      event.preventDefault();
    });
    window.addEventListener('resize', function() {
      nymPage.events.push([2, 0, 0]);
    });
  },

  nym_page_size__deps: ['$nymPage'],
  nym_page_size: function(width, height) {
    var ratio = nymPage.ratio();
    HEAP32[width >> 2] = Math.round(document.documentElement.clientWidth * ratio);
    HEAP32[height >> 2] = Math.round(document.documentElement.clientHeight * ratio);
  },

  nym_page_place_canvas__deps: ['$nymPage'],
  nym_page_place_canvas: function(width, height, fill) {
    var canvas = Module['canvas'];
    var ratio = nymPage.ratio();
    canvas.width = width;
    canvas.height = height;
    canvas.style.width = (width / ratio) + 'px';
    canvas.style.height = (height / ratio) + 'px';
    canvas.classList.toggle('fills-page', !!fill);
  },

  nym_page_show_canvas: function(visible) {
    Module['canvas'].style.visibility = visible ? 'visible' : 'hidden';
  },

  nym_page_take_events__deps: ['$nymPage'],
  nym_page_take_events: function(events, capacity) {
    var taken = nymPage.events.splice(0, capacity);
    for (var i = 0; i < taken.length; ++i) {
      HEAP32[(events >> 2) + 3 * i] = taken[i][0];
      HEAP32[(events >> 2) + 3 * i + 1] = taken[i][1];
      HEAP32[(events >> 2) + 3 * i + 2] = taken[i][2];
    }
    return taken.length;
  },

  // After a presented frame (the page is told), or a while without one: the module's stack is unwound and the browser runs (it
  // shows the frame, delivers input); at its next animation frame the stack is rewound and the call
  // returns. callUserCallback ends the run cleanly when the program exits on the way.
  nym_page_next_frame__deps: ['$callUserCallback'],
  nym_page_next_frame: function(presented) {
    if (presented && Module['page'] && Module['page'].framePresented) Module['page'].framePresented();
    return Asyncify.handleSleep(function(wakeUp) {
      requestAnimationFrame(function() {
        callUserCallback(wakeUp);
      });
    });
  },
});
