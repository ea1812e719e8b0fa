// The runner's side of the page (page.h): pictures, fresh modules and the site's files, handed to the
// page's own script through Module.page (web/nymbus-page.js).
mergeInto(LibraryManager.library, {
  // Waits for the promise that `start` returns and returns its value (ASYNCIFY saves the module's stack
  // meanwhile). callUserCallback ends the run cleanly when the program exits on the way.
  $nymPageAwait__deps: ['$callUserCallback'],
  $nymPageAwait: function(start) {
    return Asyncify.handleSleep(function(wakeUp) {
      start().then(function(value) {
        callUserCallback(function() {
          wakeUp(value);
        });
      });
    });
  },

  // An ImageData's pixels copied into the module's memory, its size written; null for none.
  $nymPageCopyPicture: function(picture, width, height) {
    if (!picture) return 0;
    var pointer = _malloc(picture.data.length);
    HEAPU8.set(picture.data, pointer);
    HEAP32[width >> 2] = picture.width;
    HEAP32[height >> 2] = picture.height;
    return pointer;
  },

  nym_page_keep_picture: function(path, width, height, rgba, stride, bottomUp) {
    var pixels = new Uint8ClampedArray(width * height * 4);
    for (var y = 0; y < height; ++y) {
      var row = rgba + (bottomUp ? height - 1 - y : y) * stride;
      pixels.set(HEAPU8.subarray(row, row + width * 4), y * width * 4);
    }
    return Module['page'].keepPicture(UTF8ToString(path), new ImageData(pixels, width, height)) ? 1 : 0;
  },

  nym_page_take_picture__deps: ['$nymPageCopyPicture'],
  nym_page_take_picture: function(path, width, height) {
    return nymPageCopyPicture(Module['page'].takePicture(UTF8ToString(path)), width, height);
  },

  nym_page_run_module__deps: ['$nymPageAwait'],
  nym_page_run_module: function(args) {
    var list = UTF8ToString(args).split('\n');
    return nymPageAwait(function() {
      return Module['page'].runModule(list);
    });
  },

  nym_page_fetch_text__deps: ['$nymPageAwait'],
  nym_page_fetch_text: function(path) {
    var url = UTF8ToString(path);
    return nymPageAwait(function() {
      return Module['page'].fetchText(url).then(function(text) {
        if (text === null) return 0;
        var size = lengthBytesUTF8(text) + 1;
        var pointer = _malloc(size);
        stringToUTF8(text, pointer, size);
        return pointer;
      });
    });
  },

  nym_page_fetch_picture__deps: ['$nymPageCopyPicture', '$nymPageAwait'],
  nym_page_fetch_picture: function(path, width, height) {
    var url = UTF8ToString(path);
    return nymPageAwait(function() {
      return Module['page'].fetchPicture(url).then(function(picture) {
        return nymPageCopyPicture(picture, width, height);
      });
    });
  },
});
