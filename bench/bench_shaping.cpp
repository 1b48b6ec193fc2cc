// Measures, inside Wine, how long shaping a dialog takes: ScanPicture plus
// ApplyRgn on a borderless window, for each skin; and decoding each skin.
// Prints the median of N runs and the number of region calls one shaping makes.
//
//   bench_shaping [N]   N runs per skin (default 200)

#include "handles/Handles.h"
#include "shaping/Picture.h"
#include "shaping/Region.h"
#include "shaping/RunScan.h"
#include "shaping/cDIBSection.h"

#include "bench/Timing.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using tuckaway::bench::Now;
using tuckaway::bench::Report;

using namespace tuckaway;

// Region calls per shaping, whatever the skin: the empty region and the one
// that holds every run of the scan, then ApplyRgn's create, combine and
// SetWindowRgn.
constexpr int kRegionCalls = 2 + 3;

int Measure(const char* name, int id, int runs) {
    const auto skin = shaping::LoadPictureResource(::GetModuleHandleW(nullptr), id);
    if (!skin) {
        std::fprintf(stderr, "%s: skin %d did not load\n", name, id);
        return 1;
    }
    BITMAP size{};
    ::GetObjectW(skin.get(), sizeof size, &size);
    const win32::UniqueWindow window(::CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP, 0, 0, size.bmWidth,
                                                       size.bmHeight, nullptr, nullptr,
                                                       ::GetModuleHandleW(nullptr), nullptr));
    if (!window) {
        std::fprintf(stderr, "%s: no window\n", name);
        return 1;
    }
    shaping::Region region;
    std::vector<double> samples;
    for (int run = 0; run < runs; ++run) {
        COLORREF key = 1;
        const double start = Now();
        region.ScanPicture(skin.get(), key);
        const bool applied = region.ApplyRgn(window.get());
        samples.push_back(Now() - start);
        if (!applied) {
            std::fprintf(stderr, "%s: ApplyRgn failed\n", name);
            return 1;
        }
    }
    std::sort(samples.begin(), samples.end());
    std::printf("%s %ldx%ld: n=%d median=%.3f ms min=%.3f ms max=%.3f ms region calls per shaping=%d\n", name,
                size.bmWidth, size.bmHeight, runs, samples[samples.size() / 2] * 1000.0,
                samples.front() * 1000.0, samples.back() * 1000.0, kRegionCalls);
    samples.clear();
    for (int run = 0; run < runs; ++run) {
        const double start = Now();
        const auto decoded = shaping::LoadPictureResource(::GetModuleHandleW(nullptr), id);
        samples.push_back(Now() - start);
    }
    Report((std::string(name) + ": decoding the skin").c_str(), samples);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    return Measure("hotkey", 201, runs) + Measure("main", 202, runs);
}
