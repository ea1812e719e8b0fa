// What captured frames cost to encode, per frame: PNG at each zlib level and row filter (with the size of
// the files), and the y4m colour conversion. The PNG cases read real frames, as numbered PNG files from
// the folder NYM_BENCH_FRAMES (scripts/png-compression makes them); without it they are skipped.
#include "runner/capture/png_sequence_sink.h"
#include "runner/capture/yuv420.h"
#include "runner/png_file.h"

#include <benchmark/benchmark.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const std::vector<runner::PngImage>& frames() {
    static const std::vector<runner::PngImage> images = [] {
        std::vector<runner::PngImage> loaded;
        const char* dir = std::getenv("NYM_BENCH_FRAMES");
        if (!dir) {
            return loaded;
        }
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            if (entry.path().extension() == ".png") {
                files.push_back(entry.path());
            }
        }
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            runner::PngImage image;
            if (runner::readPng(file.string(), image)) {
                loaded.push_back(std::move(image));
            }
        }
        return loaded;
    }();
    return images;
}

// Arguments: zlib level, row filter mask (-1: libpng's adaptive choice among all five), zlib strategy
// (-1: default).
void pngEncode(benchmark::State& state) {
    const auto& images = frames();
    if (images.empty()) {
        state.SkipWithError("no frames: set NYM_BENCH_FRAMES to a folder of PNG frames");
        return;
    }
    const runner::PngCompression compression{
        static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), static_cast<int>(state.range(2))};
    std::vector<std::uint8_t> png;
    std::size_t bytes = 0;
    std::size_t encoded = 0;
    for (auto _ : state) {
        const runner::PngImage& image = images[encoded % images.size()];
        runner::encodePng(png, image.width, image.height, image.rgba.data(), 0, false, compression);
        bytes += png.size();
        ++encoded;
    }
    state.counters["kB/frame"] = static_cast<double>(bytes) / static_cast<double>(encoded) / 1000.0;
    state.counters["frames"] = static_cast<double>(images.size());
}
BENCHMARK(pngEncode)
    ->ArgNames({"level", "filter", "strategy"})
    ->ArgsProduct({{0, 1, 2, 3, 6, 9},
                   {-1, PNG_FILTER_NONE, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_FILTER_PAETH},
                   {-1}})
    ->ArgsProduct({{1},
                   {PNG_FILTER_NONE, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_FILTER_PAETH},
                   {Z_RLE, Z_HUFFMAN_ONLY}})
    ->Unit(benchmark::kMillisecond);

// The compression the capture uses.
void pngCapture(benchmark::State& state) {
    const auto& images = frames();
    if (images.empty()) {
        state.SkipWithError("no frames: set NYM_BENCH_FRAMES to a folder of PNG frames");
        return;
    }
    std::vector<std::uint8_t> png;
    std::size_t encoded = 0;
    for (auto _ : state) {
        const runner::PngImage& image = images[encoded++ % images.size()];
        runner::encodePng(png, image.width, image.height, image.rgba.data(), 0, false,
                          runner::capturePngCompression);
    }
}
BENCHMARK(pngCapture)->Unit(benchmark::kMillisecond);

// Arguments: width, height, 1 for a 5-6-5 frame (else RGBA).
void yuv420Conversion(benchmark::State& state) {
    runner::CapturedFrame frame;
    frame.width = static_cast<int>(state.range(0));
    frame.height = static_cast<int>(state.range(1));
    frame.format = state.range(2) ? runner::PixelFormat::Rgb565 : runner::PixelFormat::Rgba8888;
    frame.stride = static_cast<std::size_t>(frame.width) * (state.range(2) ? 2 : 4);
    frame.pixels.resize(frame.stride * static_cast<std::size_t>(frame.height));
    std::uint32_t seed = 12345;
    for (auto& byte : frame.pixels) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(seed >> 24);
    }
    std::vector<std::uint8_t> planes(runner::yuv420Size(frame.width, frame.height));
    for (auto _ : state) {
        runner::convertToYuv420(frame, frame.width, frame.height, planes.data());
        benchmark::DoNotOptimize(planes.data());
    }
}
BENCHMARK(yuv420Conversion)
    ->ArgNames({"width", "height", "rgb565"})
    ->ArgsProduct({{640}, {480}, {0, 1}})
    ->Args({1280, 720, 0})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
