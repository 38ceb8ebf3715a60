#include "InputRules.h"

#include "CliError.h"
#include "DataExchangeRules.h"

#include <string>

namespace {

// The dialog reads only the first characters of a field; a user there sees
// the whole field and what was read. An argument is not looked at, so text
// past that limit is refused rather than silently dropped: otherwise
// "0.000000000000000000000000000001e30" would be read as a tiny number.
bool FitsReadLimit(std::string_view text)
{
    if (text.size() <= kFieldReadLimit)
        return true;
    for (const char c : text.substr(kFieldReadLimit)) {
        if (c != ' ' && c != '\t')
            return false;
    }
    return true;
}

CliError Refusal(std::string_view input, const char* refusal)
{
    return UsageError(std::string(input) + ": " + refusal);
}

} // namespace

double ReadNumberInput(std::string_view input, std::string_view text)
{
    const std::optional<double> value = FitsReadLimit(text) ? ParseDoubleField(text) : std::nullopt;
    if (!value)
        throw Refusal(input, kNumberRefusal);
    return *value;
}

std::int32_t ReadIntegerInput(std::string_view input, std::string_view text)
{
    const std::optional<std::int32_t> value = FitsReadLimit(text) ? ParseIntegerField(text) : std::nullopt;
    if (!value)
        throw Refusal(input, kIntegerRefusal);
    return *value;
}

double ReadPpmLimitInput(std::string_view input, std::string_view text)
{
    const double limit = ReadNumberInput(input, text);
    if (!(limit >= 0.0))
        throw UsageError(std::string(input) + ": the limit must be 0 ppm or more");
    return limit;
}
