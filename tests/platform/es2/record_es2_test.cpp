#include "platform/gles/es2/record_es2.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>

using platform::gles::es2::Es2Functions;
using platform::gles::es2::RecordEs2;
using ::testing::ElementsAre;

namespace {

// Two buffers, a vertex shader with a source and an upload into the first buffer.
struct Uploaded {
    GLuint buffers[2] = {};
    GLuint shader = 0;

    explicit Uploaded(const Es2Functions& gl) {
        gl.glGenBuffers(2, buffers);
        shader = gl.glCreateShader(GL_VERTEX_SHADER);
        const char* source = "uniform vec2 u_alpha_test;";
        gl.glShaderSource(shader, 1, &source, nullptr);
        gl.glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
        const std::uint8_t bytes[4] = {1, 2, 3, 4};
        gl.glBufferData(GL_ARRAY_BUFFER, 4, bytes, GL_STREAM_DRAW);
        const std::uint8_t patch[2] = {8, 9};
        gl.glBufferSubData(GL_ARRAY_BUFFER, 1, 2, patch);
    }
};

} // namespace

TEST(RecordEs2, LogsNamesAnswersAndKeepsBufferContents) {
    RecordEs2 library;
    const Es2Functions& gl = library.functions();
    const Uploaded uploaded(gl);
    library.pushError(GL_INVALID_VALUE);
    EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_INVALID_VALUE));
    const GLuint textures[2] = {4, 5};
    gl.glDeleteTextures(2, textures);

    EXPECT_EQ(uploaded.buffers[0], 1u);
    EXPECT_EQ(uploaded.buffers[1], 2u);
    EXPECT_EQ(uploaded.shader, 1u);
    EXPECT_THAT(library.bufferData(1), ElementsAre(1, 8, 9, 4));
    EXPECT_THAT(
        library.log({"glGenBuffers", "glCreateShader", "glShaderSource", "glGetError", "glDeleteTextures"}),
        ElementsAre("glGenBuffers(2) -> [1, 2]", "glCreateShader(GL_VERTEX_SHADER) -> 1",
                    "glShaderSource(1, <26 bytes>)", "glGetError() -> GL_INVALID_VALUE",
                    "glDeleteTextures(2, [4, 5])"));
    library.clearLog();
    EXPECT_TRUE(library.log().empty());
}

TEST(RecordEs2, SilentKeepsObjectsAndAnswersButNoLogNorBufferContents) {
    RecordEs2 library(RecordEs2::Mode::Silent);
    const Es2Functions& gl = library.functions();
    const Uploaded uploaded(gl);
    library.setInteger(GL_MAX_TEXTURE_SIZE, {2048});
    GLint size = 0;
    gl.glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    const GLuint program = gl.glCreateProgram();
    gl.glAttachShader(program, uploaded.shader);
    gl.glCompileShader(uploaded.shader);
    gl.glLinkProgram(program);
    GLint linked = GL_FALSE;
    gl.glGetProgramiv(program, GL_LINK_STATUS, &linked);

    EXPECT_EQ(uploaded.buffers[1], 2u);
    EXPECT_EQ(size, 2048);
    EXPECT_EQ(linked, GL_TRUE);
    EXPECT_EQ(gl.glGetUniformLocation(program, "u_alpha_test"), 0);
    EXPECT_EQ(library.programSource(program, GL_VERTEX_SHADER), "uniform vec2 u_alpha_test;");
    EXPECT_TRUE(library.bufferData(1).empty());
    EXPECT_TRUE(library.log().empty());
}
