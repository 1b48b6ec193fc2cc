// A stand-in for a program the user types in: one top-level window with an
// exact title, filled by a multi-line edit control that keeps the focus.
//
//   standin_editor.exe TITLE --log FILE
//
// The log gets "started" once the window exists, then one line per event the
// edit control receives that a test counts:
//   key ctrl+z, key ctrl+shift+z, ...   a Z key going down, with the modifiers held
//   undo N                              the N-th WM_UNDO (the edit control's Control+Z)
//   char C                              a printable character typed
#include "Standin.h"
#include "Utf8.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <string>

namespace {

constexpr int kEditId = 1;

std::wstring g_logPath;
HWND g_edit = nullptr;
int g_undos = 0;

// The modifiers as the edit control's thread sees them with this message.
std::string Held() {
    std::string held;
    if (GetKeyState(VK_CONTROL) < 0) {
        held += "ctrl+";
    }
    if (GetKeyState(VK_SHIFT) < 0) {
        held += "shift+";
    }
    if (GetKeyState(VK_MENU) < 0) {
        held += "alt+";
    }
    return held;
}

LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (wParam == 'Z') {
            AppendLog(g_logPath, "key " + Held() + "z");
        }
        break;
    case WM_CHAR:
        if (wParam >= 0x20) {
            AppendLog(g_logPath, "char " + Utf8(std::wstring(1, static_cast<wchar_t>(wParam))));
        }
        break;
    case WM_UNDO:
        AppendLog(g_logPath, "undo " + std::to_string(++g_undos));
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (g_edit != nullptr) {
            MoveWindow(g_edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        }
        return 0;
    case WM_SETFOCUS:
        if (g_edit != nullptr) {
            SetFocus(g_edit);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc != 4 || std::wstring(argv[2]) != L"--log") {
        return 2;
    }
    const std::wstring title = argv[1];
    g_logPath = argv[3];
    LocalFree(argv);

    HWND window = StandinWindow(instance, L"TuckawayStandinEditor", title, WindowProc, 80, 80, 400, 200);
    if (window == nullptr) {
        return 1;
    }
    g_edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0,
                             400, 200, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)),
                             instance, nullptr);
    SetWindowSubclass(g_edit, EditProc, 0, 0);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetForegroundWindow(window);
    SetFocus(g_edit);
    AppendLog(g_logPath, "started");

    RunMessageLoop();
    return 0;
}
