// Numbers into text for the command line's outputs.
#pragma once

#include <string>

// printf into a string of whatever length the result needs.
std::string Printf(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));

// The shortest decimal text that reads back to exactly `value` ("14.31818",
// "12288000", "0.16090705..."); "inf", "-inf" or "nan" for the others.
std::string ShortestText(double value);

// A register byte in hexadecimal: "0x0C".
std::string HexByte(int value);
