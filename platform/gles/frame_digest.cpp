#include "platform/gles/frame_digest.h"

#include "platform/gles/array_types.h"
#include "platform/gles/call_format.h"
#include "platform/gles/dispatch.h"
#include "platform/gles/system_driver.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace platform::gles {

namespace {

// FNV-1a over 64-bit words: every word changes the state through a bijection, so a single different
// byte anywhere always gives another hash.
constexpr std::uint64_t kOffsetBasis = 0xcbf29ce484222325ull;
constexpr std::uint64_t kPrime = 0x100000001b3ull;

std::uint64_t state = kOffsetBasis;

void mix(std::uint64_t word) {
    state = (state ^ word) * kPrime;
}

// The bytes, little-endian words, the last one padded with zeros, after their count.
void mixBytes(const void* data, std::size_t size) {
    mix(size);
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (; size >= 8; size -= 8, bytes += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes, 8);
        mix(word);
    }
    if (size > 0) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes, size);
        mix(word);
    }
}

// Data a call points at, or the mark of a null pointer.
constexpr std::uint64_t kNull = 0x6e756c6cull;

// What the program has told the GL about its client arrays and pixel unpacking.
struct ClientArray {
    bool enabled = false;
    GLint size = 0;
    GLenum type = 0;
    GLsizei stride = 0;
    const void* pointer = nullptr;
};

constexpr std::size_t kTextureUnits = 4;

struct ClientState {
    ClientArray vertex;
    ClientArray normal;
    ClientArray colour;
    std::array<ClientArray, kTextureUnits> texCoord;
    std::size_t clientUnit = 0;
    GLint unpackAlignment = 4;
};

ClientState client;

// Texture names as the order in which glGenTextures handed them out (from 1; 0 stays 0): each GL numbers
// its objects its own way (WebGL counts every kind of object together), and the program only passes
// back what it was given.
std::unordered_map<GLuint, std::uint32_t> textureOrdinals;
std::uint32_t nextOrdinal = 1;

std::uint32_t textureOrdinal(GLuint name) {
    if (name == 0) {
        return 0;
    }
    const auto found = textureOrdinals.find(name);
    // A name never handed out is kept apart from the ordinals.
    return found != textureOrdinals.end() ? found->second : 0x80000000u | name;
}

DispatchTable inner;
bool started = false;
bool inSwap = false;
std::vector<unsigned char> referenced; // the vertices of the draw being hashed

ClientArray* arrayFor(GLenum array) {
    switch (array) {
    case GL_VERTEX_ARRAY:
        return &client.vertex;
    case GL_NORMAL_ARRAY:
        return &client.normal;
    case GL_COLOR_ARRAY:
        return &client.colour;
    case GL_TEXTURE_COORD_ARRAY:
        return &client.texCoord[client.clientUnit];
    default:
        return nullptr;
    }
}

// The enabled arrays, in a fixed order, for the vertices `used` marks from `first` on (all of them when
// `used` is null).
void mixArrays(std::size_t first, std::size_t count, const unsigned char* used) {
    const ClientArray* arrays[3 + kTextureUnits] = {&client.vertex, &client.normal, &client.colour};
    for (std::size_t unit = 0; unit < kTextureUnits; ++unit) {
        arrays[3 + unit] = &client.texCoord[unit];
    }
    for (std::size_t which = 0; which < std::size(arrays); ++which) {
        const ClientArray& a = *arrays[which];
        if (!a.enabled) {
            continue;
        }
        mix(which);
        const std::size_t element = static_cast<std::size_t>(std::max(a.size, 0)) * arrayTypeBytes(a.type);
        if (!a.pointer || element == 0) {
            mix(kNull);
            continue;
        }
        const std::size_t stride = a.stride > 0 ? static_cast<std::size_t>(a.stride) : element;
        const auto* base = static_cast<const unsigned char*>(a.pointer);
        for (std::size_t i = 0; i < count; ++i) {
            if (!used || used[i]) {
                mixBytes(base + (first + i) * stride, element);
            }
        }
    }
}

// An image's rows without the padding that the unpack alignment puts after each.
void mixPixels(GLsizei width, GLsizei height, GLenum format, GLenum type, const void* pixels) {
    const int pixel = bytesPerPixel(format, type);
    if (!pixels || pixel == 0 || width <= 0 || height <= 0) {
        mix(kNull);
        return;
    }
    const std::size_t row = static_cast<std::size_t>(width) * static_cast<std::size_t>(pixel);
    const std::size_t alignment = static_cast<std::size_t>(std::max(client.unpackAlignment, 1));
    const std::size_t stride = (row + alignment - 1) / alignment * alignment;
    for (GLsizei y = 0; y < height; ++y) {
        mixBytes(static_cast<const unsigned char*>(pixels) + static_cast<std::size_t>(y) * stride, row);
    }
}

void mixFixed(const GLfixed* values, std::size_t count) {
    if (!values) {
        mix(kNull);
        return;
    }
    mixBytes(values, count * sizeof(GLfixed));
}

// Each GL call: its name, then its plain arguments as 32-bit values (pointers are left out here), then
// what it points at (below).
template <typename T> void mixArgument(T value) {
    if constexpr (std::is_pointer_v<T>) {
        (void)value;
    } else {
        mix(static_cast<std::uint32_t>(value));
    }
}

template <auto Function> struct Call {};

// The plain arguments of a call; texture names as their ordinals.
template <auto Function, typename... Args> void mixArguments(Call<Function>, Args... args) {
    (mixArgument(args), ...);
}
void mixArguments(Call<&DispatchTable::glBindTexture>, GLenum target, GLuint texture) {
    mix(target);
    mix(textureOrdinal(texture));
}

// The client state a call sets, and the texture names it ends: most calls change neither.
template <auto Function, typename... Args> void observe(Call<Function>, Args...) {}

void observe(Call<&DispatchTable::glClientActiveTexture>, GLenum texture) {
    client.clientUnit = std::min<std::size_t>(texture - GL_TEXTURE0, kTextureUnits - 1);
}
void observe(Call<&DispatchTable::glEnableClientState>, GLenum array) {
    if (ClientArray* a = arrayFor(array)) {
        a->enabled = true;
    }
}
void observe(Call<&DispatchTable::glDisableClientState>, GLenum array) {
    if (ClientArray* a = arrayFor(array)) {
        a->enabled = false;
    }
}
void point(GLenum array, GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    *arrayFor(array) = {arrayFor(array)->enabled, size, type, stride, pointer};
}
void observe(Call<&DispatchTable::glVertexPointer>, GLint size, GLenum type, GLsizei stride,
             const GLvoid* p) {
    point(GL_VERTEX_ARRAY, size, type, stride, p);
}
void observe(Call<&DispatchTable::glNormalPointer>, GLenum type, GLsizei stride, const GLvoid* p) {
    point(GL_NORMAL_ARRAY, 3, type, stride, p);
}
void observe(Call<&DispatchTable::glColorPointer>, GLint size, GLenum type, GLsizei stride, const GLvoid* p) {
    point(GL_COLOR_ARRAY, size, type, stride, p);
}
void observe(Call<&DispatchTable::glTexCoordPointer>, GLint size, GLenum type, GLsizei stride,
             const GLvoid* p) {
    point(GL_TEXTURE_COORD_ARRAY, size, type, stride, p);
}
void observe(Call<&DispatchTable::glPixelStorei>, GLenum pname, GLint param) {
    if (pname == GL_UNPACK_ALIGNMENT) {
        client.unpackAlignment = param;
    }
}

// What a call points at: most calls point at nothing.
template <auto Function, typename... Args> void mixPointed(Call<Function>, Args...) {}

void mixPointed(Call<&DispatchTable::glDrawArrays>, GLenum, GLint first, GLsizei count) {
    if (first >= 0 && count > 0) {
        mixArrays(static_cast<std::size_t>(first), static_cast<std::size_t>(count), nullptr);
    }
}
void mixPointed(Call<&DispatchTable::glDrawElements>, GLenum, GLsizei count, GLenum type,
                const GLvoid* indices) {
    const std::size_t size = indexTypeBytes(type);
    if (!indices || count <= 0 || size == 0) {
        mix(kNull);
        return;
    }
    mixBytes(indices, static_cast<std::size_t>(count) * size);
    const auto [low, high] = indexRange(type, indices, count);
    referenced.assign(high - low + 1, 0);
    for (GLsizei i = 0; i < count; ++i) {
        referenced[indexAt(type, indices, i) - low] = 1;
    }
    mixArrays(low, referenced.size(), referenced.data());
}
void mixPointed(Call<&DispatchTable::glTexImage2D>, GLenum, GLint, GLint, GLsizei width, GLsizei height,
                GLint, GLenum format, GLenum type, const GLvoid* pixels) {
    mixPixels(width, height, format, type, pixels);
}
void mixPointed(Call<&DispatchTable::glTexSubImage2D>, GLenum, GLint, GLint, GLint, GLsizei width,
                GLsizei height, GLenum format, GLenum type, const GLvoid* pixels) {
    mixPixels(width, height, format, type, pixels);
}
void mixPointed(Call<&DispatchTable::glCompressedTexImage2D>, GLenum, GLint, GLenum, GLsizei, GLsizei, GLint,
                GLsizei imageSize, const GLvoid* data) {
    if (!data || imageSize <= 0) {
        mix(kNull);
        return;
    }
    mixBytes(data, static_cast<std::size_t>(imageSize));
}
void mixPointed(Call<&DispatchTable::glLoadMatrixx>, const GLfixed* m) {
    mixFixed(m, 16);
}
void mixPointed(Call<&DispatchTable::glMultMatrixx>, const GLfixed* m) {
    mixFixed(m, 16);
}
void mixPointed(Call<&DispatchTable::glDeleteTextures>, GLsizei n, const GLuint* textures) {
    for (GLsizei i = 0; textures && i < n; ++i) {
        mix(textureOrdinal(textures[i]));
    }
}
void observe(Call<&DispatchTable::glDeleteTextures>, GLsizei n, const GLuint* textures) {
    for (GLsizei i = 0; textures && i < n; ++i) {
        textureOrdinals.erase(textures[i]);
    }
}

// What a call hands back: most hand back nothing the program passes on.
template <auto Function, typename... Args> void handedBack(Call<Function>, Args...) {}

void handedBack(Call<&DispatchTable::glGenTextures>, GLsizei n, GLuint* textures) {
    for (GLsizei i = 0; textures && i < n; ++i) {
        textureOrdinals[textures[i]] = nextOrdinal++;
    }
}

#define NYM_DIGEST_ENTRY(ret, name, params, args)                                                            \
    ret digest_##name params {                                                                               \
        if (!inSwap) {                                                                                       \
            mixBytes(#name, sizeof #name - 1);                                                               \
            [](auto... a) { mixArguments(Call<&DispatchTable::name>{}, a...); } args;                        \
            [](auto... a) { mixPointed(Call<&DispatchTable::name>{}, a...); } args;                          \
        }                                                                                                    \
        [](auto... a) { observe(Call<&DispatchTable::name>{}, a...); } args;                                 \
        if constexpr (std::is_void_v<ret>) {                                                                 \
            inner.name args;                                                                                 \
            [](auto... a) { handedBack(Call<&DispatchTable::name>{}, a...); } args;                          \
        } else {                                                                                             \
            return inner.name args;                                                                          \
        }                                                                                                    \
    }
NYM_GL_FUNCTIONS(NYM_DIGEST_ENTRY)
#undef NYM_DIGEST_ENTRY

EGLBoolean digestSwapBuffers(EGLDisplay display, EGLSurface surface) {
    inSwap = true;
    const EGLBoolean ok = inner.eglSwapBuffers(display, surface);
    inSwap = false;
    return ok;
}

// Spreads every bit of the state over the whole result (MurmurHash3's finaliser, a bijection).
std::uint64_t finish(std::uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ull;
    h ^= h >> 33;
    return h;
}

} // namespace

void startFrameDigest() {
    if (started) {
        return;
    }
    if (!driverInstalled()) {
        installSystemDriver();
    }
    started = true;
    client = {};
    textureOrdinals.clear();
    nextOrdinal = 1;
    inner = dispatchTable;
#define NYM_DIGEST_ASSIGN(ret, name, params, args) dispatchTable.name = digest_##name;
    NYM_GL_FUNCTIONS(NYM_DIGEST_ASSIGN)
#undef NYM_DIGEST_ASSIGN
    dispatchTable.eglSwapBuffers = digestSwapBuffers;
    state = kOffsetBasis;
}

void stopFrameDigest() {
    if (started) {
        started = false;
        dispatchTable = inner;
    }
}

std::uint64_t takeFrameDigest() {
    const std::uint64_t hash = finish(state);
    state = kOffsetBasis;
    return hash;
}

} // namespace platform::gles
