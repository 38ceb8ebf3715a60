#include "CliError.h"

#include "ExitCode.h"

CliError::CliError(int exitCode, const std::string& message)
    : std::runtime_error(message), m_exitCode(exitCode)
{
}

CliError UsageError(const std::string& message)
{
    return CliError(kExitUsage, message);
}
