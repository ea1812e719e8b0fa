#include "engine/skybox.h"

#include <new>

#include "engine/render.h"
#include "engine/texture.h"
#include "files/nym_trace.h"

namespace {

constexpr Fixed kOne{0x10000};
constexpr Fixed kExtent{80 * 0x10000};

// Corner selectors of the face table: +1 is P (80), -1 is N (-80), 0 is the bottom B.
struct Corner {
    signed char x, y, z;
};

constexpr Corner kFaceCorners[6][4] = {
    {{1, 1, 1}, {1, 1, -1}, {1, 0, 1}, {1, 0, -1}},     // x = +80
    {{-1, 1, -1}, {-1, 1, 1}, {-1, 0, -1}, {-1, 0, 1}}, // x = -80
    {{-1, 1, -1}, {1, 1, -1}, {-1, 1, 1}, {1, 1, 1}},   // top
    {{-1, 0, 1}, {1, 0, 1}, {-1, 0, -1}, {1, 0, -1}},   // bottom
    {{-1, 1, 1}, {1, 1, 1}, {-1, 0, 1}, {1, 0, 1}},     // z = +80
    {{1, 1, -1}, {-1, 1, -1}, {1, 0, -1}, {-1, 0, -1}}, // z = -80
};

Fixed coordinate(signed char selector, Fixed bottom) {
    return selector > 0 ? kExtent : selector < 0 ? -kExtent : bottom;
}

} // namespace

void NymSkybox::init() {
    renderer = NymRender::instance();
    for (NymTexture*& face : faces) {
        face = nullptr;
    }
    material.init();
    material.setEmissive(kOne, kOne, kOne);
    material.setLit(0);
    geometry.init();
    geometry.setFlags(0x1019);
    geometry.createVertexPool(4);
    geometry.createColourPool(4);
    const Fixed white[16] = {kOne, kOne, kOne, kOne, kOne, kOne, kOne, kOne,
                             kOne, kOne, kOne, kOne, kOne, kOne, kOne, kOne};
    geometry.setColours(white, 0, 4);
    geometry.createTex2dPool(4);
    geometry.createPrimPool(7);
    const std::uint16_t strip[7] = {kPrimTriangleStrip, 4, 0, 1, 2, 3, kPrimEnd};
    geometry.setPrims16(strip, 0, 7);
    height = kOne;
}

int NymSkybox::setTexture(int axis, int side, const char* name) {
    const int index = axis * 2 + side;
    if (index < 0 || index > 5) {
        return 1;
    }
    NymTexture* texture = new (std::nothrow) NymTexture;
    if (texture == nullptr) {
        NymTrace::Instance()->Print(1000, "NymSkybox failed to create texture\n");
        return 1;
    }
    // A face given a second texture lets go of the first.
    if (faces[index] != nullptr) {
        faces[index]->release();
        delete faces[index];
    }
    faces[index] = texture;
    texture->init();
    texture->mipmap = 0;
    texture->wrapS = 0;
    texture->wrapT = 0;
    texture->force16 = 1;
    texture->dither = 1;
    texture->setName(name);
    return 0;
}

void NymSkybox::setColour(Fixed r, Fixed g, Fixed b) {
    material.setEmissive(r, g, b);
}

int NymSkybox::draw() {
    if (faces[0] == nullptr || renderer == nullptr) {
        return 0;
    }
    // Inset of the coordinates against bleeding from the clamped edges.
    const Fixed e = FixedDiv(Fixed{4 * 0x10000}, FixedFromInt(faces[0]->width));
    const Fixed bottom = kExtent - FixedMul(Fixed{160 * 0x10000}, height);

    FixedMatrix view;
    renderer->getViewMatrix(view, 1);
    const Fixed translation[3] = {view[12], view[13], view[14]};
    view[12] = view[13] = view[14] = Fixed{0};
    renderer->SetCamMatrix(view);

    FixedMatrix identity;
    MatrixIdentity(identity);
    renderer->setModelMatrix(identity);
    renderer->setRenderState(0x2C1);
    renderer->clear(0x100);

    const Fixed sideCoordinates[8] = {e, height, kOne - e, height, e, e, kOne - e, e};
    const Fixed capCoordinates[8] = {e, kOne - e, kOne - e, kOne - e, e, e, kOne - e, e};
    for (int face = 0; face < 6; ++face) {
        if (faces[face] == nullptr) {
            continue;
        }
        FixedVec4 vertices[4];
        for (int v = 0; v < 4; ++v) {
            const Corner& c = kFaceCorners[face][v];
            vertices[v] =
                FixedVec4{coordinate(c.x, bottom), coordinate(c.y, bottom), coordinate(c.z, bottom), kOne};
        }
        const bool cap = face == 2 || face == 3;
        geometry.setTex2d(cap ? capCoordinates : sideCoordinates, 0, 4);
        geometry.setVertices(vertices, 0, 4);
        material.setTexture(faces[face]);
        renderer->setMaterial(&material);
        renderer->drawGeometry(&geometry);
    }

    view[12] = translation[0];
    view[13] = translation[1];
    view[14] = translation[2];
    renderer->setRenderState(0xCB);
    renderer->SetCamMatrix(view);
    return 0;
}

void NymSkybox::release() {
    for (NymTexture*& face : faces) {
        if (face != nullptr) {
            face->release();
            delete face;
            face = nullptr;
        }
    }
    geometry.release();
}
