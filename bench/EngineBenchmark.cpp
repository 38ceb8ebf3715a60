// Timing of whole computations: the engine's RunConfiguration side by side
// with the literal exhaustive search (tests/engine/ExhaustiveSearch),
// on the default request and on a mixed set, and the 239,001-request sweep
// of the command line with one and two threads.
//
// Run: build/native/bench/engine_benchmark
// Each benchmark repeats and reports its median; at the end the program
// prints the oracle-to-engine ratio of the medians.
#include "ExhaustiveSearch.h"
#include "PllEngine.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using RunFunction = ConfigResult (*)(const ConfigRequest&);

ConfigResult EngineRun(const ConfigRequest& request)
{
    return RunConfiguration(request);
}

ConfigResult OracleRun(const ConfigRequest& request)
{
    return ExhaustiveRunConfiguration(request);
}

const ConfigRequest kDefaultRequest{14.31818, 256};

// Common crystals and ratios, the worked requests, requests without a pair
// and refused ones, in a fixed order.
const std::vector<ConfigRequest>& MixedRequests()
{
    static const std::vector<ConfigRequest> requests = {
        {14.31818, 256}, {27.0, 384},    {33.8688, 256}, {27.0, 512},      {12.288, 256}, {24.576, 512},
        {11.2896, 256},  {22.5792, 384}, {16.9344, 384}, {49.152, 256},    {19.2, 128},   {26.0, 256},
        {38.4, 384},     {100.0, 256},   {4.0, 256},     {14.31818, 0},    {8.0, 1024},   {3.6864, 64},
        {150.0, 768},    {240.0, 256},   {250.0, 256},   {14.31818, -256}, {18.432, 192}, {45.1584, 256},
    };
    return requests;
}

constexpr int kRepetitions = 9;

void BM_DefaultRequest(benchmark::State& state, RunFunction run)
{
    for (auto _ : state) {
        ConfigResult result = run(kDefaultRequest);
        benchmark::DoNotOptimize(result);
    }
}

// One iteration computes every request of the mixed set once; the time shown
// is per request.
void BM_MixedSet(benchmark::State& state, RunFunction run)
{
    const std::vector<ConfigRequest>& requests = MixedRequests();
    for (auto _ : state) {
        for (const ConfigRequest& request : requests) {
            ConfigResult result = run(request);
            benchmark::DoNotOptimize(result);
        }
    }
    state.counters["per_request"] =
        benchmark::Counter(static_cast<double>(requests.size()),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(BM_DefaultRequest, engine, &EngineRun)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_DefaultRequest, oracle, &OracleRun)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_MixedSet, engine, &EngineRun)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_MixedSet, oracle, &OracleRun)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

// The sweep of the command line: crystals 1.000 + i x 0.001 MHz for i = 0 to
// 239000 (1 to 240 MHz), ratio 256. Each of the benchmark's threads takes
// one contiguous share; an iteration is the whole sweep.
constexpr std::int32_t kSweepSteps = 239001;
constexpr double kSweepFirstMHz = 1.0;
constexpr double kSweepStepMHz = 0.001;
constexpr std::int32_t kSweepRatio = 256;

void BM_Sweep(benchmark::State& state)
{
    const std::int32_t first =
        static_cast<std::int32_t>(std::int64_t{kSweepSteps} * state.thread_index() / state.threads());
    const std::int32_t last =
        static_cast<std::int32_t>(std::int64_t{kSweepSteps} * (state.thread_index() + 1) / state.threads());
    std::int64_t paired = 0;
    for (auto _ : state) {
        paired = 0;
        for (std::int32_t i = first; i < last; ++i) {
            const ConfigRequest request{kSweepFirstMHz + static_cast<double>(i) * kSweepStepMHz, kSweepRatio};
            const ConfigResult result = RunConfiguration(request);
            paired += result.status == ConfigStatus::Success;
        }
        benchmark::DoNotOptimize(paired);
    }
    // Summed over the threads: the number of crystals that found a pair.
    state.counters["paired"] = static_cast<double>(paired);
}

BENCHMARK(BM_Sweep)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Threads(1)
    ->Threads(2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Prints as the console reporter does (without colours) and keeps each
// benchmark's medians, so that the oracle-to-engine ratios can follow the
// table. Both clocks are kept: on a busy machine the wall-clock time also
// counts the time the process waited for a core.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    MedianReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median")
                continue;
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty())
                name += "/" + run.run_name.args;
            const double toMicroseconds = benchmark::GetTimeUnitMultiplier(benchmark::kMicrosecond) /
                                          benchmark::GetTimeUnitMultiplier(run.time_unit);
            m_medians[name] = {run.GetAdjustedRealTime() * toMicroseconds,
                               run.GetAdjustedCPUTime() * toMicroseconds};
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios() const
    {
        for (const char* set : {"BM_DefaultRequest", "BM_MixedSet"}) {
            const auto engine = m_medians.find(std::string(set) + "/engine");
            const auto oracle = m_medians.find(std::string(set) + "/oracle");
            if (engine == m_medians.end() || oracle == m_medians.end())
                continue;
            const Medians& e = engine->second;
            const Medians& o = oracle->second;
            std::printf(
                "%s medians per iteration: engine %.3f us (CPU %.3f us), oracle %.1f us (CPU %.1f us); "
                "oracle / engine = %.0f (CPU %.0f)\n",
                set, e.realMicroseconds, e.cpuMicroseconds, o.realMicroseconds, o.cpuMicroseconds,
                o.realMicroseconds / e.realMicroseconds, o.cpuMicroseconds / e.cpuMicroseconds);
        }
    }

private:
    struct Medians {
        double realMicroseconds;
        double cpuMicroseconds;
    };
    std::map<std::string, Medians> m_medians;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
