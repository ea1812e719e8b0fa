// The draws: the program of the state's shader key, its uniforms brought up to date, the vertices (and
// indices) the draw reads streamed into buffer objects, then the library's draw.
#include "platform/gles/es2/translation_context.h"

#include "platform/gles/array_types.h"

#include <cmath>

namespace platform::gles::es2 {

namespace {

std::array<SampledFormat, kTextureUnits> boundFormats(Context& c) {
    std::array<SampledFormat, kTextureUnits> formats{};
    for (int i = 0; i < kTextureUnits; ++i) {
        if (c.state.units[static_cast<std::size_t>(i)].enabled) {
            formats[static_cast<std::size_t>(i)] = boundTexture(c, i).sampled();
        }
    }
    return formats;
}

void uploadUniforms(Context& c, ProgramRecord& p) {
    const FixedState& s = c.state;
    if (p.transformVersion != s.transformVersion) {
        if (c.mvpVersion != s.transformVersion) {
            c.mvp = multiply(s.projection.top(), s.modelview.top());
            c.mvpVersion = s.transformVersion;
        }
        gl().glUniformMatrix4fv(p.mvp, 1, GL_FALSE, c.mvp.m.data());
        if (p.modelview >= 0) {
            gl().glUniformMatrix4fv(p.modelview, 1, GL_FALSE, s.modelview.top().m.data());
        }
        p.transformVersion = s.transformVersion;
    }
    for (std::size_t i = 0; i < s.units.size(); ++i) {
        const TextureUnit& unit = s.units[i];
        if (p.textureMatrix[i] >= 0 && p.textureVersion[i] != unit.matrixVersion) {
            gl().glUniformMatrix4fv(p.textureMatrix[i], 1, GL_FALSE, unit.matrices.top().m.data());
            p.textureVersion[i] = unit.matrixVersion;
        }
    }
    if (p.alphaTest >= 0) {
        if (c.alphaSteps < 0) {
            GLint redBits = 0;
            gl().glGetIntegerv(GL_RED_BITS, &redBits);
            c.alphaSteps = redBits == 8 ? 255 : 0;
            c.state.alphaVersion = nextVersion();
        }
        if (p.alphaVersion != s.alphaVersion) {
            const auto steps = static_cast<float>(c.alphaSteps);
            gl().glUniform2f(p.alphaTest, steps > 0 ? std::nearbyint(s.alphaRef * steps) : s.alphaRef, steps);
            p.alphaVersion = s.alphaVersion;
        }
    }
    if (p.fog >= 0 && p.fogVersion != s.fogVersion) {
        // As the fixed-function libraries do, a fog of no depth (end = start) has a scale of 1.
        const float scale = s.fogEnd == s.fogStart ? 1.0f : 1.0f / (s.fogEnd - s.fogStart);
        gl().glUniform4f(p.fog, s.fogEnd, scale, s.fogDensity, 0);
        p.fogVersion = s.fogVersion;
    }
}

// The program for the state, current and with its uniforms up to date; null when its key's program
// failed to build.
ProgramRecord* prepareProgram(Context& c) {
    if (c.keyChanged || !c.program) {
        const ShaderKey key = shaderKey(c.state, boundFormats(c));
        if (!c.program || !(key == c.key)) {
            c.key = key;
            c.program = &c.group->programs.program(gl(), key, c.bound.program);
        }
        c.keyChanged = false;
    }
    ProgramRecord& p = *c.program;
    if (!p.program) {
        return nullptr;
    }
    if (c.bound.program != p.program) {
        gl().glUseProgram(p.program);
        c.bound.program = p.program;
    }
    uploadUniforms(c, p);
    return &p;
}

// The arrays the draw reads; false when it reads none or an array without data.
bool attributeSources(Context& c, AttributeSources& sources) {
    FixedState& s = c.state;
    if (!s.vertices.enabled || !s.vertices.pointer) {
        return false;
    }
    sources = {};
    sources[kPositionAttribute] = &s.vertices;
    if (s.colours.enabled) {
        if (!s.colours.pointer) {
            return false;
        }
        sources[kColourAttribute] = &s.colours;
    }
    for (std::size_t i = 0; i < s.units.size(); ++i) {
        const ClientArray& coordinates = s.units[i].coordinates;
        if (c.key.units[i].enabled && coordinates.enabled) {
            if (!coordinates.pointer) {
                return false;
            }
            sources[kTexCoordAttribute + i] = &coordinates;
        }
    }
    return true;
}

// Without a colour array every vertex has the current colour: the colour attribute's constant value.
void setConstantColour(Context& c) {
    const std::array<float, 4>& colour = c.state.colour;
    if (c.bound.colourAttribute != colour) {
        gl().glVertexAttrib4f(kColourAttribute, colour[0], colour[1], colour[2], colour[3]);
        c.bound.colourAttribute = colour;
    }
}

// A draw of `count` vertices: vertex first + i, or the i-th index of `indices` when given.
void draw(GLenum mode, GLsizei count, GLint first, GLenum type, const GLvoid* indices) {
    Context& c = context();
    if (!c.group || count == 0) {
        return;
    }
    AttributeSources sources;
    // The key (and so which coordinates are read) first.
    if (!prepareProgram(c) || !attributeSources(c, sources)) {
        return;
    }
    if (!sources[kColourAttribute]) {
        setConstantColour(c);
    }
    ShareGroup& group = *c.group;
    if (c.state.shadeModel == GL_FLAT && sources[kColourAttribute] && mode != GL_POINTS) {
        FlatPrimitives& flat = group.flat;
        expandFlat(mode, count, first, type, indices, flat);
        const auto drawn = static_cast<GLsizei>(flat.vertices.size());
        if (drawn > 0) {
            group.stream.uploadVertices(gl(), c.bound, sources,
                                        {0, drawn, flat.vertices.data(), flat.colours.data()});
            gl().glDrawArrays(flat.mode, 0, drawn);
        }
        return;
    }
    if (!indices) {
        group.stream.uploadVertices(gl(), c.bound, sources, {static_cast<GLuint>(first), count});
        gl().glDrawArrays(mode, 0, count);
        return;
    }
    const auto [low, high] = indexRange(type, indices, count);
    group.stream.uploadVertices(gl(), c.bound, sources, {low, static_cast<GLsizei>(high - low + 1)});
    const GLintptr offset = group.stream.uploadIndices(gl(), c.bound, type, indices, count, low);
    gl().glDrawElements(mode, count, type, reinterpret_cast<const GLvoid*>(offset));
}

void translated_glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    if (mode > GL_TRIANGLE_FAN) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (first < 0 || count < 0) {
        setError(GL_INVALID_VALUE);
        return;
    }
    draw(mode, count, first, 0, nullptr);
}

void translated_glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
    if (mode > GL_TRIANGLE_FAN || (type != GL_UNSIGNED_BYTE && type != GL_UNSIGNED_SHORT)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (count < 0) {
        setError(GL_INVALID_VALUE);
        return;
    }
    if (indices) {
        draw(mode, count, 0, type, indices);
    }
}

} // namespace

void fillDrawFunctions(DispatchTable& table) {
    table.glDrawArrays = translated_glDrawArrays;
    table.glDrawElements = translated_glDrawElements;
}

} // namespace platform::gles::es2
