// Scenery objects of the sections: tunnels, trees, signs, logo boards, town, industry, the waterfall.
#include "prng.h"
#include "section_layout.h"
#include "sight_lines.h"
#include "world_model.h"

#include <cmath>
#include <string>

namespace world {

namespace {

namespace s01 = atlas::section01;
namespace ind = atlas::industrial;
constexpr double kGround = -0.1;

// The trackside cameras' views, which the scenery keeps clear of.
const std::vector<SightLine>* gSight = nullptr;

bool inView(V3 centre, double radius) {
    return gSight != nullptr && blocksSight(*gSight, centre, radius);
}

struct Frame {
    V3 origin, forward, right;
};

Frame frameAt(const WorldModel& w, double arc) {
    return {w.line.at(arc), w.line.forward(arc), w.line.right(arc)};
}

double arcIn(const WorldModel& w, int s, double fraction) {
    const double a = w.sectionStarts[static_cast<std::size_t>(s)];
    return a + (w.sectionStarts[static_cast<std::size_t>(s + 1)] - a) * fraction;
}

// A point beside the line: d to the right (negative: left), at road level.
V3 beside(const WorldModel& w, double arc, double d) {
    const Frame f = frameAt(w, arc);
    return f.origin + f.right * d + V3{0, kGround, 0};
}

// Which side of its section's line (1 right, -1 left) a section's camera stands on.
double cameraSide(const WorldModel& w, int s) {
    const V3 c = w.cameras[static_cast<std::size_t>(s + 1)].position;
    const double a = w.line.nearestArc(c);
    return dot(c - w.line.at(a), w.line.right(a)) >= 0 ? 1.0 : -1.0;
}

// Far enough from every part of the line to leave the road and its verge clear.
bool clearOfRoad(const WorldModel& w, V3 p, double margin) {
    return w.line.distance(p) > atlas::road::kHalfWidth + margin;
}

// Two crossed upright quads, each faced on both sides.
void tree(Mesh& m, V3 base, double height, const atlas::Rect& r, double turn) {
    const double width = r.w >= r.h ? height : height * 0.55;
    for (int k = 0; k < 2; ++k) {
        const double a = turn + k * kPi / 2;
        const V3 f{std::cos(a), 0, std::sin(a)};
        m.board(base, f, width, height, atlas::kTree, r);
        m.board(base, f * -1.0, width, height, atlas::kTree, r);
    }
}

void trees(WorldModel& w, Mesh& m, int s, std::uint64_t seed, int count, double nearest, double farthest) {
    Prng rng(seed);
    int placed = 0;
    for (int attempt = 0; attempt < count * 8 && placed < count; ++attempt) {
        const double arc = arcIn(w, s, rng.uniform(0.02, 0.98));
        const double side = rng.uniform(0, 1) < 0.5 ? -1.0 : 1.0;
        const V3 p = beside(w, arc, side * rng.uniform(nearest, farthest));
        const int kind = rng.below(3);
        const double h = kind == 0 ? rng.uniform(7.0, 11.0) : rng.uniform(4.0, 7.0);
        const WaterfallSite fall = waterfallSite(w);
        const V3 openSpace = fall.base + fall.facing * 20.0;
        if (!clearOfRoad(w, p, 2.5) || inView(p, h * 0.35) || distanceXZ(p, openSpace) < 22.0) {
            continue;
        }
        tree(m, p, kind == 2 ? h * 0.4 : h,
             kind == 0   ? atlas::tree::conifer
             : kind == 1 ? atlas::tree::broadleaf
                         : atlas::tree::bush,
             rng.uniform(0, kPi));
        ++placed;
    }
}

// A sign board on a post, both faces: the front shows the sign, the back the post's grey.
void sign(Mesh& m, V3 base, V3 facing, double width, double height, double lift, const atlas::Rect& r) {
    const V3 f = normalised(facing);
    m.board(base + V3{0, lift, 0}, f, width, height, atlas::kRoadSigns, r);
    m.board(base + V3{0, lift, 0} - f * 0.02, f * -1.0, width, height, atlas::kRoadSigns, atlas::signs::post);
    const V3 side{f.z, 0, -f.x};
    for (double x : {-0.3, 0.3}) {
        const V3 c = base + side * (x * width) - f * 0.06;
        m.box(c - V3{0.05, 0, 0.05}, c + V3{0.05, lift, 0.05}, atlas::kRoadSigns, atlas::signs::post,
              atlas::signs::post);
    }
}

// Chevrons on the outside of the bend ahead, facing the oncoming cars.
void chevrons(WorldModel& w, Mesh& m, double fromArc, double toArc) {
    double turn = 0.0;
    for (double a = fromArc; a < toArc; a += 1.0) {
        turn += w.line.curvature(a);
    }
    const double outside = turn > 0 ? -1.0 : 1.0;
    const atlas::Rect& r = turn > 0 ? atlas::signs::chevronRight : atlas::signs::chevronLeft;
    for (double a = fromArc; a <= toArc; a += 9.0) {
        const V3 p = beside(w, a, outside * 8.5);
        if (clearOfRoad(w, p, 2.0) && !inView(p, 1.5)) {
            sign(m, p, w.line.forward(a) * -1.0 + w.line.right(a) * (-outside * 0.6), 2.4, 1.2, 0.5, r);
        }
    }
}

void distanceBoards(WorldModel& w, Mesh& m, double cornerArc, double side) {
    const atlas::Rect* boards[3] = {&atlas::signs::board150, &atlas::signs::board100, &atlas::signs::board50};
    for (int i = 0; i < 3; ++i) {
        const double a = cornerArc - 45.0 + 15.0 * i;
        sign(m, beside(w, a, side * 7.5), w.line.forward(a) * -1.0, 1.2, 1.2, 0.6, *boards[i]);
    }
}

// Advertising boards along both sides, facing the road.
void logoBoards(WorldModel& w, Mesh& m, int s, double from, double to, int firstLogo) {
    int logo = firstLogo;
    for (double f = from; f <= to; f += 0.09) {
        const double a = arcIn(w, s, f);
        for (double side : {-1.0, 1.0}) {
            const V3 p = beside(w, a, side * 7.2);
            if (!clearOfRoad(w, p, 1.0) || inView(p, 3.2)) {
                continue;
            }
            const V3 facing = w.line.right(a) * -side;
            m.board(p + V3{0, 0.2, 0}, facing, 6.0, 1.5, atlas::kLogos, atlas::logos::board[logo % 4]);
            m.board(p + V3{0, 0.2, 0} - facing * 0.05, facing * -1.0, 6.0, 1.5, atlas::kLogos,
                    atlas::logos::board[(logo + 1) % 4]);
            ++logo;
        }
    }
}

// A house facing the road: walls, a pitched roof, the gables.
void house(Mesh& m, V3 centre, V3 front, double width, double depth, double height, int style) {
    const V3 f = normalised(front), r{f.z, 0, -f.x};
    const V3 hw = r * (width * 0.5), hd = f * (depth * 0.5), up{0, height, 0};
    const atlas::Rect* facades[4] = {&s01::townhouse, &s01::brickHouse, &s01::shopFront, &s01::timberHouse};
    const atlas::Rect& face = *facades[style % 4];
    const V3 b = centre + V3{0, kGround, 0};
    // front, back, sides (top edge first)
    m.quad(b + hd - hw + up, b + hd + hw + up, b + hd + hw, b + hd - hw, f, atlas::kSection01, face);
    m.quad(b - hd + hw + up, b - hd - hw + up, b - hd - hw, b - hd + hw, f * -1.0, atlas::kSection01, face);
    m.quad(b + hd + hw + up, b - hd + hw + up, b - hd + hw, b + hd + hw, r, atlas::kSection01, s01::sideWall);
    m.quad(b - hd - hw + up, b + hd - hw + up, b + hd - hw, b - hd - hw, r * -1.0, atlas::kSection01,
           s01::sideWall);
    // roof ridge along the width
    const V3 ridge = b + up + V3{0, depth * 0.35, 0};
    const atlas::Rect& roof = style % 2 ? s01::roofSlate : s01::roofTiles;
    const V3 nf = normalised(f * (depth * 0.35) + V3{0, depth * 0.5, 0});
    const V3 nb = normalised(f * -(depth * 0.35) + V3{0, depth * 0.5, 0});
    m.quad(ridge - hw, ridge + hw, b + up + hd + hw, b + up + hd - hw, nf, atlas::kSection01, roof);
    m.quad(ridge + hw, ridge - hw, b + up - hd - hw, b + up - hd + hw, nb, atlas::kSection01, roof);
    // gables
    for (double sd : {-1.0, 1.0}) {
        const V3 n = r * sd;
        const V3 g0 = b + up + hw * sd + hd, g1 = b + up + hw * sd - hd, top = ridge + hw * sd;
        const std::uint16_t a = m.vertex(g0, atlas::mapInto(atlas::kSection01, s01::sideWall, 0.0f, 0.3f), n);
        const std::uint16_t c = m.vertex(g1, atlas::mapInto(atlas::kSection01, s01::sideWall, 1.0f, 0.3f), n);
        const std::uint16_t t =
            m.vertex(top, atlas::mapInto(atlas::kSection01, s01::sideWall, 0.5f, 0.0f), n);
        m.triangle(a, c, t);
    }
}

void townRow(WorldModel& w, Mesh& m, int s, std::uint64_t seed) {
    Prng rng(seed);
    for (double side : {-1.0, 1.0}) {
        double f = 0.04;
        while (f < 0.96) {
            const double width = rng.uniform(6.0, 9.0);
            const double a = arcIn(w, s, f);
            const double depth = rng.uniform(6.0, 8.0);
            const V3 c = beside(w, a, side * (10.5 + depth * 0.5));
            if (clearOfRoad(w, c, depth * 0.5 + 4.0) && !inView(c, 0.5 * std::hypot(width, depth))) {
                // Drawn one by one: the order of arguments' evaluation differs between compilers.
                const int style = rng.below(4);
                const double height = rng.uniform(4.5, 8.0);
                house(m, c, w.line.right(a) * -side, width, depth, height, style);
            }
            f += (width + 1.5) / (w.sectionStarts[static_cast<std::size_t>(s + 1)] -
                                  w.sectionStarts[static_cast<std::size_t>(s)]);
        }
    }
}

// Warehouses, tanks and containers.
void industry(WorldModel& w, Mesh& m, int s, std::uint64_t seed) {
    Prng rng(seed);
    for (double f = 0.05; f < 0.97; f += 0.09) {
        const double a = arcIn(w, s, f);
        const double side = rng.uniform(0, 1) < 0.5 ? -1.0 : 1.0;
        const int kind = rng.below(3);
        const V3 fw = w.line.forward(a);
        if (kind == 0) {
            const double len = rng.uniform(14, 22), dep = rng.uniform(10, 14), h = rng.uniform(6, 9);
            const V3 c = beside(w, a, side * (13.0 + dep * 0.5));
            if (!clearOfRoad(w, c, dep * 0.5 + 6.0) || inView(c, 0.5 * std::hypot(len, dep))) {
                continue;
            }
            // An axis-aligned shed is enough: the walls repeat their cladding.
            const double hx = std::fabs(fw.x) > std::fabs(fw.z) ? len * 0.5 : dep * 0.5;
            const double hz = std::fabs(fw.x) > std::fabs(fw.z) ? dep * 0.5 : len * 0.5;
            m.box(c - V3{hx, 0, hz}, c + V3{hx, h, hz}, atlas::kIndustrial,
                  rng.below(2) ? ind::corrugated : ind::brickWindows, ind::roofMetal);
        } else if (kind == 1) {
            const V3 c = beside(w, a, side * 16.0);
            if (!clearOfRoad(w, c, 9.0) || inView(c, 5.0)) {
                continue;
            }
            const double r = rng.uniform(3.0, 4.5), h = rng.uniform(6.0, 10.0);
            const int n = 12;
            for (int i = 0; i < n; ++i) {
                const double a0 = 2 * kPi * i / n, a1 = 2 * kPi * (i + 1) / n;
                const V3 d0{std::cos(a0), 0, std::sin(a0)}, d1{std::cos(a1), 0, std::sin(a1)};
                const V3 p[4] = {c + d0 * r + V3{0, h, 0}, c + d1 * r + V3{0, h, 0}, c + d1 * r, c + d0 * r};
                const double ss[4] = {static_cast<double>(i) / n, static_cast<double>(i + 1) / n,
                                      static_cast<double>(i + 1) / n, static_cast<double>(i) / n};
                const std::uint16_t v0 = m.vertex(
                    p[0], atlas::mapInto(atlas::kIndustrial, ind::tank, static_cast<float>(ss[0]), 0.0f), d0);
                const std::uint16_t v1 = m.vertex(
                    p[1], atlas::mapInto(atlas::kIndustrial, ind::tank, static_cast<float>(ss[1]), 0.0f), d1);
                const std::uint16_t v2 = m.vertex(
                    p[2], atlas::mapInto(atlas::kIndustrial, ind::tank, static_cast<float>(ss[2]), 1.0f), d1);
                const std::uint16_t v3 = m.vertex(
                    p[3], atlas::mapInto(atlas::kIndustrial, ind::tank, static_cast<float>(ss[3]), 1.0f), d0);
                m.triangle(v0, v1, v2);
                m.triangle(v0, v2, v3);
                const std::uint16_t top =
                    m.vertex(c + V3{0, h, 0}, atlas::mapInto(atlas::kIndustrial, ind::roofMetal, 0.5f, 0.5f),
                             {0, 1, 0});
                const std::uint16_t e0 = m.vertex(p[0],
                                                  atlas::mapInto(atlas::kIndustrial, ind::roofMetal,
                                                                 0.5f + 0.5f * static_cast<float>(d0.x),
                                                                 0.5f + 0.5f * static_cast<float>(d0.z)),
                                                  {0, 1, 0});
                const std::uint16_t e1 = m.vertex(p[1],
                                                  atlas::mapInto(atlas::kIndustrial, ind::roofMetal,
                                                                 0.5f + 0.5f * static_cast<float>(d1.x),
                                                                 0.5f + 0.5f * static_cast<float>(d1.z)),
                                                  {0, 1, 0});
                m.triangle(top, e0, e1);
            }
        } else {
            for (int i = 0; i < 3; ++i) {
                const V3 c = beside(w, a + i * 3.2, side * 11.0);
                if (!clearOfRoad(w, c, 4.0) || inView(c, 1.8)) {
                    continue;
                }
                const double hy = 2.6 * (1 + (i == 1 && rng.below(2)));
                m.box(c - V3{1.2, 0, 1.2}, c + V3{1.2, hy, 1.2}, atlas::kIndustrial, ind::container,
                      ind::hazard);
            }
        }
    }
}

// A tunnel: the tube over the road, the mound over it and the two portal faces.
void tunnel(WorldModel& w, Mesh& m, const TunnelSpan& span) {
    namespace tn = atlas::tunnels;
    constexpr int kArch = 8;
    constexpr double kHalf = 6.2, kHeight = 5.4, kMoundHalf = 9.0, kMoundTop = 8.0, kFoot = 20.0;
    auto archPoint = [&](double arc, int i) {
        const double th = kPi * i / kArch; // 0 at the right foot, pi at the left
        const Frame f = frameAt(w, arc);
        return f.origin + f.right * (kHalf * std::cos(th)) + V3{0, kGround + kHeight * std::sin(th), 0};
    };
    const int steps = std::max(2, static_cast<int>(std::ceil((span.to - span.from) / 4.0)));
    for (int k = 0; k < steps; ++k) {
        const double a0 = span.from + (span.to - span.from) * k / steps,
                     a1 = span.from + (span.to - span.from) * (k + 1) / steps;
        for (int i = 0; i < kArch; ++i) {
            const V3 p[4] = {archPoint(a0, i + 1), archPoint(a0, i), archPoint(a1, i), archPoint(a1, i + 1)};
            const double th = kPi * (i + 0.5) / kArch;
            const V3 inward = frameAt(w, 0.5 * (a0 + a1)).right * (-std::cos(th) / kHalf) +
                              V3{0, -std::sin(th) / kHeight, 0};
            const double s0 = 1.0 - static_cast<double>(i + 1) / kArch,
                         s1 = 1.0 - static_cast<double>(i) / kArch;
            const double ss[4] = {s0, s1, s1, s0}, tt[4] = {0, 0, 1, 1};
            m.quadST(p, inward, atlas::kTunnels, tn::interior, ss, tt);
        }
        // The mound: slopes and the flat top.
        const double prof[4][2] = {
            {-kFoot, kGround}, {-kMoundHalf, kMoundTop}, {kMoundHalf, kMoundTop}, {kFoot, kGround}};
        for (int i = 0; i < 3; ++i) {
            const Frame f0 = frameAt(w, a0), f1 = frameAt(w, a1);
            auto pt = [&](const Frame& f, int j) {
                return f.origin + f.right * prof[j][0] + V3{0, prof[j][1], 0};
            };
            const V3 p[4] = {pt(f0, i), pt(f0, i + 1), pt(f1, i + 1), pt(f1, i)};
            const V3 n = normalised(cross(p[1] - p[0], p[3] - p[0]));
            m.quad(p[0], p[1], p[2], p[3], n.y < 0 ? n * -1.0 : n, atlas::kTunnels, tn::hillside);
        }
    }
    // Portal faces: a ring of stone round the arch, then the hillside out to the mound's outline.
    const double outline[5][2] = {{kFoot, kGround},
                                  {kMoundHalf, kMoundTop},
                                  {0.0, kMoundTop},
                                  {-kMoundHalf, kMoundTop},
                                  {-kFoot, kGround}};
    for (int end = 0; end < 2; ++end) {
        const double a = end == 0 ? span.from : span.to;
        const Frame f = frameAt(w, a);
        const V3 n = end == 0 ? f.forward * -1.0 : f.forward;
        auto outer = [&](double u) {
            const double x = u * 4.0;
            const int i = std::min(3, static_cast<int>(x));
            const double t = x - i;
            const double lat = outline[i][0] + (outline[i + 1][0] - outline[i][0]) * t;
            const double h = outline[i][1] + (outline[i + 1][1] - outline[i][1]) * t;
            return f.origin + f.right * lat + V3{0, h, 0};
        };
        auto ring = [&](int i) {
            const double th = kPi * i / kArch;
            return f.origin + f.right * ((kHalf + 1.4) * std::cos(th)) +
                   V3{0, kGround + (kHeight + 1.4) * std::sin(th), 0};
        };
        const double ss[4] = {0, 1, 1, 0}, tt[4] = {0, 0, 1, 1};
        for (int i = 0; i < kArch; ++i) {
            const double u0 = static_cast<double>(i) / kArch, u1 = static_cast<double>(i + 1) / kArch;
            const V3 stone[4] = {ring(i), ring(i + 1), archPoint(a, i + 1), archPoint(a, i)};
            m.quadST(stone, n, atlas::kTunnels, tn::portal, ss, tt);
            const V3 hill[4] = {outer(u0), outer(u1), ring(i + 1), ring(i)};
            m.quadST(hill, n, atlas::kTunnels, tn::hillside, ss, tt);
        }
    }
}

// Low walls or hedges along both sides of part of a section, facing the road, in 5 % steps; gaps where a
// camera looks through and where a tunnel's mound stands.
void roadsideRows(WorldModel& w, Mesh& m, int s, double from, double to, double distance, double height,
                  const atlas::Rect& r) {
    for (double f = from; f + 0.05 <= to + 1e-9; f += 0.05) {
        const double a0 = arcIn(w, s, f), a1 = arcIn(w, s, f + 0.05);
        bool underMound = false;
        for (const TunnelSpan& t : w.tunnels) {
            underMound = underMound || (a1 > t.from - 4.0 && a0 < t.to + 4.0);
        }
        if (underMound) {
            continue;
        }
        for (double side : {-1.0, 1.0}) {
            const V3 p0 = beside(w, a0, side * distance), p1 = beside(w, a1, side * distance);
            const V3 mid = (p0 + p1) * 0.5;
            if (!clearOfRoad(w, mid, 2.0) || inView(mid, 0.5 * distanceXZ(p0, p1) + 0.5)) {
                continue;
            }
            const V3 n = w.line.right(0.5 * (a0 + a1)) * -side;
            const V3 up{0, height, 0};
            m.quad(side > 0 ? p1 + up : p0 + up, side > 0 ? p0 + up : p1 + up, side > 0 ? p0 : p1,
                   side > 0 ? p1 : p0, n, atlas::kSection01, r);
        }
    }
}

} // namespace

void buildScenery(WorldModel& w) {
    const std::vector<SightLine> sight = trackSideSightLines(w);
    gSight = &sight;
    auto& m = w.meshes;
    auto name = [&](int i, const std::string& what, std::int32_t code) {
        w.meshNames[static_cast<std::size_t>(i)] = what;
        m[static_cast<std::size_t>(i)].material = code;
    };
    // Tunnels.
    const int tunnelMesh[4] = {39, 44, 47, 58};
    for (std::size_t i = 0; i < w.tunnels.size(); ++i) {
        tunnel(w, m[static_cast<std::size_t>(tunnelMesh[i])], w.tunnels[i]);
        name(tunnelMesh[i], "tunnel of section " + std::to_string(w.tunnels[i].section), 1);
    }
    // Start and finish: logo boards, the grandstand and pit building, trees further out.
    logoBoards(w, m[0], 0, 0.05, 0.6, 0);
    name(0, "logo boards along the start straight", 8);
    logoBoards(w, m[15], 13, 0.45, 0.97, 2);
    name(15, "logo boards before the finish", 8);
    {
        // The grandstand and the pit building face the road from the side away from the section's camera.
        const double a = arcIn(w, 0, 0.22), sideA = -cameraSide(w, 0);
        house(m[73], beside(w, a, sideA * 16.0), w.line.right(a) * -sideA, 40.0, 10.0, 5.0, 2);
        name(73, "grandstand and start buildings", 0);
        const double b = arcIn(w, 13, 0.55), sideB = -cameraSide(w, 13);
        house(m[76], beside(w, b, sideB * 17.0), w.line.right(b) * -sideB, 30.0, 12.0, 4.5, 1);
        name(76, "pit building", 0);
    }
    trees(w, m[22], 0, 101, 26, 14.0, 45.0);
    name(22, "trees beyond the start straight", 12);
    trees(w, m[30], 13, 113, 24, 12.0, 45.0);
    name(30, "trees before the finish", 12);
    // The tunnel sections get hedgerows instead of trees: the warm-up lights everything there with the
    // dim tunnel glow, which would leave unlit tree sprites dark.
    roadsideRows(w, m[1], 1, 0.02, 0.98, 9.5, 1.6, s01::hedge);
    name(1, "hedgerows of section 1", 0);
    roadsideRows(w, m[2], 2, 0.5, 0.98, 9.5, 1.6, s01::hedge);
    name(2, "hedgerows of section 2", 0);
    // The woods of sections 3, 5 and 6.
    trees(w, m[69], 3, 203, 30, 10.0, 45.0);
    name(69, "woods of section 3", 12);
    trees(w, m[4], 5, 205, 18, 12.0, 40.0);
    name(4, "trees round the hairpin", 12);
    trees(w, m[75], 6, 206, 30, 10.0, 45.0);
    name(75, "trees of the gorge", 12);
    roadsideRows(w, m[10], 9, 0.02, 0.98, 9.5, 1.6, s01::hedge);
    name(10, "hedgerows of section 9", 0);
    trees(w, m[65], 12, 212, 30, 10.0, 45.0);
    name(65, "trees of section 12", 12);
    // Signs before the corners.
    chevrons(w, m[23], arcIn(w, 2, 0.55), arcIn(w, 2, 0.75));
    name(23, "chevrons of section 2", 3);
    chevrons(w, m[3], arcIn(w, 3, 0.3), arcIn(w, 3, 0.6));
    name(3, "chevrons of section 3", 3);
    distanceBoards(w, m[5], w.sectionStarts[5] + 8.0, 1.0);
    chevrons(w, m[5], arcIn(w, 5, 0.1), arcIn(w, 5, 0.9));
    name(5, "hairpin signs", 3);
    chevrons(w, m[70], arcIn(w, 6, 0.0), arcIn(w, 6, 0.25));
    name(70, "chevrons of section 6", 3);
    {
        const double a = w.tunnels[3].from - 25.0;
        sign(m[11], beside(w, a, 7.5), w.line.forward(a) * -1.0, 2.0, 1.0, 0.8, atlas::signs::tunnelAhead);
        chevrons(w, m[11], arcIn(w, 9, 0.6), arcIn(w, 9, 0.85));
        name(11, "tunnel warning and chevrons of section 9", 3);
    }
    chevrons(w, m[14], arcIn(w, 12, 0.0), arcIn(w, 12, 0.2));
    name(14, "chevrons of section 12", 3);
    // Farm walls in section 2.
    roadsideRows(w, m[74], 2, 0.05, 0.5, 8.0, 1.0, s01::stoneWall);
    name(74, "stone walls of section 2", 0);
    // The town of sections 7 and 8.
    townRow(w, m[8], 7, 307);
    name(8, "town houses of section 7", 0);
    townRow(w, m[9], 8, 308);
    name(9, "town houses of section 8", 0);
    // Industry of sections 10 and 11.
    industry(w, m[12], 10, 410);
    name(12, "industrial buildings of section 10", 4);
    industry(w, m[13], 11, 411);
    name(13, "industrial buildings of section 11", 4);
    gSight = nullptr;
}

} // namespace world
