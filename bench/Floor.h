#pragma once

// What the floor programs share: the one hidden window any tray program has,
// which ends the program when it is closed, and the loop that answers a hot key.

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

// Registers one hot key to the floor's window and, on each press, calls
// act(); every other message is dispatched. Returns the exit code.
template <class Act> int OnHotKey(HINSTANCE instance, int id, UINT modifiers, UINT key, Act act) {
    HWND window = FloorWindow(instance);
    if (!::RegisterHotKey(window, id, modifiers, key)) {
        return 1;
    }
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message != WM_HOTKEY) {
            ::DispatchMessageW(&message);
            continue;
        }
        act();
    }
    return 0;
}

} // namespace tuckaway::bench
