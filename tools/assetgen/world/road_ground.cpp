// Road pieces (object 0 of every section) and the ground beside them (object 1).
#include "section_layout.h"
#include "world_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>

namespace world {

namespace {

constexpr double kRoadY = -0.1;
constexpr double kOverlap = 0.4; // each piece runs on under the start of the next
constexpr int kSegmentsPerTile = 4;
constexpr double kBands[] = {atlas::road::kHalfWidth, 8.0, 13.0, 22.0, 36.0, 54.0, 78.0};

// Every road triangle reaches this far past each of its edges over its neighbours. The race's road probe
// floors its 16.16 products, so a point on an edge that two triangles share can round out of both; with
// the overlap (131 raw units, against rounding errors of a few) every point of the road lies well inside
// some triangle. Beyond the road's sides it is a twentieth of a texel of the road picture.
constexpr double kEdgeOverlap = 0.002;

// The triangle a b c (horizontal, with texture coordinates s and t) grown by kEdgeOverlap past each edge.
// Each new corner is the same affine combination of the old ones for position and texture, so the
// picture lies on the grown triangle exactly as on the old one.
void overlappingTriangle(Mesh& m, const V3 p[3], const double s[3], const double t[3],
                         const atlas::Rect& rect) {
    const double area2 = std::fabs(cross(p[1] - p[0], p[2] - p[0]).y);
    double grow[3]; // overlap over the height of the corner above its opposite edge
    for (int i = 0; i < 3; ++i) {
        grow[i] = kEdgeOverlap * distanceXZ(p[(i + 1) % 3], p[(i + 2) % 3]) / area2;
    }
    std::uint16_t v[3];
    for (int i = 0; i < 3; ++i) {
        const int j = (i + 1) % 3, k = (i + 2) % 3;
        const double wi = 1.0 + grow[j] + grow[k];
        const V3 q = p[i] * wi - p[j] * grow[j] - p[k] * grow[k];
        const double sq = s[i] * wi - s[j] * grow[j] - s[k] * grow[k];
        const double tq = t[i] * wi - t[j] * grow[j] - t[k] * grow[k];
        v[i] = m.vertex(q, atlas::mapInto(atlas::kRoad, rect, static_cast<float>(sq), static_cast<float>(tq)),
                        {0, 1, 0});
    }
    m.triangle(v[0], v[1], v[2]);
}

// A flat road quad p0 p1 p2 p3 as two overlapping triangles.
void roadQuad(Mesh& m, const V3 p[4], const atlas::Rect& rect, const double s[4], const double t[4]) {
    for (const auto& corners : {std::array{0, 1, 2}, std::array{0, 2, 3}}) {
        const V3 q[3] = {p[corners[0]], p[corners[1]], p[corners[2]]};
        const double sq[3] = {s[corners[0]], s[corners[1]], s[corners[2]]};
        const double tq[3] = {t[corners[0]], t[corners[1]], t[corners[2]]};
        overlappingTriangle(m, q, sq, tq, rect);
    }
}

bool inTunnel(const WorldModel& w, double arc) {
    for (const TunnelSpan& t : w.tunnels) {
        if (arc >= t.from - 1.0 && arc <= t.to + 1.0) {
            return true;
        }
    }
    return false;
}

struct Tiling {
    int tiles;
    double tileLength;
};

Tiling tiling(const WorldModel& w, int s) {
    const double len =
        w.sectionStarts[static_cast<std::size_t>(s + 1)] - w.sectionStarts[static_cast<std::size_t>(s)];
    const int tiles = std::max(1, static_cast<int>(std::lround(len / atlas::road::kTileLength)));
    return {tiles, len / tiles};
}

// The ground reaches out from the road until it would come nearer another part of the line than its own.
double groundExtent(const WorldModel& w, const std::vector<V3>& coarse, double arc, double side) {
    const V3 p = w.line.at(arc), r = w.line.right(arc) * side;
    double reach = kBands[0];
    for (double d = kBands[0]; d <= kBands[std::size(kBands) - 1] + 1e-9; d += 2.0) {
        const V3 q = p + r * d;
        double nearest = 1e30;
        for (const V3& c : coarse) {
            nearest = std::min(nearest, distanceXZ(c, q));
        }
        if (nearest < d - 1.0) {
            break;
        }
        reach = d;
    }
    return reach;
}

double groundHeight(double d) {
    return kRoadY + 3.0 * smoothstep((d - 30.0) / 50.0);
}

const atlas::Rect& nearGround(int s) {
    if (s == 7 || s == 8) {
        return atlas::section01::pavement;
    }
    if (s == 10 || s == 11) {
        return atlas::section01::gravel;
    }
    return atlas::section01::grass;
}

void road(WorldModel& w, int s, Mesh& m) {
    const Tiling tl = tiling(w, s);
    const double start = w.sectionStarts[static_cast<std::size_t>(s)];
    const double end = w.sectionStarts[static_cast<std::size_t>(s + 1)] + kOverlap;
    const double half = atlas::road::kHalfWidth;
    for (int tile = 0; tile < tl.tiles; ++tile) {
        const double a0 = start + tile * tl.tileLength;
        const double a1 = a0 + tl.tileLength;
        const double mid = 0.5 * (a0 + a1);
        double bend = 0.0;
        for (double a = a0; a <= a1; a += 2.0) {
            bend = std::max(bend, std::fabs(w.line.curvature(a)));
        }
        const atlas::Rect* rect = bend > 1.0 / 45.0 ? &atlas::road::kerb : &atlas::road::plain;
        double t0 = 0.0, t1 = 1.0;
        if (inTunnel(w, mid)) {
            rect = &atlas::road::tunnel;
        } else if (s == 0 && tile == 0) {
            rect = &atlas::road::start; // the start line lies at the tile's beginning
            t0 = 0.5;
        } else if (s == kSections - 1 && tile + 1 == tl.tiles) {
            rect = &atlas::road::start;
            t1 = 0.5;
        }
        for (int j = 0; j < kSegmentsPerTile; ++j) {
            const double b0 = a0 + (a1 - a0) * j / kSegmentsPerTile,
                         b1 = a0 + (a1 - a0) * (j + 1) / kSegmentsPerTile;
            const double u0 = t0 + (t1 - t0) * j / kSegmentsPerTile,
                         u1 = t0 + (t1 - t0) * (j + 1) / kSegmentsPerTile;
            const V3 c0 = w.line.at(b0) + V3{0, kRoadY, 0}, c1 = w.line.at(b1) + V3{0, kRoadY, 0};
            const V3 r0 = w.line.right(b0) * half, r1 = w.line.right(b1) * half;
            const V3 p[4] = {c0 - r0, c0 + r0, c1 + r1, c1 - r1};
            const double ss[4] = {0, 1, 1, 0}, tt[4] = {u0, u0, u1, u1};
            roadQuad(m, p, *rect, ss, tt);
        }
    }
    // The overlap onto the next piece lies a hair lower, so the next piece's surface wins the depth test.
    const double last = w.sectionStarts[static_cast<std::size_t>(s + 1)];
    const V3 lift{0, kRoadY - 0.003, 0};
    const V3 c0 = w.line.at(last) + lift, c1 = w.line.at(end) + lift;
    const V3 r0 = w.line.right(last) * half, r1 = w.line.right(end) * half;
    const V3 p[4] = {c0 - r0, c0 + r0, c1 + r1, c1 - r1};
    const double ss[4] = {0, 1, 1, 0}, tt[4] = {0.96, 0.96, 1, 1};
    roadQuad(m, p, atlas::road::plain, ss, tt);
}

V3 groundPoint(const WorldModel& w, double arc, double side, double d) {
    return w.line.at(arc) + w.line.right(arc) * (side * d) + V3{0, groundHeight(d), 0};
}

// Band 2 joins the road-following band 1 (four steps a tile) to the coarse bands (one step a tile) with a
// fan, so that no edge ends in the middle of another and the ground has no cracks.
template <typename Extent>
void transitionBand(WorldModel& w, Mesh& m, double side, double a0, double tileLength, Extent& extent) {
    const double inner = kBands[2], outer = kBands[3];
    const atlas::Rect& rect = atlas::section01::grass;
    auto vertex = [&](double arc, double d, double sCoord, double tCoord) {
        const V3 p = groundPoint(w, arc, side, d);
        return m.vertex(
            p,
            atlas::mapInto(atlas::kSection01, rect, static_cast<float>(sCoord), static_cast<float>(tCoord)),
            {0, 1, 0});
    };
    std::uint16_t in[kSegmentsPerTile + 1];
    for (int j = 0; j <= kSegmentsPerTile; ++j) {
        const double arc = a0 + tileLength * j / kSegmentsPerTile;
        in[j] = vertex(arc, std::min(inner, extent(arc)), 0.0, static_cast<double>(j) / kSegmentsPerTile);
    }
    const double arcOut0 = a0, arcOut1 = a0 + tileLength;
    const std::uint16_t o0 = vertex(arcOut0, std::min(outer, extent(arcOut0)), 1.0, 0.0);
    const std::uint16_t o1 = vertex(arcOut1, std::min(outer, extent(arcOut1)), 1.0, 1.0);
    const int half = kSegmentsPerTile / 2;
    for (int j = 0; j < kSegmentsPerTile; ++j) {
        m.triangle(in[j], in[j + 1], j < half ? o0 : o1);
    }
    m.triangle(in[half], o1, o0);
}

void ground(WorldModel& w, int s, Mesh& m, const std::vector<V3>& coarse) {
    const Tiling tl = tiling(w, s);
    const double start = w.sectionStarts[static_cast<std::size_t>(s)];
    for (double side : {-1.0, 1.0}) {
        std::map<double, double> extents;
        auto extent = [&](double arc) {
            const auto found = extents.find(arc);
            if (found != extents.end()) {
                return found->second;
            }
            return extents[arc] = groundExtent(w, coarse, arc, side);
        };
        for (int tile = 0; tile < tl.tiles; ++tile) {
            const double a0 = start + tile * tl.tileLength;
            // Near bands follow the road's segments; the far ones take a whole tile per quad.
            transitionBand(w, m, side, a0, tl.tileLength, extent);
            for (std::size_t band = 0; band + 1 < std::size(kBands); ++band) {
                if (band == 2) {
                    continue;
                }
                const int steps = band < 2 ? kSegmentsPerTile : 1;
                for (int j = 0; j < steps; ++j) {
                    const double b0 = a0 + tl.tileLength * j / steps,
                                 b1 = a0 + tl.tileLength * (j + 1) / steps;
                    const double e0 = extent(b0), e1 = extent(b1);
                    const double in0 = std::min(kBands[band], e0), out0 = std::min(kBands[band + 1], e0);
                    const double in1 = std::min(kBands[band], e1), out1 = std::min(kBands[band + 1], e1);
                    if (out0 - in0 < 0.05 && out1 - in1 < 0.05) {
                        continue;
                    }
                    const V3 c0 = w.line.at(b0), c1 = w.line.at(b1);
                    const V3 r0 = w.line.right(b0) * side, r1 = w.line.right(b1) * side;
                    auto at = [&](V3 c, V3 r, double d) { return c + r * d + V3{0, groundHeight(d), 0}; };
                    const V3 p[4] = {at(c0, r0, in0), at(c0, r0, out0), at(c1, r1, out1), at(c1, r1, in1)};
                    const double ss[4] = {0, 1, 1, 0};
                    const double tt[4] = {
                        1.0 - static_cast<double>(j) / steps, 1.0 - static_cast<double>(j) / steps,
                        1.0 - static_cast<double>(j + 1) / steps, 1.0 - static_cast<double>(j + 1) / steps};
                    const V3 up = normalised(cross(p[2] - p[0], p[1] - p[3]));
                    const V3 n = up.y < 0 ? up * -1.0 : up;
                    const atlas::Rect& rect =
                        band == 0 ? nearGround(s)
                                  : (band < 3 ? atlas::section01::grass : atlas::section01::meadow);
                    m.quadST(p, n, atlas::kSection01, rect, ss, tt);
                }
            }
        }
    }
}

} // namespace

void buildRoadAndGround(WorldModel& w) {
    std::vector<V3> coarse;
    for (double a = 0.0; a < w.line.length(); a += 1.0) {
        coarse.push_back(w.line.at(a));
    }
    for (int s = 0; s < kSections; ++s) {
        const int roadIndex = kSectionObjects[s][0], groundIndex = kSectionObjects[s][1];
        Mesh& r = w.meshes[static_cast<std::size_t>(roadIndex)];
        road(w, s, r);
        r.material = 11;
        w.meshNames[static_cast<std::size_t>(roadIndex)] = "road of section " + std::to_string(s);
        Mesh& g = w.meshes[static_cast<std::size_t>(groundIndex)];
        ground(w, s, g, coarse);
        g.material = 0;
        w.meshNames[static_cast<std::size_t>(groundIndex)] = "ground of section " + std::to_string(s);
    }
}

} // namespace world
