// Speed of the compressed-texture emulation's decoding, in texels per second, and of a whole emulated
// upload through the record driver (decode and the glTexImage2D hand-off, without a GL library).
#include "platform/gles/emulation.h"
#include "platform/gles/gl.h"
#include "platform/gles/nymtc/nymtc.h"
#include "platform/gles/record_driver.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

using platform::nymtc::Format;

// Blocks with varied end colours and indices, both palette modes.
std::vector<std::uint8_t> level(Format format, int size) {
    std::vector<std::uint8_t> data(platform::nymtc::levelSize(format, size, size));
    std::uint32_t state = 12345;
    for (auto& byte : data) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    return data;
}

void decodeLevel(benchmark::State& state) {
    const auto format = static_cast<Format>(state.range(0));
    const int size = static_cast<int>(state.range(1));
    const std::vector<std::uint8_t> data = level(format, size);
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::nymtc::decodeLevel(format, size, size, data.data(), data.size()));
    }
    state.counters["Mtexel/s"] = benchmark::Counter(static_cast<double>(size) * size / 1e6,
                                                    benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(decodeLevel)
    ->ArgsProduct({{Format::Rgb4bpp, Format::Rgba4bpp, Format::Rgb2bpp, Format::Rgba2bpp}, {256, 1024}});

void emulatedUpload(benchmark::State& state) {
    const auto format = static_cast<Format>(state.range(0));
    const int size = 256;
    const std::vector<std::uint8_t> data = level(format, size);
    platform::gles::RecordDriver driver(platform::gles::RecordDriver::Mode::Silent);
    const platform::gles::DispatchTable recorded = platform::gles::dispatchTable;
    platform::gles::dispatchTable = platform::gles::emulate(recorded);
    for (auto _ : state) {
        glCompressedTexImage2D(GL_TEXTURE_2D, 0, format, size, size, 0, static_cast<GLsizei>(data.size()),
                               data.data());
    }
    platform::gles::dispatchTable = recorded;
    state.counters["Mtexel/s"] = benchmark::Counter(static_cast<double>(size) * size / 1e6,
                                                    benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(emulatedUpload)->Arg(Format::Rgb4bpp)->Arg(Format::Rgba4bpp);

} // namespace

BENCHMARK_MAIN();
