#pragma once

#include <cstddef>
#include <cstdint>

// One compiled-in mesh: counts, codes and pointers to the arrays that lie elsewhere in the program's
// data. The record keeps the layout of the original 23 little-endian 32-bit words, except that the
// pointer fields (words 8-14) take the platform's pointer width, so on a 64-bit build the record is
// 120 bytes rather than 92.
struct NymMeshDescriptor {
    std::uint32_t vertexCount;   // word 0: n
    std::uint32_t triangleCount; // word 1: t
    std::uint32_t reserved;      // word 2: 0 in every mesh
    std::uint32_t format;        // word 3: 0x20007, or 0x20006 when the material code is -1
    std::int32_t material;       // word 4: material or section number, -1 in four meshes
    float reference[3];          // words 5-7: a reference point of the mesh; the loader ignores it
    const float* positions;      // word 8: n x (x, y, z)
    const float* texcoords;      // word 9: n x (u, v), or null
    // word 10: n x (x, y, z), or null. Not const: the race construction blends the detailed car body's
    // normals (descriptor 35) in place before the mesh is built.
    float* normals;
    const void* reservedPointers[3]; // words 11-13: null
    const std::uint16_t* indices;    // word 14: 3 x t vertex indices, three per triangle
    std::uint32_t reservedWords[8];  // words 15-22: 0
};

inline constexpr std::size_t kMeshDescriptorCount = 77;

// The mesh table, numbered 0-76 by position; defined by the generated assets.
extern const NymMeshDescriptor meshDescriptors[kMeshDescriptorCount];
