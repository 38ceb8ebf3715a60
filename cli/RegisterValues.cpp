#include "RegisterValues.h"

#include "CliError.h"
#include "NumberText.h"

#include <cctype>
#include <optional>

namespace {

constexpr std::int32_t kByteMax = 255;
constexpr std::int32_t kFractionBytesBase = 256;
// Values are read up to this bound; anything larger is out of range for
// every register, however many digits it has.
constexpr std::int64_t kReadCeiling = 1000000;

std::string AllNames()
{
    std::string names;
    for (const RegisterField& field : kRegisterFields)
        names += std::string(names.empty() ? "" : " ") + field.name;
    return names;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

int DigitValue(char c, int base)
{
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

// Decimal digits, or 0x followed by hexadecimal digits; nothing else.
std::optional<std::int64_t> ParseRegisterNumber(std::string_view text)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        const int digit = DigitValue(c, base);
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > kReadCeiling)
            value = kReadCeiling;
    }
    return value;
}

std::int32_t ReadField(const RegisterField& field, std::string_view text)
{
    const std::optional<std::int64_t> value = ParseRegisterNumber(text);
    if (!value) {
        throw UsageError(std::string(field.label) + ": \"" + std::string(text) +
                         "\" is not a register value (write it in decimal or as 0x hexadecimal)");
    }
    if (*value > field.maximum) {
        const std::string shown =
            *value >= kReadCeiling ? std::string(text) : Printf("%lld", (long long)*value);
        throw UsageError(Printf("%s: %s is out of range: the %s runs from 0 to %d", field.label,
                                shown.c_str(), field.meaning, field.maximum));
    }
    return static_cast<std::int32_t>(*value);
}

} // namespace

const RegisterField kRegisterFields[kRegisterCount] = {
    {"R07", "reg07", "Register 07", &RegisterSet::reg07, 15, "input divider code"},
    {"R06", "reg06", "Register 06", &RegisterSet::reg06, 31, "multiplier code"},
    {"R11", "reg11", "Register 11", &RegisterSet::reg11, 31, "DSP divider code"},
    {"R80", "reg80", "Register 80", &RegisterSet::reg80, 127, "44.1 kHz OCLK divider code"},
    {"R81", "reg81", "Register 81", &RegisterSet::reg81, kByteMax, "44.1 kHz fraction's low byte"},
    {"R82", "reg82", "Register 82", &RegisterSet::reg82, kByteMax, "44.1 kHz fraction's high byte"},
    {"R97", "reg97", "Register 97", &RegisterSet::reg97, 127, "48 kHz OCLK divider code"},
    {"R100", "reg100", "Register 100", &RegisterSet::reg100, kByteMax, "48 kHz fraction's low byte"},
    {"R101", "reg101", "Register 101", &RegisterSet::reg101, kByteMax, "48 kHz fraction's high byte"},
};

std::string RegisterAssignmentsText(const RegisterSet& registers)
{
    std::string text;
    for (const RegisterField& field : kRegisterFields)
        text += std::string(field.name) + "=" + HexByte(registers.*field.member) + "\n";
    return text;
}

std::vector<std::string> SplitRegisterWords(std::string_view text)
{
    std::vector<std::string> words;
    std::string word;
    bool inComment = false;
    for (const char c : text) {
        if (c == '\n')
            inComment = false;
        const bool separator = c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '#' || inComment;
        if (c == '#')
            inComment = true;
        if (separator) {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

RegisterSet ReadRegisterValues(const std::vector<std::string>& words)
{
    std::size_t named = 0;
    for (const std::string& word : words)
        named += word.find('=') != std::string::npos;
    if (named != 0 && named != words.size())
        throw UsageError("give the register values either all as NAME=VALUE or all bare, in the order " +
                         AllNames());

    RegisterSet registers;
    if (named == 0) {
        if (words.size() != kRegisterCount) {
            throw UsageError(Printf("decode needs the nine register values %s, got %zu", AllNames().c_str(),
                                    words.size()));
        }
        for (int i = 0; i < kRegisterCount; ++i)
            registers.*kRegisterFields[i].member = ReadField(kRegisterFields[i], words[i]);
        return registers;
    }

    bool seen[kRegisterCount] = {};
    for (const std::string& word : words) {
        const std::size_t equals = word.find('=');
        const std::string_view name = std::string_view(word).substr(0, equals);
        int index = 0;
        while (index < kRegisterCount && !SameNameIgnoringCase(name, kRegisterFields[index].name))
            ++index;
        if (index == kRegisterCount)
            throw UsageError("\"" + word + "\" names no register; the registers are " + AllNames());
        if (seen[index])
            throw UsageError(std::string(kRegisterFields[index].name) + " is given twice");
        seen[index] = true;
        registers.*kRegisterFields[index].member =
            ReadField(kRegisterFields[index], std::string_view(word).substr(equals + 1));
    }
    for (int i = 0; i < kRegisterCount; ++i) {
        if (!seen[i])
            throw UsageError(std::string(kRegisterFields[i].name) + " is missing; decode needs all of " +
                             AllNames());
    }
    return registers;
}

PllSetting Setting48Of(const RegisterSet& registers)
{
    return PllSetting{registers.reg07, registers.reg06,
                      registers.reg101 * kFractionBytesBase + registers.reg100, registers.reg11,
                      registers.reg97};
}

PllSetting Setting44Of(const RegisterSet& registers)
{
    return PllSetting{registers.reg07, registers.reg06,
                      registers.reg82 * kFractionBytesBase + registers.reg81, registers.reg11,
                      registers.reg80};
}
