// What converting GL_FIXED to floats costs the translation's vertex streaming: a draw's positions in the
// race's layout (three GL_FIXED values in 16 bytes) packed and handed to an OpenGL ES 2.0 library that
// does nothing, against the same bytes described as floats, which are copied as they are: the least any
// way of passing the 32-bit integers themselves (with a scale in the shader) could cost.
#include "platform/gles/es2/record_es2.h"
#include "platform/gles/es2/vertex_stream.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace platform::gles::es2;

void streamPositions(benchmark::State& state, GLenum type) {
    const auto count = static_cast<GLsizei>(state.range(0));
    const RecordEs2 library(RecordEs2::Mode::Silent);
    std::vector<GLfixed> vertices(static_cast<std::size_t>(count) * 4);
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        vertices[i] = static_cast<GLfixed>(i * 40503u);
    }
    const ClientArray positions{true, 3, type, 16, vertices.data()};
    VertexStream stream;
    LibraryBindings bound;
    AttributeSources sources{};
    sources[kPositionAttribute] = &positions;
    for (auto _ : state) {
        stream.uploadVertices(library.functions(), bound, sources, {0, count});
    }
    state.SetItemsProcessed(state.iterations() * count);
}

void fixedConvertedToFloats(benchmark::State& state) {
    streamPositions(state, GL_FIXED);
}
BENCHMARK(fixedConvertedToFloats)->Arg(24)->Arg(400)->Arg(4000);

void sameBytesCopied(benchmark::State& state) {
    streamPositions(state, GL_FLOAT);
}
BENCHMARK(sameBytesCopied)->Arg(24)->Arg(400)->Arg(4000);

} // namespace
