// What a reader of the command line says when it refuses its input: the
// text of the usage error the action throws, checked to mean exit code 2.
#pragma once

#include "CliError.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

inline std::string UsageErrorText(const std::function<void()>& action)
{
    try {
        action();
    } catch (const CliError& e) {
        EXPECT_EQ(e.ExitCode(), 2);
        return e.what();
    }
    return "(no error)";
}
