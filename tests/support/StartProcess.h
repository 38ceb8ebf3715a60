// Starting a child program from a Windows test. Under Wine on a busy machine
// CreateProcess has failed once and would have succeeded the next moment
// (seen once on a CI machine; not reproduced in some thousands of starts
// here, idle or loaded), which says nothing about the program under test. A few spaced attempts keep that out
// of the results; a program that really cannot start still fails every
// attempt, and the error code of the last one is handed back for the test's
// message.
#pragma once

#ifdef _WIN32
#include <windows.h>

#include <cstdio>
#include <string>

struct ProcessStart {
    bool started = false;
    DWORD lastError = 0;
    int attempts = 0;
};

inline ProcessStart StartProcess(std::string commandLine, bool inheritHandles, STARTUPINFOA& startup,
                                 PROCESS_INFORMATION& process)
{
    constexpr int kAttempts = 4;
    ProcessStart result;
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        result.attempts = attempt;
        // CreateProcessA may write into the command line, so each attempt
        // gets the text afresh.
        std::string text = commandLine;
        if (::CreateProcessA(nullptr, text.data(), nullptr, nullptr, inheritHandles ? TRUE : FALSE, 0,
                             nullptr, nullptr, &startup, &process)) {
            if (attempt > 1)
                std::fprintf(stderr, "note: %s started at attempt %d (error %lu before)\n",
                             commandLine.c_str(), attempt, static_cast<unsigned long>(result.lastError));
            result.started = true;
            return result;
        }
        result.lastError = ::GetLastError();
        ::Sleep(200u * static_cast<DWORD>(attempt));
    }
    return result;
}

inline std::string DescribeFailedStart(const std::string& commandLine, const ProcessStart& start)
{
    return "cannot start " + commandLine + " (error " + std::to_string(start.lastError) + " after " +
           std::to_string(start.attempts) + " attempts)";
}
#endif
