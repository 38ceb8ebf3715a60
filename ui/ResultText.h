// The texts of the main dialog's result fields, as pure functions.
#pragma once

#include <string>

// The factor that turns Hz into the MHz the fields show: the double nearest
// to 1e-6, multiplied (not a division by 1000000).
inline constexpr double kMHzPerHz = 1e-6;

std::string FormatRegisterText(int value); // "%3d"
std::string FormatVcoText(double vcoHz);   // MHz, "%5.2f"
std::string FormatDspText(double dspHz);   // MHz, "%4.2f"
std::string FormatOclkText(double oclkHz); // MHz, "%5.3f"
