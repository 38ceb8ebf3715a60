// What the fuzz targets do when a property fails: say which one, with the
// values involved, and abort, so that libFuzzer keeps the input as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_REQUIRE(condition, ...)                                                                         \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: property failed: %s\n  ", __FILE__, __LINE__, #condition);          \
            std::fprintf(stderr, __VA_ARGS__);                                                               \
            std::fprintf(stderr, "\n");                                                                      \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)
