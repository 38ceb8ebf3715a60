#include "ResultText.h"

#include <cstdio>

namespace {
std::string FormatMHz(const char* format, double hz)
{
    char text[512]; // room for the widest double "%f" can print
    std::snprintf(text, sizeof text, format, hz * kMHzPerHz);
    return text;
}
} // namespace

std::string FormatRegisterText(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%3d", value);
    return text;
}

std::string FormatVcoText(double vcoHz)
{
    return FormatMHz("%5.2f", vcoHz);
}

std::string FormatDspText(double dspHz)
{
    return FormatMHz("%4.2f", dspHz);
}

std::string FormatOclkText(double oclkHz)
{
    return FormatMHz("%5.3f", oclkHz);
}
