#include "SweepRunner.h"

#include "CandidateSearch.h"
#include "ClockReport.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Requests per block: large enough that the hand-over costs nothing, small
// enough that Ctrl-C and the progress bar answer quickly.
constexpr std::size_t kBlockSize = 256;
// Blocks that may wait, computed, for their turn, per thread.
constexpr std::size_t kBlocksAheadPerJob = 4;
// How often the calling thread looks at `stop` while it waits.
constexpr std::chrono::milliseconds kStopPoll{50};

struct Block {
    std::vector<SweepRow> rows;
    bool ready = false;
};

} // namespace

const char* SweepStatusName(SweepStatus status)
{
    switch (status) {
    case SweepStatus::Success:
        return "Success";
    case SweepStatus::InputDividerOutOfRange:
        return "InputDividerOutOfRange";
    case SweepStatus::NoPairFound:
        return "NoPairFound";
    case SweepStatus::MaxPpmExceeded:
        return "MaxPpmExceeded";
    }
    return "Unknown";
}

bool HasResult(const SweepRow& row)
{
    return row.status == SweepStatus::Success || row.status == SweepStatus::MaxPpmExceeded;
}

SweepRow EvaluateRequest(double xtiMHz, std::int32_t ratio, std::optional<double> maxPpm)
{
    SweepRow row;
    row.xtiMHz = xtiMHz;
    row.ratio = ratio;
    const ConfigResult result = RunConfiguration(ConfigRequest{xtiMHz, ratio});
    switch (result.status) {
    case ConfigStatus::InputDividerOutOfRange:
        row.status = SweepStatus::InputDividerOutOfRange;
        return row;
    case ConfigStatus::NoPairFound:
        row.status = SweepStatus::NoPairFound;
        return row;
    case ConfigStatus::Success:
        break;
    }
    row.registers = result.registers;
    row.largerErrorPpm = LargerErrorPpm(FamilyOf(result.clocks48, ratio, kSampleRate48Hz),
                                        FamilyOf(result.clocks44, ratio, kSampleRate44Hz));
    row.status = maxPpm && row.largerErrorPpm > *maxPpm ? SweepStatus::MaxPpmExceeded : SweepStatus::Success;
    return row;
}

std::size_t RunInOrder(std::size_t count, int jobs, const std::function<SweepRow(std::size_t)>& evaluate,
                       const std::function<void(const SweepRow* rows, std::size_t n)>& consume,
                       const std::atomic<bool>& stop)
{
    const std::size_t blockCount = (count + kBlockSize - 1) / kBlockSize;
    const std::size_t threads = jobs < 1 ? 1 : static_cast<std::size_t>(jobs);
    // A ring of blocks: block b lives in slot b % window, and no thread runs
    // further ahead of the writer than the ring holds.
    const std::size_t window = threads * kBlocksAheadPerJob;
    std::vector<Block> ring(window);
    std::mutex mutex;
    std::condition_variable changed;
    std::size_t nextBlock = 0;
    std::size_t handedOn = 0; // blocks given to `consume`
    bool finished = false;

    auto worker = [&] {
        for (;;) {
            std::size_t block = 0;
            {
                std::unique_lock<std::mutex> lock(mutex);
                changed.wait(lock, [&] {
                    return finished || nextBlock >= blockCount || nextBlock < handedOn + window;
                });
                if (finished || nextBlock >= blockCount)
                    return;
                block = nextBlock++;
            }
            std::vector<SweepRow> rows;
            const std::size_t begin = block * kBlockSize;
            const std::size_t end = begin + kBlockSize < count ? begin + kBlockSize : count;
            rows.reserve(end - begin);
            for (std::size_t i = begin; i < end && !stop.load(std::memory_order_relaxed); ++i)
                rows.push_back(evaluate(i));
            {
                std::lock_guard<std::mutex> lock(mutex);
                Block& slot = ring[block % window];
                slot.rows = std::move(rows);
                slot.ready = true;
            }
            changed.notify_all();
        }
    };

    std::vector<std::thread> pool;
    for (std::size_t t = 0; t < threads; ++t)
        pool.emplace_back(worker);

    std::size_t rowsHandedOn = 0;
    for (std::size_t block = 0; block < blockCount; ++block) {
        std::vector<SweepRow> rows;
        {
            std::unique_lock<std::mutex> lock(mutex);
            Block& slot = ring[block % window];
            // A signal handler cannot wake a condition variable: look at
            // `stop` at short intervals instead.
            while (!slot.ready && !stop.load())
                changed.wait_for(lock, kStopPoll);
            if (stop.load())
                break;
            rows = std::move(slot.rows);
            slot.rows.clear();
            slot.ready = false;
            ++handedOn;
        }
        changed.notify_all();
        consume(rows.data(), rows.size());
        rowsHandedOn += rows.size();
    }

    {
        std::lock_guard<std::mutex> lock(mutex);
        finished = true;
    }
    changed.notify_all();
    for (std::thread& thread : pool)
        thread.join();
    return rowsHandedOn;
}
