#include "windows/CommonControls.h"

#include <uxtheme.h>

namespace tuckaway::win32 {
namespace {

template <typename Function> Function Find(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

// Stand-ins where a function cannot be had: the control keeps its own procedure.
BOOL WINAPI NoSubclass(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR) {
    return FALSE;
}
LRESULT WINAPI PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(window, message, wParam, lParam);
}
BOOL WINAPI NoRemoval(HWND, SUBCLASSPROC, UINT_PTR) {
    return FALSE;
}

CommonControls Load() {
    CommonControls controls{&NoSubclass, &PlainProc, &NoRemoval};
    // By name, so that the program's activation context gives version 6.
    const HMODULE module = ::LoadLibraryW(L"comctl32.dll");
    if (!module) {
        return controls;
    }
    if (const auto initialize = Find<decltype(&::InitCommonControlsEx)>(module, "InitCommonControlsEx")) {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
        initialize(&classes);
    }
    const auto set = Find<decltype(&::SetWindowSubclass)>(module, "SetWindowSubclass");
    const auto def = Find<decltype(&::DefSubclassProc)>(module, "DefSubclassProc");
    const auto remove = Find<decltype(&::RemoveWindowSubclass)>(module, "RemoveWindowSubclass");
    if (set && def && remove) {
        controls = {set, def, remove};
    }
    return controls;
}

} // namespace

const CommonControls& LoadCommonControls() {
    static const CommonControls controls = Load();
    return controls;
}

void RemoveTheme(HWND control) {
    using SetTheme = decltype(&::SetWindowTheme);
    static const SetTheme setTheme = [] {
        const HMODULE module = ::LoadLibraryExW(L"uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return module ? Find<SetTheme>(module, "SetWindowTheme") : nullptr;
    }();
    if (setTheme) {
        setTheme(control, L"", L"");
    }
}

} // namespace tuckaway::win32
