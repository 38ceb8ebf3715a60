// The four worked requests with everything known of their answers: the
// texts typed into the fields, the registers, the dialog's clock texts and
// the exact OCLK doubles. The engine, command-line and window tests all
// check against this one table.
#pragma once

#include <array>
#include <cstdint>

struct WorkedRequest {
    const char* xtiText;   // as typed into the crystal field
    const char* ratioText; // as typed into the ratio field
    double xtiMHz;
    int ratio;
    int inputDivider;
    std::array<int, 9> registers;       // 07, 06, 11, 80, 81, 82, 97, 100, 101
    std::array<const char*, 3> shown48; // VCO, DSP, OCLK in MHz as the dialog shows them
    std::array<const char*, 3> shown44;
    // The OCLK bit patterns pin the Linux and the Windows build to the same
    // doubles, not merely to the same printed digits.
    std::uint64_t oclkBits48;
    std::uint64_t oclkBits44;
};

inline constexpr WorkedRequest kWorkedRequests[] = {
    {"14.31818",
     "256",
     14.31818,
     256,
     0,
     {0, 12, 3, 16, 119, 103, 15, 58, 187},
     {"196.61", "24.58", "12.288"},
     {"191.92", "23.99", "11.290"},
     0x41676ffff58d5000,
     0x4165887fc5e2cb4b},
    {"27",
     "384",
     27.0,
     384,
     1,
     {1, 12, 3, 10, 100, 204, 9, 65, 167},
     {"184.32", "23.04", "18.432"},
     {"186.28", "23.28", "16.934"},
     0x4171940030570000,
     0x4170266011422e8c},
    {"33.8688",
     "256",
     33.8688,
     256,
     2,
     {2, 16, 3, 16, 0, 0, 15, 59, 106},
     {"196.61", "24.58", "12.288"},
     {"191.92", "23.99", "11.290"},
     0x41676fffb7580000,
     0x4165888000000000},
    {"27",
     "512",
     27.0,
     512,
     1,
     {1, 9, 2, 5, 3, 9, 5, 52, 236},
     {"147.46", "24.58", "24.576"},
     {"135.48", "22.58", "22.579"},
     0x4177700040740000,
     0x4175888048f30000},
};
