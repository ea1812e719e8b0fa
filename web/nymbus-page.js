// The page around the program: the command line from the address (index.html?args=...), the canvas, the
// output in a log panel and the browser's console, the result of the run (exit code, the --stats or
// benchmark table, the files it wrote, the pictures it kept) and what the program asks of the page
// (Module.page): pictures kept by path, fresh modules of the program for --validate, the site's files.
(function() {
  'use strict';

  var pictures = new Map(); // path -> ImageData, written by the program as PNG files
  var shown = [];           // the main run's pictures, offered for download
  var firstFrame = null;

  // What the tests and the measurements read.
  window.nymbus = { exitCode: null, firstFrameMs: null, framesPresented: 0, output: [], log: [] };

  function commandLine() {
    var args = new URLSearchParams(location.search).get('args');
    return args ? args.trim().split(/\s+/).filter(function(a) { return a.length > 0; }) : [];
  }

  // A line at the end of a panel: a text node of its own, so that long runs do not copy the whole text
  // at every line.
  function append(id, line) {
    var element = document.getElementById(id);
    element.appendChild(document.createTextNode(line + '\n'));
    var panel = element.closest('section');
    if (!panel.hidden) panel.scrollTop = panel.scrollHeight;
  }

  function pageFor(keep) {
    return {
      keepPicture: function(path, picture) {
        pictures.set(path, picture);
        if (keep) shown.push(path);
        return true;
      },
      takePicture: function(path) {
        var picture = pictures.get(path) || null;
        pictures.delete(path);
        return picture;
      },
      runModule: runModule,
      fetchText: function(url) {
        return fetch(url).then(function(r) { return r.ok ? r.text() : null; }, function() { return null; });
      },
      fetchPicture: fetchPicture,
      framePresented: keep ? framePresented : function() {},
    };
  }

  function framePresented() {
    window.nymbus.framesPresented += 1;
    if (firstFrame === null) {
      firstFrame = performance.now();
      window.nymbus.firstFrameMs = firstFrame;
    }
  }

  // A PNG file of the site as the browser decodes it: RGBA, no colour conversion, alpha kept apart.
  function fetchPicture(url) {
    return fetch(url).then(function(r) {
      return r.ok ? r.blob() : null;
    }).then(function(blob) {
      return blob && createImageBitmap(blob, { premultiplyAlpha: 'none', colorSpaceConversion: 'none' });
    }).then(function(bitmap) {
      if (!bitmap) return null;
      var canvas = document.createElement('canvas');
      canvas.width = bitmap.width;
      canvas.height = bitmap.height;
      var context = canvas.getContext('2d');
      context.drawImage(bitmap, 0, 0);
      return context.getImageData(0, 0, bitmap.width, bitmap.height);
    }).catch(function() {
      return null;
    });
  }

  // The program again, from its start, on a canvas of its own out of sight; resolves to its exit code.
  function runModule(args) {
    var canvas = document.createElement('canvas');
    document.getElementById('modules').appendChild(canvas);
    return new Promise(function(resolve) {
      var done = function(code) {
        canvas.remove();
        resolve(code);
      };
      createNymbus({
        canvas: canvas,
        arguments: args,
        page: pageFor(false),
        print: function(line) { log('[' + args[0] + '] ' + line); },
        printErr: function(line) { log('[' + args[0] + '] ' + line); },
        onExit: done,
        onAbort: function() { done(1); },
      });
    });
  }

  function log(line) {
    console.log(line);
    window.nymbus.log.push(line);
    append('log', line);
  }

  function output(line) {
    console.log(line);
    window.nymbus.output.push(line);
    append('log', line);
    append('output', line);
  }

  // A kept picture on a canvas of its own, for the browser to encode.
  function pictureCanvas(path) {
    var picture = pictures.get(path);
    var canvas = document.createElement('canvas');
    canvas.width = picture.width;
    canvas.height = picture.height;
    canvas.getContext('2d').putImageData(picture, 0, 0);
    return canvas;
  }
  window.nymbus.pictureAsPng = function(path) {
    return pictures.has(path) ? pictureCanvas(path).toDataURL('image/png') : null;
  };

  function pngLink(path) {
    var picture = pictures.get(path);
    var canvas = pictureCanvas(path);
    var item = document.createElement('li');
    canvas.toBlob(function(blob) {
      var link = document.createElement('a');
      link.href = URL.createObjectURL(blob);
      link.download = path.split('/').pop();
      link.textContent = path + ' (' + picture.width + ' x ' + picture.height + ')';
      item.appendChild(link);
    }, 'image/png');
    return item;
  }

  // The files the run wrote into the module's own file system (the benchmark's results, a digest file).
  // Emscripten's umask takes every permission away from new files: the page reads them all the same.
  function fileLinks(module) {
    var FS = module.FS;
    var items = [];
    FS.readdir(FS.cwd()).forEach(function(name) {
      var path = FS.cwd().replace(/\/$/, '') + '/' + name;
      if (!FS.isFile(FS.stat(path).mode)) return;
      FS.chmod(path, 420 /* 0644 */);
      var link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([FS.readFile(path)]));
      link.download = name;
      link.textContent = name;
      var item = document.createElement('li');
      item.appendChild(link);
      items.push(item);
    });
    return items;
  }

  function ended(module, code) {
    window.nymbus.exitCode = code;
    document.getElementById('exit-code').textContent = code;
    var messages = window.nymbus.log.filter(function(line) { return line.startsWith('nymbus: '); });
    document.getElementById('messages').textContent = messages.join('\n');
    var downloads = document.getElementById('downloads');
    if (module.FS) fileLinks(module).forEach(function(item) { downloads.appendChild(item); });
    shown.forEach(function(path) { downloads.appendChild(pngLink(path)); });
    document.getElementById('again').href = location.href;
    document.getElementById('result').hidden = false;
  }

  document.getElementById('log-button').addEventListener('click', function() {
    var panel = document.getElementById('log-panel');
    panel.hidden = !panel.hidden;
  });

  var canvas = document.getElementById('screen');
  canvas.focus();
  // Emscripten makes this object the module: its file system (FS) is there once the run has started.
  var module = {
    canvas: canvas,
    arguments: commandLine(),
    page: pageFor(true),
    print: output,
    printErr: log,
    onExit: function(code) { ended(module, code); },
    onAbort: function(what) {
      log('nymbus: the program stopped: ' + what);
      ended(module, 1);
    },
  };
  createNymbus(module);
})();
