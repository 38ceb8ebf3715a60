// Stands in for a browser in the link tests: writes the command line it was
// started with into the file named by QUORVANE_RECORDER_OUT.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main()
{
    const char* out = std::getenv("QUORVANE_RECORDER_OUT");
    if (out == nullptr)
        return 2;
    std::FILE* file = std::fopen(out, "wb");
    if (file == nullptr)
        return 3;
    std::fputs(::GetCommandLineA(), file);
    std::fclose(file);
    return 0;
}
