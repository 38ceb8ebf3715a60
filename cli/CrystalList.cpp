#include "CrystalList.h"

#include "CliError.h"
#include "InputRules.h"
#include "NumberText.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <string>
#include <system_error>

namespace {

// A list file is read in pieces of this size.
constexpr std::size_t kListFilePieceBytes = 65536;
constexpr std::size_t kBytesPerMiB = 1024 * 1024;

// Decimal exponents of from, to and step may lie this far apart: 17 digits
// of mantissa scaled by 10^20 stay inside a 128-bit integer.
constexpr int kMaxExponentSpread = 20;

// value = mantissa x 10^exponent, exactly.
struct Decimal {
    __int128 mantissa = 0;
    int exponent = 0;
};

// The shortest decimal that reads back to `value`, taken apart.
Decimal DecimalOf(double value)
{
    char text[64];
    const std::to_chars_result result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    Decimal decimal;
    const char* p = text;
    bool negative = false;
    if (*p == '-') {
        negative = true;
        ++p;
    }
    int fractionDigits = 0;
    bool afterPoint = false;
    for (; p < result.ptr && *p != 'e'; ++p) {
        if (*p == '.') {
            afterPoint = true;
            continue;
        }
        decimal.mantissa = decimal.mantissa * 10 + (*p - '0');
        fractionDigits += afterPoint;
    }
    int exponent = 0;
    std::from_chars(*(p + 1) == '+' ? p + 2 : p + 1, result.ptr, exponent);
    decimal.exponent = exponent - fractionDigits;
    if (negative)
        decimal.mantissa = -decimal.mantissa;
    return decimal;
}

__int128 PowerOfTen(int n)
{
    __int128 power = 1;
    while (n-- > 0)
        power *= 10;
    return power;
}

std::string DigitsOf(__int128 value)
{
    const bool negative = value < 0;
    std::string digits;
    do {
        const int digit = static_cast<int>(value % 10);
        digits.insert(digits.begin(), static_cast<char>('0' + (negative ? -digit : digit)));
        value /= 10;
    } while (value != 0);
    return negative ? "-" + digits : digits;
}

std::string Quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

std::vector<std::string_view> SplitAtCommas(std::string_view text)
{
    std::vector<std::string_view> items;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t comma = text.find(',', begin);
        items.push_back(
            text.substr(begin, comma == std::string_view::npos ? std::string_view::npos : comma - begin));
        if (comma == std::string_view::npos)
            return items;
        begin = comma + 1;
    }
}

std::string EntryName(const char* option, std::size_t index, std::size_t count, std::string_view item)
{
    if (count == 1)
        return option;
    return Printf("%s, entry %zu (%s)", option, index + 1, Quoted(item).c_str());
}

// The whole of an opened list file, in pieces and only up to the bound:
// a path such as /dev/zero never ends. A failing read (a directory opens
// but cannot be read) is refused like a missing file.
std::string ReadListFile(std::ifstream& file, const std::string& path)
{
    std::string text;
    char piece[kListFilePieceBytes];
    errno = 0;
    while (file.read(piece, sizeof piece), file.gcount() > 0) {
        text.append(piece, static_cast<std::size_t>(file.gcount()));
        if (text.size() > kMaxCrystalFileBytes)
            throw UsageError(Printf("--crystals: %s is larger than %zu MiB", Quoted(path).c_str(),
                                    kMaxCrystalFileBytes / kBytesPerMiB));
    }
    if (file.bad()) {
        const int error = errno;
        throw UsageError("--crystals: cannot read " + Quoted(path) +
                         (error ? ": " + std::string(std::strerror(error)) : ""));
    }
    return text;
}

} // namespace

CrystalSequence CrystalSequence::Range(double from, double to, double step)
{
    if (!std::isfinite(from))
        throw UsageError("--from: the range must start at a finite frequency");
    if (!std::isfinite(to))
        throw UsageError("--to: the range must end at a finite frequency");
    if (!std::isfinite(step) || !(step > 0.0))
        throw UsageError("--step: the step must be a finite frequency above 0 MHz");
    if (to < from)
        throw UsageError("--to: the range ends below its start (--from)");

    const Decimal parts[] = {DecimalOf(from), DecimalOf(to), DecimalOf(step)};
    int lowest = 0;
    bool any = false;
    for (const Decimal& d : parts) {
        if (d.mantissa != 0 && (!any || d.exponent < lowest)) {
            lowest = d.exponent;
            any = true;
        }
    }
    __int128 scaled[3];
    for (int i = 0; i < 3; ++i) {
        const int shift = parts[i].mantissa == 0 ? 0 : parts[i].exponent - lowest;
        if (shift > kMaxExponentSpread)
            throw UsageError("--step: the step is too fine for a range that long to be stepped exactly");
        scaled[i] = parts[i].mantissa * PowerOfTen(shift);
    }

    const __int128 count = (scaled[1] - scaled[0]) / scaled[2] + 1;
    if (count > static_cast<__int128>(kMaxSweepRequests)) {
        throw UsageError(Printf("--step: the range holds %.0f crystals; a sweep takes at most %zu requests",
                                static_cast<double>(count), kMaxSweepRequests));
    }
    CrystalSequence sequence;
    sequence.m_isRange = true;
    sequence.m_first = scaled[0];
    sequence.m_step = scaled[2];
    sequence.m_exponent = lowest;
    sequence.m_count = static_cast<std::size_t>(count);
    return sequence;
}

CrystalSequence CrystalSequence::List(std::vector<double> crystals)
{
    CrystalSequence sequence;
    sequence.m_count = crystals.size();
    sequence.m_list = std::move(crystals);
    return sequence;
}

double CrystalSequence::At(std::size_t index) const
{
    if (!m_isRange)
        return m_list[index];
    // One correctly rounded conversion of the exact decimal.
    const __int128 units = m_first + static_cast<__int128>(index) * m_step;
    const std::string text = DigitsOf(units) + "e" + std::to_string(m_exponent);
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::vector<double> ReadCrystalList(std::string_view argument)
{
    if (!argument.empty() && argument.front() == '@') {
        const std::string path(argument.substr(1));
        std::ifstream file(path, std::ios::binary);
        if (!file)
            throw UsageError("--crystals: cannot read " + Quoted(path) + ": " + std::strerror(errno));
        return ParseCrystalText(ReadListFile(file, path), path);
    }
    const std::vector<std::string_view> items = SplitAtCommas(argument);
    std::vector<double> crystals;
    for (std::size_t i = 0; i < items.size(); ++i)
        crystals.push_back(ReadNumberInput(EntryName("--crystals", i, items.size(), items[i]), items[i]));
    return crystals;
}

std::vector<double> ParseCrystalText(std::string_view text, std::string_view origin)
{
    std::vector<double> crystals;
    int line = 1;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '\n') {
            ++line;
            ++pos;
        } else if (c == '#') {
            while (pos < text.size() && text[pos] != '\n')
                ++pos;
        } else if (c == ',' || c == ' ' || c == '\t' || c == '\r') {
            ++pos;
        } else {
            const std::size_t end = text.find_first_of(", \t\r\n#", pos);
            const std::string_view word = text.substr(pos, end == std::string_view::npos ? end : end - pos);
            crystals.push_back(ReadNumberInput(Printf("%.*s:%d (%s)", static_cast<int>(origin.size()),
                                                      origin.data(), line, Quoted(word).c_str()),
                                               word));
            pos += word.size();
        }
    }
    if (crystals.empty())
        throw UsageError("--crystals: " + Quoted(origin) + " holds no crystal frequency");
    return crystals;
}

std::vector<std::int32_t> ReadRatioList(std::string_view argument)
{
    const std::vector<std::string_view> items = SplitAtCommas(argument);
    std::vector<std::int32_t> ratios;
    for (std::size_t i = 0; i < items.size(); ++i)
        ratios.push_back(ReadIntegerInput(EntryName("--ratio", i, items.size(), items[i]), items[i]));
    return ratios;
}

const std::vector<double>& StandardCrystalsMHz()
{
    static const std::vector<double> crystals = {
        3.579545,   // NTSC colour subcarrier
        4.43361875, // PAL colour subcarrier
        8.0,        // general purpose
        10.0,       // general purpose
        11.2896,    // 256 x 44.1 kHz
        12.0,       // general purpose
        12.288,     // 256 x 48 kHz
        13.5,       // BT.601 luma sampling
        14.31818,   // 4 x NTSC subcarrier
        16.0,       // general purpose
        16.9344,    // 384 x 44.1 kHz
        17.734475,  // 4 x PAL subcarrier
        18.432,     // 384 x 48 kHz
        19.2,       // radio and GPS
        20.0,       // general purpose
        22.5792,    // 512 x 44.1 kHz
        24.0,       // general purpose, USB
        24.576,     // 512 x 48 kHz
        25.0,       // Ethernet
        26.0,       // radio
        27.0,       // MPEG system clock, BT.601
        28.63636,   // 8 x NTSC subcarrier
        32.0,       // general purpose
        33.8688,    // 768 x 44.1 kHz
        35.46895,   // 8 x PAL subcarrier
        36.864,     // 768 x 48 kHz
        38.4,       // radio
        40.0,       // general purpose
        45.1584,    // 1024 x 44.1 kHz
        48.0,       // general purpose
        49.152,     // 1024 x 48 kHz
        50.0,       // general purpose
        54.0,       // 2 x 27 MHz video
        74.175824,  // HD video at 1000/1001
        74.25,      // HD video
        148.5,      // full-HD video
    };
    return crystals;
}
