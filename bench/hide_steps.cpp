// The hide floor with the steps Tuckaway's hide takes added one at a time, to
// tell which of them a hide's time goes to (bench/steps.sh runs it). Each step
// is the same calls the program makes; none is needed to hide a window.
//
//   hide_steps [STEP...]
//     enum    find the game as the program does: every top-level window's
//             title compared in one pass (EnumWindows), then the found
//             window's process and class, instead of FindWindow
//     pump    before the request, dispatch the posted and sent messages and
//             paints already waiting (a timer that is due runs here)
//     tick    a 150 ms timer that finds the game and asks its state, as the
//             detection tick does while a game runs
//     zoomed  ask whether the window is maximised before the request
//     async   ShowWindowAsync instead of ShowWindow: return without waiting
//             for the game's thread
//     front   after the request, put the program's own hidden window in front
//     record  before the request, write a record of the hide's size to a
//             registry key kept open, as the program writes its own

#include "bench/Floor.h"

#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <string>

namespace {

constexpr wchar_t kTitle[] = L"Quake 3: Arena";

struct Steps {
    bool enumerate = false;
    bool pump = false;
    bool tick = false;
    bool zoomed = false;
    bool async = false;
    bool front = false;
    bool record = false;
};

struct Search {
    HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM data) {
    wchar_t text[512];
    const int length = ::GetWindowTextW(window, text, 512);
    if (length <= 0 || ::CompareStringOrdinal(text, length, kTitle, -1, TRUE) != CSTR_EQUAL) {
        return TRUE;
    }
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    wchar_t name[32] = {};
    ::GetClassNameW(window, name, 32);
    if (process != ::GetCurrentProcessId() && std::wcscmp(name, L"CabinetWClass") != 0) {
        reinterpret_cast<Search*>(data)->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindGame(const Steps& steps) {
    if (!steps.enumerate) {
        return ::FindWindowW(nullptr, kTitle);
    }
    Search search;
    ::EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

Steps steps;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND game = FindGame(steps)) {
        ::IsWindowVisible(game);
        ::IsIconic(game);
    }
}

void Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0,
                          PM_REMOVE | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE | PM_QS_PAINT)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    for (int i = 1; argv && i < argc; ++i) {
        const std::wstring step = argv[i];
        steps.enumerate |= step == L"enum";
        steps.pump |= step == L"pump";
        steps.tick |= step == L"tick";
        steps.zoomed |= step == L"zoomed";
        steps.async |= step == L"async";
        steps.front |= step == L"front";
        steps.record |= step == L"record";
    }
    HWND window = tuckaway::bench::FloorWindow(instance);
    if (!::RegisterHotKey(window, 0, MOD_CONTROL, 'Z')) {
        return 1;
    }
    if (steps.tick) {
        ::SetTimer(window, 1, 150, &Tick);
    }
    HKEY key = nullptr;
    if (steps.record && ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\TuckawayBench", 0, nullptr, 0,
                                          KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return 1;
    }
    // About the size of the program's record of a hide with muting and yielding.
    std::wstring text(300, L'x');
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message != WM_HOTKEY) {
            ::DispatchMessageW(&message);
            continue;
        }
        HWND game = FindGame(steps);
        if (steps.pump) {
            Pump();
        }
        if (steps.zoomed) {
            ::IsZoomed(game);
        }
        if (steps.record) {
            text[0] = text[0] == L'x' ? L'y' : L'x';
            ::RegSetValueExW(key, L"Hide", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        }
        if (steps.async) {
            ::ShowWindowAsync(game, SW_HIDE);
        } else {
            ::ShowWindow(game, SW_HIDE);
        }
        if (steps.front) {
            ::SetForegroundWindow(window);
        }
    }
    return 0;
}
