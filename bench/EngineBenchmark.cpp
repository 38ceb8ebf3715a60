// Timing of whole computations. Run: build/native/bench/engine_benchmark
#include "PllEngine.h"

#include <benchmark/benchmark.h>

namespace {

void BM_RunConfiguration(benchmark::State& state, ConfigRequest request)
{
    for (auto _ : state) {
        ConfigResult result = RunConfiguration(request);
        benchmark::DoNotOptimize(result);
    }
}

BENCHMARK_CAPTURE(BM_RunConfiguration, default_14_31818MHz_256, ConfigRequest{14.31818, 256});
BENCHMARK_CAPTURE(BM_RunConfiguration, 27MHz_384, ConfigRequest{27.0, 384});
BENCHMARK_CAPTURE(BM_RunConfiguration, 33_8688MHz_256, ConfigRequest{33.8688, 256});
BENCHMARK_CAPTURE(BM_RunConfiguration, 4MHz_no_pair, ConfigRequest{4.0, 256});

} // namespace

BENCHMARK_MAIN();
