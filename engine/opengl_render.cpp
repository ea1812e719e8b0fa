#include "engine/opengl_render.h"

#include <cstring>

#include "engine/camera.h"
#include "engine/geometry.h"
#include "engine/material.h"
#include "engine/texture.h"
#include "engine/texture_loaders.h"
#include "files/nym_trace.h"
#include "platform/gles/gl.h"

namespace {

// The level the back end traces its progress at.
constexpr int kRenderTraceLevel = 1;

bool rotated(int rotation) {
    return rotation == 90 || rotation == 270;
}

GLfixed wrapMode(int repeat) {
    return repeat ? GL_REPEAT : GL_CLAMP_TO_EDGE;
}

// Enables texturing of one unit with the texture, its wrap modes and its coordinate array.
void enableUnit(const NymTexture& texture) {
    glBindTexture(GL_TEXTURE_2D, texture.texname);
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapMode(texture.wrapS));
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapMode(texture.wrapT));
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

void selectUnit(GLenum unit) {
    glActiveTexture(unit);
    glClientActiveTexture(unit);
}

void disableUnit(GLenum unit) {
    selectUnit(unit);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisable(GL_TEXTURE_2D);
}

} // namespace

unsigned int NymOpenGLRender::uploadTexture(NymTexture* texture) {
    NymTrace* trace = NymTrace::Instance();
    trace->Print(kRenderTraceLevel, "NymOpenGLRender::UPLOAD TEXTURE %s\n", texture->name);
    const char* name = texture->name;
    if (std::strstr(name, ".rgba") != nullptr || std::strstr(name, ".rgb") != nullptr) {
        RGBLoadTextureFromFile(texture, 0);
    } else if (std::strstr(name, ".lum") != nullptr) {
        RGBLoadTextureFromFile(texture, 1);
    } else if (std::strstr(name, ".a") != nullptr) {
        RGBLoadTextureFromFile(texture, 2);
    } else if (std::strstr(name, ".jpg") != nullptr) {
        JPGLoadTextureFromFile(texture);
    } else if (std::strstr(name, ".nym") != nullptr) {
        NymLoadTextureFromFile(texture);
    } else {
        return 0;
    }
    trace->Print(kRenderTraceLevel, "NymOpenGLRender::UPLOADED TEXTURE got texname %d\n",
                 static_cast<int>(texture->texname));
    return texture->texname;
}

int NymOpenGLRender::deleteTexture(NymTexture* texture) {
    NymTrace::Instance()->Print(kRenderTraceLevel, "Deleting Texture\n");
    glDeleteTextures(1, &texture->texname);
    return 0;
}

void NymOpenGLRender::beginFrame() {
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glEnable(GL_DITHER);
}

void NymOpenGLRender::loadProjection(const NymCamera& camera, int rotation) {
    Fixed l = camera.left, r = camera.right, b = camera.bottom, t = camera.top;
    int width = FixedToInt(camera.viewportWidth);
    int height = FixedToInt(camera.viewportHeight);
    if (rotated(rotation)) {
        l = camera.bottom;
        r = camera.top;
        b = camera.left;
        t = camera.right;
        width = FixedToInt(camera.viewportHeight);
        height = FixedToInt(camera.viewportWidth);
    }
    if (camera.orthographic) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrthox(l.raw, r.raw, b.raw, t.raw, camera.nearDistance.raw, camera.farDistance.raw);
        return;
    }
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustumx(l.raw, r.raw, b.raw, t.raw, camera.nearDistance.raw, camera.farDistance.raw);
}

void NymOpenGLRender::loadModelView(const FixedMatrix& modelView, int rotation) {
    FixedMatrix copy = modelView;
    if (rotated(rotation)) {
        MatrixRotateFloat(copy, FixedFromInt(rotation), 2);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixx(copy.rawValues());
}

void NymOpenGLRender::clear(unsigned int mask) {
    const GLbitfield bits = mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    if (bits != 0) {
        glClear(bits);
    }
}

void NymOpenGLRender::setRenderState(unsigned int state) {
    NymTrace* trace = NymTrace::Instance();
    switch (state & 0x7) {
    case 1:
        glDisable(GL_DEPTH_TEST);
        glDepthMask(GL_FALSE);
        break;
    case 2:
    case 3:
    case 4: {
        static constexpr GLenum kDepthFunc[] = {GL_LESS, GL_LEQUAL, GL_ALWAYS};
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(kDepthFunc[(state & 0x7) - 2]);
        glDepthMask(GL_TRUE);
        break;
    }
    default:
        break;
    }

    switch (state & 0x1C0) {
    case 0:
        break;
    case 0x40:
        trace->Print(kRenderTraceLevel, " geometry is punchthrough\n");
        glEnable(GL_ALPHA_TEST);
        glAlphaFuncx(GL_GREATER, 32112);
        glDisable(GL_BLEND);
        break;
    case 0x80:
        trace->Print(kRenderTraceLevel, " geometry is blended\n");
        glDisable(GL_ALPHA_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        break;
    case 0x100:
        trace->Print(kRenderTraceLevel, " geometry is blended\n");
        glDisable(GL_ALPHA_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
        break;
    default:
        trace->Print(kRenderTraceLevel, " geometry is opaque\n");
        glDisable(GL_ALPHA_TEST);
        glDisable(GL_BLEND);
        break;
    }

    switch (state & 0x600) {
    case 0:
        break;
    case 0x200:
        glDepthMask(GL_TRUE);
        break;
    default:
        glDepthMask(GL_FALSE);
        break;
    }
}

void NymOpenGLRender::drawGeometry(const NymGeometry& geometry, const NymMaterial& material,
                                   const FixedMatrix* normalsTextureMatrix) {
    const NymTexture* layer0 = material.texture[0];
    const NymTexture* layer1 = material.texture[1];

    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glShadeModel(GL_SMOOTH);

    if (layer0 != nullptr && layer1 != nullptr) {
        selectUnit(GL_TEXTURE0);
        glEnable(GL_TEXTURE_2D);
        glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        enableUnit(*layer0);
        selectUnit(GL_TEXTURE1);
        glEnable(GL_TEXTURE_2D);
        glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_ADD);
        enableUnit(*layer1);
    } else if (layer0 != nullptr) {
        disableUnit(GL_TEXTURE1);
        selectUnit(GL_TEXTURE0);
        glEnable(GL_TEXTURE_2D);
        enableUnit(*layer0);
    } else {
        disableUnit(GL_TEXTURE1);
        disableUnit(GL_TEXTURE0);
    }

    if ((geometry.flags & (kGeometryCullBack | kGeometryCullFront)) == 0) {
        glDisable(GL_CULL_FACE);
    } else {
        glEnable(GL_CULL_FACE);
        glCullFace((geometry.flags & kGeometryCullBack) != 0 ? GL_BACK : GL_FRONT);
    }

    glVertexPointer(3, GL_FIXED, 16, geometry.vertices);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, geometry.litColours);
    if (layer0 != nullptr) {
        glClientActiveTexture(GL_TEXTURE0);
        glTexCoordPointer(2, GL_FIXED, 0, geometry.tex2d);
    }
    if (layer1 != nullptr) {
        glClientActiveTexture(GL_TEXTURE1);
        if (normalsTextureMatrix != nullptr) {
            glTexCoordPointer(3, GL_FIXED, 0, geometry.normals);
            glMatrixMode(GL_TEXTURE);
            glLoadMatrixx(normalsTextureMatrix->rawValues());
        } else {
            glTexCoordPointer(2, GL_FIXED, 0, geometry.bump);
        }
    }

    if ((geometry.flags & kGeometryKindMask) != kGeometryIndexed || geometry.prims == nullptr) {
        return;
    }
    // Records of kind, count and indices; unknown kinds are skipped, kind 0 or the pool's end stops.
    const std::uint16_t* stream = geometry.prims;
    const int words = geometry.primCount;
    int at = 0;
    while (at + 2 <= words && stream[at] != kPrimEnd) {
        const std::uint16_t kind = stream[at];
        const int count = stream[at + 1];
        if (at + 2 + count > words) {
            break;
        }
        if (kind == kPrimTriangles || kind == kPrimTriangleStrip || kind == kPrimTriangleFan) {
            glDrawElements(kind, count, GL_UNSIGNED_SHORT, stream + at + 2);
        }
        at += 2 + count;
    }
}
