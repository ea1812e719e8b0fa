#pragma once
// A mesh under construction: float positions, texture coordinates, unit normals and 16-bit triangles.
#include "../atlas_layout.h"
#include "geometry.h"

#include <cstdint>
#include <vector>

namespace world {

struct Mesh {
    std::vector<float> positions; // x, y, z per vertex
    std::vector<float> texcoords; // u, v per vertex
    std::vector<float> normals;   // x, y, z per vertex
    std::vector<std::uint16_t> indices;
    std::int32_t material = 0;

    std::size_t vertexCount() const { return positions.size() / 3; }
    std::size_t triangleCount() const { return indices.size() / 3; }
    V3 position(std::size_t i) const {
        return {positions[3 * i], positions[3 * i + 1], positions[3 * i + 2]};
    }
    V3 normal(std::size_t i) const { return {normals[3 * i], normals[3 * i + 1], normals[3 * i + 2]}; }

    // Adds a vertex (rounded for output) and returns its index.
    std::uint16_t vertex(V3 p, atlas::UV uv, V3 n);
    // Adds a triangle, ordered so that it faces the way its vertex normals point; degenerate ones are
    // dropped.
    void triangle(std::uint16_t a, std::uint16_t b, std::uint16_t c);
    // A flat quad p0 p1 p2 p3 (in order round its edge) facing n, with its texture rectangle's corners
    // (s, t) = (0, 0), (1, 0), (1, 1), (0, 1) at p0..p3.
    void quad(V3 p0, V3 p1, V3 p2, V3 p3, V3 n, const atlas::Texture& tex, const atlas::Rect& r);
    // A quad whose (s, t) at the corners are given.
    void quadST(const V3 p[4], V3 n, const atlas::Texture& tex, const atlas::Rect& r, const double s[4],
                const double t[4]);
    // An axis-aligned box from lo to hi, each face mapped to the whole rectangle; without its bottom face.
    void box(V3 lo, V3 hi, const atlas::Texture& tex, const atlas::Rect& side, const atlas::Rect& top);
    // An upright board facing n (horizontal) whose bottom centre is at base.
    void board(V3 base, V3 facing, double width, double height, const atlas::Texture& tex,
               const atlas::Rect& r);
};

} // namespace world
