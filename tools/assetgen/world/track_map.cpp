#include "track_map.h"

#include "canvas.h"
#include "section_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace world {

namespace {

constexpr Colour kSectionColours[14] = {{230, 25, 75},  {60, 180, 75},  {0, 130, 200},  {245, 130, 48},
                                        {145, 30, 180}, {70, 200, 200}, {240, 50, 230}, {150, 150, 20},
                                        {0, 128, 128},  {170, 110, 40}, {128, 0, 0},    {0, 0, 128},
                                        {128, 128, 0},  {90, 90, 90}};

Colour materialColour(int code, bool groundMesh) {
    if (groundMesh) {
        return {176, 206, 150};
    }
    switch (code) {
    case 11:
        return {120, 120, 125};
    case 1:
        return {125, 95, 60};
    case 8:
        return {235, 200, 40};
    case 4:
        return {110, 125, 150};
    case 12:
        return {40, 110, 45};
    case 3:
        return {240, 120, 30};
    default:
        return {200, 170, 130};
    }
}

bool isGround(int mesh) {
    for (const auto& objects : kSectionObjects) {
        if (objects[1] == mesh) {
            return true;
        }
    }
    return false;
}

struct MapView {
    double minX = -375, minZ = -275, scale = 2.4;
    double x(double wx) const { return (wx - minX) * scale; }
    double y(double wz) const { return (wz - minZ) * scale; }
};

void drawMesh(Canvas& c, const MapView& v, const Mesh& m, Colour colour) {
    for (std::size_t t = 0; t < m.triangleCount(); ++t) {
        double x[3], y[3], z[3];
        for (int k = 0; k < 3; ++k) {
            const V3 p = m.position(m.indices[t * 3 + static_cast<std::size_t>(k)]);
            x[k] = v.x(p.x);
            y[k] = v.y(p.z);
            z[k] = -p.y;
        }
        c.triangle(x, y, z, colour);
    }
}

void legend(Canvas& c) {
    struct Entry {
        Colour colour;
        const char* text;
    };
    const Entry entries[] = {
        {{120, 120, 125}, "ROAD"},      {{176, 206, 150}, "GROUND"},   {{40, 110, 45}, "TREES"},
        {{200, 170, 130}, "BUILDINGS"}, {{110, 125, 150}, "INDUSTRY"}, {{235, 200, 40}, "LOGO BOARDS"},
        {{240, 120, 30}, "SIGNS"},      {{70, 50, 30}, "T TUNNEL"},    {{30, 90, 255}, "W WATERFALL"},
        {{255, 0, 255}, "D DOLLY"},     {{200, 0, 0}, "C CAMERA"},     {{255, 255, 255}, "SECTION LIMIT"}};
    const int x = 1250, y0 = 24;
    for (int i = 0; i < static_cast<int>(std::size(entries)); ++i) {
        const double y = y0 + i * 26;
        for (int dy = 0; dy < 15; ++dy) {
            c.line(x, y + dy, x + 22, y + dy, entries[i].colour);
        }
        c.text(x + 32, y, entries[i].text, {30, 30, 30}, 3);
    }
}

void trackMap(const WorldModel& w, const std::string& path) {
    const MapView v;
    Canvas c(1620, 1330, {228, 236, 220});
    // Every section object from above, the road last so it lies on top of the ground.
    for (int pass = 0; pass < 2; ++pass) {
        for (int s = 0; s < kSections; ++s) {
            for (int j = 0; j < kSectionObjectCount[s]; ++j) {
                const int i = kSectionObjects[s][j];
                const Mesh& m = w.meshes[static_cast<std::size_t>(i)];
                if ((pass == 0) == (j == 0)) {
                    continue;
                }
                if (m.material == 12 || m.material == 3 || m.material == 8) {
                    // Upright cut-outs and boards: a dot where they stand.
                    for (std::size_t k = 0; k < m.vertexCount(); k += 4) {
                        const V3 p = m.position(k);
                        c.disc(v.x(p.x), v.y(p.z), m.material == 12 ? 2.5 : 1.5,
                               materialColour(m.material, false));
                    }
                    continue;
                }
                drawMesh(c, v, m, materialColour(m.material, isGround(i)));
            }
        }
    }
    drawMesh(c, v, w.meshes[71], {60, 140, 255});
    // Tunnels as dark bands over the road.
    for (const TunnelSpan& t : w.tunnels) {
        for (double a = t.from; a <= t.to; a += 0.5) {
            const V3 p = w.line.at(a);
            c.disc(v.x(p.x), v.y(p.z), 7.0, {70, 50, 30});
        }
        const V3 mid = w.line.at(0.5 * (t.from + t.to)) + w.line.right(0.5 * (t.from + t.to)) * 26.0;
        c.text(v.x(mid.x) - 6, v.y(mid.z) - 8, "T", {70, 50, 30}, 3);
    }
    // The racing line coloured by section, boundaries across it, the numbers beside it.
    for (double a = 0.0; a < w.line.length(); a += 0.3) {
        const V3 p = w.line.at(a);
        c.disc(v.x(p.x), v.y(p.z), 1.6, kSectionColours[sectionAt(w, a)]);
    }
    for (int s = 0; s < kSections; ++s) {
        const double a = w.sectionStarts[static_cast<std::size_t>(s)];
        const V3 p = w.line.at(a), r = w.line.right(a);
        c.line(v.x(p.x - r.x * 9), v.y(p.z - r.z * 9), v.x(p.x + r.x * 9), v.y(p.z + r.z * 9),
               {255, 255, 255}, 3.0);
        const double mid = 0.5 * (a + w.sectionStarts[static_cast<std::size_t>(s + 1)]);
        const V3 q = w.line.at(mid) + w.line.right(mid) * -22.0;
        c.text(v.x(q.x) - 8, v.y(q.z) - 10, std::to_string(s), kSectionColours[s], 4);
    }
    // Dolly splines.
    for (const DollyEnds& d : kDollies) {
        const auto& pts = w.dollies[static_cast<std::size_t>(d.entry)];
        for (std::size_t i = 0; i < pts.size(); i += 2) {
            c.disc(v.x(pts[i].x), v.y(pts[i].z), 3.0, {255, 0, 255});
        }
        c.text(v.x(pts[0].x) + 6, v.y(pts[0].z) + 6, "D", {255, 0, 255}, 3);
    }
    // Trackside cameras, each with a line towards the point of the road it watches.
    for (int s = 0; s < kSections; ++s) {
        const CameraRecord& cam = w.cameras[static_cast<std::size_t>(s + 1)];
        const V3 dir = normalised(cam.target - cam.position);
        c.line(v.x(cam.position.x), v.y(cam.position.z), v.x(cam.position.x + dir.x * 14),
               v.y(cam.position.z + dir.z * 14), {200, 0, 0}, 2.0);
        c.disc(v.x(cam.position.x), v.y(cam.position.z), 5.0, {200, 0, 0});
        const std::string label = std::string("C").append(std::to_string(s));
        c.text(v.x(cam.position.x) + 7, v.y(cam.position.z) - 18, label, {200, 0, 0}, 2);
    }
    // The waterfall.
    const V3 fall = w.meshes[71].position(0);
    c.disc(v.x(fall.x), v.y(fall.z), 6.0, {30, 90, 255});
    c.text(v.x(fall.x) + 8, v.y(fall.z) + 4, "W", {30, 90, 255}, 3);
    legend(c);
    c.save(path);
}

// Flat-shaded view of one mesh from above and to one side, fitted into a square.
Canvas thumbnail(const Mesh& m, int size, Colour colour) {
    Canvas c(size, size, {250, 250, 250});
    if (m.vertexCount() == 0) {
        return c;
    }
    const V3 view = normalised(V3{0.8, 0.7, 1.0});
    const V3 right = normalised(cross(V3{0, 1, 0}, view)), up = cross(view, right);
    double lo[2] = {1e30, 1e30}, hi[2] = {-1e30, -1e30};
    for (std::size_t i = 0; i < m.vertexCount(); ++i) {
        const V3 p = m.position(i);
        const double s[2] = {dot(p, right), dot(p, up)};
        for (int k = 0; k < 2; ++k) {
            lo[k] = std::min(lo[k], s[k]);
            hi[k] = std::max(hi[k], s[k]);
        }
    }
    const double span = std::max({hi[0] - lo[0], hi[1] - lo[1], 1e-6});
    const double scale = (size - 8) / span;
    const V3 light = normalised(V3{-0.4, 0.8, 0.5});
    for (std::size_t t = 0; t < m.triangleCount(); ++t) {
        V3 p[3];
        double x[3], y[3], z[3];
        for (int k = 0; k < 3; ++k) {
            p[k] = m.position(m.indices[t * 3 + static_cast<std::size_t>(k)]);
            x[k] = 4 + (dot(p[k], right) - lo[0]) * scale + (span - (hi[0] - lo[0])) * scale * 0.5;
            y[k] = size - 4 - (dot(p[k], up) - lo[1]) * scale - (span - (hi[1] - lo[1])) * scale * 0.5;
            z[k] = -dot(p[k], view);
        }
        const V3 n = normalised(cross(p[1] - p[0], p[2] - p[0]));
        if (dot(n, view) <= 0) {
            continue; // back face
        }
        const double shade = 0.35 + 0.65 * std::max(0.0, dot(n, light));
        c.triangle(x, y, z,
                   {static_cast<std::uint8_t>(colour.r * shade), static_cast<std::uint8_t>(colour.g * shade),
                    static_cast<std::uint8_t>(colour.b * shade)});
    }
    return c;
}

void meshSheet(const WorldModel& w, const std::string& path) {
    constexpr int kCell = 160, kColumns = 11;
    Canvas sheet(kCell * kColumns, kCell * 7, {255, 255, 255});
    for (int i = 0; i < kMeshCount; ++i) {
        const Mesh& m = w.meshes[static_cast<std::size_t>(i)];
        Colour colour = materialColour(m.material, isGround(i));
        if (m.material == -1 || i == 35 || i == 25) {
            colour = {200, 40, 40};
        }
        if (i == 24 || i == 27 || i == 33 || i == 34) {
            colour = {60, 60, 60};
        }
        const Canvas t = thumbnail(m, kCell - 4, colour);
        sheet.blit(t, (i % kColumns) * kCell + 2, (i / kColumns) * kCell + 2);
        sheet.text((i % kColumns) * kCell + 6, (i / kColumns) * kCell + 6, std::to_string(i), {0, 0, 0}, 2);
    }
    sheet.save(path);
}

} // namespace

void writeWorldPreviews(const WorldModel& w, const std::string& dir) {
    trackMap(w, dir + "/track-map.png");
    meshSheet(w, dir + "/meshes.png");
    const int cars[] = {35, 25, 24, 33, 19, 28};
    Canvas cars_(6 * 256, 256, {255, 255, 255});
    for (int k = 0; k < 6; ++k) {
        cars_.blit(thumbnail(w.meshes[static_cast<std::size_t>(cars[k])], 252, {200, 40, 40}), k * 256 + 2,
                   2);
    }
    cars_.save(dir + "/car.png");
}

} // namespace world
