// Numbers into text for the command line's outputs.
#pragma once

#include <string>

// MinGW's C++ runtime formats with its own C99 printf, which g++ knows as
// gnu_printf; clang (the fuzzing build, Linux only) knows the same checks as
// printf and ignores gnu_printf with a warning.
#if defined(__clang__)
#define QUORVANE_PRINTF_LIKE(formatIndex, firstArg) __attribute__((format(printf, formatIndex, firstArg)))
#else
#define QUORVANE_PRINTF_LIKE(formatIndex, firstArg) __attribute__((format(gnu_printf, formatIndex, firstArg)))
#endif

// printf into a string of whatever length the result needs.
std::string Printf(const char* format, ...) QUORVANE_PRINTF_LIKE(1, 2);

// The shortest decimal text that reads back to exactly `value` ("14.31818",
// "12288000", "0.16090705..."); "inf", "-inf" or "nan" for the others.
std::string ShortestText(double value);

// A register byte in hexadecimal: "0x0C".
std::string HexByte(int value);
