// The cars: two bodies (a detailed one of 872 vertices and one of 584), the wheels, the shadow quad, the
// lamp quads, and the probe-point meshes. All in the car's frame: x right, y up, z back, the reference
// point 0.1 above the road.
#include "car_layout.h"
#include "world_model.h"

#include <algorithm>
#include <cmath>

namespace world {

namespace {

using atlas::kLiveryRed;
namespace lv = atlas::livery;

// Body profile along the car, from the nose tip (t = 0) to the tail (t = 1): half-width, bottom, top.
struct Profile {
    double t, halfWidth, bottom, top;
};
constexpr Profile kProfile[] = {
    {0.00, 0.045, 0.050, 0.085}, {0.10, 0.070, 0.045, 0.115}, {0.22, 0.105, 0.040, 0.140},
    {0.30, 0.125, 0.038, 0.160}, {0.38, 0.200, 0.036, 0.180}, {0.45, 0.285, 0.035, 0.215},
    {0.55, 0.300, 0.035, 0.245}, {0.66, 0.290, 0.035, 0.225}, {0.74, 0.200, 0.035, 0.200},
    {0.84, 0.150, 0.038, 0.175}, {1.00, 0.130, 0.045, 0.150}};

constexpr double kNoseZ = -0.70, kTailZ = 0.575;

Profile profileAt(double t) {
    for (std::size_t i = 1; i < std::size(kProfile); ++i) {
        if (t <= kProfile[i].t) {
            const Profile& a = kProfile[i - 1];
            const Profile& b = kProfile[i];
            const double f = smoothstep((t - a.t) / (b.t - a.t));
            return {t, a.halfWidth + (b.halfWidth - a.halfWidth) * f, a.bottom + (b.bottom - a.bottom) * f,
                    a.top + (b.top - a.top) * f};
        }
    }
    return kProfile[std::size(kProfile) - 1];
}

// A point of the rounded-box cross-section at perimeter parameter u (0 bottom centre, 0.25 right flank).
V3 sectionPoint(double t, double u) {
    const Profile p = profileAt(t);
    const double theta = -kPi / 2 + 2 * kPi * u;
    const double c = std::cos(theta), s = std::sin(theta);
    const double e = 0.5; // exponent 2/n with n = 4: a squarish section
    const double x = p.halfWidth * std::copysign(std::pow(std::fabs(c), e), c);
    const double mid = 0.5 * (p.bottom + p.top), half = 0.5 * (p.top - p.bottom);
    const double y = mid + half * std::copysign(std::pow(std::fabs(s), e), s);
    return {x, y, kNoseZ + (kTailZ - kNoseZ) * t};
}

void body(Mesh& m, int perimeter, int sections, bool endplates) {
    // The skin: sections x (perimeter + 1) vertices, the seam repeated for the texture.
    for (int i = 0; i < sections; ++i) {
        const double t = static_cast<double>(i) / (sections - 1);
        for (int j = 0; j <= perimeter; ++j) {
            const double u = static_cast<double>(j) / perimeter;
            const V3 p = sectionPoint(t, u);
            const double dt = 1e-3, du = 1e-3;
            const V3 along = sectionPoint(std::min(1.0, t + dt), u) - sectionPoint(std::max(0.0, t - dt), u);
            const V3 round = sectionPoint(t, u + du) - sectionPoint(t, u - du);
            V3 n = normalised(cross(round, along));
            const Profile pr = profileAt(t);
            const V3 centre{0.0, 0.5 * (pr.bottom + pr.top), p.z};
            if (dot(n, p - centre) < 0) {
                n = n * -1.0;
            }
            m.vertex(p, atlas::mapInto(kLiveryRed, lv::body, static_cast<float>(u), static_cast<float>(t)),
                     n);
        }
    }
    const int row = perimeter + 1;
    for (int i = 0; i + 1 < sections; ++i) {
        for (int j = 0; j < perimeter; ++j) {
            const auto a = static_cast<std::uint16_t>(i * row + j), b = static_cast<std::uint16_t>(a + 1);
            const auto c = static_cast<std::uint16_t>(a + row), d = static_cast<std::uint16_t>(c + 1);
            m.triangle(a, b, d);
            m.triangle(a, d, c);
        }
    }
    // Flat nose and tail faces.
    for (int end = 0; end < 2; ++end) {
        const double t = end == 0 ? 0.0 : 1.0;
        const V3 n{0.0, 0.0, end == 0 ? -1.0 : 1.0};
        const Profile pr = profileAt(t);
        const auto first = static_cast<std::uint16_t>(m.vertexCount());
        for (int j = 0; j < perimeter; ++j) {
            const V3 p = sectionPoint(t, static_cast<double>(j) / perimeter);
            const double s = 0.5 + p.x / (2.0 * pr.halfWidth), tt = (pr.top - p.y) / (pr.top - pr.bottom);
            m.vertex(p, atlas::mapInto(kLiveryRed, lv::endCap, static_cast<float>(s), static_cast<float>(tt)),
                     n);
        }
        for (int j = 1; j + 1 < perimeter; ++j) {
            m.triangle(first, static_cast<std::uint16_t>(first + j),
                       static_cast<std::uint16_t>(first + j + 1));
        }
    }
    // The rear wing: a closed slab over the tail.
    const double x0 = -0.30, x1 = 0.30, y0 = 0.225, y1 = 0.255, z0 = 0.60, z1 = 0.76;
    m.quad({x0, y1, z0}, {x1, y1, z0}, {x1, y1, z1}, {x0, y1, z1}, {0, 1, 0}, kLiveryRed, lv::wing);
    m.quad({x0, y0, z1}, {x1, y0, z1}, {x1, y0, z0}, {x0, y0, z0}, {0, -1, 0}, kLiveryRed, lv::endCap);
    m.quad({x0, y1, z1}, {x1, y1, z1}, {x1, y0, z1}, {x0, y0, z1}, {0, 0, 1}, kLiveryRed, lv::wing);
    m.quad({x1, y1, z0}, {x0, y1, z0}, {x0, y0, z0}, {x1, y0, z0}, {0, 0, -1}, kLiveryRed, lv::wing);
    m.quad({x1, y1, z1}, {x1, y1, z0}, {x1, y0, z0}, {x1, y0, z1}, {1, 0, 0}, kLiveryRed, lv::wing);
    m.quad({x0, y1, z0}, {x0, y1, z1}, {x0, y0, z1}, {x0, y0, z0}, {-1, 0, 0}, kLiveryRed, lv::wing);
    if (endplates) {
        // Endplates reaching down to the tail, faced on both sides.
        for (double x : {x0 - 0.005, x1 + 0.005}) {
            for (double side : {-1.0, 1.0}) {
                const double px = x + side * 0.004;
                m.quad({px, 0.28, z0}, {px, 0.28, z1}, {px, 0.12, z1}, {px, 0.12, z0}, {side, 0, 0},
                       kLiveryRed, lv::endplate);
            }
        }
    }
}

// A wheel round the x axis: the tread (segments + 1 columns on two rims) and the two flat faces.
void wheel(Mesh& m, int segments, double outerSide) {
    const double r = kWheelRadius, halfWidth = 0.045;
    for (int rim = 0; rim < 2; ++rim) {
        const double x = rim == 0 ? -halfWidth : halfWidth;
        for (int j = 0; j <= segments; ++j) {
            const double a = 2 * kPi * j / segments;
            const V3 p{x, r * std::sin(a), r * std::cos(a)};
            m.vertex(p,
                     atlas::mapInto(kLiveryRed, lv::tyre, static_cast<float>(j) / segments,
                                    static_cast<float>(rim)),
                     {0.0, std::sin(a), std::cos(a)});
        }
    }
    const int row = segments + 1;
    for (int j = 0; j < segments; ++j) {
        const auto a = static_cast<std::uint16_t>(j), b = static_cast<std::uint16_t>(j + 1);
        m.triangle(a, b, static_cast<std::uint16_t>(b + row));
        m.triangle(a, static_cast<std::uint16_t>(b + row), static_cast<std::uint16_t>(a + row));
    }
    for (int face = 0; face < 2; ++face) {
        const double side = face == 0 ? outerSide : -outerSide;
        const auto first = static_cast<std::uint16_t>(m.vertexCount());
        for (int j = 0; j < segments; ++j) {
            const double a = 2 * kPi * j / segments;
            const V3 p{side * halfWidth, r * std::sin(a), r * std::cos(a)};
            m.vertex(p,
                     atlas::mapInto(kLiveryRed, lv::rim, static_cast<float>(0.5 + 0.5 * std::cos(a)),
                                    static_cast<float>(0.5 - 0.5 * std::sin(a))),
                     {side, 0.0, 0.0});
        }
        for (int j = 1; j + 1 < segments; ++j) {
            m.triangle(first, static_cast<std::uint16_t>(first + j),
                       static_cast<std::uint16_t>(first + j + 1));
        }
    }
}

// Two glow quads facing along the car's axis.
void lamps(Mesh& m, const atlas::Rect& glow, double zInner, double zOuter, double facing) {
    for (double side : {-1.0, 1.0}) {
        const double xIn = side * 0.05, xOut = side * 0.17;
        const V3 p[4] = {
            {xIn, 0.16, zInner}, {xOut, 0.16, zOuter}, {xOut, 0.06, zOuter}, {xIn, 0.06, zInner}};
        const double s[4] = {0, 1, 1, 0}, t[4] = {0, 0, 1, 1};
        m.quadST(p, {0.0, 0.0, facing}, atlas::kLampGlow, glow, s, t);
    }
}

} // namespace

void buildCarMeshes(WorldModel& w) {
    auto& m = w.meshes;
    body(m[35], 16, 48, false);
    w.meshNames[35] = "detailed car body";
    body(m[25], 12, 40, true);
    w.meshNames[25] = "car body";
    wheel(m[27], 12, -1.0);
    w.meshNames[27] = "detailed left wheel";
    wheel(m[24], 12, 1.0);
    w.meshNames[24] = "detailed right wheel";
    wheel(m[34], 8, -1.0);
    w.meshNames[34] = "left wheel";
    wheel(m[33], 8, 1.0);
    w.meshNames[33] = "right wheel";

    // The shadow quad, on the shadow corners (front right, rear right, rear left, front left).
    const double st[4][2] = {{1, 0}, {1, 1}, {0, 1}, {0, 0}};
    std::uint16_t v[4];
    for (int i = 0; i < 4; ++i) {
        const V3 p{kShadowCorners[i][0], kShadowCorners[i][1], kShadowCorners[i][2]};
        v[i] = m[19].vertex(p, {static_cast<float>(st[i][0]), static_cast<float>(st[i][1])}, {0, 1, 0});
    }
    m[19].triangle(v[0], v[1], v[2]);
    m[19].triangle(v[0], v[2], v[3]);
    m[19].material = -1;
    w.meshNames[19] = "shadow quad";

    lamps(m[28], atlas::lamp::brake, 0.58, 0.58, 1.0);
    w.meshNames[28] = "brake-light quads";
    lamps(m[29], atlas::lamp::head, -0.55, -0.47, -1.0);
    w.meshNames[29] = "headlight quads";

    // The contact box: low corners 0-3, the high ones above them at 4 (over 0), 7 (1), 6 (2), 5 (3).
    Mesh& box = m[20];
    for (int i = 0; i < 8; ++i) {
        const V3 p{kContactBox[i][0], kContactBox[i][1], kContactBox[i][2]};
        const V3 n = normalised(p - V3{0.0, 0.0433, 0.032});
        box.vertex(p, atlas::mapInto(kLiveryRed, lv::endCap, i % 2 ? 1.0f : 0.0f, i < 4 ? 1.0f : 0.0f), n);
    }
    const int faces[6][4] = {{0, 3, 2, 1}, {4, 7, 6, 5}, {0, 4, 5, 3},
                             {1, 2, 6, 7}, {0, 1, 7, 4}, {3, 5, 6, 2}};
    for (const auto& f : faces) {
        box.triangle(static_cast<std::uint16_t>(f[0]), static_cast<std::uint16_t>(f[1]),
                     static_cast<std::uint16_t>(f[2]));
        box.triangle(static_cast<std::uint16_t>(f[0]), static_cast<std::uint16_t>(f[2]),
                     static_cast<std::uint16_t>(f[3]));
    }
    box.material = -1;
    w.meshNames[20] = "wheel contact box";

    Mesh& corners = m[21];
    for (int i = 0; i < 4; ++i) {
        const V3 p{kShadowCorners[i][0], kShadowCorners[i][1], kShadowCorners[i][2]};
        v[i] = corners.vertex(p, {static_cast<float>(st[i][0]), static_cast<float>(st[i][1])}, {0, -1, 0});
    }
    corners.triangle(v[0], v[1], v[2]);
    corners.triangle(v[0], v[2], v[3]);
    corners.material = -1;
    w.meshNames[21] = "shadow footprint";

    // The driver's helmet: a small rounded box in the cockpit.
    Mesh& helmet = m[26];
    helmet.box({-0.045, 0.2, -0.06}, {0.045, 0.285, 0.03}, kLiveryRed, lv::helmet, lv::helmet);
    helmet.material = -1;
    w.meshNames[26] = "driver's helmet";
}

} // namespace world
