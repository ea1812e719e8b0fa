#include "race/app_class.h"

#include <new>
#include <utility>

#include "engine/render.h"
#include "files/nym_trace.h"

RaceTrack* appClass = nullptr;

void UpdateAppClass(int width, int height, Fixed brightness) {
    if (width < height) {
        if (NymRender* render = NymRender::instance()) {
            render->setRotation(90);
        }
        std::swap(width, height);
    }
    if (appClass == nullptr) {
        appClass = new (std::nothrow) RaceTrack(width, height);
        if (appClass == nullptr) {
            NymTrace::Instance()->Print(1000, "Failed to create appClass\n");
        }
    }
    if (width != 0 || height != 0) {
        // Without a world the frame has nothing to draw but the title; the next frame tries again.
        if (appClass != nullptr) {
            appClass->setBrightness(brightness);
            appClass->runFrame();
        }
        return;
    }
    delete appClass;
    appClass = nullptr;
    NymRender::destroy();
    NymTrace::Destroy();
}
