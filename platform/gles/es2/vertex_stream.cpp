#include "platform/gles/es2/vertex_stream.h"

#include "platform/gles/array_types.h"

#include <cstring>

namespace platform::gles::es2 {

namespace {

// The first buffers' sizes; a draw that needs more gets a buffer of twice the size.
constexpr GLsizeiptr kVertexBufferSize = 1 << 20;
constexpr GLsizeiptr kIndexBufferSize = 1 << 18;

constexpr std::size_t padded(std::size_t bytes) {
    return (bytes + 3) & ~std::size_t{3};
}

// How an array's values reach the library: GL_FIXED as floats, the rest as they are.
struct Packing {
    GLenum type;
    std::size_t valueBytes;   // one vertex's values
    std::size_t elementBytes; // padded to 4
    std::size_t sourceStride;
};

Packing packing(const ClientArray& array) {
    // A GL_FIXED value and the float it becomes are both 4 bytes.
    const std::size_t valueBytes = static_cast<std::size_t>(array.size) * arrayTypeBytes(array.type);
    return {array.type == GL_FIXED ? GL_FLOAT : array.type, valueBytes, padded(valueBytes),
            array.stride ? static_cast<std::size_t>(array.stride) : valueBytes};
}

// The vertex number of the i-th vertex drawn.
GLuint vertexNumber(const VertexSelection& selection, const GLuint* list, GLsizei i) {
    return list ? list[i] : selection.first + static_cast<GLuint>(i);
}

template <int N>
void convertFixed(const unsigned char* base, const Packing& p, const VertexSelection& selection,
                  const GLuint* list, unsigned char* out) {
    for (GLsizei i = 0; i < selection.count; ++i) {
        const unsigned char* source = base + vertexNumber(selection, list, i) * p.sourceStride;
        GLfixed fixed[N];
        float values[N];
        std::memcpy(fixed, source, sizeof fixed);
        for (int c = 0; c < N; ++c) {
            values[c] = fromFixed(fixed[c]);
        }
        std::memcpy(out, values, sizeof values);
        out += p.elementBytes;
    }
}

// Copies each vertex's values (never more: the last vertex may end its array).
template <std::size_t Bytes>
void copyValues(const unsigned char* base, const Packing& p, const VertexSelection& selection,
                const GLuint* list, unsigned char* out) {
    for (GLsizei i = 0; i < selection.count; ++i) {
        std::memcpy(out, base + vertexNumber(selection, list, i) * p.sourceStride, Bytes);
        out += p.elementBytes;
    }
}

void pack(const ClientArray& array, const Packing& p, const VertexSelection& selection, const GLuint* list,
          unsigned char* out) {
    const auto* base = static_cast<const unsigned char*>(array.pointer);
    if (array.type == GL_FIXED) {
        switch (array.size) {
        case 1:
            return convertFixed<1>(base, p, selection, list, out);
        case 2:
            return convertFixed<2>(base, p, selection, list, out);
        case 3:
            return convertFixed<3>(base, p, selection, list, out);
        default:
            return convertFixed<4>(base, p, selection, list, out);
        }
    }
    // Values packed as they are wanted, without padding: one copy (padding would read past the last vertex).
    if (!list && p.sourceStride == p.elementBytes && p.valueBytes == p.elementBytes) {
        std::memcpy(out, base + selection.first * p.sourceStride,
                    p.elementBytes * static_cast<std::size_t>(selection.count));
        return;
    }
    // A copy of a size the compiler knows: 2, 3 or 4 bytes, shorts or floats.
    switch (p.valueBytes) {
    case 2:
        return copyValues<2>(base, p, selection, list, out);
    case 3:
        return copyValues<3>(base, p, selection, list, out);
    case 4:
        return copyValues<4>(base, p, selection, list, out);
    case 6:
        return copyValues<6>(base, p, selection, list, out);
    case 8:
        return copyValues<8>(base, p, selection, list, out);
    case 12:
        return copyValues<12>(base, p, selection, list, out);
    default:
        return copyValues<16>(base, p, selection, list, out);
    }
}

} // namespace

unsigned char* VertexStream::staging(std::size_t size) {
    if (staging_.size() < size) {
        staging_.resize(size);
    }
    return staging_.data();
}

GLintptr VertexStream::reserve(const Es2Functions& gl, LibraryBindings& bound, Ring& ring, GLenum target,
                               GLsizeiptr size) {
    GLuint& binding = target == GL_ARRAY_BUFFER ? bound.arrayBuffer : bound.elementBuffer;
    if (!ring.buffer) {
        gl.glGenBuffers(1, &ring.buffer);
    }
    if (binding != ring.buffer) {
        gl.glBindBuffer(target, ring.buffer);
        binding = ring.buffer;
    }
    if (ring.head + size > ring.capacity) {
        // A new store: the draws that read the old one keep it until they are done.
        GLsizeiptr capacity = ring.capacity
                                  ? ring.capacity
                                  : (target == GL_ARRAY_BUFFER ? kVertexBufferSize : kIndexBufferSize);
        while (capacity < size) {
            capacity *= 2;
        }
        ring.capacity = capacity;
        gl.glBufferData(target, capacity, nullptr, GL_STREAM_DRAW);
        ring.head = 0;
    }
    const GLintptr offset = ring.head;
    ring.head += static_cast<GLintptr>(padded(static_cast<std::size_t>(size)));
    return offset;
}

void VertexStream::uploadVertices(const Es2Functions& gl, LibraryBindings& bound,
                                  const AttributeSources& sources, const VertexSelection& selection) {
    std::array<Packing, kAttributes> packings{};
    std::array<std::size_t, kAttributes> regions{};
    std::size_t total = 0;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (sources[i]) {
            packings[i] = packing(*sources[i]);
            regions[i] = total;
            total += packings[i].elementBytes * static_cast<std::size_t>(selection.count);
        }
    }
    unsigned char* out = staging(total);
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (sources[i]) {
            const GLuint* list =
                i == kColourAttribute && selection.colours ? selection.colours : selection.vertices;
            pack(*sources[i], packings[i], selection, list, out + regions[i]);
        }
    }
    const GLintptr offset = reserve(gl, bound, vertices_, GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(total));
    gl.glBufferSubData(GL_ARRAY_BUFFER, offset, static_cast<GLsizeiptr>(total), out);

    std::uint32_t enabled = 0;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const auto location = static_cast<GLuint>(i);
        if (sources[i]) {
            enabled |= 1u << i;
            const bool normalized = i == kColourAttribute && sources[i]->type == GL_UNSIGNED_BYTE;
            gl.glVertexAttribPointer(
                location, sources[i]->size, packings[i].type, normalized ? GL_TRUE : GL_FALSE,
                static_cast<GLsizei>(packings[i].elementBytes),
                reinterpret_cast<const GLvoid*>(offset + static_cast<GLintptr>(regions[i])));
        }
        const std::uint32_t bit = 1u << i;
        if ((enabled & bit) && !(bound.enabledAttributes & bit)) {
            gl.glEnableVertexAttribArray(location);
        } else if (!(enabled & bit) && (bound.enabledAttributes & bit)) {
            gl.glDisableVertexAttribArray(location);
        }
    }
    bound.enabledAttributes = enabled;
}

namespace {

template <typename Index> void rebase(const void* indices, GLsizei count, GLuint base, unsigned char* out) {
    const auto* in = static_cast<const Index*>(indices);
    for (GLsizei i = 0; i < count; ++i) {
        const auto index = static_cast<Index>(in[i] - base);
        std::memcpy(out + static_cast<std::size_t>(i) * sizeof(Index), &index, sizeof(Index));
    }
}

} // namespace

GLintptr VertexStream::uploadIndices(const Es2Functions& gl, LibraryBindings& bound, GLenum type,
                                     const void* indices, GLsizei count, GLuint base) {
    const std::size_t bytes = static_cast<std::size_t>(count) * indexTypeBytes(type);
    unsigned char* out = staging(bytes);
    if (type == GL_UNSIGNED_BYTE) {
        rebase<GLubyte>(indices, count, base, out);
    } else {
        rebase<GLushort>(indices, count, base, out);
    }
    const GLintptr offset =
        reserve(gl, bound, indices_, GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes));
    gl.glBufferSubData(GL_ELEMENT_ARRAY_BUFFER, offset, static_cast<GLsizeiptr>(bytes), out);
    return offset;
}

} // namespace platform::gles::es2
