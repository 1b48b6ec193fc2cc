// The floor of the hot-key and start-up figures: a program that does nothing
// but hide a window on Control+Z and bring it back on Control+Shift+Z. Like
// any tray program it has one hidden window; the keys are registered to it.
//
//   floor_hotkey [TITLE]   the window's title (default "Quake 3: Arena")

#include "bench/Floor.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    const wchar_t* title = commandLine && *commandLine ? commandLine : L"Quake 3: Arena";
    HWND window = tuckaway::bench::FloorWindow(instance);
    if (!::RegisterHotKey(window, 0, MOD_CONTROL, 'Z') ||
        !::RegisterHotKey(window, 1, MOD_CONTROL | MOD_SHIFT, 'Z')) {
        return 1;
    }
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message != WM_HOTKEY) {
            ::DispatchMessageW(&message);
            continue;
        }
        HWND game = ::FindWindowW(nullptr, title);
        if (message.wParam == 0) {
            ::ShowWindow(game, SW_HIDE);
        } else {
            ::ShowWindow(game, SW_RESTORE);
            ::SetForegroundWindow(game);
        }
    }
    return 0;
}
