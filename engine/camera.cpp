#include "engine/camera.h"

#include <cmath>
#include <cstdint>

#include "files/nym_trace.h"

namespace {

constexpr Fixed kOne{0x10000};

// x truncated toward zero; out-of-range values saturate and NaN (a degenerate plane) gives 0.
Fixed truncated(float x) {
    if (std::isnan(x)) {
        return Fixed{0};
    }
    if (x >= 2147483648.0f) {
        return Fixed{INT32_MAX};
    }
    return Fixed{x < -2147483648.0f ? INT32_MIN : static_cast<std::int32_t>(x)};
}

// a, b, c, d of the plane through three points by Newell's method, in single precision: sums and
// differences in Fixed, each product of a sum and a difference scaled by 2^-32.
void planeThrough(const Fixed* p1, const Fixed* p2, const Fixed* p3, Fixed* plane) {
    const float scale = 1.0f / 4294967296.0f;
    auto term = [scale](Fixed sum, Fixed difference) {
        return static_cast<float>(sum.raw) * static_cast<float>(difference.raw) * scale;
    };
    const Fixed x1 = p1[0], y1 = p1[1], z1 = p1[2];
    const Fixed x2 = p2[0], y2 = p2[1], z2 = p2[2];
    const Fixed x3 = p3[0], y3 = p3[1], z3 = p3[2];
    const float nx = term(z1 + z2, y1 - y2) + term(z2 + z3, y2 - y3) + term(z3 + z1, y3 - y1);
    const float ny = term(x1 + x2, z1 - z2) + term(x2 + x3, z2 - z3) + term(x3 + x1, z3 - z1);
    const float nz = term(y1 + y2, x1 - x2) + term(y2 + y3, x2 - x3) + term(y3 + y1, x3 - x1);
    const float squared = nz * nz + ny * ny + nx * nx;
    const float s = 1.0f / static_cast<float>(std::sqrt(static_cast<double>(squared)));
    plane[0] = truncated(s * nx * 65536.0f);
    plane[1] = truncated(s * ny * 65536.0f);
    plane[2] = truncated(s * nz * 65536.0f);
    const float toFloat = 1.0f / 65536.0f;
    const float sx = static_cast<float>((x1 + x2 + x3).raw) * toFloat;
    const float sy = static_cast<float>((y1 + y2 + y3).raw) * toFloat;
    const float sz = static_cast<float>((z1 + z2 + z3).raw) * toFloat;
    // Minus the distance of the centroid along the unit normal.
    plane[3] = truncated((nz * sz + ny * sy + nx * sx) * s * (-1.0f / 3.0f) * 65536.0f);
}

bool symmetric(Fixed ratio) {
    return ratio.raw > 65469 && ratio.raw <= 65601;
}

void setCorner(Fixed* corner, Fixed x, Fixed y, Fixed z) {
    corner[0] = x;
    corner[1] = y;
    corner[2] = z;
    corner[3] = kOne;
}

} // namespace

void NymCamera::init() {
    aspect = Fixed{0};
    for (int i = 0; i < 4; ++i) {
        nearExtents[i] = farExtents[i] = Fixed{0};
    }
    nearDistance = farDistance = Fixed{0};
    viewportWidth = viewportHeight = Fixed{0};
    for (auto& corner : corners) {
        for (Fixed& v : corner) {
            v = Fixed{0};
        }
    }
    for (auto& plane : planes) {
        for (Fixed& v : plane) {
            v = Fixed{0};
        }
    }
    for (Fixed& v : reserved) {
        v = Fixed{0};
    }
    valid = 0;
    left = right = bottom = top = Fixed{0};
}

void NymCamera::setViewport(Fixed width, Fixed height) {
    viewportWidth = width;
    viewportHeight = height;
    valid = 0;
}

void NymCamera::setFrustum(Fixed l, Fixed r, Fixed b, Fixed t, Fixed n, Fixed f) {
    left = l;
    right = r;
    bottom = b;
    top = t;
    nearDistance = n;
    farDistance = f;
    orthographic = 0;
    valid = 0;
    recomputeFrustum();
}

void NymCamera::recomputeFrustum() {
    if (valid) {
        return;
    }
    NymTrace* trace = NymTrace::Instance();
    if (orthographic) {
        aspect = FixedDiv(viewportHeight, viewportWidth);
        trace->Print(1000, "NymCamera::recomputeFrustum - no ortho support yet\n");
        return;
    }
    const Fixed k = FixedDiv(farDistance, nearDistance);
    for (const Fixed ratio : {FixedDiv(-left, right), FixedDiv(-top, bottom)}) {
        if (!symmetric(ratio)) {
            trace->Print(1000, "NymCamera::recomputeFrustum - no asymmetric frustum support yet - ratio %f\n",
                         static_cast<double>(FixedToFloat(ratio)));
            return;
        }
    }

    nearExtents[0] = -right;
    nearExtents[1] = top;
    nearExtents[2] = -left;
    nearExtents[3] = bottom;
    for (int i = 0; i < 4; ++i) {
        farExtents[i] = FixedMul(nearExtents[i], k);
    }
    const Fixed* ne = nearExtents;
    const Fixed* fe = farExtents;
    setCorner(corners[0], ne[2], ne[3], nearDistance);
    setCorner(corners[1], ne[0], ne[3], nearDistance);
    setCorner(corners[2], ne[2], ne[1], nearDistance);
    setCorner(corners[3], ne[0], ne[1], nearDistance);
    setCorner(corners[4], fe[2], fe[3], farDistance);
    setCorner(corners[5], fe[0], fe[3], farDistance);
    setCorner(corners[6], fe[2], fe[1], farDistance);
    setCorner(corners[7], fe[0], fe[1], farDistance);

    planeThrough(corners[3], corners[7], corners[5], planes[kPlaneRight]);
    planeThrough(corners[4], corners[6], corners[2], planes[kPlaneLeft]);
    planeThrough(corners[6], corners[7], corners[3], planes[kPlaneTop]);
    planeThrough(corners[1], corners[5], corners[4], planes[kPlaneBottom]);
    planeThrough(corners[2], corners[3], corners[1], planes[kPlaneNear]);
    planeThrough(corners[7], corners[5], corners[6], planes[kPlaneFar]);

    const Fixed quarter{0x4000};
    const Fixed cx = FixedMul(ne[0] + ne[2] + fe[0] + fe[2], quarter);
    const Fixed cy = FixedMul(ne[1] + ne[3] + fe[1] + fe[3], quarter);
    const Fixed cz = FixedMul(nearDistance + farDistance, Fixed{-0x8000});

    struct Check {
        NymFrustumPlane plane;
        const char* message;
    };
    static constexpr Check kChecks[] = {
        {kPlaneTop, "Error in frustum topPlane\n"},   {kPlaneBottom, "Error in frustum bottomPlane\n"},
        {kPlaneLeft, "Error in frustum leftPlane\n"}, {kPlaneRight, "Error in frustum rightPlane\n"},
        {kPlaneNear, "Error in frustum nearPlane\n"}, {kPlaneFar, "Error in frustum farPlane\n"},
    };
    for (const Check& check : kChecks) {
        const Fixed* p = planes[check.plane];
        const Fixed distance = FixedMul(p[0], cx) + FixedMul(p[1], cy) + FixedMul(p[2], cz) + p[3];
        if (distance > Fixed{0}) {
            trace->Print(666, check.message);
            return;
        }
    }
    valid = 1;
}
