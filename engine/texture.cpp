#include "engine/texture.h"

#include <cstring>
#include <new>

#include "engine/opengl_render.h"
#include "engine/render.h"
#include "files/nym_trace.h"

void NymTexture::init() {
    name = nullptr;
    wrapS = 1;
    wrapT = 1;
    mipmap = 1;
    force16 = 1;
    dither = 0;
    width = 0;
    height = 0;
    texname = 0;
    for (int c = 0; c < 4; ++c) {
        ditherIndex[c] = kDitherStart[c];
    }
}

void NymTexture::release() {
    if (texname != 0) {
        // The back end uses no renderer state, so it is called directly if the renderer cannot be made.
        if (NymRender* render = NymRender::instance()) {
            render->deleteTexture(this);
        } else {
            NymOpenGLRender::deleteTexture(this);
        }
    }
    texname = 0;
    delete[] name;
    name = nullptr;
}

unsigned int NymTexture::setName(const char* newName) {
    if (name != nullptr) {
        release();
    }
    if (newName == nullptr) {
        return texname;
    }
    const std::size_t length = std::strlen(newName);
    name = new (std::nothrow) char[length + 1];
    if (name == nullptr) {
        NymTrace::Instance()->Print(1000, "NymTexture failed to allocate name storage\n");
        return 0;
    }
    std::memcpy(name, newName, length + 1);
    if (NymRender* render = NymRender::instance()) {
        render->uploadTexture(this);
    } else {
        NymOpenGLRender::uploadTexture(this);
    }
    return texname;
}
