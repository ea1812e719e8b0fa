#include "race/demo_application.h"

#include <new>

#include "math/clock.h"
#include "platform/gles/gl.h"
#include "race/app_class.h"

ShellApplication* NewDemoApplication() {
    return new (std::nothrow) DemoApplication;
}

bool DemoApplication::OnAppStart(int, const char* const*, int, int) {
    return true;
}

bool DemoApplication::OnViewCreate(int width, int height) {
    if (!print3d.Init(static_cast<unsigned int>(width), static_cast<unsigned int>(height))) {
        OutputDebug("ERROR: Cannot initialise Print3D\n");
        return false;
    }
    return true;
}

void DemoApplication::OnViewRelease() {
    print3d.Release();
}

bool DemoApplication::OnAppStop() {
    UpdateAppClass(0, 0, FixedFromFloat(1.0f));
    return true;
}

bool DemoApplication::OnFrame() {
    glClearColorx(0, 0, 0, 0x10000);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // The first reading starts the shared clock before the world is built.
    elapsedSeconds();
    UpdateAppClass(GetWidth(), GetHeight(), FixedFromFloat(1.0f));
    glGetError();
    print3d.ShowTitle("Nymbus Zidaz", "", LogoA);
    print3d.Draw();
    // The overlay leaves clockwise front faces culled; the world draws counter-clockwise, back culled.
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    return true;
}
