#pragma once
// The programs of a share group, one per shader key in use: generated, compiled and linked on the first
// draw with that key, then reused. A program that does not compile or link is reported once (one line
// on the debug output with the library's log) and kept as a failure, so that draws with its key are
// skipped.
#include "platform/gles/es2/es2_functions.h"
#include "platform/gles/es2/shader_key.h"

#include <cstdint>
#include <limits>
#include <unordered_map>

namespace platform::gles::es2 {

// A version no state has: a program starts without any uniform value.
constexpr std::uint64_t kNoVersion = std::numeric_limits<std::uint64_t>::max();

struct ProgramRecord {
    GLuint program = 0; // 0: the key's program failed
    GLint mvp = -1;
    GLint modelview = -1;
    std::array<GLint, kTextureUnits> textureMatrix{-1, -1};
    GLint alphaTest = -1;
    GLint fog = -1;
    // The versions of the values the program's uniforms hold.
    std::uint64_t transformVersion = kNoVersion;
    std::array<std::uint64_t, kTextureUnits> textureVersion{kNoVersion, kNoVersion};
    std::uint64_t alphaVersion = kNoVersion; // of the reference and of the colour buffer's precision
    std::uint64_t fogVersion = kNoVersion;
};

class ProgramCache {
public:
    // The key's program, built on first use. Building it leaves it the library's current program (or
    // none, if it failed): `currentProgram` is set to what is current afterwards. The reference stays
    // valid as long as the cache.
    ProgramRecord& program(const Es2Functions& gl, const ShaderKey& key, GLuint& currentProgram);

private:
    std::unordered_map<std::uint32_t, ProgramRecord> programs_;
};

// The programs built in this process, over every share group, and the time spent building them.
struct ShaderStatistics {
    int variants = 0;
    int failures = 0;
    double buildMilliseconds = 0;
};
ShaderStatistics shaderStatistics();

} // namespace platform::gles::es2
