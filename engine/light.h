#pragma once
// Software lights: each brings itself into the object space of a geometry (prepare) and adds its share to
// the renderer's per-vertex accumulators or, as the last light, writes the final vertex colours (shade).
#include <cstdint>

#include "math/matrix.h"

struct NymMaterial;

class NymLight {
public:
    NymLight();
    virtual ~NymLight() = default;

    void setColour(Fixed r, Fixed g, Fixed b);

    // x, y, z, w: the geometry's reference position; inverseModel: the renderer's inverse model matrix.
    virtual int prepare(Fixed x, Fixed y, Fixed z, Fixed w, const FixedMatrix& inverseModel);
    // output: count RGBA bytes for the last light, else null; accumulators: 4 Fixed per vertex;
    // normals: 3 Fixed per vertex.
    virtual void shade(std::uint8_t* output, Fixed* accumulators, const Fixed* normals, int count,
                       const NymMaterial& material);

    Fixed reserved[3];
    Fixed direction[3];      // unit vector towards the light in the current object's space
    Fixed colour[3];         // r, g, b
    std::uint32_t lightMask; // acts on a material only if this shares a bit with the material's mask
};

// Starts the sum: emissive plus ambient reflectance times the light colour. Must take the lowest slot.
class NymAmbientLight : public NymLight {
public:
    int prepare(Fixed x, Fixed y, Fixed z, Fixed w, const FixedMatrix& inverseModel) override;
    void shade(std::uint8_t* output, Fixed* accumulators, const Fixed* normals, int count,
               const NymMaterial& material) override;
};

// Adds diffuse reflectance times the light colour times max(0, N.L), in 16.12 fixed point.
class NymDirectionalLight : public NymLight {
public:
    NymDirectionalLight();

    // The vector from the origin towards the light, in world space (a direction, not a point).
    void setPosition(Fixed x, Fixed y, Fixed z);

    int prepare(Fixed x, Fixed y, Fixed z, Fixed w, const FixedMatrix& inverseModel) override;
    void shade(std::uint8_t* output, Fixed* accumulators, const Fixed* normals, int count,
               const NymMaterial& material) override;

    Fixed position[3];
};
