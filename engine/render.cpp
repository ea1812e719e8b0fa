#include "engine/render.h"

#include <algorithm>
#include <new>

#include "engine/camera.h"
#include "engine/colour_pack.h"
#include "engine/geometry.h"
#include "engine/light.h"
#include "engine/material.h"
#include "engine/opengl_render.h"
#include "files/nym_trace.h"

namespace {

NymRender* singleton = nullptr;

// 1/sqrt(3): the averaged axis of a model-view with uniform scale k has length k.
constexpr Fixed kInverseSqrt3{37814};

} // namespace

NymRender* NymRender::instance() {
    if (singleton == nullptr) {
        singleton = new (std::nothrow) NymRender;
        if (singleton == nullptr) {
            NymTrace::Instance()->Print(1000, "NymRender failed to create itself\n");
        }
    }
    return singleton;
}

void NymRender::destroy() {
    delete singleton;
    singleton = nullptr;
}

NymRender::NymRender()
    : colourStorage_(new (std::nothrow) Fixed[4 * kColourStorageEntries]()),
      material_(nullptr), scale_{0}, inverseScale_{0}, lightDataValid_(0), camera_(nullptr), lights_{},
      lightCount_(0), inverseViewValid_(0), rotation_(0) {
    if (colourStorage_ == nullptr) {
        NymTrace::Instance()->Print(1000, "NymRender failed to allocate colour storage\n");
    }
    MatrixIdentity(model_);
    MatrixIdentity(inverseModel_);
    MatrixIdentity(modelView_);
    view_.clear();
    inverseView_.clear();
}

NymRender::~NymRender() {
    delete[] colourStorage_;
}

int NymRender::beginFrame() {
    std::fill(std::begin(lights_), std::end(lights_), nullptr);
    lightCount_ = 0;
    MatrixIdentity(model_);
    MatrixIdentity(view_);
    MatrixIdentity(inverseView_);
    inverseViewValid_ = 1;
    lightDataValid_ = 0;
    material_ = nullptr;
    NymOpenGLRender::beginFrame();
    return 0;
}

int NymRender::endFrame() {
    return 0;
}

int NymRender::setCamera(NymCamera* camera) {
    if (camera == nullptr) {
        return 1;
    }
    camera_ = camera;
    NymOpenGLRender::loadProjection(*camera_, rotation_);
    return 0;
}

int NymRender::SetCamMatrix(const FixedMatrix& matrix) {
    view_ = matrix;
    inverseViewValid_ = 0;
    lightDataValid_ = 0;
    NymTrace::Instance()->Print(0, "SetCamMatrix %f %f %f\n", static_cast<double>(FixedToFloat(view_[12])),
                                static_cast<double>(FixedToFloat(view_[13])),
                                static_cast<double>(FixedToFloat(view_[14])));
    return 0;
}

int NymRender::getViewMatrix(FixedMatrix& out, int which) {
    if (which == 1) {
        out = view_;
    } else {
        updateInverseView();
        out = inverseView_;
    }
    return 0;
}

int NymRender::setModelMatrix(const FixedMatrix& matrix) {
    model_ = matrix;
    updateInverseView();
    MatrixMultiply(modelView_, model_, inverseView_);
    lightDataValid_ = 0;
    NymOpenGLRender::loadModelView(modelView_, rotation_);
    return 0;
}

int NymRender::setLight(NymLight* light, int slot) {
    if (slot < 0 || slot >= kLightSlots) {
        return 1;
    }
    lights_[slot] = light;
    lightCount_ = std::max(lightCount_, slot + 1);
    return 0;
}

int NymRender::setMaterial(NymMaterial* material) {
    if (material == nullptr) {
        return 1;
    }
    material_ = material;
    return 0;
}

void NymRender::setRotation(int degrees) {
    rotation_ = degrees;
}

int NymRender::clear(unsigned int mask) {
    NymOpenGLRender::clear(mask);
    return 0;
}

int NymRender::setRenderState(unsigned int state) {
    NymOpenGLRender::setRenderState(state);
    return 0;
}

unsigned int NymRender::uploadTexture(NymTexture* texture) {
    return NymOpenGLRender::uploadTexture(texture);
}

int NymRender::deleteTexture(NymTexture* texture) {
    return NymOpenGLRender::deleteTexture(texture);
}

void NymRender::updateInverseView() {
    if (!inverseViewValid_) {
        MatrixInverse(inverseView_, view_);
        inverseViewValid_ = 1;
    }
}

void NymRender::updateLightData() {
    if (lightDataValid_) {
        return;
    }
    MatrixInverse(inverseModel_, model_);
    const FixedMatrix& m = modelView_;
    const LengthAndInverse length =
        vectorLength(FixedMul(m[0] + m[4] + m[8], kInverseSqrt3), FixedMul(m[1] + m[5] + m[9], kInverseSqrt3),
                     FixedMul(m[2] + m[6] + m[10], kInverseSqrt3));
    scale_ = length.length;
    inverseScale_ = length.inverse;
    lightDataValid_ = 1;
}

// Lights the normals in slices of the accumulator size, so a geometry with more normals than there are
// accumulators gets the same colours without writing past them. Each light is prepared once.
void NymRender::lightGeometry(NymGeometry& geometry) {
    const int total = std::min(geometry.normalCount, geometry.litColourCount);
    if (colourStorage_ == nullptr || geometry.normals == nullptr || geometry.litColours == nullptr) {
        return;
    }
    const FixedVec4& p = geometry.position;
    int first = 0;
    do {
        const int count = std::min(total - first, kColourStorageEntries);
        for (int i = 0; i < lightCount_; ++i) {
            if (lights_[i] == nullptr) {
                continue;
            }
            if (first == 0) {
                lights_[i]->prepare(p.x, p.y, p.z, p.w, inverseModel_);
            }
            std::uint8_t* output = i == lightCount_ - 1 ? geometry.litColours + 4 * first : nullptr;
            lights_[i]->shade(output, colourStorage_, geometry.normals + 3 * first, count, *material_);
        }
        first += count;
    } while (first < total);
}

int NymRender::drawGeometry(NymGeometry* geometry) {
    if (camera_ == nullptr || material_ == nullptr || geometry == nullptr) {
        return 0;
    }
    NymMaterial& material = *material_;
    const bool active[2] = {material.texture[0] != nullptr, material.texture[1] != nullptr};

    for (int layer = 0; layer < 2; ++layer) {
        if (active[layer] && (material.uSpeed[layer] != Fixed{0} || material.vSpeed[layer] != Fixed{0})) {
            geometry->texcoordTranslation(layer, material.uSpeed[layer], material.vSpeed[layer],
                                          material.period[layer]);
        }
    }
    for (int layer = 0; layer < 2; ++layer) {
        if (active[layer] && material.mode[layer] == 2) {
            updateLightData();
            geometry->generateReflectionMap(layer, view_, model_, inverseScale_);
        }
    }

    if ((geometry->flags & kGeometryLitFinal) == 0) {
        if (material.lit) {
            updateLightData();
            lightGeometry(*geometry);
        } else if ((geometry->flags & kGeometryColoured) != 0) {
            const int count = std::min(geometry->colourCount, geometry->litColourCount);
            for (int i = 0; i < count && geometry->colours != nullptr; ++i) {
                const Fixed* c = geometry->colours + 4 * i;
                std::uint8_t* out = geometry->litColours + 4 * i;
                out[0] = packColourChannel(FixedMul(c[0], material.emissive[0]));
                out[1] = packColourChannel(FixedMul(c[1], material.emissive[1]));
                out[2] = packColourChannel(FixedMul(c[2], material.emissive[2]));
                out[3] = packColourChannel(FixedMul(c[3], material.opacity));
            }
        } else {
            const int count = std::min(geometry->vertexCount, geometry->litColourCount);
            const std::uint8_t packed[4] = {
                packColourChannel(material.emissive[0]), packColourChannel(material.emissive[1]),
                packColourChannel(material.emissive[2]), packColourChannel(material.opacity)};
            for (int i = 0; i < count; ++i) {
                std::copy(packed, packed + 4, geometry->litColours + 4 * i);
            }
        }
    }
    if ((geometry->flags & kGeometryLightOnce) != 0) {
        geometry->flags |= kGeometryLitFinal;
    }

    // Layer-1 mode 3: the normals, through the inverse model and inverse view, centred on the texture.
    FixedMatrix textureMatrix;
    const bool normalsAsCoordinates = active[1] && material.mode[1] == 3;
    if (normalsAsCoordinates) {
        updateLightData();
        updateInverseView();
        MatrixMultiply(textureMatrix, inverseView_, inverseModel_);
        textureMatrix[12] = Fixed{0x8000};
        textureMatrix[13] = Fixed{0x8000};
        textureMatrix[14] = Fixed{0};
    }
    NymOpenGLRender::drawGeometry(*geometry, material, normalsAsCoordinates ? &textureMatrix : nullptr);
    return 0;
}
