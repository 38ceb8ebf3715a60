// How dialog data exchange reads and writes the text of an edit field, as
// pure functions: no window, no platform header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Only this many characters of a field's text are read.
inline constexpr std::size_t kFieldReadLimit = 31;
// Significant digits with which a double is written into a field.
inline constexpr int kDoubleFieldPrecision = 15;

// A signed 32-bit decimal integer between optional blanks and tabs; values
// beyond the range clamp to its nearest limit. Nothing when refused.
std::optional<std::int32_t> ParseIntegerField(std::string_view text);

// A real number in C notation (optional sign, digits, '.', exponent with e,
// E, d or D) between optional blanks and tabs; too large a value reads as
// infinity, too small a non-zero one as zero. Nothing when refused.
std::optional<double> ParseDoubleField(std::string_view text);

std::string FormatIntegerField(std::int32_t value); // "%d"
std::string FormatDoubleField(double value);        // "%.*g" with 15
