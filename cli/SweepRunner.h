// The requests of a sweep, computed on several threads and handed on in
// request order, so that the output does not depend on the thread count.
#pragma once

#include "PllEngine.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

// The engine's outcomes, and a success whose error is above --max-ppm.
enum class SweepStatus { Success, InputDividerOutOfRange, NoPairFound, MaxPpmExceeded };

// "Success", "InputDividerOutOfRange", "NoPairFound", "MaxPpmExceeded".
const char* SweepStatusName(SweepStatus status);

struct SweepRow {
    double xtiMHz = 0.0;
    std::int32_t ratio = 0;
    SweepStatus status = SweepStatus::Success;
    RegisterSet registers;       // Success and MaxPpmExceeded only
    double largerErrorPpm = 0.0; // Success and MaxPpmExceeded only
};

// Whether the row carries registers and an error.
bool HasResult(const SweepRow& row);

// One request through RunConfiguration.
SweepRow EvaluateRequest(double xtiMHz, std::int32_t ratio, std::optional<double> maxPpm);

// Computes rows 0 to count - 1 with `evaluate` on `jobs` threads and hands
// them to `consume` on the calling thread, in order, in blocks. Once `stop`
// is set no further block is handed on. Returns the number of rows handed on.
std::size_t RunInOrder(std::size_t count, int jobs, const std::function<SweepRow(std::size_t)>& evaluate,
                       const std::function<void(const SweepRow* rows, std::size_t n)>& consume,
                       const std::atomic<bool>& stop);
