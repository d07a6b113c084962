#pragma once

#include <fstream>
#include <string>

namespace mensurio::testing {

// Under AddressSanitizer freed memory is held back on purpose, so the resident size says
// nothing there; that build looks for leaks with LeakSanitizer instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMeasureMemory = false;
#else
constexpr bool kMeasureMemory = true;
#endif

inline long residentKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

} // namespace mensurio::testing
