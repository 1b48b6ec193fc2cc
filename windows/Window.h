#pragma once

// What the program's three windows share: routing messages to the object that
// owns a window, registering a class, making child controls, and reading the
// keyboard and mouse state the way the logic's handlers expect it.

#include "handles/Handles.h"

#include <windows.h>

#include <span>
#include <string>

namespace tuckaway::win32 {

// The window procedure of a class whose windows belong to an Owner: the owner
// is passed to CreateWindowEx as its creation parameter, kept in the window's
// user data from WM_NCCREATE on, and receives every message after that.
template <typename Owner, LRESULT (Owner::*Handler)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* owner = reinterpret_cast<Owner*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!owner) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return (owner->*Handler)(window, message, wParam, lParam);
}

// The program icon (resource 1) for every class. False when the class could not be registered.
bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HBRUSH background);

// A visible child control with the given font.
HWND CreateChild(HINSTANCE instance, HWND parent, const wchar_t* className, const wchar_t* text, DWORD style,
                 int x, int y, int width, int height, int id, HFONT font, DWORD exStyle = 0);

// The font of the dialogs' controls and labels: the system's message font at
// the pixel size the skins were laid out for, whatever the display's scaling.
// The dialogs are fixed-pixel pictures; a font that grew with the scaling
// would spill out of the controls and panels drawn for it.
UniqueFont DialogFont();
// The same font, a pixel or two smaller if need be, so that every text is at
// most `width` pixels wide: for a control whose own frame grows with the
// scaling (the game list's drop-down button) and leaves its text less room.
UniqueFont DialogFontFitting(std::span<const std::wstring> texts, LONG width);

// The modifier keys held right now: 1 Shift, 2 Control, 4 Alt.
unsigned ShiftState();
// The mouse buttons of a mouse message's wParam: 1 left, 2 right, 4 middle.
unsigned ButtonState(WPARAM keys);

} // namespace tuckaway::win32
