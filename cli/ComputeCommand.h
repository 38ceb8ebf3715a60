// quorvane-cli compute: one request through RunConfiguration.
#pragma once

#include <optional>
#include <string>

struct ComputeOptions {
    std::string xtiText;         // as typed: read with the crystal field's rules
    std::string ratioText;       // as typed: read with the ratio field's rules
    std::string format = "text"; // text, json or regs
    bool candidates = false;     // also list both candidate tables
    std::optional<std::string> maxPpmText;
};

// Runs the request and fills `out` (results) and `err` (diagnostics, each
// line starting with the program's name). Returns the exit code; throws a
// CliError for refused input.
int RunComputeCommand(const ComputeOptions& options, std::string& out, std::string& err);
