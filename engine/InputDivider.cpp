#include "InputDivider.h"

std::optional<std::int32_t> SelectInputDivider(double xtiMHz)
{
    // Written as "not greater than" so that a NaN, which compares false
    // everywhere, drives the PLL undivided and then finds no candidate.
    if (!(xtiMHz > kMaxDividedXtiMHz))
        return 0;
    for (std::int32_t code = kFirstInputDividerCode; code <= kLastInputDividerCode; ++code) {
        if (xtiMHz / static_cast<double>(code + 1) <= kMaxDividedXtiMHz)
            return code;
    }
    return std::nullopt;
}
