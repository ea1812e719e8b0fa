#pragma once
// The projection: the near rectangle, the near and far distances and the viewport, plus the corners and
// planes of the view volume in camera space. The camera's placement is the renderer's view matrix.
#include "math/fixed.h"

struct NymCamera {
    int orthographic;     // 0: perspective; setFrustum always sets 0
    Fixed aspect;         // height / width, computed for an orthographic camera only
    Fixed nearExtents[4]; // -right, top, -left, bottom
    Fixed farExtents[4];  // the same times far / near
    Fixed nearDistance;
    Fixed farDistance;
    Fixed viewportWidth; // pixels; the integer parts go to glViewport
    Fixed viewportHeight;
    Fixed corners[8][4]; // x, y, z, w = 1.0
    Fixed planes[6][4];  // a, b, c, d of the right, left, top, bottom, near and far planes
    Fixed reserved[5];
    int valid; // the corners and planes match the extents
    Fixed left;
    Fixed right;
    Fixed bottom;
    Fixed top;

    // Zeroes every field but orthographic, which the owner sets (setFrustum makes it 0).
    void init();
    // Stores the viewport size and clears valid.
    void setViewport(Fixed width, Fixed height);
    // Stores the extents and distances of a perspective frustum and recomputes it.
    void setFrustum(Fixed l, Fixed r, Fixed b, Fixed t, Fixed n, Fixed f);
    // Builds the corners and planes and checks them; frustums it cannot represent leave valid 0.
    void recomputeFrustum();
};

// The indices of NymCamera::planes.
enum NymFrustumPlane { kPlaneRight, kPlaneLeft, kPlaneTop, kPlaneBottom, kPlaneNear, kPlaneFar };
