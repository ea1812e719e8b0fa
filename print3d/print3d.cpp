#include "print3d/print3d.h"

#include "print3d/overlay_textures.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The last text laid out by any Print3D object, and what it was laid out with. The vertices stay in the
// text cache of the object that laid it out.
struct LayoutCache {
    char text[kMaxTextCharacters];
    float x;
    float y;
    float scale;
    std::uint32_t colour;
    int vertexCount;
    const Print3D* owner;
};

LayoutCache layoutCache;
char formatBuffer[kMaxTextCharacters];

constexpr int IndexCount = 6 * Print3D::QuadsPerBatch;

} // namespace

Print3D::Print3D(const Print3DArtwork& artwork) : artwork_(artwork) {}

// Also frees the memory a failed Init left behind; its texture names go with the context.
Print3D::~Print3D() {
    Release();
    freeMemory();
}

bool Print3D::Init(unsigned int width, unsigned int height) {
    screen_.horizontal = static_cast<float>(width) * (1.0f / 640.0f);
    screen_.vertical = static_cast<float>(height) * (1.0f / 480.0f);
    if (initialised_) {
        return true;
    }
    active_ = false;
    freeResources();

    if (!uploadTextures()) {
        return false;
    }

    indices_ = static_cast<GLushort*>(std::malloc(sizeof(GLushort) * IndexCount));
    if (indices_ == nullptr) {
        return false;
    }
    for (int k = 0; k < QuadsPerBatch; ++k) {
        const auto o = static_cast<GLushort>(4 * k);
        GLushort* quad = indices_ + 6 * k;
        quad[0] = o;
        quad[1] = static_cast<GLushort>(o + 3);
        quad[2] = static_cast<GLushort>(o + 1);
        quad[3] = static_cast<GLushort>(o + 3);
        quad[4] = o;
        quad[5] = static_cast<GLushort>(o + 2);
    }

    if (!uploadLogoTexture(artwork_.logoA, logoTextures_[0]) ||
        !uploadLogoTexture(artwork_.logoB, logoTextures_[1])) {
        return false;
    }

    frame_ = static_cast<Print3DVertex*>(std::malloc(sizeof(Print3DVertex) * InitialFrameCapacity));
    if (frame_ == nullptr) {
        return false;
    }
    frameCapacity_ = InitialFrameCapacity;
    frameCount_ = 0;

    active_ = true;
    initialised_ = true;
    return true;
}

bool Print3D::uploadTextures() {
    for (int i = 0; i < 4; ++i) {
        if (!uploadIconTexture(artwork_.iconImages[i], textures_[1 + i])) {
            return false;
        }
    }
    return uploadFontTexture(artwork_.fontImage, textures_[0]);
}

void Print3D::Release() {
    if (initialised_) {
        freeResources();
        initialised_ = false;
        active_ = false;
    }
}

// Frees whatever is held, also what a failed Init left behind.
void Print3D::freeResources() {
    freeMemory();
    for (GLuint& name : textures_) {
        if (name != 0) {
            glDeleteTextures(1, &name);
            name = 0;
        }
    }
    for (GLuint& name : logoTextures_) {
        if (name != 0) {
            glDeleteTextures(1, &name);
            name = 0;
        }
    }
}

void Print3D::freeMemory() {
    std::free(indices_);
    indices_ = nullptr;
    std::free(textCache_);
    textCache_ = nullptr;
    std::free(frame_);
    frame_ = nullptr;
    frameCount_ = 0;
    frameCapacity_ = 0;
}

void Print3D::Print(float x, float y, float scale, std::uint32_t colour, const char* format, ...) {
    if (!active_) {
        return;
    }
    std::va_list args;
    va_start(args, format);
    std::vsnprintf(formatBuffer, sizeof formatBuffer, format, args);
    va_end(args);
    if (formatBuffer[0] == '\0') {
        return;
    }

    const float spaceX = x * 6.4f;
    const float spaceY = y * 4.8f;
    LayoutCache& cache = layoutCache;
    // The owner test keeps one object from reusing vertices that only another object's cache holds.
    if (textCache_ != nullptr && cache.owner == this && std::strcmp(formatBuffer, cache.text) == 0 &&
        spaceX == cache.x && spaceY == cache.y && scale == cache.scale && colour == cache.colour) {
        appendToFrame(textCache_, cache.vertexCount);
        return;
    }

    std::strcpy(cache.text, formatBuffer);
    cache.x = spaceX;
    cache.y = spaceY;
    cache.scale = scale;
    cache.colour = colour;
    cache.vertexCount = 0;
    cache.owner = this;
    if (textCache_ == nullptr) {
        textCache_ = static_cast<Print3DVertex*>(std::malloc(sizeof(Print3DVertex) * kTextCacheVertices));
        if (textCache_ == nullptr) {
            return;
        }
    }
    cache.vertexCount =
        layOutText(formatBuffer, spaceX, spaceY, scale, colour, screen_, artwork_, textCache_);
    appendToFrame(textCache_, cache.vertexCount);
}

void Print3D::appendToFrame(const Print3DVertex* vertices, int count) {
    if (count == 0) {
        return;
    }
    while (frameCount_ + count > frameCapacity_) {
        if (frameCount_ + count > MaxFrameCapacity) {
            return;
        }
        const int capacity = frameCapacity_ * 2 < MaxFrameCapacity ? frameCapacity_ * 2 : MaxFrameCapacity;
        auto* grown = static_cast<Print3DVertex*>(std::realloc(frame_, sizeof(Print3DVertex) * capacity));
        if (grown == nullptr) {
            return;
        }
        frame_ = grown;
        frameCapacity_ = capacity;
    }
    std::memcpy(frame_ + frameCount_, vertices, sizeof(Print3DVertex) * count);
    frameCount_ += count;
}

void Print3D::ShowTitle(const char* title, const char* description, LogoFlags mode) {
    // The texts are printed as they are, never read as formats.
    if (title != nullptr) {
        Print(0.0f, 1.0f, 1.2f, 0xFF00FFFF, "%s", title);
    }
    if (description != nullptr) {
        Print(0.0f, 8.0f, 0.9f, 0xFFFFFFFF, "%s", description);
    }
    logoMode_ = mode;
}
