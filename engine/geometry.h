#pragma once
// One drawable mesh in the form the graphics library consumes: 16.16 attribute pools, the per-vertex
// colour bytes that lighting fills, and a stream of indexed primitives.
#include <cstdint>

#include "math/matrix.h"
#include "math/vector.h"

// Flag bits of NymGeometry::flags.
inline constexpr std::uint32_t kGeometryBumpCreated = 0x0002; // texGenRefMap created the bump pool
inline constexpr std::uint32_t kGeometryColoured = 0x0008;    // the colours pool is valid
inline constexpr std::uint32_t kGeometryCullBack = 0x0010;
inline constexpr std::uint32_t kGeometryCullFront = 0x0020; // only if kGeometryCullBack is clear
inline constexpr std::uint32_t kGeometryLightOnce = 0x0040; // becomes kGeometryLitFinal after a draw
inline constexpr std::uint32_t kGeometryLitFinal = 0x0100;  // litColours are final
inline constexpr std::uint32_t kGeometryKindMask = 0x7000;
inline constexpr std::uint32_t kGeometryIndexed = 0x1000; // the only primitive kind drawn

// Primitive stream records: kind, index count, the indices. Kind 0 ends the stream.
inline constexpr std::uint16_t kPrimEnd = 0;
inline constexpr std::uint16_t kPrimTriangles = 4;
inline constexpr std::uint16_t kPrimTriangleStrip = 5;
inline constexpr std::uint16_t kPrimTriangleFan = 6;

struct NymGeometry {
    std::uint32_t flags;
    Fixed* normals;           // 3 per entry: a unit normal per vertex
    Fixed* colours;           // 4 per entry: r, g, b, a
    Fixed* tex2d;             // 2 per entry: layer-0 u, v
    Fixed* bump;              // 2 per entry: layer-1 u, v
    FixedVec4* vertices;      // x, y, z, w; w is not sent to the graphics library
    std::uint8_t* litColours; // 4 per entry: the r, g, b, a bytes handed to the graphics library
    std::uint16_t* prims;     // the primitive stream
    FixedVec4 position;       // reference position handed to the lights
    int normalCount;
    int colourCount;
    int tex2dCount;
    int bumpCount;
    int vertexCount;
    int primCount;
    Fixed scrollU;      // accumulated u drift
    Fixed scrollV;      // accumulated v drift
    Fixed scrollTime;   // time of the previous scroll, in Fixed seconds
    int litColourCount; // entries in litColours (those of the pool that last allocated it)

    void init();
    void release();

    // Each frees the pool and allocates n zeroed entries (prims: not zeroed); the normal and colour pools
    // also reallocate litColours. Returns n, or 0 after a trace when an allocation failed.
    int createNormalPool(int n);
    int createColourPool(int n);
    int createVertexPool(int n);
    int createTex2dPool(int n);
    int createBumpPool(int n);
    int createPrimPool(int n);

    // Copy count entries from source into the pool from entry first on (a negative first is 0), stopping
    // at the end of the pool. Return count, or the entries copied when cut short.
    int setVertices(const FixedVec4* source, int first, int count);
    int setNormals(const Fixed* source, int first, int count);
    int setColours(const Fixed* source, int first, int count);
    int setTex2d(const Fixed* source, int first, int count);
    // The primitive stream from 32-bit integers (each truncated to 16 bits) or from 16-bit words.
    int setPrims(const std::int32_t* source, int first, int count);
    int setPrims16(const std::uint16_t* source, int first, int count);

    std::uint32_t getFlags() const { return flags; }
    void setFlags(std::uint32_t value) { flags = value; }

    // The coordinate pool that reflection-map generation writes for the layer: tex2d for layer 0, bump
    // for layer 1 (created with the normal count when missing). Mismatched counts are traced.
    Fixed* texGenRefMap(int layer);
    // Scrolls one layer's coordinates by the time since the previous scroll divided by period.
    void texcoordTranslation(int layer, Fixed u, Fixed v, Fixed scrollPeriod);
    // Rewrites the layer's coordinates as a sphere map of the normals, turned into world space by the
    // model matrix scaled by inverseScale and seen along the view's z axis.
    void generateReflectionMap(int layer, const FixedMatrix& view, const FixedMatrix& model,
                               Fixed inverseScale);
};
