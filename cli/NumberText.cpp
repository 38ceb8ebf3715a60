#include "NumberText.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <system_error>

std::string Printf(const char* format, ...)
{
    std::va_list args;
    va_start(args, format);
    std::va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, again);
        text.resize(static_cast<std::size_t>(length));
    }
    va_end(again);
    return text;
}

std::string ShortestText(double value)
{
    // Long enough for any double in the shortest round-trip form.
    char text[64];
    const std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
    if (result.ec != std::errc{})
        return Printf("%.17g", value);
    return std::string(text, result.ptr);
}

std::string HexByte(int value)
{
    return Printf("0x%02X", static_cast<unsigned>(value));
}
