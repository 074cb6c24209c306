#pragma once
// Resident set size in MB, from /proc/self/status ("VmRSS" now, "VmHWM" the peak).
#include <fstream>
#include <string>

inline double procStatusMb(const char *key)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(key) + ":";
    while (std::getline(in, line))
        if (line.compare(0, prefix.size(), prefix) == 0)
            return std::stod(line.substr(prefix.size())) / 1024.0;
    return 0;
}
