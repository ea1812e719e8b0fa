#pragma once
// The `record` driver: a GL and EGL that draws nothing and writes down every call, for unit tests of
// code that calls the GL, and (in the silent mode) a do-nothing GL for benchmarks.
//
// Constructing a RecordDriver installs it in the dispatch table; destroying it puts back the table
// that was there before. One exists at a time. No extension emulation sits in front of it: the log
// shows the calls exactly as the program made them.
//
// Log format: one entry per call, `name(arg, arg, ...)`, followed by ` -> result` for functions that
// return something or hand values back through a pointer. Arguments print as follows:
// - enums by name (`GL_TEXTURE_2D`, `EGL_SAMPLES`); values the tables don't know as hex (`0x1234`).
//   Primitive modes, blend factors and errors print by name too (`GL_TRIANGLES`, `GL_ZERO`,
//   `GL_NO_ERROR`, `EGL_SUCCESS`); booleans as GL_TRUE/GL_FALSE, EGL_TRUE/EGL_FALSE.
// - glClear's mask as names joined by `|` (`GL_COLOR_BUFFER_BIT|GL_DEPTH_BUFFER_BIT`), `0` if empty.
// - integers and GLfixed values in decimal (the raw 16.16 bits: 1.0 is `65536`). The param of
//   glTexParameterx, glTexEnvx and glFogx prints as an enum name when it is one (`GL_LINEAR`).
// - data whose size is known as `<SIZE bytes CHECKSUM>`, CHECKSUM being dataChecksum() in 8 lower-case
//   hex digits: the pixels of glTexImage2D/glTexSubImage2D (size from format, type, width, height and
//   the GL_UNPACK_ALIGNMENT set before), the data of glCompressedTexImage2D (imageSize), the indices of
//   glDrawElements (count * index size). A null data pointer prints as `null`.
// - matrices (glLoadMatrixx, glMultMatrixx) as `[m0, m1, ..., m15]`; name arrays as `[1, 2]`.
// - other client pointers (vertex, colour, texture-coordinate and normal arrays, native display and
//   window handles) as `ptr` or `null`; the pointer values are kept in RecordedCall::pointers.
// - EGL handles as `display1`, `config2`, `context1`, `surface3` (numbered from 1 in order of
//   creation; configs by their position in the scripted list) or EGL_NO_DISPLAY, EGL_NO_CONTEXT,
//   EGL_NO_SURFACE, EGL_DEFAULT_DISPLAY.
// - EGL attribute lists as `[EGL_LEVEL 0, EGL_SURFACE_TYPE 5, EGL_NONE]` (values in decimal), null as
//   `null`.
// - strings returned by glGetString/eglQueryString in double quotes, null as `null`.
// Examples:
//   glBindTexture(GL_TEXTURE_2D, 1)
//   glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR)
//   glClear(GL_COLOR_BUFFER_BIT|GL_DEPTH_BUFFER_BIT)
//   glClearColorx(0, 0, 0, 65536)
//   glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, <8 bytes 1a2b3c4d>)
//   glGenTextures(1) -> [1]
//   glGetError() -> GL_NO_ERROR
//   glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, <12 bytes 0badf00d>)
//   eglChooseConfig(display1, [EGL_LEVEL 0, EGL_NATIVE_RENDERABLE 0, EGL_NONE], 1) -> EGL_TRUE [config1]
//   eglCreateContext(display1, config1, EGL_NO_CONTEXT, null) -> context1
//   eglSwapBuffers(display1, surface1) -> EGL_TRUE
//   eglGetError() -> EGL_SUCCESS
//   glGetString(GL_EXTENSIONS) -> "GL_OES_foo"
//   eglInitialize(display1) -> EGL_TRUE 1.0            (the version handed back, when asked for)
//   glReadPixels(0, 0, 2, 2, GL_RGBA, GL_UNSIGNED_BYTE, ptr)   (fills zeros)
//   eglQuerySurface(display1, surface1, EGL_WIDTH) -> EGL_TRUE 640
#include "platform/gles/egl.h"
#include "platform/gles/gl.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform::gles {

// FNV-1a (32 bits) of the bytes: the checksum the log shows for data.
std::uint32_t dataChecksum(const void* data, std::size_t size);

// The log's text for a block of data: `<SIZE bytes CHECKSUM>`, or `null`.
std::string dataText(const void* data, std::size_t size);

struct RecordedCall {
    std::string name;                  // e.g. "glBindTexture"
    std::string text;                  // the whole entry, e.g. "glBindTexture(GL_TEXTURE_2D, 1)"
    std::vector<const void*> pointers; // every pointer argument, in argument order
};

// One scripted EGL config: attribute -> value. Attributes not listed read as 0.
using RecordedConfig = std::map<EGLint, EGLint>;

class RecordDriver {
public:
    enum class Mode {
        Log,    // every call is logged
        Silent, // nothing is logged (benchmarks); scripted results still apply
    };

    explicit RecordDriver(Mode mode = Mode::Log);
    ~RecordDriver();
    RecordDriver(const RecordDriver&) = delete;
    RecordDriver& operator=(const RecordDriver&) = delete;

    // The log.
    const std::vector<RecordedCall>& calls() const;
    std::vector<std::string> log() const; // the texts, in order
    // The texts of the calls of the named functions only, in order.
    std::vector<std::string> log(std::initializer_list<std::string_view> names) const;
    void clearLog();

    // glGenTextures hands out these names first, then counts on from the largest name handed out so far
    // (the default is 1, 2, 3, ...).
    void setTextureNames(std::vector<GLuint> names);
    // glGetError returns these, in order, then GL_NO_ERROR.
    void pushGlError(GLenum error);
    // eglGetError returns these, in order, then EGL_SUCCESS (after a failure scripted with failNext it
    // returns that failure's error first).
    void pushEglError(EGLint error);
    // glGetString results. Defaults: GL_VENDOR "Nymbus", GL_RENDERER "record", GL_VERSION
    // "OpenGL ES-CM 1.0", GL_EXTENSIONS "".
    void setGlString(GLenum name, std::string value);
    // eglQueryString results. Defaults: EGL_VENDOR "Nymbus", EGL_VERSION "1.0", EGL_EXTENSIONS "".
    void setEglString(EGLint name, std::string value);
    // glGetIntegerv results for a parameter (default: one 0).
    void setInteger(GLenum pname, std::vector<GLint> values);
    // The configs that eglGetConfigs lists and eglChooseConfig filters (kept in this order; matching:
    // EGL_LEVEL, EGL_NATIVE_RENDERABLE, EGL_CONFIG_ID and EGL_CONFIG_CAVEAT exactly, EGL_SURFACE_TYPE and
    // EGL_RENDERABLE_TYPE as masks, EGL_SURFACE_TYPE defaulting to EGL_WINDOW_BIT, every other attribute
    // at least; EGL_DONT_CARE matches anything). The default is one config: RGB 565, depth 16, no
    // samples, window and pbuffer bits, level 0, not native-renderable.
    void setConfigs(std::vector<RecordedConfig> configs);
    // eglQuerySurface's EGL_WIDTH and EGL_HEIGHT for every surface (default 640 x 480).
    void setSurfaceSize(EGLint width, EGLint height);
    // The next `count` calls of the named EGL function fail (EGL_FALSE or the EGL_NO_ handle) and leave
    // `error` for eglGetError.
    void failNext(std::string_view function, EGLint error, int count = 1);

    struct State;

private:
    std::unique_ptr<State> state_;
};

} // namespace platform::gles
