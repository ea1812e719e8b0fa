// What the frame records cost a presented frame: the label, the real time and the process's CPU time.
#include "platform/frame_marks.h"
#include "runner/report/frame_recorder.h"

#include <benchmark/benchmark.h>

namespace {

void BM_FrameRecordPerPresentedFrame(benchmark::State& state) {
    runner::report::FrameRecorder recorder;
    platform::receiveFrameMarks(&recorder);
    for (auto _ : state) {
        platform::labelFrame("trackside");
        recorder.framePresented();
    }
    platform::receiveFrameMarks(nullptr);
    benchmark::DoNotOptimize(recorder.log().frames.data());
}
// As many frames as the records hold without growing: 26 laps.
BENCHMARK(BM_FrameRecordPerPresentedFrame)->Iterations(1 << 16);

} // namespace
BENCHMARK_MAIN();
