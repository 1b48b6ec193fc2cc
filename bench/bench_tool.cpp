// Measures, inside Wine, how quickly a program reacts to the hot keys and how
// soon after its start the first one works. The same measurement runs on
// Tuckaway and on the floor program, so the two can be compared in one run.
// Prints one result line per measurement.
//
//   bench_tool hotkey N        with a program holding Control+Z (hide) and
//                              Control+Shift+Z (restore) for "Quake 3: Arena":
//                              shows a stand-in game window, then presses the
//                              two keys in turn, N presses in all, timing each
//                              until the window is hidden or shown again
//   bench_tool start EXE N     with the same stand-in shown, starts EXE N times
//                              and presses Control+Z until the window hides;
//                              also says when Tuckaway's windows appeared

#include "bench/Timing.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using tuckaway::bench::Now;
using tuckaway::bench::Report;

void Keys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *--it;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Another process hides and shows our window through messages to this
// thread, and waits until they are handled: every wait here pumps.
void Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::DispatchMessageW(&message);
    }
}

// Pumps until the window has the visibility wanted.
bool WaitVisible(HWND window, bool visible, double limit) {
    const double start = Now();
    while (Now() - start < limit) {
        Pump();
        if ((::IsWindowVisible(window) != FALSE) == visible) {
            return true;
        }
        ::Sleep(0);
    }
    return false;
}

// Pumps until the process has ended; false if it has not within the limit.
bool WaitForExit(HANDLE process, double limit) {
    const double start = Now();
    while (Now() - start < limit) {
        if (::MsgWaitForMultipleObjects(1, &process, FALSE, 50, QS_ALLINPUT) == WAIT_OBJECT_0) {
            return true;
        }
        Pump();
    }
    return false;
}

// The stand-in game: a visible window titled as the game, in front.
HWND ShowGame() {
    WNDCLASSW description{};
    description.lpfnWndProc = &::DefWindowProcW;
    description.hInstance = ::GetModuleHandleW(nullptr);
    description.lpszClassName = L"TuckawayBenchGame";
    ::RegisterClassW(&description);
    HWND game =
        ::CreateWindowExW(0, L"TuckawayBenchGame", L"Quake 3: Arena", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50,
                          50, 320, 240, nullptr, nullptr, description.hInstance, nullptr);
    ::SetForegroundWindow(game);
    WaitVisible(game, true, 5.0);
    ::Sleep(1000); // keys typed while a new window settles were seen lost
    return game;
}

int Hotkey(int presses) {
    HWND game = ShowGame();
    std::vector<double> samples;
    for (int press = 0; press < presses; ++press) {
        const bool hide = press % 2 == 0;
        const double start = Now();
        if (hide) {
            Keys({VK_CONTROL, 'Z'});
        } else {
            Keys({VK_CONTROL, VK_SHIFT, 'Z'});
        }
        if (!WaitVisible(game, !hide, 5.0)) {
            std::fprintf(stderr, "press %d did not %s the window\n", press + 1, hide ? "hide" : "show");
            return 1;
        }
        samples.push_back(Now() - start);
    }
    Report("hot-key press to game hidden or shown", samples);
    ::DestroyWindow(game);
    return 0;
}

BOOL CALLBACK CloseWindowOf(HWND window, LPARAM process) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(process)) {
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

// Asks the program to end as a user would (its windows are closed, its thread
// told to quit), and ends it only if it does not.
void Close(const PROCESS_INFORMATION& process) {
    ::EnumWindows(&CloseWindowOf, static_cast<LPARAM>(process.dwProcessId));
    ::PostThreadMessageW(process.dwThreadId, WM_QUIT, 0, 0);
    if (!WaitForExit(process.hProcess, 5.0)) {
        ::TerminateProcess(process.hProcess, 1);
        WaitForExit(process.hProcess, 5.0);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

// Tuckaway's windows, in the order start-up makes them appear; a program
// without them (the floor) reports none.
struct Milestone {
    const char* what;
    const wchar_t* windowClass;
    bool visible;
    std::vector<double> seen;
};

int Start(const wchar_t* exe, int runs) {
    HWND game = ShowGame();
    std::array milestones{
        Milestone{"start to main window created", L"Tuckaway.Varer", false, {}},
        Milestone{"start to main dialog created", L"Tuckaway.frmAbout", false, {}},
        Milestone{"start to main dialog shown", L"Tuckaway.frmAbout", true, {}},
        Milestone{"start to hot-key dialog created", L"Tuckaway.Form1", false, {}},
    };
    std::vector<double> samples;
    for (int run = 0; run < runs; ++run) {
        std::wstring commandLine = L"\"" + std::wstring(exe) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        const double start = Now();
        if (!::CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process)) {
            std::fprintf(stderr, "cannot start the program (%lu)\n", ::GetLastError());
            return 1;
        }
        std::array<double, milestones.size()> seen{};
        bool hidden = false;
        while (!hidden && Now() - start < 20.0) {
            for (std::size_t i = 0; i < milestones.size(); ++i) {
                HWND window = ::FindWindowW(milestones[i].windowClass, nullptr);
                if (seen[i] == 0.0 && window && (!milestones[i].visible || ::IsWindowVisible(window))) {
                    seen[i] = Now() - start;
                }
            }
            Keys({VK_CONTROL, 'Z'});
            hidden = WaitVisible(game, false, 0.002);
        }
        const double elapsed = Now() - start;
        Close(process);
        if (!hidden) {
            std::fprintf(stderr, "Control+Z never hid the window (run %d)\n", run + 1);
            return 1;
        }
        samples.push_back(elapsed);
        for (std::size_t i = 0; i < milestones.size(); ++i) {
            if (seen[i] != 0.0) {
                milestones[i].seen.push_back(seen[i]);
            }
        }
        ::ShowWindow(game, SW_SHOWNORMAL);
        ::SetForegroundWindow(game);
        WaitVisible(game, true, 5.0);
    }
    Report("start to first hot key that hides", samples);
    for (const Milestone& milestone : milestones) {
        if (milestone.seen.size() == samples.size()) {
            Report(milestone.what, milestone.seen);
        }
    }
    ::DestroyWindow(game);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"hotkey") {
        return Hotkey(_wtoi(argv[2]));
    }
    if (argc == 4 && std::wstring(argv[1]) == L"start") {
        return Start(argv[2], _wtoi(argv[3]));
    }
    std::fprintf(stderr, "usage: bench_tool hotkey N | bench_tool start EXE N\n");
    return 2;
}
