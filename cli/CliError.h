// A failure that ends a command: its text goes to standard error after the
// program's name, its exit code becomes the program's status.
#pragma once

#include <stdexcept>
#include <string>

class CliError : public std::runtime_error {
public:
    CliError(int exitCode, const std::string& message);
    int ExitCode() const { return m_exitCode; }

private:
    int m_exitCode;
};

// Shorthand for the most common failure: refused input or a bad argument.
CliError UsageError(const std::string& message);
