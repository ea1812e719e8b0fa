#pragma once
// A recording OpenGL ES 2.0 library, for the translation's tests and (silent) as a do-nothing library for
// its benchmark. Every call is written down as the record driver writes its calls (record_driver.h), with
// these additions:
// - uniform locations print as the uniform's name (`glUniform2f(u_alpha_test, 125, 255)`); floats print with
//   %g, matrices as `[m0, ..., m15]`;
// - pointers into a bound buffer print as offsets; a vertex attribute pointer or index pointer with no
//   buffer bound prints as `client` (the translation must never hand over client memory);
// - shader sources print by size (`glShaderSource(1, <812 bytes>)`), and stay readable.
// Shaders compile and programs link unless a test says otherwise; a linked program has a location for
// each uniform its sources declare (numbered from 0 in order of query) and -1 for other names. Buffers keep
// their contents, so that a test can read what a draw streamed (a silent library's stay empty). Names of
// each kind count from 1.
#include "platform/gles/es2/es2_functions.h"
#include "platform/gles/record_driver.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform::gles::es2 {

class RecordEs2 {
public:
    using Mode = RecordDriver::Mode;

    explicit RecordEs2(Mode mode = Mode::Log);
    ~RecordEs2();
    RecordEs2(const RecordEs2&) = delete;
    RecordEs2& operator=(const RecordEs2&) = delete;

    // The library's functions (valid while this object lives; one exists at a time).
    const Es2Functions& functions() const;

    std::vector<std::string> log() const;
    std::vector<std::string> log(std::initializer_list<std::string_view> names) const;
    void clearLog();

    // Shaders of that stage fail to compile, programs fail to link, with that log (until cleared with an
    // empty log).
    void failCompile(GLenum stage, std::string infoLog);
    void failLink(std::string infoLog);
    // glGetError returns these, in order, then GL_NO_ERROR.
    void pushError(GLenum error);
    // glGetString results (defaults: GL_VENDOR "Nymbus", GL_RENDERER "record es2", GL_VERSION
    // "OpenGL ES 2.0 record", GL_EXTENSIONS "").
    void setString(GLenum name, std::string value);
    // glGetIntegerv results (default: one 0).
    void setInteger(GLenum pname, std::vector<GLint> values);

    // A buffer's contents (empty for an unknown name).
    const std::vector<std::uint8_t>& bufferData(GLuint buffer) const;
    // The shaders a program was linked with, vertex and fragment, by source.
    std::string programSource(GLuint program, GLenum stage) const;

    struct State;

private:
    std::unique_ptr<State> state_;
};

} // namespace platform::gles::es2
