// The nine device registers as text: names, labels, ranges, and the way
// back from register values to the two PLL settings.
#pragma once

#include "PllEngine.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct RegisterField {
    const char* name;                  // "R07": the name in REGISTER=VALUE lines
    const char* key;                   // "reg07": the engine's field name, for JSON and CSV
    const char* label;                 // "Register 07": the dialog's label
    std::int32_t RegisterSet::*member; // where the value lives
    std::int32_t maximum;              // highest value the field can hold
    const char* meaning;               // what the value programs, for error texts
};

inline constexpr int kRegisterCount = 9;

// In the dialog's order: 07, 06, 11, 80, 81, 82, 97, 100, 101.
extern const RegisterField kRegisterFields[kRegisterCount];

// One "R07=0x00" line per register, in the dialog's order.
std::string RegisterAssignmentsText(const RegisterSet& registers);

// The words of a register listing: separated by blanks, tabs and line
// breaks, with "#" starting a comment that runs to the end of its line.
std::vector<std::string> SplitRegisterWords(std::string_view text);

// Nine register values, either all bare in the dialog's order or all as
// NAME=VALUE in any order; each value decimal or 0x hexadecimal and inside
// its field's range. Throws a usage error that names the offending register.
RegisterSet ReadRegisterValues(const std::vector<std::string>& words);

// The settings that the registers program: the shared input divider,
// multiplier and DSP divider, and each family's fraction and OCLK divider.
PllSetting Setting48Of(const RegisterSet& registers);
PllSetting Setting44Of(const RegisterSet& registers);
