#pragma once
// GLSL ES 1.00 shaders generated from a shader key: the vertex shader transforms the position, clamps the
// colour, passes each textured unit's coordinates (through its texture matrix when the key says so) and
// the fog distance; the fragment shader applies the texture environments in unit order, the fog and the
// alpha test.
#include "platform/gles/es2/shader_key.h"

#include <string>

namespace platform::gles::es2 {

// Attribute locations, the same in every program.
constexpr GLuint kPositionAttribute = 0;
constexpr GLuint kColourAttribute = 1;
constexpr GLuint kTexCoordAttribute = 2; // unit i: kTexCoordAttribute + i
constexpr int kAttributes = 2 + kTextureUnits;

// The attribute names, by location.
extern const char* const kAttributeNames[kAttributes];

struct ShaderSource {
    std::string vertex;
    std::string fragment;
};

ShaderSource shaderSource(const ShaderKey& key);

} // namespace platform::gles::es2
