#include "mesh.h"

#include "float_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace world {

std::uint16_t Mesh::vertex(V3 p, atlas::UV uv, V3 n) {
    if (vertexCount() > 0xFFFF) {
        // Indices are 16-bit: a mesh this large would wrap silently.
        std::fprintf(stderr, "nymbus-assetgen: a mesh has more than 65536 vertices\n");
        std::abort();
    }
    const auto index = static_cast<std::uint16_t>(vertexCount());
    positions.insert(positions.end(), {quantise(p.x, 1e-4), quantise(p.y, 1e-4), quantise(p.z, 1e-4)});
    texcoords.insert(texcoords.end(), {quantise(uv.u, 1e-5), quantise(uv.v, 1e-5)});
    const V3 u = normalised(n);
    normals.insert(normals.end(), {quantise(u.x, 1e-5), quantise(u.y, 1e-5), quantise(u.z, 1e-5)});
    return index;
}

void Mesh::triangle(std::uint16_t a, std::uint16_t b, std::uint16_t c) {
    const V3 pa = position(a), pb = position(b), pc = position(c);
    const V3 face = cross(pb - pa, pc - pa);
    if (length(face) < 1e-7) {
        return;
    }
    const V3 mean = normal(a) + normal(b) + normal(c);
    if (dot(face, mean) >= 0.0) {
        indices.insert(indices.end(), {a, b, c});
    } else {
        indices.insert(indices.end(), {a, c, b});
    }
}

void Mesh::quadST(const V3 p[4], V3 n, const atlas::Texture& tex, const atlas::Rect& r, const double s[4],
                  const double t[4]) {
    std::uint16_t v[4];
    for (int i = 0; i < 4; ++i) {
        v[i] = vertex(p[i], atlas::mapInto(tex, r, static_cast<float>(s[i]), static_cast<float>(t[i])), n);
    }
    triangle(v[0], v[1], v[2]);
    triangle(v[0], v[2], v[3]);
}

void Mesh::quad(V3 p0, V3 p1, V3 p2, V3 p3, V3 n, const atlas::Texture& tex, const atlas::Rect& r) {
    const V3 p[4] = {p0, p1, p2, p3};
    const double s[4] = {0, 1, 1, 0}, t[4] = {0, 0, 1, 1};
    quadST(p, n, tex, r, s, t);
}

void Mesh::box(V3 lo, V3 hi, const atlas::Texture& tex, const atlas::Rect& side, const atlas::Rect& top) {
    const double x0 = lo.x, y0 = lo.y, z0 = lo.z, x1 = hi.x, y1 = hi.y, z1 = hi.z;
    // Sides: top edge first so that upright pictures stand the right way up.
    quad({x0, y1, z1}, {x1, y1, z1}, {x1, y0, z1}, {x0, y0, z1}, {0, 0, 1}, tex, side);
    quad({x1, y1, z0}, {x0, y1, z0}, {x0, y0, z0}, {x1, y0, z0}, {0, 0, -1}, tex, side);
    quad({x1, y1, z1}, {x1, y1, z0}, {x1, y0, z0}, {x1, y0, z1}, {1, 0, 0}, tex, side);
    quad({x0, y1, z0}, {x0, y1, z1}, {x0, y0, z1}, {x0, y0, z0}, {-1, 0, 0}, tex, side);
    quad({x0, y1, z0}, {x1, y1, z0}, {x1, y1, z1}, {x0, y1, z1}, {0, 1, 0}, tex, top);
}

void Mesh::board(V3 base, V3 facing, double width, double height, const atlas::Texture& tex,
                 const atlas::Rect& r) {
    const V3 f = normalised(V3{facing.x, 0.0, facing.z});
    const V3 side = V3{f.z, 0.0, -f.x} * (width * 0.5); // to the viewer's right when looking at the front
    const V3 up{0.0, height, 0.0};
    quad(base - side + up, base + side + up, base + side, base - side, f, tex, r);
}

} // namespace world
