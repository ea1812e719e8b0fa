#include "platform/gles/es2/shader_key.h"

namespace platform::gles::es2 {

namespace {

EnvMode envMode(GLenum mode) {
    switch (mode) {
    case GL_REPLACE:
        return EnvMode::Replace;
    case GL_DECAL:
        return EnvMode::Decal;
    case GL_ADD:
        return EnvMode::Add;
    case GL_BLEND:
        return EnvMode::Blend;
    default:
        return EnvMode::Modulate;
    }
}

AlphaFunc alphaFunc(const FixedState& state) {
    if (!state.alphaTest) {
        return AlphaFunc::Always;
    }
    // GL_NEVER to GL_ALWAYS are 0x200 to 0x207, in the order of the enum.
    constexpr AlphaFunc byValue[] = {AlphaFunc::Never,  AlphaFunc::Less,    AlphaFunc::Equal,
                                     AlphaFunc::Lequal, AlphaFunc::Greater, AlphaFunc::Notequal,
                                     AlphaFunc::Gequal, AlphaFunc::Always};
    return byValue[state.alphaFunc - GL_NEVER];
}

FogMode fogMode(const FixedState& state) {
    if (!state.fog) {
        return FogMode::Off;
    }
    return state.fogMode == GL_LINEAR ? FogMode::Linear
           : state.fogMode == GL_EXP  ? FogMode::Exp
                                      : FogMode::Exp2;
}

std::uint32_t packedUnit(const UnitKey& unit) {
    return static_cast<std::uint32_t>(unit.enabled) | static_cast<std::uint32_t>(unit.mode) << 1 |
           static_cast<std::uint32_t>(unit.format) << 4 | static_cast<std::uint32_t>(unit.transformed) << 6 |
           static_cast<std::uint32_t>(unit.projective) << 7;
}

} // namespace

std::uint32_t ShaderKey::packed() const {
    return packedUnit(units[0]) | packedUnit(units[1]) << 8 | static_cast<std::uint32_t>(alpha) << 16 |
           static_cast<std::uint32_t>(fog) << 19;
}

ShaderKey shaderKey(const FixedState& state, const std::array<SampledFormat, kTextureUnits>& bound) {
    ShaderKey key;
    for (std::size_t i = 0; i < key.units.size(); ++i) {
        const TextureUnit& unit = state.units[i];
        if (!unit.enabled || bound[i] == SampledFormat::None) {
            continue;
        }
        UnitKey& k = key.units[i];
        k.enabled = true;
        k.mode = envMode(unit.envMode);
        k.format = bound[i];
        k.transformed = !unit.matrices.top().identity;
        k.projective = k.transformed || (unit.coordinates.enabled && unit.coordinates.size == 4);
    }
    key.alpha = alphaFunc(state);
    key.fog = fogMode(state);
    return key;
}

} // namespace platform::gles::es2
