// Per-vertex cost of the software lighting and of reflection-map generation on a car-sized mesh, and the
// cost of one whole drawGeometry of it with a do-nothing GL.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "engine/camera.h"
#include "engine/geometry.h"
#include "engine/light.h"
#include "engine/material.h"
#include "engine/render.h"
#include "engine/texture.h"
#include "files/nym_trace.h"
#include "platform/gles/record_driver.h"
#include "tests/engine/no_op_gl.h"

namespace {

constexpr int kVertices = 872; // the detailed car body
constexpr Fixed kOne{0x10000};

// A closed mesh of kVertices vertices with unit normals spread over the sphere, drawn as triangles.
struct CarSizedMesh {
    CarSizedMesh() {
        geometry.init();
        geometry.createVertexPool(kVertices);
        geometry.createTex2dPool(kVertices);
        geometry.createNormalPool(kVertices);
        for (int i = 0; i < kVertices; ++i) {
            const double y = 1.0 - 2.0 * (i + 0.5) / kVertices;
            const double r = std::sqrt(1.0 - y * y);
            const double phi = 2.39996323 * i;
            const float n[3] = {static_cast<float>(r * std::cos(phi)), static_cast<float>(y),
                                static_cast<float>(r * std::sin(phi))};
            for (int c = 0; c < 3; ++c) {
                geometry.normals[3 * i + c] = FixedFromFloat(n[c]);
            }
            geometry.vertices[i] = FixedVec4{FixedFromFloat(n[0] * 2.0f), FixedFromFloat(n[1] * 0.7f),
                                             FixedFromFloat(n[2] * 4.0f), kOne};
        }
        const int indices = 3 * (kVertices - 2);
        geometry.createPrimPool(indices + 4);
        geometry.prims[0] = 4;
        geometry.prims[1] = static_cast<std::uint16_t>(indices);
        for (int t = 0; t < kVertices - 2; ++t) {
            geometry.prims[2 + 3 * t] = static_cast<std::uint16_t>(t);
            geometry.prims[3 + 3 * t] = static_cast<std::uint16_t>(t + 1);
            geometry.prims[4 + 3 * t] = static_cast<std::uint16_t>(t + 2);
        }
        geometry.prims[indices + 2] = geometry.prims[indices + 3] = 0;
        geometry.setFlags(0x1015);
        material.init();
        material.setEmissive(Fixed{0x1000}, Fixed{0x1000}, Fixed{0x1000});
        material.setAmbient(kOne, kOne, kOne);
        material.setDiffuse(Fixed{0xC000}, Fixed{0x8000}, Fixed{0x4000});
        ambient.setColour(Fixed{0x8000}, Fixed{0x8000}, FixedFromFloat(0.6f));
        sun.setColour(kOne, kOne, kOne);
        sun.setPosition(FixedFromInt(1), FixedFromInt(2), FixedFromInt(-1));
    }
    ~CarSizedMesh() { geometry.release(); }

    NymGeometry geometry;
    NymMaterial material;
    NymAmbientLight ambient;
    NymDirectionalLight sun;
};

// CPU time per vertex, shown in seconds with an SI prefix (e.g. 4.9n).
benchmark::Counter perVertex(const benchmark::State& state) {
    return benchmark::Counter(static_cast<double>(state.iterations()) * kVertices,
                              benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Ambient then directional, exactly as the renderer runs them for a two-light frame.
void TwoLightLighting(benchmark::State& state) {
    CarSizedMesh mesh;
    std::vector<Fixed> accumulators(4 * NymRender::kColourStorageEntries);
    FixedMatrix inverseModel;
    MatrixIdentity(inverseModel);
    MatrixRotate(inverseModel, FixedFromInt(33), 1);
    const FixedVec4& p = mesh.geometry.position;
    for (auto _ : state) {
        mesh.ambient.prepare(p.x, p.y, p.z, p.w, inverseModel);
        mesh.ambient.shade(nullptr, accumulators.data(), mesh.geometry.normals, kVertices, mesh.material);
        mesh.sun.prepare(p.x, p.y, p.z, p.w, inverseModel);
        mesh.sun.shade(mesh.geometry.litColours, accumulators.data(), mesh.geometry.normals, kVertices,
                       mesh.material);
        benchmark::DoNotOptimize(mesh.geometry.litColours);
        benchmark::ClobberMemory();
    }
    state.counters["per_vertex"] = perVertex(state);
}
BENCHMARK(TwoLightLighting);

void ReflectionMap(benchmark::State& state) {
    CarSizedMesh mesh;
    FixedMatrix view, model;
    MatrixIdentity(view);
    MatrixRotate(view, FixedFromInt(20), 1);
    MatrixIdentity(model);
    MatrixRotate(model, FixedFromInt(-50), 1);
    for (auto _ : state) {
        mesh.geometry.generateReflectionMap(0, view, model, kOne);
        benchmark::DoNotOptimize(mesh.geometry.tex2d);
        benchmark::ClobberMemory();
    }
    state.counters["per_vertex"] = perVertex(state);
}
BENCHMARK(ReflectionMap);

// One draw of the car as the race draws it: lit by two lights, a texture and a reflection layer.
// Argument 0: the record driver in its do-nothing mode; 1: a GL whose functions are empty.
void DrawGeometry(benchmark::State& state) {
    platform::gles::RecordDriver gl(platform::gles::RecordDriver::Mode::Silent);
    const platform::gles::DispatchTable recording = platform::gles::dispatchTable;
    if (state.range(0) == 1) {
        platform::gles::dispatchTable = nym_test::noOpGlTable(recording);
    }
    NymTrace::Instance()->SetLevel(999);
    CarSizedMesh mesh;
    NymTexture paint, reflection;
    paint.init();
    reflection.init();
    paint.texname = 1;
    reflection.texname = 2;
    mesh.material.setLayer(0, &paint, 0, Fixed{0});
    mesh.material.setLayer(1, &reflection, 2, Fixed{0x8000});
    NymCamera camera;
    camera.orthographic = 0;
    camera.init();
    camera.setViewport(FixedFromInt(640), FixedFromInt(480));
    camera.setFrustum(FixedFromFloat(-0.133f), FixedFromFloat(0.133f), FixedFromFloat(-0.1f),
                      FixedFromFloat(0.1f), FixedFromFloat(0.25f), FixedFromInt(1024));
    NymRender* render = NymRender::instance();
    render->beginFrame();
    render->setCamera(&camera);
    FixedMatrix matrix;
    MatrixIdentity(matrix);
    MatrixTranslate(matrix, FixedFromInt(3), FixedFromInt(1), FixedFromInt(-8));
    render->SetCamMatrix(matrix);
    MatrixRotate(matrix, FixedFromInt(25), 1);
    render->setModelMatrix(matrix);
    render->setLight(&mesh.ambient, 0);
    render->setLight(&mesh.sun, 1);
    render->setMaterial(&mesh.material);
    for (auto _ : state) {
        render->drawGeometry(&mesh.geometry);
        benchmark::ClobberMemory();
    }
    NymRender::destroy();
    NymTrace::Destroy();
    platform::gles::dispatchTable = recording;
}
BENCHMARK(DrawGeometry)->Arg(0)->Arg(1);

} // namespace

BENCHMARK_MAIN();
