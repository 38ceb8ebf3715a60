#include "DataExchangeRules.h"

#include <charconv>
#include <cstdio>
#include <limits>
#include <system_error>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The part of the text that is read: its first characters, less leading and
// trailing blanks and tabs.
std::string_view Trimmed(std::string_view text)
{
    text = text.substr(0, kFieldReadLimit);
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A zero is only believed when the user wrote a leading 0: an empty field,
// "+0", "-0" and ".0" are taken as a field left unfilled.
bool ZeroAllowed(std::string_view trimmed)
{
    return !trimmed.empty() && trimmed.front() == '0';
}

std::size_t SkipDigits(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return pos;
}

} // namespace

std::optional<std::int32_t> ParseIntegerField(std::string_view text)
{
    const std::string_view t = Trimmed(text);
    std::size_t pos = 0;
    bool negative = false;
    if (pos < t.size() && (t[pos] == '+' || t[pos] == '-'))
        negative = t[pos++] == '-';
    const std::size_t digitsBegin = pos;
    pos = SkipDigits(t, pos);
    if (pos == digitsBegin || pos != t.size())
        return std::nullopt;

    // Accumulate with saturation: any number of digits clamps to the range.
    const std::int64_t limit = negative ? -std::int64_t{std::numeric_limits<std::int32_t>::min()}
                                        : std::int64_t{std::numeric_limits<std::int32_t>::max()};
    std::int64_t magnitude = 0;
    for (std::size_t i = digitsBegin; i < pos; ++i) {
        magnitude = magnitude * 10 + (t[i] - '0');
        if (magnitude > limit) {
            magnitude = limit;
            break;
        }
    }
    const std::int32_t value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    if (value == 0 && !ZeroAllowed(t))
        return std::nullopt;
    return value;
}

std::optional<double> ParseDoubleField(std::string_view text)
{
    const std::string_view t = Trimmed(text);

    // Check the C notation strictly and note where the parts are.
    std::size_t pos = 0;
    bool negative = false;
    if (pos < t.size() && (t[pos] == '+' || t[pos] == '-'))
        negative = t[pos++] == '-';
    const std::size_t mantissaBegin = pos;
    const std::size_t integerEnd = SkipDigits(t, pos);
    std::size_t fractionEnd = integerEnd;
    if (fractionEnd < t.size() && t[fractionEnd] == '.')
        fractionEnd = SkipDigits(t, fractionEnd + 1);
    const std::size_t mantissaDigits =
        (integerEnd - mantissaBegin) + (fractionEnd > integerEnd ? fractionEnd - integerEnd - 1 : 0);
    if (mantissaDigits == 0)
        return std::nullopt;
    pos = fractionEnd;
    std::size_t exponentBegin = pos;
    if (pos < t.size() && (t[pos] == 'e' || t[pos] == 'E' || t[pos] == 'd' || t[pos] == 'D')) {
        std::size_t p = pos + 1;
        if (p < t.size() && (t[p] == '+' || t[p] == '-'))
            ++p;
        const std::size_t expDigits = SkipDigits(t, p);
        if (expDigits == p)
            return std::nullopt;
        exponentBegin = pos;
        pos = expDigits;
    }
    if (pos != t.size())
        return std::nullopt;

    // from_chars rounds correctly and ignores the locale, so the Linux and
    // the Windows build read the same bits. It takes neither a plus sign nor
    // a d exponent.
    std::string normal(t.substr(mantissaBegin, exponentBegin - mantissaBegin));
    if (exponentBegin < t.size()) {
        normal += 'e';
        normal.append(t.substr(exponentBegin + 1));
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Thirty-one characters of mantissa cannot leave the range of a
        // double, so an exponent did, and its sign says which way.
        const bool tiny = exponentBegin + 1 < t.size() && t[exponentBegin + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (ec != std::errc{} || end != normal.data() + normal.size()) {
        return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value == 0.0 && !ZeroAllowed(t))
        return std::nullopt;
    return value;
}

std::string FormatIntegerField(std::int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return text;
}

std::string FormatDoubleField(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", kDoubleFieldPrecision, value);
    return text;
}
