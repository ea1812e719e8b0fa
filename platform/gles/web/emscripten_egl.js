// Emscripten's EGL under names of its own (emscripten_eglGetDisplay, ...), as Emscripten offers its GL
// functions (emscripten_glClear, ...): the standard names are the program's, whose functions forward
// through the dispatch table. The web driver fills the table with these.
(function() {
  var aliases = {};
  ['eglBindAPI', 'eglChooseConfig', 'eglCreateContext', 'eglCreateWindowSurface', 'eglDestroyContext',
   'eglDestroySurface', 'eglGetConfigAttrib', 'eglGetConfigs', 'eglGetCurrentContext', 'eglGetCurrentSurface',
   'eglGetDisplay', 'eglGetError', 'eglInitialize', 'eglMakeCurrent', 'eglQuerySurface', 'eglQueryString',
   'eglTerminate'].forEach(function(name) {
    aliases['emscripten_' + name] = name;
  });
  // Emscripten's own takes no arguments: it presents the one canvas's context.
  aliases['emscripten_eglSwapBuffers__deps'] = ['eglSwapBuffers'];
  aliases['emscripten_eglSwapBuffers'] = function(display, surface) {
    return _eglSwapBuffers();
  };
  // Emscripten has no pbuffers, and the program makes window surfaces only.
  aliases['emscripten_eglCreatePbufferSurface__deps'] = ['$EGL'];
  aliases['emscripten_eglCreatePbufferSurface'] = function(display, config, attributes) {
    EGL.setErrorCode(0x3009 /* EGL_BAD_MATCH */);
    return 0;
  };
  mergeInto(LibraryManager.library, aliases);
})();
