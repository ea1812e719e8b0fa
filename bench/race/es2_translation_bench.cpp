// The OpenGL ES 1.1 translation's own processor time per race frame: the demo's whole frame on a GL that
// does nothing, then the same frames through the translation on an OpenGL ES 2.0 library that does
// nothing. The difference of the two is the translation's: state tracking, shader key and program
// lookup, uniforms, and streaming every draw's vertices and indices. Each runs one lap (2500 frames at 30
// frames a second), after a lap that built the world and the programs.
#include <benchmark/benchmark.h>

#include "platform/clock.h"
#include "platform/gles/emulation.h"
#include "platform/gles/es2/record_es2.h"
#include "platform/gles/es2/translation_driver.h"
#include "platform/gles/record_driver.h"
#include "race/app_class.h"
#include "race/demo_application.h"
#include "tests/engine/no_op_gl.h"

namespace {

using platform::gles::DispatchTable;
using platform::gles::dispatchTable;
using platform::gles::es2::Es2Functions;

constexpr int kLap = 2500;

struct Race {
    Race()
        : egl(platform::gles::RecordDriver::Mode::Silent), es2(platform::gles::es2::RecordEs2::Mode::Silent) {
        egl.setConfigs({{{EGL_CONFIG_ID, 1},
                         {EGL_RED_SIZE, 8},
                         {EGL_GREEN_SIZE, 8},
                         {EGL_BLUE_SIZE, 8},
                         {EGL_DEPTH_SIZE, 16},
                         {EGL_SURFACE_TYPE, EGL_WINDOW_BIT | EGL_PBUFFER_BIT},
                         {EGL_RENDERABLE_TYPE, EGL_OPENGL_ES2_BIT}}});
        record = dispatchTable;
        library = es2.functions();
        translated = platform::gles::es2::translate(library, record);
        // The world's textures are decoded by the extension emulation, as in a run.
        dispatchTable = platform::gles::emulate(translated);
        const EGLDisplay display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
        eglInitialize(display, nullptr, nullptr);
        EGLConfig config = nullptr;
        EGLint count = 0;
        eglChooseConfig(display, nullptr, &config, 1, &count);
        const EGLSurface surface = eglCreatePbufferSurface(display, config, nullptr);
        eglMakeCurrent(display, surface, surface, eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr));

        platform::useVirtualClock(30);
        application.GetConfig()->width = 640;
        application.GetConfig()->height = 480;
        application.OnAppStart(0, nullptr, 640, 480);
        application.OnViewCreate(640, 480);
        for (int i = 0; i < kLap; ++i) {
            frame();
        }
        // The programs are built: from now on the library does nothing at all.
#define NYM_NOTHING(ret, name, params, args) library.name = nym_test::NoOp<decltype(library.name)>::call;
        NYM_ES2_FUNCTIONS(NYM_NOTHING)
#undef NYM_NOTHING
        nothing = nym_test::noOpGlTable(record);
    }
    void frame() {
        application.OnFrame();
        platform::advanceVirtualClock();
    }
    platform::gles::RecordDriver egl;
    platform::gles::es2::RecordEs2 es2;
    DispatchTable record; // the record driver's EGL, which the translation calls for as long as it runs
    Es2Functions library;
    DispatchTable translated;
    DispatchTable nothing;
    DemoApplication application;
};

Race& race() {
    static Race instance;
    return instance;
}

// The demo's frame on a GL that does nothing.
void frameOnNoGl(benchmark::State& state) {
    Race& r = race();
    dispatchTable = r.nothing;
    for (auto _ : state) {
        r.frame();
    }
}
BENCHMARK(frameOnNoGl)->Unit(benchmark::kMicrosecond)->Iterations(kLap);

// The same through the translation on an OpenGL ES 2.0 library that does nothing.
void frameThroughTranslation(benchmark::State& state) {
    Race& r = race();
    dispatchTable = r.translated;
    for (auto _ : state) {
        r.frame();
    }
}
BENCHMARK(frameThroughTranslation)->Unit(benchmark::kMicrosecond)->Iterations(kLap);

} // namespace

BENCHMARK_MAIN();
