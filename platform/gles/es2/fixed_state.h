#pragma once
// The OpenGL ES 1.1 state that the translation keeps for a context: what OpenGL ES 2.0 has no place
// for (matrices, texture units and their environment, client arrays, the current colour, alpha test,
// fog, shade model, hints) and the capabilities it answers glIsEnabled for. State that both versions
// share (blending, depth, culling, viewport, scissor, bindings) lives in the library only, but for the
// blend factors, which OpenGL ES 2.0 answers for under other names.
#include "platform/gles/es2/matrix.h"

#include <array>
#include <cstdint>
#include <iterator>

namespace platform::gles::es2 {

constexpr int kTextureUnits = 2;
// OpenGL ES 1.1's stack depths.
constexpr int kModelviewDepth = 16;
constexpr int kProjectionDepth = 2;
constexpr int kTextureDepth = 2;

struct ClientArray {
    bool enabled = false;
    GLint size = 4;
    GLenum type = GL_FLOAT;
    GLsizei stride = 0;
    const void* pointer = nullptr;
};

struct TextureUnit {
    bool enabled = false; // GL_TEXTURE_2D
    GLenum envMode = GL_MODULATE;
    GLuint texture = 0; // the name bound to GL_TEXTURE_2D
    MatrixStack matrices{kTextureDepth};
    std::uint64_t matrixVersion = 0;
    ClientArray coordinates;
};

// Capabilities that the translation accepts and reports but that change nothing it draws with the
// calls the program has (no light, clip plane, material or logic-op function sets them).
enum TrackedCapability : std::uint32_t {
    kNormalize = 1u << 0,
    kRescaleNormal = 1u << 1,
    kColorMaterial = 1u << 2,
    kColorLogicOp = 1u << 3,
    kMultisample = 1u << 4,
    kLight0 = 1u << 8,      // GL_LIGHT0 to GL_LIGHT7: bits 8 to 15
    kClipPlane0 = 1u << 16, // GL_CLIP_PLANE0 to GL_CLIP_PLANE5: bits 16 to 21
};

// The capabilities OpenGL ES 2.0 has as well; bit i of FixedState::libraryEnabled is entry i.
constexpr GLenum kLibraryCapabilities[] = {GL_CULL_FACE,
                                           GL_BLEND,
                                           GL_DITHER,
                                           GL_STENCIL_TEST,
                                           GL_DEPTH_TEST,
                                           GL_SCISSOR_TEST,
                                           GL_POLYGON_OFFSET_FILL,
                                           GL_SAMPLE_ALPHA_TO_COVERAGE,
                                           GL_SAMPLE_COVERAGE};

// The bit of a capability in kLibraryCapabilities; 0 for one not there.
constexpr std::uint32_t libraryBit(GLenum cap) {
    for (std::uint32_t i = 0; i < std::size(kLibraryCapabilities); ++i) {
        if (kLibraryCapabilities[i] == cap) {
            return 1u << i;
        }
    }
    return 0;
}

struct FixedState {
    GLenum matrixMode = GL_MODELVIEW;
    MatrixStack modelview{kModelviewDepth};
    MatrixStack projection{kProjectionDepth};
    std::uint64_t transformVersion = 0; // changes with the modelview or the projection matrix
    std::array<TextureUnit, kTextureUnits> units{};
    int activeUnit = 0;
    int clientUnit = 0;

    ClientArray vertices;
    ClientArray normals{false, 3, GL_FLOAT, 0, nullptr};
    ClientArray colours;
    std::array<float, 4> colour{1, 1, 1, 1};

    bool alphaTest = false;
    GLenum alphaFunc = GL_ALWAYS;
    float alphaRef = 0;
    std::uint64_t alphaVersion = 0;

    bool fog = false;
    GLenum fogMode = GL_EXP;
    float fogDensity = 1;
    float fogStart = 0;
    float fogEnd = 1;
    std::uint64_t fogVersion = 0;

    // The capabilities of kLibraryCapabilities as the library has been told them; only dithering is on
    // at first.
    std::uint32_t libraryEnabled = libraryBit(GL_DITHER);

    GLenum shadeModel = GL_SMOOTH;
    GLenum blendSrc = GL_ONE;
    GLenum blendDst = GL_ZERO;
    std::uint32_t tracked = kMultisample;
    std::array<GLenum, 4> hints{GL_DONT_CARE, GL_DONT_CARE, GL_DONT_CARE, GL_DONT_CARE};

    GLenum error = GL_NO_ERROR; // the first error not yet fetched by glGetError
};

// A number not handed out before: what a state change stamps on the uniforms it changes, so that a
// program (shared by every context of its group) knows whether it has the values.
std::uint64_t nextVersion();

} // namespace platform::gles::es2
