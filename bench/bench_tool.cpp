// Measures, inside Wine, how quickly a program reacts to the hot keys and how
// soon after its start the first one works. The same measurement runs on
// Tuckaway and on the floor programs, so they can be compared in one run. The
// stand-in game (GAME, bench_game.exe) runs in a process of its own, as a real
// game does. Prints one result line per measurement.
//
//   bench_tool hotkey N GAME [PRESS_LOG]
//                              with programs holding Control+Z (hide) and
//                              Control+Shift+Z (restore) for "Quake 3: Arena":
//                              starts the game, then presses the two keys in
//                              turn, N presses, each 50 ms after the last was
//                              done, timing each until the window is hidden or
//                              shown again (and in front); PRESS_LOG gets one
//                              line per press, "PRESSED hide TOOK" or
//                              "PRESSED show TOOK IN_FRONT" (-1: not in front
//                              50 ms later), in milliseconds, PRESSED on the
//                              clock of Wine's +timestamp
//                              (BENCH_HOLD_MS: each restore that long after
//                              its hide instead of 50 ms)
//   bench_tool cpu SECONDS GAME
//                              with a program holding the two keys: starts the
//                              game with its frame loop, and prints "shown",
//                              "hidden" (once it has been hidden a second) and
//                              "end" as it goes, SECONDS apart, for a caller to
//                              read the game's processor time at each
//   bench_tool start N GAME EXE...
//                              with the game shown, starts each EXE N times,
//                              taking turns, and presses Control+Z every 10 ms
//                              until the window hides; also says when
//                              Tuckaway's windows appeared

#include "bench/GameStamps.h"
#include "bench/Timing.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using tuckaway::bench::GameStamps;
using tuckaway::bench::kGameChangedName;
using tuckaway::bench::kGameTitle;
using tuckaway::bench::Now;
using tuckaway::bench::OpenGameStamps;
using tuckaway::bench::ReadStamp;
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

// Sent messages are answered while the tool waits (the system may ask its
// threads about activation); nothing here needs posted ones.
void Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::DispatchMessageW(&message);
    }
}

// Waits for the event (or the time), answering messages meanwhile; true once
// the event was set.
bool WaitForEvent(HANDLE event, double seconds) {
    const double end = Now() + seconds;
    for (;;) {
        const double left = end - Now();
        if (left <= 0) {
            return false;
        }
        const DWORD result =
            ::MsgWaitForMultipleObjects(1, &event, FALSE, static_cast<DWORD>(left * 1000.0) + 1, QS_ALLINPUT);
        if (result == WAIT_OBJECT_0) {
            return true;
        }
        Pump();
    }
}

void PumpFor(double seconds) {
    const double end = Now() + seconds;
    while (Now() < end) {
        const DWORD left = static_cast<DWORD>((end - Now()) * 1000.0) + 1;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, left, QS_ALLINPUT);
        Pump();
    }
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

LONG64 Counter() {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double Seconds(LONG64 counts) {
    static const double frequency = [] {
        LARGE_INTEGER value;
        ::QueryPerformanceFrequency(&value);
        return static_cast<double>(value.QuadPart);
    }();
    return static_cast<double>(counts) / frequency;
}

// The stand-in game, in its own process, and what it tells of its window.
struct Game {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    GameStamps* stamps = nullptr;
    HANDLE changed = nullptr;

    // The moment the window was last hidden (or shown, or put in front) at or
    // after `since`, once it is so; 0 before.
    LONG64 HiddenSince(LONG64 since) const {
        const LONG64 at = ReadStamp(stamps->hidden);
        return at >= since && !::IsWindowVisible(window) ? at : 0;
    }
    LONG64 ShownSince(LONG64 since) const {
        const LONG64 at = ReadStamp(stamps->shown);
        return at >= since && ::IsWindowVisible(window) ? at : 0;
    }
    LONG64 FrontSince(LONG64 since) const {
        const LONG64 at = ReadStamp(stamps->front);
        return at >= since ? at : 0;
    }

    // Waits until the window is hidden (or shown) since then; 0 if it was not within the limit.
    LONG64 Wait(bool hidden, LONG64 since, double limit) const {
        const double end = Now() + limit;
        for (;;) {
            if (const LONG64 at = hidden ? HiddenSince(since) : ShownSince(since)) {
                return at;
            }
            const double left = end - Now();
            if (left <= 0 || !WaitForEvent(changed, left)) {
                return hidden ? HiddenSince(since) : ShownSince(since);
            }
        }
    }
};

void CloseGame(Game& game) {
    Close(game.process);
}

BOOL CALLBACK FindGameOf(HWND window, LPARAM data) {
    Game& game = *reinterpret_cast<Game*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    wchar_t title[64] = {};
    ::GetWindowTextW(window, title, 64);
    if (owner == game.process.dwProcessId && std::wstring(title) == kGameTitle) {
        game.window = window;
        return FALSE;
    }
    return TRUE;
}

// A window of the tool's own beside the game, as a desktop has other windows:
// the one the system puts in front when the game hides (unless the hider puts
// another there). SendInput's keys reach a hot key only while some window has
// the keyboard; without this one a press after a hide was now and then lost.
void ShowDeskWindow() {
    WNDCLASSW description{};
    description.lpfnWndProc = &::DefWindowProcW;
    description.hInstance = ::GetModuleHandleW(nullptr);
    description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    description.lpszClassName = L"TuckawayBenchDesk";
    ::RegisterClassW(&description);
    HWND desk =
        ::CreateWindowExW(0, description.lpszClassName, L"bench_tool", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600,
                          400, 200, 150, nullptr, nullptr, description.hInstance, nullptr);
    ::SetForegroundWindow(desk);
    PumpFor(0.2);
}

// Starts the stand-in game and waits until its window is shown and in front.
bool StartGame(const std::wstring& exe, Game& game, const wchar_t* arguments = L"") {
    ShowDeskWindow();
    game.stamps = OpenGameStamps();
    game.changed = ::CreateEventW(nullptr, FALSE, FALSE, kGameChangedName);
    if (!game.stamps || !game.changed) {
        std::fprintf(stderr, "cannot share the game's stamps (%lu)\n", ::GetLastError());
        return false;
    }
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    const LONG64 started = Counter();
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &game.process)) {
        std::fprintf(stderr, "cannot start %ls (%lu)\n", exe.c_str(), ::GetLastError());
        return false;
    }
    const double end = Now() + 20.0;
    while (!game.window && Now() < end) {
        WaitForEvent(game.changed, 0.05);
        ::EnumWindows(&FindGameOf, reinterpret_cast<LPARAM>(&game));
    }
    if (!game.window || !game.Wait(false, started, end - Now())) {
        std::fprintf(stderr, "the stand-in game's window did not show\n");
        return false;
    }
    // A game started from a shortcut has the foreground, and some Wine window
    // must have it for SendInput's keys to reach a hot key.
    ::SetForegroundWindow(game.window);
    while (!game.FrontSince(started) && Now() < end) {
        WaitForEvent(game.changed, 0.05);
    }
    if (!game.FrontSince(started)) {
        std::fprintf(stderr, "the stand-in game's window did not come to the front\n");
        return false;
    }
    PumpFor(1.0); // keys typed while a new window settles were seen lost
    return true;
}

BOOL CALLBACK CountGames(HWND window, LPARAM count) {
    wchar_t title[64] = {};
    ::GetWindowTextW(window, title, 64);
    *reinterpret_cast<int*>(count) += std::wstring(title) == kGameTitle ? 1 : 0;
    return TRUE;
}

// What a press that did nothing met: which window had the keyboard, and how
// many windows are titled as the game.
std::string Situation(const Game& game) {
    HWND front = ::GetForegroundWindow();
    wchar_t title[64] = {};
    ::GetWindowTextW(front, title, 64);
    DWORD process = 0;
    ::GetWindowThreadProcessId(front, &process);
    int games = 0;
    ::EnumWindows(&CountGames, reinterpret_cast<LPARAM>(&games));
    char text[200];
    std::snprintf(
        text, sizeof text,
        "in front: \"%s\" of process %lu; game's process %lu, visible %d; %d windows titled as the game",
        Narrow(title).c_str(), process, game.process.dwProcessId, ::IsWindowVisible(game.window), games);
    return text;
}

// Hides and shows take turns, each press 50 ms after the last was done: a
// user's presses are far apart, so each one meets a program that has finished
// with the last (or is still at it, which is then part of the figure). The
// hide is done once the window is hidden; the show once it is shown, and, as a
// figure of its own, once it is also in front.
int Hotkey(int presses, const std::wstring& gameExe, const wchar_t* pressLog) {
    // BENCH_HOLD_MS: how long the game stays hidden before the restore press
    // (a game frozen while hidden is frozen half a second after it hid).
    const wchar_t* hold = _wgetenv(L"BENCH_HOLD_MS");
    const double hidden_for = hold ? _wtoi(hold) / 1000.0 : 0.05;
    Game game;
    if (!StartGame(gameExe, game)) {
        return 1;
    }
    FILE* log = pressLog ? _wfopen(pressLog, L"w") : nullptr;
    std::vector<double> hidden;
    std::vector<double> shown;
    std::vector<double> front;
    int notInFront = 0;
    for (int press = 0; press < presses; ++press) {
        const bool hide = press % 2 == 0;
        const LONG64 start = Counter();
        if (hide) {
            Keys({VK_CONTROL, 'Z'});
        } else {
            Keys({VK_CONTROL, VK_SHIFT, 'Z'});
        }
        const LONG64 done = game.Wait(hide, start, 5.0);
        if (!done) {
            std::fprintf(stderr, "press %d did not %s the window (%s)\n", press + 1, hide ? "hide" : "show",
                         Situation(game).c_str());
            CloseGame(game);
            return 1;
        }
        (hide ? hidden : shown).push_back(Seconds(done - start));
        PumpFor(hide ? hidden_for : 0.05);
        // A show's line also has its time to in front, or -1 if it was not.
        double inFront = -1.0;
        if (!hide) {
            if (const LONG64 at = game.FrontSince(start)) {
                inFront = Seconds(std::max(at, done) - start);
                front.push_back(inFront);
            } else {
                ++notInFront;
            }
        }
        if (log && hide) {
            std::fprintf(log, "%.3f hide %.3f\n", Seconds(start) * 1000.0, Seconds(done - start) * 1000.0);
        } else if (log) {
            std::fprintf(log, "%.3f show %.3f %.3f\n", Seconds(start) * 1000.0,
                         Seconds(done - start) * 1000.0, inFront < 0 ? -1.0 : inFront * 1000.0);
        }
    }
    if (log) {
        std::fclose(log);
    }
    CloseGame(game);
    Report("press to hidden", hidden);
    Report("press to shown", shown);
    Report("press to shown and in front", front);
    std::printf("shown but not in front 50 ms later: %d of %zu\n", notInFront, shown.size());
    return 0;
}

// The game's frame loop shown for a while, then hidden for as long: the caller
// reads the game's processor time at each line printed.
int Cpu(int seconds, const std::wstring& gameExe) {
    Game game;
    if (!StartGame(gameExe, game, L"--frames")) {
        return 1;
    }
    const auto mark = [](const char* what) {
        std::printf("%s\n", what);
        std::fflush(stdout);
    };
    mark("shown");
    PumpFor(seconds);
    const LONG64 start = Counter();
    Keys({VK_CONTROL, 'Z'});
    if (!game.Wait(true, start, 5.0)) {
        std::fprintf(stderr, "the hide key did not hide the game (%s)\n", Situation(game).c_str());
        CloseGame(game);
        return 1;
    }
    PumpFor(1.0);
    mark("hidden");
    PumpFor(seconds);
    mark("end");
    PumpFor(1.0); // the caller reads the game's time before it is restored and closed
    const LONG64 restore = Counter();
    Keys({VK_CONTROL, VK_SHIFT, 'Z'});
    const bool back = game.Wait(false, restore, 5.0) != 0;
    CloseGame(game);
    return back ? 0 : 1;
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
bool StartOnce(const Game& game, Starts& starts) {
    std::wstring commandLine = L"\"" + starts.exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = Now();
    const LONG64 started = Counter();
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
        hidden = game.Wait(true, started, 0.010) != 0;
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
    // A program gives a hidden game back as it ends: it may be shown already.
    const LONG64 shown = Counter();
    if (!::IsWindowVisible(game.window)) {
        ::ShowWindow(game.window, SW_SHOWNORMAL);
        if (!game.Wait(false, shown, 5.0)) {
            std::fprintf(stderr, "the game's window did not show again\n");
            return false;
        }
    }
    ::SetForegroundWindow(game.window);
    return true;
}

// The programs take turns, so that a machine busy for a while slows all alike.
int Start(int runs, const std::wstring& gameExe, const std::vector<std::wstring>& exes) {
    Game game;
    if (!StartGame(gameExe, game)) {
        return 1;
    }
    std::vector<Starts> programs;
    for (const std::wstring& exe : exes) {
        programs.push_back({exe, {}, {}});
    }
    for (int run = 0; run < runs; ++run) {
        for (Starts& starts : programs) {
            if (!StartOnce(game, starts)) {
                CloseGame(game);
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
    CloseGame(game);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if ((argc == 4 || argc == 5) && std::wstring(argv[1]) == L"hotkey") {
        return Hotkey(_wtoi(argv[2]), argv[3], argc == 5 ? argv[4] : nullptr);
    }
    if (argc == 4 && std::wstring(argv[1]) == L"cpu") {
        return Cpu(_wtoi(argv[2]), argv[3]);
    }
    if (argc >= 5 && std::wstring(argv[1]) == L"start") {
        return Start(_wtoi(argv[2]), argv[3], std::vector<std::wstring>(argv + 4, argv + argc));
    }
    std::fprintf(
        stderr,
        "usage: bench_tool hotkey N GAME [PRESS_LOG] | bench_tool cpu SECONDS GAME | bench_tool start N "
        "GAME EXE...\n");
    return 2;
}
