// The exit statuses of quorvane-cli; scripts rely on them, so they never change.
#pragma once

enum ExitCode : int {
    kExitOk = 0,            // the request succeeded (a sweep: it ran to its end)
    kExitEngineFailure = 1, // the engine found no configuration for the request
    kExitUsage = 2,         // refused input or bad arguments
    kExitMaxPpm = 3,        // the result's OCLK error exceeds --max-ppm
    kExitOutput = 4,        // the output could not be written, or the system failed otherwise
    kExitInterrupted = 130, // a sweep stopped by Ctrl-C (128 + SIGINT, as shells report it)
};
