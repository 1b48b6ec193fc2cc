#pragma once

// The common controls and the themes, loaded when the first dialog control is
// made rather than with the program: under Wine they cost some 20 ms of every
// start, and the first hot key needs neither.

#include <windows.h>

#include <commctrl.h>

namespace tuckaway::win32 {

struct CommonControls {
    decltype(&::SetWindowSubclass) setSubclass = nullptr;
    decltype(&::DefSubclassProc) defaultProc = nullptr;
    decltype(&::RemoveWindowSubclass) removeSubclass = nullptr;
};

// The version 6 controls the manifest asks for, registered once; every
// function is there once the first call has returned.
const CommonControls& LoadCommonControls();

// A control drawn without the visual style (a themed check box ignores its text colour).
void RemoveTheme(HWND control);

} // namespace tuckaway::win32
