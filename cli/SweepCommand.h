// quorvane-cli sweep: many requests, one row each, in request order.
#pragma once

#include <atomic>
#include <cstdio>
#include <optional>
#include <string>

struct SweepOptions {
    std::optional<std::string> fromText; // --from, --to and --step: a range in MHz
    std::optional<std::string> toText;
    std::optional<std::string> stepText;
    std::optional<std::string> crystalsText; // --crystals A,B,... or @FILE
    bool standard = false;                   // --standard: the built-in list
    std::string ratioText;                   // --ratio R[,R...]
    std::string format = "text";             // text, csv or json
    bool onlyOk = false;
    std::optional<std::string> maxPpmText;
    int jobs = 0; // threads; 0: one per core
};

// Where a sweep reports besides its rows.
struct SweepConsole {
    std::FILE* out = nullptr;                // rows
    std::FILE* err = nullptr;                // progress and the closing summary
    bool errIsTerminal = false;              // a progress bar only goes to a terminal
    const std::atomic<bool>* stop = nullptr; // set by Ctrl-C
};

// Runs the sweep. Returns kExitOk when every request ran, kExitInterrupted
// when `stop` ended it early; throws a CliError for refused input.
int RunSweepCommand(const SweepOptions& options, const SweepConsole& console);
