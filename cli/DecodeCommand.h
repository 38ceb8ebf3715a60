// quorvane-cli decode: from nine register values back to the clocks.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct DecodeOptions {
    std::string xtiText;                  // crystal in MHz, read with the crystal field's rules
    std::vector<std::string> values;      // the register values; empty: read `standardInput`
    std::optional<std::string> ratioText; // gives targets and ppm errors
    std::string format = "text";          // text or json
};

// Rebuilds both settings, checks every register's range and fills `out`
// with the clocks. Returns the exit code; throws a CliError for refused
// input. `standardInput` is read only when no values were given.
int RunDecodeCommand(const DecodeOptions& options, std::string_view standardInput, std::string& out);
