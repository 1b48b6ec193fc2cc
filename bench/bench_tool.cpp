// Measures, inside Wine, how quickly a program reacts to the hot keys and how
// soon after its start the first one works. The same measurement runs on
// Tuckaway and on the floor program, so the two can be compared in one run.
// Prints one result line per measurement.
//
//   bench_tool hotkey N        with a program holding Control+Z (hide) and
//                              Control+Shift+Z (restore) for "Quake 3: Arena":
//                              shows a stand-in game window, then presses the
//                              two keys in turn, N presses 50 ms apart, timing
//                              each until the window is hidden or shown again
//   bench_tool start N EXE...  with the same stand-in shown, starts each EXE N
//                              times, taking turns, and presses Control+Z every
//                              10 ms until the window hides; also says when
//                              Tuckaway's windows appeared

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

std::string Narrow(const std::wstring& wide) {
    return std::string(wide.begin(), wide.end()); // file names of the build: ASCII
}

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

void PumpFor(double seconds) {
    const double start = Now();
    while (Now() - start < seconds) {
        Pump();
        ::Sleep(1);
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
    std::array<std::vector<double>, 2> each; // hides, shows
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
        each[hide ? 0 : 1].push_back(samples.back());
        // A user's presses are far apart: each one meets a program that has
        // finished with the last (Tuckaway still brings its own window to the
        // front after hiding the game).
        PumpFor(0.05);
    }
    Report("hot-key press to game hidden or shown", samples);
    Report("  of which hidden", each[0]);
    Report("  of which shown", each[1]);
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
};
constexpr std::array kMilestones{
    Milestone{"start to main window created", L"Tuckaway.Varer", false},
    Milestone{"start to hot-key dialog created", L"Tuckaway.Form1", false},
    Milestone{"start to main dialog created", L"Tuckaway.frmAbout", false},
    Milestone{"start to main dialog shown", L"Tuckaway.frmAbout", true},
};

// One program's starts: until its first hot key hid the game, and until each milestone.
struct Starts {
    std::wstring exe;
    std::vector<double> hidden;
    std::array<std::vector<double>, kMilestones.size()> seen;
};

// Starts the program, presses Control+Z until the game hides, then closes it.
bool StartOnce(HWND game, Starts& starts) {
    std::wstring commandLine = L"\"" + starts.exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = Now();
    if (!::CreateProcessW(starts.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %ls (%lu)\n", starts.exe.c_str(), ::GetLastError());
        return false;
    }
    std::array<double, kMilestones.size()> seen{};
    bool hidden = false;
    while (!hidden && Now() - start < 20.0) {
        for (std::size_t i = 0; i < kMilestones.size(); ++i) {
            HWND window = ::FindWindowW(kMilestones[i].windowClass, nullptr);
            if (seen[i] == 0.0 && window && (!kMilestones[i].visible || ::IsWindowVisible(window))) {
                seen[i] = Now() - start;
            }
        }
        // Not more often: a program still handling one press would take the
        // next inside it (Tuckaway pumps messages before it hides).
        Keys({VK_CONTROL, 'Z'});
        hidden = WaitVisible(game, false, 0.010);
    }
    const double elapsed = Now() - start;
    Close(process);
    if (!hidden) {
        std::fprintf(stderr, "Control+Z never hid the window after starting %ls\n", starts.exe.c_str());
        return false;
    }
    starts.hidden.push_back(elapsed);
    for (std::size_t i = 0; i < kMilestones.size(); ++i) {
        if (seen[i] != 0.0) {
            starts.seen[i].push_back(seen[i]);
        }
    }
    ::ShowWindow(game, SW_SHOWNORMAL);
    ::SetForegroundWindow(game);
    return WaitVisible(game, true, 5.0);
}

// The programs take turns, so that a machine busy for a while slows all alike.
int Start(int runs, const std::vector<std::wstring>& exes) {
    HWND game = ShowGame();
    std::vector<Starts> programs;
    for (const std::wstring& exe : exes) {
        programs.push_back({exe, {}, {}});
    }
    for (int run = 0; run < runs; ++run) {
        for (Starts& starts : programs) {
            if (!StartOnce(game, starts)) {
                return 1;
            }
        }
    }
    for (const Starts& starts : programs) {
        const std::string name = Narrow(starts.exe.substr(starts.exe.find_last_of(L"\\/") + 1));
        Report((name + ": start to first hot key that hides").c_str(), starts.hidden);
        for (std::size_t i = 0; i < kMilestones.size(); ++i) {
            if (starts.seen[i].size() == starts.hidden.size()) {
                Report((name + ": " + kMilestones[i].what).c_str(), starts.seen[i]);
            }
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
    if (argc >= 4 && std::wstring(argv[1]) == L"start") {
        return Start(_wtoi(argv[2]), std::vector<std::wstring>(argv + 3, argv + argc));
    }
    std::fprintf(stderr, "usage: bench_tool hotkey N | bench_tool start N EXE...\n");
    return 2;
}
