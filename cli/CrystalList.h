// The crystals and ratios of a sweep: an evenly spaced range, a list given
// on the command line or in a file, or the built-in list of common crystals.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// The most requests one sweep takes: a mistyped step should fail at once,
// not run for days. The fuzzing build lowers it, so that every sweep that
// the fuzzer tries ends in moments.
#ifndef QUORVANE_MAX_SWEEP_REQUESTS
#define QUORVANE_MAX_SWEEP_REQUESTS 100000000
#endif
inline constexpr std::size_t kMaxSweepRequests = QUORVANE_MAX_SWEEP_REQUESTS;

// The largest crystal list file a sweep reads: room for about a million
// crystals, far more than any bench keeps, and a bound on what a path that
// never ends (/dev/zero) costs.
inline constexpr std::size_t kMaxCrystalFileBytes = 16 * 1024 * 1024;

class CrystalSequence {
public:
    // from, from + step, ... up to and including `to`. Crystal i is the
    // double nearest to the exact decimal value from + i x step, where from
    // and step stand for the shortest decimals of the given doubles: each
    // crystal is the number a user typing its printed value gets, and no
    // rounding accumulates over the range. Throws a usage error naming the
    // faulty option.
    static CrystalSequence Range(double from, double to, double step);
    static CrystalSequence List(std::vector<double> crystals);

    std::size_t Size() const { return m_count; }
    double At(std::size_t index) const;

private:
    std::vector<double> m_list;
    bool m_isRange = false;
    __int128 m_first = 0; // from, in units of 10^m_exponent
    __int128 m_step = 0;  // step, in the same units
    int m_exponent = 0;
    std::size_t m_count = 0;
};

// "--crystals" as given: "A,B,C" or "@FILE". A file holds crystals separated
// by commas, blanks or line breaks, "#" starting a comment, and is refused
// beyond kMaxCrystalFileBytes. Every crystal is read with the crystal
// field's rules; refusals name the entry or the line.
std::vector<double> ReadCrystalList(std::string_view argument);

// The crystals of a file's text; `origin` names the file in refusals.
std::vector<double> ParseCrystalText(std::string_view text, std::string_view origin);

// "--ratio" as given: "R" or "R,R,...", each read with the ratio field's rules.
std::vector<std::int32_t> ReadRatioList(std::string_view argument);

// Common audio and video crystal frequencies in MHz, rising.
const std::vector<double>& StandardCrystalsMHz();
