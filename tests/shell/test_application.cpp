#include "tests/shell/test_application.h"

#include "platform/gles/gl.h"

namespace {

// One turn every 120 frames, in 16.16 degrees.
constexpr GLfixed degreesPerFrame = 3 << 16;

const GLfixed triangle[] = {0, 0x8000, -0x8000, -0x8000, 0x8000, -0x8000};

} // namespace

bool TestApplication::OnAppStart(int tokenCount, const char* const* tokens, int width, int height) {
    OutputDebug("TestApplication: OnAppStart(%d tokens, %d x %d)\n", tokenCount, width, height);
    for (int i = 0; i < tokenCount; ++i) {
        OutputDebug("TestApplication: token \"%s\"\n", tokens[i]);
    }
    return true;
}

bool TestApplication::OnViewCreate(int width, int height) {
    OutputDebug("TestApplication: OnViewCreate(%d, %d)\n", width, height);
    glViewport(0, 0, width, height);
    return true;
}

void TestApplication::OnViewRelease() {
    OutputDebug("TestApplication: OnViewRelease\n");
}

bool TestApplication::OnAppStop() {
    OutputDebug("TestApplication: OnAppStop after %d frames\n", frames);
    return true;
}

bool TestApplication::OnFrame() {
    const GLclampx shade = (frames % 64) << 10;
    glClearColorx(shade, 0x4000, 0x10000 - shade, 0x10000);
    glClear(GL_COLOR_BUFFER_BIT);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatex((frames % 120) * degreesPerFrame, 0, 0, 0x10000);
    glColor4x(0x10000, 0x10000, 0, 0x10000);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FIXED, 0, triangle);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glDisableClientState(GL_VERTEX_ARRAY);

    ++frames;
    return true;
}
