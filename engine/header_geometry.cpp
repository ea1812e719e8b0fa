#include "engine/header_geometry.h"

#include <new>

#include "files/nym_trace.h"

NymGeometry* LoadNymHeaderGeometry(const NymMeshDescriptor& descriptor, float scale, int doubleSided) {
    NymGeometry* geometry = new (std::nothrow) NymGeometry;
    if (geometry == nullptr) {
        NymTrace::Instance()->Print(1000, "LoadNymHeaderGeometry failed to create geometry object\n");
        return nullptr;
    }
    geometry->init();
    const int n = static_cast<int>(descriptor.vertexCount);
    const std::uint32_t meshFlags = doubleSided ? 0x1005 : 0x1015;

    geometry->createVertexPool(n);
    if (FixedVec4* temp = new (std::nothrow) FixedVec4[n]) {
        for (int i = 0; i < n; ++i) {
            const float* p = descriptor.positions + 3 * i;
            temp[i] = FixedVec4{FixedFromFloat(p[0] * scale), FixedFromFloat(p[1] * scale),
                                FixedFromFloat(p[2] * scale), Fixed{0x10000}};
        }
        geometry->setVertices(temp, 0, n);
        delete[] temp;
    }

    const int c = 3 * static_cast<int>(descriptor.triangleCount);
    geometry->createPrimPool(c + 4);
    const std::int32_t head[2] = {4, c};
    const std::int32_t end[2] = {0, 0};
    geometry->setPrims(head, 0, 2);
    geometry->setPrims16(descriptor.indices, 2, c);
    geometry->setPrims(end, c + 2, 2);

    if (descriptor.texcoords != nullptr) {
        geometry->createTex2dPool(n);
        if (Fixed* temp = new (std::nothrow) Fixed[2 * static_cast<std::size_t>(n)]) {
            for (int i = 0; i < 2 * n; ++i) {
                temp[i] = FixedFromFloat(descriptor.texcoords[i]);
            }
            geometry->setTex2d(temp, 0, n);
            delete[] temp;
        }
        geometry->setFlags(meshFlags);
    }
    if (descriptor.normals != nullptr) {
        geometry->createNormalPool(n);
        if (Fixed* temp = new (std::nothrow) Fixed[3 * static_cast<std::size_t>(n)]) {
            for (int i = 0; i < 3 * n; ++i) {
                temp[i] = FixedFromFloat(descriptor.normals[i]);
            }
            geometry->setNormals(temp, 0, n);
            delete[] temp;
        }
        geometry->setFlags(meshFlags);
    }
    return geometry;
}
