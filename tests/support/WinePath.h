// The build hands tests the paths of programs as paths of the build machine;
// under Wine the Unix root is drive Z:.
#pragma once

#include <string>

inline std::string WindowsPathOf(std::string path)
{
    if (!path.empty() && path[0] == '/') {
        for (char& c : path)
            c = c == '/' ? '\\' : c;
        path = "Z:" + path;
    }
    return path;
}
