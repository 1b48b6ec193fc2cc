#pragma once

// What every benchmark here needs: a fine clock and a summary of samples.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace tuckaway::bench {

inline double Now() {
    static const double frequency = [] {
        LARGE_INTEGER value;
        ::QueryPerformanceFrequency(&value);
        return static_cast<double>(value.QuadPart);
    }();
    LARGE_INTEGER value;
    ::QueryPerformanceCounter(&value);
    return static_cast<double>(value.QuadPart) / frequency;
}

// Prints "what: n=.. median=.. p99=.. min=.. max=.." in milliseconds.
inline void Report(const char* what, std::vector<double> seconds) {
    if (seconds.empty()) {
        std::printf("%s: no samples\n", what);
        return;
    }
    std::sort(seconds.begin(), seconds.end());
    const auto at = [&](double fraction) {
        return seconds[static_cast<std::size_t>(fraction * static_cast<double>(seconds.size() - 1) + 0.5)] *
               1000.0;
    };
    std::printf("%s: n=%zu median=%.3f ms p99=%.3f ms min=%.3f ms max=%.3f ms\n", what, seconds.size(),
                at(0.5), at(0.99), seconds.front() * 1000.0, seconds.back() * 1000.0);
}

} // namespace tuckaway::bench
