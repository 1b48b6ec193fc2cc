#pragma once

// What both floor programs share: the one hidden window any tray program has,
// which ends the program when it is closed.

#include <windows.h>

namespace tuckaway::bench {

inline LRESULT CALLBACK FloorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

inline HWND FloorWindow(HINSTANCE instance) {
    WNDCLASSW description{};
    description.lpfnWndProc = &FloorWindowProc;
    description.hInstance = instance;
    description.lpszClassName = L"TuckawayBenchFloor";
    ::RegisterClassW(&description);
    return ::CreateWindowExW(0, description.lpszClassName, L"floor", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                             nullptr, instance, nullptr);
}

} // namespace tuckaway::bench
