#pragma once

// What the stand-in programs share: their log, their one top-level window and
// their message loop.

#include <windows.h>

#include <string>

// Appends one line to the log a scenario waits on; nothing without a path.
inline void AppendLog(const std::wstring& path, const std::string& line) {
    if (path.empty()) {
        return;
    }
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::string withEnd = line + "\n";
    DWORD written = 0;
    WriteFile(file, withEnd.data(), static_cast<DWORD>(withEnd.size()), &written, nullptr);
    CloseHandle(file);
}

// An overlapping top-level window of its own class, with the exact title
// the scenarios look for; created hidden.
inline HWND StandinWindow(HINSTANCE instance, const wchar_t* className, const std::wstring& title,
                          WNDPROC procedure, int x, int y, int width, int height) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, className, title.c_str(), WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr,
                           nullptr, instance, nullptr);
}

inline void RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
