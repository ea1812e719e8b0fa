#include "engine/light.h"

#include "engine/colour_pack.h"
#include "engine/material.h"
#include "files/nym_trace.h"

namespace {

// The low 16 bits of a 16.12 product term, as a signed value.
inline std::int32_t low16(std::int32_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
}

// a * b >> 12 with 32-bit wrapping products, then the low 16 bits.
inline std::int32_t mul12(std::int32_t a, std::int32_t b) {
    const auto product =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
    return low16(product >> 12);
}

// A 16.12 channel as a byte: 0 if negative, 255 above 4080, else the value shifted right by 4.
inline std::uint8_t packColour12(std::int32_t c) {
    if (c < 0) {
        return 0;
    }
    return c > 4080 ? 255 : static_cast<std::uint8_t>(c >> 4);
}

} // namespace

NymLight::NymLight() : reserved{}, direction{Fixed{0x10000}, Fixed{0}, Fixed{0}}, colour{}, lightMask(1) {}

void NymLight::setColour(Fixed r, Fixed g, Fixed b) {
    colour[0] = r;
    colour[1] = g;
    colour[2] = b;
}

int NymLight::prepare(Fixed, Fixed, Fixed, Fixed, const FixedMatrix&) {
    NymTrace::Instance()->Print(666, "CANNOT PREPARE LIGHT, MUST SUBCLASS\n");
    return 0;
}

void NymLight::shade(std::uint8_t*, Fixed*, const Fixed*, int, const NymMaterial&) {
    NymTrace::Instance()->Print(666, "CANNOT SHADE NymLight, MUST USE SUBCLASS\n");
}

int NymAmbientLight::prepare(Fixed, Fixed, Fixed, Fixed, const FixedMatrix&) {
    return 0;
}

void NymAmbientLight::shade(std::uint8_t* output, Fixed* accumulators, const Fixed*, int count,
                            const NymMaterial& material) {
    if ((lightMask & material.lightMask) == 0) {
        return;
    }
    const Fixed c[4] = {material.emissive[0] + FixedMul(colour[0], material.ambient[0]),
                        material.emissive[1] + FixedMul(colour[1], material.ambient[1]),
                        material.emissive[2] + FixedMul(colour[2], material.ambient[2]), material.opacity};
    if (output != nullptr) {
        const std::uint8_t packed[4] = {packColourChannel(c[0]), packColourChannel(c[1]),
                                        packColourChannel(c[2]), packColourChannel(c[3])};
        for (int i = 0; i < count; ++i) {
            for (int ch = 0; ch < 4; ++ch) {
                output[4 * i + ch] = packed[ch];
            }
        }
        return;
    }
    for (int i = 0; i < count; ++i) {
        for (int ch = 0; ch < 4; ++ch) {
            accumulators[4 * i + ch] = c[ch];
        }
    }
}

NymDirectionalLight::NymDirectionalLight() : position{} {}

void NymDirectionalLight::setPosition(Fixed x, Fixed y, Fixed z) {
    position[0] = x;
    position[1] = y;
    position[2] = z;
}

int NymDirectionalLight::prepare(Fixed, Fixed, Fixed, Fixed, const FixedMatrix& inverseModel) {
    FixedVec4 p;
    VectorTimesMatrix(p, FixedVec4{position[0], position[1], position[2], Fixed{0x10000}}, inverseModel);
    // Rotated and scaled into object space, but not translated.
    direction[0] = p.x - inverseModel[12];
    direction[1] = p.y - inverseModel[13];
    direction[2] = p.z - inverseModel[14];
    const LengthAndInverse length = vectorLength(direction[0], direction[1], direction[2]);
    for (Fixed& d : direction) {
        d = FixedMul(d, length.inverse);
    }
    return 0;
}

void NymDirectionalLight::shade(std::uint8_t* output, Fixed* accumulators, const Fixed* normals, int count,
                                const NymMaterial& material) {
    if ((lightMask & material.lightMask) == 0) {
        return;
    }
    const std::int32_t dx = direction[0].raw >> 4;
    const std::int32_t dy = direction[1].raw >> 4;
    const std::int32_t dz = direction[2].raw >> 4;
    const std::int32_t kr = FixedMul(colour[0], material.diffuse[0]).raw >> 4;
    const std::int32_t kg = FixedMul(colour[1], material.diffuse[1]).raw >> 4;
    const std::int32_t kb = FixedMul(colour[2], material.diffuse[2]).raw >> 4;
    for (int i = 0; i < count; ++i) {
        const Fixed* n = normals + 3 * i;
        const std::int32_t dot =
            mul12(n[0].raw >> 4, dx) + mul12(n[1].raw >> 4, dy) + mul12(n[2].raw >> 4, dz);
        Fixed* acc = accumulators + 4 * i;
        if (output != nullptr) {
            std::int32_t r = acc[0].raw >> 4;
            std::int32_t g = acc[1].raw >> 4;
            std::int32_t b = acc[2].raw >> 4;
            if (dot > 0) {
                r += mul12(dot, kr);
                g += mul12(dot, kg);
                b += mul12(dot, kb);
            }
            std::uint8_t* out = output + 4 * i;
            out[0] = packColour12(r);
            out[1] = packColour12(g);
            out[2] = packColour12(b);
            out[3] = packColour12(acc[3].raw >> 4);
        } else if (dot > 0) {
            acc[0] += Fixed{mul12(dot, kr)} << 4;
            acc[1] += Fixed{mul12(dot, kg)} << 4;
            acc[2] += Fixed{mul12(dot, kb)} << 4;
        }
    }
}
