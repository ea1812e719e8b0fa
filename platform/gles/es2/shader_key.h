#pragma once
// The fixed-function state that selects a shader program: per texture unit whether it textures, its
// environment mode and the format it samples, whether its coordinates go through the texture matrix and
// whether they are projective; the alpha test's function and the fog mode. Everything else a draw needs
// (matrices, the alpha reference, fog parameters, colours) is a uniform or an attribute.
#include "platform/gles/es2/fixed_state.h"
#include "platform/gles/es2/texture_records.h"

#include <cstdint>

namespace platform::gles::es2 {

enum class EnvMode : std::uint8_t { Modulate, Replace, Decal, Add, Blend };
enum class AlphaFunc : std::uint8_t { Always, Never, Less, Equal, Lequal, Greater, Notequal, Gequal };
enum class FogMode : std::uint8_t { Off, Linear, Exp, Exp2 };

struct UnitKey {
    bool enabled = false;
    EnvMode mode = EnvMode::Modulate;
    SampledFormat format = SampledFormat::None;
    bool transformed = false; // the texture matrix is not the identity
    bool projective = false;  // s and t are divided by q (transformed, or four coordinates given)

    bool operator==(const UnitKey&) const = default;
};

struct ShaderKey {
    std::array<UnitKey, kTextureUnits> units{};
    AlphaFunc alpha = AlphaFunc::Always;
    FogMode fog = FogMode::Off;

    bool operator==(const ShaderKey&) const = default;
    // A number that differs between keys, for tables and trace lines.
    std::uint32_t packed() const;
};

// The key of the state, with the sampled format of the texture bound on each unit.
ShaderKey shaderKey(const FixedState& state, const std::array<SampledFormat, kTextureUnits>& bound);

} // namespace platform::gles::es2
