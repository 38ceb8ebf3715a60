// The long differential run: RunConfiguration against the exhaustive oracle
// on a million or more seeded random requests, every table entry and the
// result bit for bit. Not part of ctest (it takes minutes).
//
//   engine_long_differential [requests=1000000] [threads=2] [seed=0x5eed1000000]
//
// Each thread takes an interleaved share of one seeded sequence, so the set
// of requests does not depend on the thread count. Exits 0 when every
// request agrees.
#include "ConfigRun.h"
#include "DifferentialRequests.h"
#include "EngineEquality.h"
#include "ExhaustiveSearch.h"

#include <atomic>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

// The same as the differential test's check, without its messages: the
// result, the input divider, both tables entry by entry and the pair.
bool Agree(const ConfigRequest& request)
{
    ConfigRun engineRun;
    ConfigRun oracleRun;
    const ConfigResult e = RunConfiguration(request, engineRun);
    const ConfigResult o = ExhaustiveRunConfiguration(request, oracleRun);
    if (!SameResult(e, o))
        return false;
    if (e.status == ConfigStatus::InputDividerOutOfRange)
        return true;
    const std::optional<CandidatePair>& a = engineRun.pair;
    const std::optional<CandidatePair>& b = oracleRun.pair;
    return engineRun.inputDivider == oracleRun.inputDivider &&
           SameTable(engineRun.table48, oracleRun.table48) &&
           SameTable(engineRun.table44, oracleRun.table44) && a.has_value() == b.has_value() &&
           (!a || (a->index48 == b->index48 && a->index44 == b->index44));
}

} // namespace

int main(int argc, char** argv)
{
    const long long requests = argc > 1 ? std::atoll(argv[1]) : 1000000;
    const int threads = argc > 2 ? std::atoi(argv[2]) : 2;
    const std::uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 0) : 0x5eed1000000ULL;
    if (requests <= 0 || threads <= 0) {
        std::fprintf(stderr, "usage: %s [requests] [threads] [seed]\n", argv[0]);
        return 2;
    }

    std::atomic<long long> disagreements{0};
    std::atomic<long long> successes{0};
    std::atomic<long long> candidates{0};
    std::mutex printing;
    const auto start = std::chrono::steady_clock::now();

    std::vector<std::thread> workers;
    for (int w = 0; w < threads; ++w) {
        workers.emplace_back([&, w] {
            SplitMix64 random(seed);
            long long ownSuccesses = 0;
            long long ownCandidates = 0;
            for (long long i = 0; i < requests; ++i) {
                const ConfigRequest request = RandomRequest(random);
                if (i % threads != w)
                    continue;
                if (!Agree(request)) {
                    if (disagreements.fetch_add(1) < 20) {
                        std::lock_guard<std::mutex> lock(printing);
                        std::printf("DISAGREE request %lld: %.17g MHz (%a), ratio %d\n", i, request.xtiMHz,
                                    request.xtiMHz, static_cast<int>(request.ratio));
                    }
                }
                ConfigRun run;
                if (RunConfiguration(request, run).status == ConfigStatus::Success)
                    ++ownSuccesses;
                ownCandidates += run.table48.count + run.table44.count;
            }
            successes += ownSuccesses;
            candidates += ownCandidates;
        });
    }
    for (std::thread& worker : workers)
        worker.join();

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("long differential run: %lld requests (seed %#" PRIx64 ", %d threads), %lld succeeded, "
                "%lld candidates compared, %lld disagreements, %.1f s\n",
                requests, seed, threads, successes.load(), candidates.load(), disagreements.load(), seconds);
    return disagreements.load() == 0 ? 0 : 1;
}
