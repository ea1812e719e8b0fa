#include "engine/geometry.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "files/nym_trace.h"
#include "math/clock.h"

namespace {

constexpr Fixed kOne{0x10000};

// Frees pool and allocates n entries of T (zeroed unless told otherwise); null for a negative n or when
// the allocation fails.
template <typename T> T* reallocate(T*& pool, int n, bool zeroed = true) {
    delete[] pool;
    pool = nullptr;
    if (n >= 0) {
        pool = zeroed ? new (std::nothrow) T[static_cast<std::size_t>(n)]()
                      : new (std::nothrow) T[static_cast<std::size_t>(n)];
    }
    return pool;
}

// The copy rule of the set operations: `width` values per entry.
template <typename T>
int copyEntries(T* pool, int poolCount, const T* source, int first, int count, int width) {
    first = std::max(first, 0);
    if (pool == nullptr || source == nullptr || count <= 0 || first >= poolCount) {
        return 0;
    }
    const int copied = std::min(count, poolCount - first);
    std::memcpy(pool + static_cast<std::size_t>(first) * width, source,
                static_cast<std::size_t>(copied) * width * sizeof(T));
    return copied;
}

// litColours gets n entries, and its count follows what was allocated.
bool reallocateLitColours(NymGeometry& geometry, int n) {
    const bool made = reallocate(geometry.litColours, 4 * n) != nullptr;
    geometry.litColourCount = made ? n : 0;
    return made;
}

int failedPool(const char* message) {
    NymTrace::Instance()->Print(1000, message);
    return 0;
}

} // namespace

void NymGeometry::init() {
    flags = 0;
    normals = colours = tex2d = bump = nullptr;
    vertices = nullptr;
    litColours = nullptr;
    prims = nullptr;
    position = FixedVec4{Fixed{0}, Fixed{0}, Fixed{0}, kOne};
    normalCount = colourCount = tex2dCount = bumpCount = vertexCount = primCount = 0;
    scrollU = scrollV = scrollTime = Fixed{0};
    litColourCount = 0;
}

void NymGeometry::release() {
    delete[] normals;
    delete[] colours;
    delete[] tex2d;
    delete[] bump;
    delete[] vertices;
    delete[] litColours;
    delete[] prims;
    normals = colours = tex2d = bump = nullptr;
    vertices = nullptr;
    litColours = nullptr;
    prims = nullptr;
    litColourCount = 0;
}

int NymGeometry::createNormalPool(int n) {
    const bool coloursMade = reallocateLitColours(*this, n);
    normalCount = n;
    const bool normalsMade = reallocate(normals, 3 * n) != nullptr;
    return coloursMade && normalsMade ? n : failedPool("NymGeometry failed to create normal pool\n");
}

int NymGeometry::createColourPool(int n) {
    const bool coloursMade = reallocateLitColours(*this, n);
    colourCount = n;
    const bool poolMade = reallocate(colours, 4 * n) != nullptr;
    return coloursMade && poolMade ? n : failedPool("NymGeometry failed to create colour pool\n");
}

int NymGeometry::createVertexPool(int n) {
    vertexCount = n;
    return reallocate(vertices, n) != nullptr ? n : failedPool("NymGeometry failed to create vertex pool\n");
}

int NymGeometry::createTex2dPool(int n) {
    tex2dCount = n;
    return reallocate(tex2d, 2 * n) != nullptr ? n : failedPool("NymGeometry failed to create tex2d pool\n");
}

int NymGeometry::createBumpPool(int n) {
    bumpCount = n;
    return reallocate(bump, 2 * n) != nullptr ? n : failedPool("NymGeometry failed to create bump pool\n");
}

int NymGeometry::createPrimPool(int n) {
    primCount = n;
    return reallocate(prims, n, false) != nullptr ? n
                                                  : failedPool("NymGeometry failed to create prim pool\n");
}

int NymGeometry::setVertices(const FixedVec4* source, int first, int count) {
    return copyEntries(vertices, vertexCount, source, first, count, 1);
}

int NymGeometry::setNormals(const Fixed* source, int first, int count) {
    return copyEntries(normals, normalCount, source, first, count, 3);
}

int NymGeometry::setColours(const Fixed* source, int first, int count) {
    return copyEntries(colours, colourCount, source, first, count, 4);
}

int NymGeometry::setTex2d(const Fixed* source, int first, int count) {
    return copyEntries(tex2d, tex2dCount, source, first, count, 2);
}

int NymGeometry::setPrims16(const std::uint16_t* source, int first, int count) {
    return copyEntries(prims, primCount, source, first, count, 1);
}

int NymGeometry::setPrims(const std::int32_t* source, int first, int count) {
    first = std::max(first, 0);
    if (prims == nullptr || source == nullptr || count <= 0 || first >= primCount) {
        return 0;
    }
    const int copied = std::min(count, primCount - first);
    for (int i = 0; i < copied; ++i) {
        prims[first + i] = static_cast<std::uint16_t>(source[i]);
    }
    return copied;
}

Fixed* NymGeometry::texGenRefMap(int layer) {
    NymTrace* trace = NymTrace::Instance();
    if (layer == 0) {
        if (tex2dCount != normalCount) {
            trace->Print(666, "NymGeometry::texGenRefMap ERROR mismatch normals/texcoords layer 0\n");
        }
        return tex2d;
    }
    if (layer == 1) {
        if (normalCount == 0 || (bumpCount != 0 && bumpCount != normalCount)) {
            trace->Print(666, "NymGeometry::texGenRefMap ERROR mismatch normals/texcoords layer 1\n");
        }
        if (normalCount > 0 && bump == nullptr) {
            createBumpPool(normalCount);
            flags |= kGeometryBumpCreated;
        }
        return bump;
    }
    trace->Print(666, "NymGeometry::texGenRefMap ERROR illegal texture layer %d \n", layer);
    return tex2d;
}

void NymGeometry::texcoordTranslation(int layer, Fixed u, Fixed v, Fixed scrollPeriod) {
    // The clock wraps like the cars' frame times rather than saturating past 32767 s, so that the step
    // since the last scroll stays right however long the program runs.
    const Fixed now = clockSeconds(elapsedSeconds());
    Fixed elapsed = now - scrollTime;
    scrollTime = now;
    elapsed = FixedDiv(elapsed, scrollPeriod);
    Fixed du = FixedMul(elapsed, u);
    Fixed dv = FixedMul(elapsed, v);
    scrollU += du;
    scrollV += dv;
    // Pull the coordinates back by one whole repeat whenever the tracked drift passes +-1.0.
    if (scrollU > kOne) {
        scrollU = Fixed{0};
        du -= kOne;
    } else if (scrollU < -kOne) {
        scrollU = Fixed{0};
        du += kOne;
    }
    if (scrollV > kOne) {
        scrollV = Fixed{0};
        dv -= kOne;
    } else if (scrollV < -kOne) {
        scrollV = Fixed{0};
        dv += kOne;
    }
    Fixed* pool = nullptr;
    int count = 0;
    if (layer == 0) {
        pool = tex2d;
        count = tex2dCount;
    } else if (layer == 1) {
        pool = bump;
        count = bumpCount;
    } else {
        NymTrace::Instance()->Print(666, "NymGeometry::texcoordTranslation ERROR illegal texture layer %d \n",
                                    layer);
        return;
    }
    if (pool == nullptr) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        pool[2 * i] += du;
        pool[2 * i + 1] += dv;
    }
}
