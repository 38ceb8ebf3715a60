// Choice of the crystal's input divider.
#pragma once

#include <cstdint>
#include <optional>

// The highest frequency the PLL accepts after the input divider, in MHz.
inline constexpr double kMaxDividedXtiMHz = 15.0;
// Input divider codes tried above that frequency (divisors 2 to 16).
inline constexpr std::int32_t kFirstInputDividerCode = 1;
inline constexpr std::int32_t kLastInputDividerCode = 15;

// The input divider code (0..15) of the smallest divisor that brings
// `xtiMHz` to 15 MHz or below, or nothing when even 16 is not enough.
std::optional<std::int32_t> SelectInputDivider(double xtiMHz);
