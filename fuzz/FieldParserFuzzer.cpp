// The two field readers on arbitrary text. Neither may crash; whatever one
// accepts must be the value that the C library reads from the same text, and
// its written form ("%d", or "%.*g" with 15 digits) must be accepted again
// with the same value, so that a field written by the dialog and read back
// unchanged keeps the member as it was.
#include "DataExchangeRules.h"
#include "FuzzCheck.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace {

// Significant digits that "%.*g" with 15 keeps; a text with more of them
// names a double that the written form may only approximate.
constexpr int kWrittenDigits = kDoubleFieldPrecision;
// The largest double written with fifteen digits: above the largest double.
constexpr const char kLargestWritten[] = "1.79769313486232e+308";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The part of a field that is read: its first characters, less leading and
// trailing blanks and tabs.
std::string_view ReadPart(std::string_view text)
{
    text = text.substr(0, kFieldReadLimit);
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsExponentMark(char c)
{
    return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

// Significant digits of an accepted number's mantissa: leading and trailing
// zeros do not count, nor does the decimal point.
int SignificantDigits(std::string_view accepted)
{
    std::string digits;
    for (const char c : accepted) {
        if (IsExponentMark(c))
            break;
        if (c >= '0' && c <= '9')
            digits += c;
    }
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return 0;
    const std::size_t last = digits.find_last_not_of('0');
    return static_cast<int>(last - first + 1);
}

std::uint64_t Bits(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The C library's reading of an accepted integer text, clamped to 32 bits.
std::int32_t LibraryInteger(std::string_view accepted)
{
    const std::string text(accepted);
    const long long value = std::strtoll(text.c_str(), nullptr, 10); // saturates on overflow
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

// The C library's reading of an accepted real text (correctly rounded, like
// the field's); a d exponent is the C library's e.
double LibraryDouble(std::string_view accepted)
{
    std::string text(accepted);
    for (char& c : text) {
        if (c == 'd' || c == 'D')
            c = 'e';
    }
    return std::strtod(text.c_str(), nullptr);
}

void CheckIntegerField(std::string_view text)
{
    const std::optional<std::int32_t> value = ParseIntegerField(text);
    if (!value)
        return;
    const std::string_view read = ReadPart(text);
    FUZZ_REQUIRE(*value == LibraryInteger(read), "\"%.*s\" read as %d, the C library reads %d",
                 static_cast<int>(read.size()), read.data(), *value, LibraryInteger(read));

    const std::string written = FormatIntegerField(*value);
    const std::optional<std::int32_t> again = ParseIntegerField(written);
    FUZZ_REQUIRE(again && *again == *value, "%d written as \"%s\" does not read back", *value,
                 written.c_str());
}

void CheckDoubleField(std::string_view text)
{
    const std::optional<double> value = ParseDoubleField(text);
    if (!value)
        return;
    const std::string_view read = ReadPart(text);
    const double library = LibraryDouble(read);
    FUZZ_REQUIRE(Bits(*value) == Bits(library), "\"%.*s\" read as %a, the C library reads %a",
                 static_cast<int>(read.size()), read.data(), *value, library);
    FUZZ_REQUIRE(!std::isnan(*value), "\"%.*s\" read as NaN", static_cast<int>(read.size()), read.data());

    const std::string written = FormatDoubleField(*value);
    const std::optional<double> again = ParseDoubleField(written);
    if (std::isinf(*value)) {
        // A value beyond the range is kept as infinity, whose written form
        // is not a number: the field refuses it when read again.
        FUZZ_REQUIRE(written == (*value > 0 ? "inf" : "-inf") && !again, "infinity written as \"%s\"",
                     written.c_str());
        return;
    }
    FUZZ_REQUIRE(again, "%a written as \"%s\" is refused", *value, written.c_str());
    if (std::isinf(*again)) {
        // The largest doubles round up, at fifteen digits, to a text beyond
        // the range, which reads as infinity; a crystal there is out of range
        // either way.
        FUZZ_REQUIRE(written == (*value > 0 ? kLargestWritten : "-" + std::string(kLargestWritten)),
                     "%a written as \"%s\" reads back as %a", *value, written.c_str(), *again);
        return;
    }
    // Fifteen digits name every double to within its written precision, so
    // writing the value read back gives the same text ...
    FUZZ_REQUIRE(FormatDoubleField(*again) == written,
                 "%a written as \"%s\" reads back as %a, written \"%s\"", *value, written.c_str(), *again,
                 FormatDoubleField(*again).c_str());
    // ... and a normal number typed with at most fifteen significant digits
    // comes back bit for bit.
    if (std::isnormal(*value) && SignificantDigits(read) <= kWrittenDigits)
        FUZZ_REQUIRE(Bits(*again) == Bits(*value), "\"%.*s\" read as %a, written \"%s\", reads back as %a",
                     static_cast<int>(read.size()), read.data(), *value, written.c_str(), *again);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckIntegerField(text);
    CheckDoubleField(text);
    return 0;
}
