// Numbers typed on the command line, read by the very rules of the main
// dialog's fields, so that a text means the same in both programs.
#pragma once

#include "FrameworkResource.h"

#include <cstdint>
#include <string_view>

// The dialog framework's refusal texts, word for word.
inline constexpr char kIntegerRefusal[] = AFX_TEXT_PARSE_INT;
inline constexpr char kNumberRefusal[] = AFX_TEXT_PARSE_REAL;

// A real number as the crystal field reads it. On refusal throws a usage
// error "<input>: Please enter a number.".
double ReadNumberInput(std::string_view input, std::string_view text);

// A signed 32-bit integer as the ratio field reads it. On refusal throws a
// usage error "<input>: Please enter an integer.".
std::int32_t ReadIntegerInput(std::string_view input, std::string_view text);

// A limit on the OCLK error in ppm: a number as above, not negative.
double ReadPpmLimitInput(std::string_view input, std::string_view text);
