// The waterfall of section 6 with its cliff, and the spare meshes nothing draws.
#include "section_layout.h"
#include "world_model.h"

#include <cmath>

namespace world {

namespace {

namespace s01 = atlas::section01;

// A curtain of water: columns across, rows down, texture repeating downwards so the layers can scroll. It
// comes forward by lean per unit of drop, following the rock face behind it.
void waterLayer(Mesh& m, V3 top, V3 across, V3 facing, double width, double height, double lean,
                double repeats) {
    constexpr int kColumns = 4, kRows = 6;
    const auto first = static_cast<std::uint16_t>(m.vertexCount());
    for (int r = 0; r <= kRows; ++r) {
        for (int c = 0; c <= kColumns; ++c) {
            const double x = (static_cast<double>(c) / kColumns - 0.5) * width;
            const double y = -height * r / kRows;
            // The curtain bows out a little at its foot.
            const double bow =
                0.6 * (static_cast<double>(r) / kRows) * (static_cast<double>(r) / kRows) - lean * y;
            const V3 p = top + across * x + V3{0, y, 0} + facing * bow;
            m.vertex(p, {static_cast<float>(c) / kColumns, static_cast<float>(repeats * r / kRows)}, facing);
        }
    }
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            const auto a = static_cast<std::uint16_t>(first + r * (kColumns + 1) + c);
            const auto b = static_cast<std::uint16_t>(a + 1),
                       d = static_cast<std::uint16_t>(a + kColumns + 1);
            m.triangle(a, b, static_cast<std::uint16_t>(d + 1));
            m.triangle(a, static_cast<std::uint16_t>(d + 1), d);
        }
    }
}

// Foam spreading over the pool from the curtain's foot: a flat strip facing up, its texture running away
// from the fall so that the scrolling carries the foam outwards.
void foamPool(Mesh& m, V3 foot, V3 across, V3 facing, double width, double depth) {
    constexpr int kRows = 3;
    const auto first = static_cast<std::uint16_t>(m.vertexCount());
    for (int r = 0; r <= kRows; ++r) {
        for (int c = 0; c <= 1; ++c) {
            const V3 p = foot + across * ((c - 0.5) * width) + facing * (depth * r / kRows);
            m.vertex(p, {static_cast<float>(c), static_cast<float>(r) / kRows}, {0, 1, 0});
        }
    }
    for (int r = 0; r < kRows; ++r) {
        const auto a = static_cast<std::uint16_t>(first + 2 * r);
        m.triangle(a, static_cast<std::uint16_t>(a + 1), static_cast<std::uint16_t>(a + 3));
        m.triangle(a, static_cast<std::uint16_t>(a + 3), static_cast<std::uint16_t>(a + 2));
    }
}

} // namespace

WaterfallSite waterfallSite(const WorldModel& w) {
    // The cliff stands on the outside of the gorge's sharpest bend and faces the cars coming towards it,
    // so the in-car camera sees the fall ahead.
    const double from = w.sectionStarts[6], to = w.sectionStarts[7];
    double arc = from, sharpest = 0.0;
    for (double a = from + 0.2 * (to - from); a < from + 0.8 * (to - from); a += 1.0) {
        if (std::fabs(w.line.curvature(a)) > sharpest) {
            sharpest = std::fabs(w.line.curvature(a));
            arc = a;
        }
    }
    const double outside = w.line.curvature(arc) > 0 ? -1.0 : 1.0;
    const V3 base = w.line.at(arc) + w.line.right(arc) * (outside * 18.0) + V3{0, -0.1, 0};
    const V3 approach = w.line.at(arc - 40.0);
    return {base, normalised(V3{approach.x - base.x, 0.0, approach.z - base.z})};
}

void buildWaterfallAndSpares(WorldModel& w) {
    auto& m = w.meshes;
    const WaterfallSite site = waterfallSite(w);
    const V3 base = site.base, facing = site.facing;
    const V3 across{facing.z, 0, -facing.x};
    Mesh& cliff = m[6];
    constexpr int kPanels = 6;
    constexpr double kWidth = 30.0, kLean = 0.15;
    for (int i = 0; i < kPanels; ++i) {
        const double x0 = (static_cast<double>(i) / kPanels - 0.5) * kWidth,
                     x1 = (static_cast<double>(i + 1) / kPanels - 0.5) * kWidth;
        if (w.line.distance(base + across * x0) < 9.0 || w.line.distance(base + across * x1) < 9.0) {
            continue; // keep the rock off the road
        }
        const double h0 = 15.0 - 0.12 * x0 * x0 / 4.0, h1 = 15.0 - 0.12 * x1 * x1 / 4.0;
        // The face leans back a little, and its normals tilt further up than its plane: rough rock catches
        // the sun from above instead of standing in its own shadow.
        const V3 p[4] = {base + across * x0 + V3{0, h0, 0} - facing * (kLean * h0),
                         base + across * x1 + V3{0, h1, 0} - facing * (kLean * h1), base + across * x1,
                         base + across * x0};
        const double ss[4] = {0, 1, 1, 0}, tt[4] = {0, 0, 1, 1};
        cliff.quadST(p, normalised(facing + V3{0, 2.0, 0}), atlas::kSection01, s01::rockFace, ss, tt);
        // The cliff's top falls back as a grassy slope.
        const V3 q[4] = {p[0] - facing * 14.0 + V3{0, 2.0, 0}, p[1] - facing * 14.0 + V3{0, 2.0, 0}, p[1],
                         p[0]};
        const V3 n = normalised(cross(q[1] - q[0], q[3] - q[0]));
        cliff.quadST(q, n.y < 0 ? n * -1.0 : n, atlas::kSection01, s01::meadow, ss, tt);
    }
    // The rock basin at the foot of the fall; the water layers lay their foam over it.
    cliff.quad(base + across * -6.0 + facing * 6.0 + V3{0, 0.02, 0},
               base + across * 6.0 + facing * 6.0 + V3{0, 0.02, 0}, base + across * 6.0 + V3{0, 0.02, 0},
               base + across * -6.0 + V3{0, 0.02, 0}, {0, 1, 0}, atlas::kSection01, s01::rockFace);
    cliff.material = 0;
    w.meshNames[6] = "waterfall cliff and pool";

    // The curtains hang in front of the leaning face; the water's top edge meets the rock's.
    const V3 top = base + V3{0, 14.0, 0} - facing * (kLean * 14.0 - 0.3);
    waterLayer(m[71], top, across, facing, 6.0, 14.0, kLean, 3.0);
    foamPool(m[71], base + facing * 0.8 + V3{0, 0.05, 0}, across, facing, 9.0, 5.0);
    w.meshNames[71] = "waterfall, back layer, and its pool";
    waterLayer(m[72], top + facing * 0.35, across, facing, 7.0, 14.0, kLean, 2.0);
    foamPool(m[72], base + facing * 1.1 + V3{0, 0.08, 0}, across, facing, 7.0, 3.5);
    w.meshNames[72] = "waterfall, front layer, and its foam";

    // Spares, modelled at the origin: a billboard, a tree clump, a cottage, a sign, a logo gantry and a
    // container stack.
    m[7].board({0, 0, 0}, {0, 0, 1}, 6.0, 1.5, atlas::kLogos, atlas::logos::board[3]);
    m[7].material = 8;
    w.meshNames[7] = "spare billboard";
    for (int i = 0; i < 3; ++i) {
        const double a = 2.1 * i;
        const V3 p{3.0 * std::cos(a), -0.1, 3.0 * std::sin(a)};
        m[16].board(p, {std::cos(a), 0, std::sin(a)}, 4.5, 8.0, atlas::kTree, atlas::tree::conifer);
        m[16].board(p, {-std::cos(a), 0, -std::sin(a)}, 4.5, 8.0, atlas::kTree, atlas::tree::conifer);
    }
    m[16].material = 12;
    w.meshNames[16] = "spare tree clump";
    m[17].box({-4, -0.1, -3}, {4, 5, 3}, atlas::kSection01, s01::townhouse, s01::roofTiles);
    m[17].material = 0;
    w.meshNames[17] = "spare cottage";
    m[18].board({0, 0.5, 0}, {0, 0, 1}, 2.4, 1.2, atlas::kRoadSigns, atlas::signs::townName);
    m[18].board({0, 0.5, -0.02}, {0, 0, -1}, 2.4, 1.2, atlas::kRoadSigns, atlas::signs::post);
    m[18].material = 3;
    w.meshNames[18] = "spare town sign";
    m[31].board({0, 5.0, 0}, {0, 0, 1}, 12.0, 2.0, atlas::kLogos, atlas::logos::board[0]);
    m[31].board({0, 5.0, -0.05}, {0, 0, -1}, 12.0, 2.0, atlas::kLogos, atlas::logos::board[1]);
    m[31].material = 8;
    w.meshNames[31] = "spare start gantry banner";
    m[32].box({-1.2, -0.1, -3}, {1.2, 2.5, 3}, atlas::kIndustrial, atlas::industrial::container,
              atlas::industrial::hazard);
    m[32].material = 4;
    w.meshNames[32] = "spare container";
}

} // namespace world
