// Times the detection tick and the check-box cut inside the real program,
// assembled as the entry point assembles it, under the real system.
//
//   bench_tick N   runs start-up (automatic detection, no game), then N ticks
//                  and, as their floor, N times the ten title lookups alone,
//                  and N times the tick's one pass over the windows for the
//                  nine titles and for 32 more, by turns;
//                  then the check-box cut and, as a reference only, the same
//                  cut made with one GetPixel per pixel.

#include "exe/Application.h"
#include "handles/Handles.h"
#include "state/Catalogue.h"
#include "windows/Text.h"

#include "bench/Timing.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using tuckaway::bench::Now;
using tuckaway::bench::Report;

// As the message loop does, with an Idle event whenever nothing is waiting:
// the rest of start-up runs in them.
void Pump(tuckaway::Tuckaway& logic, double seconds) {
    const double end = Now() + seconds;
    while (Now() < end) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        logic.Idle();
        ::Sleep(1);
    }
}

// The per-pixel method the run cut replaces: one GetPixel and one region
// combine per background pixel. Kept here only to compare against.
void CutPixelByPixel(HWND control) {
    using namespace tuckaway::win32;
    RECT client{};
    ::GetClientRect(control, &client);
    UniqueRegion region(::CreateRectRgn(0, 0, client.right, client.bottom));
    const COLORREF key = ::GetSysColor(COLOR_BTNFACE);
    const WindowDc dc(control);
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            if (::GetPixel(dc.get(), x, y) == key) {
                const UniqueRegion pixel(::CreateRectRgn(x, y, x + 1, y + 1));
                ::CombineRgn(region.get(), region.get(), pixel.get(), RGN_XOR);
            }
        }
    }
    if (::SetWindowRgn(control, region.get(), TRUE)) {
        (void)region.release();
    }
}

} // namespace

int main(int argc, char** argv) {
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 1000;
    tuckaway::win32::Application application(::GetModuleHandleW(nullptr));
    tuckaway::Tuckaway& logic = application.logic();
    if (!logic.varer.Form_Load()) {
        std::fprintf(stderr, "another instance is running\n");
        return 1;
    }
    Pump(logic, 1.0);

    std::vector<double> samples;
    for (int i = 0; i < ticks; ++i) {
        const double start = Now();
        logic.varer.Timer1_Timer();
        samples.push_back(Now() - start);
    }
    Report("one tick (automatic detection, no game)", samples);

    std::vector<std::wstring> titles{tuckaway::win32::Wide(tuckaway::catalogue::kAutomaticTitle)};
    const tuckaway::catalogue::Catalogue catalogue;
    for (const auto& game : catalogue.ProbeOrder()) {
        titles.push_back(tuckaway::win32::Wide(game.windowTitle));
    }
    samples.clear();
    for (int i = 0; i < ticks; ++i) {
        const double start = Now();
        for (const std::wstring& title : titles) {
            ::FindWindowW(nullptr, title.c_str());
        }
        samples.push_back(Now() - start);
    }
    Report("ten title lookups alone", samples);

    // The tick's one pass over the windows, for the nine titles and for the
    // nine and 32 more, taking turns in this one process, where the system's
    // own variation falls on both alike.
    std::vector<std::string> added;
    for (int i = 1; i <= 32; ++i) {
        // Appended: GCC 12 warns, wrongly, about `"text" + std::string`.
        added.emplace_back("Bench title ").append(std::to_string(i));
    }
    std::vector<std::string_view> nine;
    for (const auto& game : catalogue.ProbeOrder()) {
        nine.push_back(game.windowTitle);
    }
    std::vector<std::string_view> many = nine;
    many.insert(many.end(), added.begin(), added.end());
    tuckaway::win32::Windows windows;
    std::vector<double> passNine;
    std::vector<double> passMany;
    for (int i = 0; i < ticks; ++i) {
        double start = Now();
        (void)windows.FindWindows(nine);
        passNine.push_back(Now() - start);
        start = Now();
        (void)windows.FindWindows(many);
        passMany.push_back(Now() - start);
    }
    Report("one pass, nine titles", passNine);
    Report("one pass, nine titles and 32 added", passMany);

    HWND check = application.ui().mainDialog().Control(tuckaway::win32::MainDialogControl::ScreenResCheck);
    std::vector<double> runs;
    std::vector<double> pixels;
    for (int i = 0; i < 20; ++i) {
        application.ui().SetControlTransparent(false);
        ::RedrawWindow(check, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        double start = Now();
        application.ui().SetControlTransparent(true);
        runs.push_back(Now() - start);

        application.ui().SetControlTransparent(false);
        ::RedrawWindow(check, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        start = Now();
        CutPixelByPixel(check);
        pixels.push_back(Now() - start);
    }
    Report("check-box cut, one copy and whole runs", runs);
    Report("check-box cut, GetPixel per pixel (reference)", pixels);
    logic.varer.Form_Unload();
    return 0;
}
