#include "road_coverage.h"

#include "car_layout.h"
#include "math/matrix.h"
#include "math/ray_triangle.h"
#include "world_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace world {

namespace {

constexpr double kCell = 4.0; // side of the grid cells that index the road triangles, in units

// A road triangle as the probe converts it, and the same values exactly in double.
struct Triangle {
    FixedVec4 v[3];
    V3 d[3];
    int section;
};

double exact(Fixed f) {
    return f.raw / 65536.0;
}

V3 exact(const FixedVec4& p) {
    return {exact(p.x), exact(p.y), exact(p.z)};
}

FixedVec4 fixedPoint(const float* p) {
    return {FixedFromFloat(p[0]), FixedFromFloat(p[1]), FixedFromFloat(p[2]), Fixed{0}};
}

// Whether the line meets the triangle in exact arithmetic, edges included.
bool exactlyUnder(const FixedVec4& origin, const FixedVec4& direction, const Triangle& tri) {
    const V3 dir = exact(direction);
    const V3 e1 = tri.d[1] - tri.d[0];
    const V3 e2 = tri.d[2] - tri.d[0];
    const V3 t = exact(origin) - tri.d[0];
    const V3 p = cross(dir, e2);
    const double det = dot(e1, p);
    if (det == 0.0) {
        return false;
    }
    const V3 q = cross(t, e1);
    const double u = dot(t, p) / det, v = dot(dir, q) / det;
    constexpr double kEdge = 1e-12;
    return u >= -kEdge && v >= -kEdge && u + v <= 1.0 + kEdge;
}

// The road triangles, indexed by a grid over the x-z plane.
class RoadIndex {
public:
    explicit RoadIndex(const ProbedWorld& world) {
        double hi[2] = {-1e30, -1e30};
        for (int s = 0; s < kSections; ++s) {
            const ProbedWorld::Piece& piece = world.pieces[static_cast<std::size_t>(s)];
            for (std::size_t i = 0; i < piece.triangles; ++i) {
                Triangle tri{};
                tri.section = s;
                for (std::size_t k = 0; k < 3; ++k) {
                    tri.v[k] = fixedPoint(&piece.positions[3 * piece.indices[3 * i + k]]);
                    tri.d[k] = exact(tri.v[k]);
                    lo_[0] = std::min(lo_[0], tri.d[k].x);
                    lo_[1] = std::min(lo_[1], tri.d[k].z);
                    hi[0] = std::max(hi[0], tri.d[k].x);
                    hi[1] = std::max(hi[1], tri.d[k].z);
                }
                triangles_.push_back(tri);
            }
        }
        columns_ = static_cast<int>((hi[0] - lo_[0]) / kCell) + 1;
        rows_ = static_cast<int>((hi[1] - lo_[1]) / kCell) + 1;
        cells_.resize(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_));
        for (std::size_t i = 0; i < triangles_.size(); ++i) {
            const Triangle& t = triangles_[i];
            // Each footprint goes into every cell it touches, a hair wider.
            const int x0 = cellOf(std::min({t.d[0].x, t.d[1].x, t.d[2].x}) - 0.01, 0, columns_);
            const int x1 = cellOf(std::max({t.d[0].x, t.d[1].x, t.d[2].x}) + 0.01, 0, columns_);
            const int z0 = cellOf(std::min({t.d[0].z, t.d[1].z, t.d[2].z}) - 0.01, 1, rows_);
            const int z1 = cellOf(std::max({t.d[0].z, t.d[1].z, t.d[2].z}) + 0.01, 1, rows_);
            for (int cx = x0; cx <= x1; ++cx) {
                for (int cz = z0; cz <= z1; ++cz) {
                    cells_[static_cast<std::size_t>(cz * columns_ + cx)].push_back(static_cast<int>(i));
                }
            }
        }
    }

    // The triangles whose footprint may hold the point (x, z).
    const std::vector<int>& near(Fixed x, Fixed z) const {
        static const std::vector<int> none;
        const double fx = (exact(x) - lo_[0]) / kCell, fz = (exact(z) - lo_[1]) / kCell;
        if (fx < 0.0 || fz < 0.0 || fx >= columns_ || fz >= rows_) {
            return none;
        }
        return cells_[static_cast<std::size_t>(static_cast<int>(fz) * columns_ + static_cast<int>(fx))];
    }
    const Triangle& triangle(int i) const { return triangles_[static_cast<std::size_t>(i)]; }
    const std::vector<Triangle>& triangles() const { return triangles_; }

private:
    int cellOf(double v, int axis, int count) const {
        return std::clamp(static_cast<int>((v - lo_[axis]) / kCell), 0, count - 1);
    }

    std::vector<Triangle> triangles_;
    double lo_[2] = {1e30, 1e30};
    int columns_ = 0;
    int rows_ = 0;
    std::vector<std::vector<int>> cells_;
};

enum class Probe { Met, Faraway, Rounding, Hole };

// What the probe's test finds under origin along direction; `nearby` tells the sections the probe
// searches for this car.
template <typename Nearby>
Probe probeUnder(const RoadIndex& index, const FixedVec4& origin, const FixedVec4& direction, Nearby nearby) {
    bool faraway = false;
    const std::vector<int>& candidates = index.near(origin.x, origin.z);
    for (const int i : candidates) {
        const Triangle& tri = index.triangle(i);
        Fixed t{}, u{}, v{};
        if (intersectTriangle(origin, direction, tri.v[0], tri.v[1], tri.v[2], t, u, v)) {
            if (nearby(tri.section)) {
                return Probe::Met;
            }
            faraway = true;
        }
    }
    if (faraway) {
        return Probe::Faraway;
    }
    for (const int i : candidates) {
        if (exactlyUnder(origin, direction, index.triangle(i))) {
            return Probe::Rounding;
        }
    }
    return Probe::Hole;
}

// The car's transform between keys k0 and k0 + 1 at fraction t, as the race interpolates it.
FixedMatrix carTransform(const float* keys, int k0, double t) {
    const int k1 = k0 + 1 == kKeys ? 0 : k0 + 1;
    const int km1 = k0 == 0 ? kKeys - 2 : k0 - 1;
    const int k2 = k1 + 1 == kKeys ? 0 : k1 + 1;
    const double t2 = t * t, t3 = t2 * t;
    const double w[4] = {(-t3 + 2 * t2) - t, (3 * t3 - 5 * t2) + 2, (-3 * t3 + 4 * t2) + t, t3 - t2};
    const int k[4] = {km1, k0, k1, k2};
    FixedMatrix m;
    MatrixIdentity(m);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 3; ++column) {
            double sum = 0.0;
            for (int i = 0; i < 4; ++i) {
                sum += w[i] *
                       keys[static_cast<std::size_t>(k[i]) * 12 + static_cast<std::size_t>(3 * row + column)];
            }
            m[4 * row + column] = FixedFromFloat(static_cast<float>(0.5 * sum));
        }
    }
    return m;
}

int sectionOfKey(const ProbedWorld& world, int key) {
    int s = 0;
    while (s + 1 < kSections && key >= world.sectionFirstKey[static_cast<std::size_t>(s + 1)]) {
        ++s;
    }
    return s;
}

const char* causeName(Probe p) {
    return p == Probe::Hole ? "no road" : p == Probe::Rounding ? "rounding at an edge" : "faraway section";
}

} // namespace

GeneratedProbedWorld::GeneratedProbedWorld(const WorldModel& w) {
    for (int s = 0; s < kSections; ++s) {
        const Mesh& road = w.meshes[kSectionObjects[s][0]];
        probed.pieces[static_cast<std::size_t>(s)] = {road.positions.data(), road.indices.data(),
                                                      road.triangleCount()};
        probed.sectionFirstKey[static_cast<std::size_t>(s)] = kSectionFirstKey[s];
    }
    probed.sectionFirstKey[kSections] = kSectionFirstKey[kSections];
    for (int car = 0; car < 3; ++car) {
        std::vector<float>& keys = keys_[static_cast<std::size_t>(car)];
        for (const Key& key : w.paths[static_cast<std::size_t>(car + 1)]) {
            keys.insert(keys.end(), key.begin(), key.end());
        }
        probed.carKeys[static_cast<std::size_t>(car)] = keys.data();
    }
    for (int i = 0; i < 8; ++i) {
        for (int a = 0; a < 3; ++a) {
            contactBox_[i][a] = static_cast<float>(kContactBox[i][a]);
            shadowCorners_[i % 4][a] = static_cast<float>(kShadowCorners[i % 4][a]);
        }
    }
    probed.contactBox = contactBox_;
    probed.shadowCorners = shadowCorners_;
}

CoverageReport checkRoadCoverage(const ProbedWorld& world, int stepsPerKey) {
    RoadIndex index(world);
    CoverageReport report;
    // The high point above each wheel's low point in the contact box.
    static constexpr int kHigh[4] = {4, 7, 6, 5};
    const FixedVec4 down{Fixed{0}, -FixedOne, Fixed{0}, Fixed{0}};
    for (int car = 0; car < 3; ++car) {
        for (int k0 = 0; k0 < kKeys; ++k0) {
            const int s = sectionOfKey(world, k0);
            auto nearby = [s](int section) {
                const int d = (section - s + kSections) % kSections;
                return d == 0 || d == 1 || d == kSections - 1;
            };
            for (int step = 0; step < stepsPerKey; ++step) {
                const double t = static_cast<double>(step) / stepsPerKey;
                const FixedMatrix m = carTransform(world.carKeys[static_cast<std::size_t>(car)], k0, t);
                FixedVec4 points[12];
                for (int w = 0; w < 4; ++w) {
                    points[w] = fixedPoint(world.contactBox[w]);
                    points[4 + w] = fixedPoint(world.contactBox[kHigh[w]]);
                    points[8 + w] = fixedPoint(world.shadowCorners[w]);
                }
                TransformPoints(points, points, 12, m);
                ++report.positions;
                for (int ray = 0; ray < 8; ++ray) {
                    const FixedVec4& origin = points[ray < 4 ? ray : 4 + ray];
                    const FixedVec4 direction =
                        ray < 4 ? FixedVec4{origin.x - points[4 + ray].x, origin.y - points[4 + ray].y,
                                            origin.z - points[4 + ray].z, Fixed{0}}
                                : down;
                    ++report.probes;
                    const Probe found = probeUnder(index, origin, direction, nearby);
                    if (found == Probe::Met) {
                        continue;
                    }
                    long long& count = found == Probe::Hole       ? report.misses.hole
                                       : found == Probe::Rounding ? report.misses.rounding
                                                                  : report.misses.faraway;
                    ++count;
                    if (report.examples.size() < 10) {
                        char text[160];
                        std::snprintf(text, sizeof text,
                                      "car %d at key %.4f, %s %d at (%.5f, %.5f, %.5f): %s", car, k0 + t,
                                      ray < 4 ? "wheel" : "shadow corner", ray % 4, exact(origin.x),
                                      exact(origin.y), exact(origin.z), causeName(found));
                        report.examples.push_back(text);
                    }
                }
            }
        }
    }
    return report;
}

EdgeReport checkRoadEdges(const ProbedWorld& world, int pointsPerEdge, int maxOffset) {
    RoadIndex index(world);
    EdgeReport report;
    // A wheel's probe: straight down along the car's 0.1036 high contact box.
    const FixedVec4 down{Fixed{0}, FixedFromFloat(-0.1036f), Fixed{0}, Fixed{0}};
    auto covered = [&](const FixedVec4& p) {
        for (const int i : index.near(p.x, p.z)) {
            if (exactlyUnder(p, down, index.triangle(i))) {
                return true;
            }
        }
        return false;
    };
    for (const Triangle& tri : index.triangles()) {
        for (int e = 0; e < 3; ++e) {
            const V3& a = tri.d[e];
            const V3& b = tri.d[(e + 1) % 3];
            // The edge's horizontal normal, in raw units.
            const double nx = -(b.z - a.z), nz = b.x - a.x;
            const double len = std::hypot(nx, nz);
            if (len == 0.0) {
                continue;
            }
            for (int i = 1; i < pointsPerEdge; ++i) {
                const double f = static_cast<double>(i) / pointsPerEdge;
                const double x = a.x + (b.x - a.x) * f, z = a.z + (b.z - a.z) * f;
                for (int offset = -maxOffset; offset <= maxOffset; ++offset) {
                    const FixedVec4 p{
                        Fixed{static_cast<std::int32_t>(std::lround(x * 65536.0 + offset * nx / len))},
                        FixedFromFloat(0.5f),
                        Fixed{static_cast<std::int32_t>(std::lround(z * 65536.0 + offset * nz / len))},
                        Fixed{0}};
                    // Well inside the road: covered 0.01 away in every direction.
                    const Fixed margin = FixedFromFloat(0.01f);
                    bool inside = true;
                    for (const auto& [dx, dz] : {std::pair{margin, Fixed{0}}, std::pair{-margin, Fixed{0}},
                                                 std::pair{Fixed{0}, margin}, std::pair{Fixed{0}, -margin}}) {
                        inside = inside && covered({p.x + dx, p.y, p.z + dz, Fixed{0}});
                    }
                    if (!inside) {
                        continue;
                    }
                    ++report.points;
                    const Probe found = probeUnder(index, p, down, [](int) { return true; });
                    report.missed += found == Probe::Met ? 0 : 1;
                }
            }
        }
    }
    return report;
}

double perHundredThousandFrames(long long misses, long long positions) {
    return positions == 0 ? 0.0
                          : static_cast<double>(misses) * 3.0 * 100000.0 / static_cast<double>(positions);
}

} // namespace world
