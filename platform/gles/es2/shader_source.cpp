#include "platform/gles/es2/shader_source.h"

namespace platform::gles::es2 {

const char* const kAttributeNames[kAttributes] = {"a_position", "a_colour", "a_texcoord0", "a_texcoord1"};

namespace {

std::string unitName(const char* prefix, std::size_t unit) {
    return prefix + std::to_string(unit);
}

std::string vertexShader(const ShaderKey& key) {
    std::string declarations = "attribute vec4 a_position;\n"
                               "attribute vec4 a_colour;\n"
                               "uniform mat4 u_mvp;\n"
                               "varying vec4 v_colour;\n";
    std::string body = "    gl_Position = u_mvp * a_position;\n"
                       "    v_colour = clamp(a_colour, 0.0, 1.0);\n"
                       "    gl_PointSize = 1.0;\n";
    for (std::size_t i = 0; i < key.units.size(); ++i) {
        const UnitKey& unit = key.units[i];
        if (!unit.enabled) {
            continue;
        }
        const std::string attribute = unitName("a_texcoord", i);
        const std::string varying = unitName("v_texcoord", i);
        declarations += "attribute vec4 " + attribute + ";\n";
        declarations += std::string("varying ") + (unit.projective ? "vec4 " : "vec2 ") + varying + ";\n";
        if (unit.transformed) {
            const std::string matrix = unitName("u_texture_matrix", i);
            declarations += "uniform mat4 " + matrix + ";\n";
            body += "    " + varying + " = " + matrix + " * " + attribute + ";\n";
        } else {
            body += "    " + varying + " = " + attribute + (unit.projective ? ";\n" : ".xy;\n");
        }
    }
    if (key.fog != FogMode::Off) {
        declarations += "uniform mat4 u_modelview;\n"
                        "varying float v_fog_distance;\n";
        body += "    v_fog_distance = abs((u_modelview * a_position).z);\n";
    }
    return declarations + "void main() {\n" + body + "}\n";
}

// The texture environment of OpenGL ES 1.1 for the previous colour p and the texel t of the unit's
// format. The environment colour is (0, 0, 0, 0): the program has no call that sets it.
std::string environment(const UnitKey& unit) {
    const bool colour = unit.format != SampledFormat::Alpha;
    const bool alpha = unit.format != SampledFormat::Colour;
    switch (unit.mode) {
    case EnvMode::Modulate:
        return !colour ? "vec4(p.rgb, p.a * t.a)" : alpha ? "p * t" : "vec4(p.rgb * t.rgb, p.a)";
    case EnvMode::Replace:
        return !colour ? "vec4(p.rgb, t.a)" : alpha ? "t" : "vec4(t.rgb, p.a)";
    case EnvMode::Decal:
        return !colour ? "p" : alpha ? "vec4(mix(p.rgb, t.rgb, t.a), p.a)" : "vec4(t.rgb, p.a)";
    case EnvMode::Add:
        return !colour ? "vec4(p.rgb, p.a * t.a)"
               : alpha ? "vec4(min(p.rgb + t.rgb, 1.0), p.a * t.a)"
                       : "vec4(min(p.rgb + t.rgb, 1.0), p.a)";
    case EnvMode::Blend:
        return !colour ? "vec4(p.rgb, p.a * t.a)"
               : alpha ? "vec4(p.rgb * (1.0 - t.rgb), p.a * t.a)"
                       : "vec4(p.rgb * (1.0 - t.rgb), p.a)";
    }
    return "p";
}

// The condition under which the alpha test discards the fragment.
const char* alphaFails(AlphaFunc func) {
    switch (func) {
    case AlphaFunc::Never:
        return "true";
    case AlphaFunc::Less:
        return "!(a < u_alpha_test.x)";
    case AlphaFunc::Equal:
        return "!(a == u_alpha_test.x)";
    case AlphaFunc::Lequal:
        return "!(a <= u_alpha_test.x)";
    case AlphaFunc::Greater:
        return "!(a > u_alpha_test.x)";
    case AlphaFunc::Notequal:
        return "!(a != u_alpha_test.x)";
    case AlphaFunc::Gequal:
        return "!(a >= u_alpha_test.x)";
    case AlphaFunc::Always:
        break;
    }
    return "false";
}

// The fog factor of OpenGL ES 1.1 for the eye distance, u_fog being (end, 1 / (end - start), density).
const char* fogFactor(FogMode mode) {
    switch (mode) {
    case FogMode::Linear:
        return "(u_fog.x - v_fog_distance) * u_fog.y";
    case FogMode::Exp:
        return "exp(-u_fog.z * v_fog_distance)";
    case FogMode::Exp2:
        return "exp(-(u_fog.z * v_fog_distance) * (u_fog.z * v_fog_distance))";
    case FogMode::Off:
        break;
    }
    return "1.0";
}

std::string fragmentShader(const ShaderKey& key) {
    // Texture coordinates need more than mediump's precision where the hardware has it.
    std::string declarations = "#ifdef GL_FRAGMENT_PRECISION_HIGH\n"
                               "precision highp float;\n"
                               "#else\n"
                               "precision mediump float;\n"
                               "#endif\n"
                               "varying vec4 v_colour;\n";
    std::string body = "    vec4 p = v_colour;\n";
    bool sampled = false;
    for (std::size_t i = 0; i < key.units.size(); ++i) {
        const UnitKey& unit = key.units[i];
        if (!unit.enabled) {
            continue;
        }
        const std::string varying = unitName("v_texcoord", i);
        const std::string sampler = unitName("u_texture", i);
        declarations += std::string("varying ") + (unit.projective ? "vec4 " : "vec2 ") + varying + ";\n";
        declarations += "uniform sampler2D " + sampler + ";\n";
        body += std::string(sampled ? "" : "    vec4 t;\n") +
                "    t = " + (unit.projective ? "texture2DProj(" : "texture2D(") + sampler + ", " + varying +
                ");\n" + "    p = " + environment(unit) + ";\n";
        sampled = true;
    }
    if (key.fog != FogMode::Off) {
        // The fog colour is black: the program has no call that sets another.
        declarations += "uniform vec4 u_fog;\n"
                        "varying float v_fog_distance;\n";
        body += std::string("    p.rgb *= clamp(") + fogFactor(key.fog) + ", 0.0, 1.0);\n";
    }
    if (key.alpha != AlphaFunc::Always) {
        if (key.alpha != AlphaFunc::Never) {
            // u_alpha_test: (reference, steps). With steps, alpha and the reference (given in steps) are
            // compared at the colour buffer's precision, as the fixed-function libraries do for 8-bit
            // buffers.
            declarations += "uniform vec2 u_alpha_test;\n";
            body += "    float a = clamp(p.a, 0.0, 1.0);\n"
                    "    if (u_alpha_test.y > 0.0) {\n"
                    "        a = floor(a * u_alpha_test.y + 0.5);\n"
                    "    }\n";
        }
        body += std::string("    if (") + alphaFails(key.alpha) + ") {\n        discard;\n    }\n";
    }
    return declarations + "void main() {\n" + body + "    gl_FragColor = p;\n}\n";
}

} // namespace

ShaderSource shaderSource(const ShaderKey& key) {
    return {vertexShader(key), fragmentShader(key)};
}

} // namespace platform::gles::es2
