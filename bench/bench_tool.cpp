// Measures, inside Wine, how long Tuckaway takes to come up and how quickly a
// hot key hides the game window. Prints one result line per measurement.
//
//   bench_tool startup EXE N   start EXE N times from a fresh settings key; the
//                              time until start-up's first settings write, which
//                              it makes right after Shell_NotifyIcon(NIM_ADD)
//                              has returned
//   bench_tool hotkey N        with Tuckaway running (game "Quake 3: Arena",
//                              switch off): shows a stand-in game window, types
//                              Control+Z and times until the window is hidden,
//                              then Control+Shift+Z to bring it back; N times

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

const wchar_t kSettingsKey[] = L"Software\\Tuckaway v1.10\\program";

bool SettingWritten() {
    DWORD bytes = 0;
    return ::RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"HideQ3Func", RRF_RT_REG_SZ, nullptr, nullptr,
                          &bytes) == ERROR_SUCCESS;
}

int Startup(const wchar_t* exe, int runs) {
    std::vector<double> samples;
    for (int run = 0; run < runs; ++run) {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tuckaway v1.10");
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
        bool written = false;
        while (Now() - start < 20.0 && !(written = SettingWritten())) {
            ::Sleep(0);
        }
        const double elapsed = Now() - start;
        ::TerminateProcess(process.hProcess, 0);
        ::WaitForSingleObject(process.hProcess, 10000);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        if (!written) {
            std::fprintf(stderr, "start-up never wrote its settings\n");
            return 1;
        }
        samples.push_back(elapsed);
    }
    Report("start to tray icon added", samples);
    return 0;
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

// Pumps this thread's messages (the hide and restore reach our window as
// messages) until the window has the visibility wanted.
bool WaitVisible(HWND window, bool visible, double limit) {
    const double start = Now();
    while (Now() - start < limit) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&message);
        }
        if ((::IsWindowVisible(window) != FALSE) == visible) {
            return true;
        }
        ::Sleep(0);
    }
    return false;
}

int Hotkey(int presses) {
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

    std::vector<double> hide;
    std::vector<double> restore;
    for (int press = 0; press < presses; ++press) {
        double start = Now();
        Keys({VK_CONTROL, 'Z'});
        if (!WaitVisible(game, false, 5.0)) {
            std::fprintf(stderr, "Control+Z did not hide the window (press %d)\n", press + 1);
            return 1;
        }
        hide.push_back(Now() - start);
        start = Now();
        Keys({VK_CONTROL, VK_SHIFT, 'Z'});
        if (!WaitVisible(game, true, 5.0)) {
            std::fprintf(stderr, "Control+Shift+Z did not restore the window (press %d)\n", press + 1);
            return 1;
        }
        restore.push_back(Now() - start);
    }
    Report("key press to game hidden", hide);
    Report("key press to game restored", restore);
    ::DestroyWindow(game);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wstring(argv[1]) == L"startup") {
        return Startup(argv[2], _wtoi(argv[3]));
    }
    if (argc == 3 && std::wstring(argv[1]) == L"hotkey") {
        return Hotkey(_wtoi(argv[2]));
    }
    std::fprintf(stderr, "usage: bench_tool startup EXE N | bench_tool hotkey N\n");
    return 2;
}
