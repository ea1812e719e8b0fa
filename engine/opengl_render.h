#pragma once
// The renderer's graphics back end: every call that touches OpenGL ES. It keeps no state of its own.
#include "math/matrix.h"

struct NymCamera;
struct NymGeometry;
struct NymMaterial;
struct NymTexture;

class NymOpenGLRender {
public:
    // Picks the loader by the first of ".rgba"/".rgb", ".lum", ".a", ".jpg", ".nym" found in the name.
    // Returns texname, 0 when nothing matches.
    static unsigned int uploadTexture(NymTexture* texture);
    // Deletes the texture's GL texture. Returns 0.
    static int deleteTexture(NymTexture* texture);

    // The per-frame GL set-up: identity texture matrix, no GL lighting, dithering on.
    static void beginFrame();
    // Projection and viewport of the camera; with rotation 90 or 270 the extents and sizes are exchanged.
    static void loadProjection(const NymCamera& camera, int rotation);
    // The model-view, turned by the screen rotation when it is 90 or 270.
    static void loadModelView(const FixedMatrix& modelView, int rotation);
    static void clear(unsigned int mask);
    static void setRenderState(unsigned int state);
    // Array state, texture units, culling, pointers and the primitive stream of one geometry whose
    // colours are ready. normalsTextureMatrix: set when layer 1 takes the normals as coordinates (mode 3),
    // loaded as its texture matrix.
    static void drawGeometry(const NymGeometry& geometry, const NymMaterial& material,
                             const FixedMatrix* normalsTextureMatrix);
};
