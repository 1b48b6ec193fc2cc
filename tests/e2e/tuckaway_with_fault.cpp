// Tuckaway as its entry point builds it, with one start-up fault injected, for
// the scenario that checks a program that cannot start says so and exits
// non-zero without touching the settings:
//
//   tuckaway_with_fault.exe class|window|picture
//
// class:   the hot-key dialog's window class is taken before the program registers it;
// window:  the system refuses to create the hot-key dialog's window (made during start-up);
// picture: the picture loader fails for every skin.
#include "exe/Application.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

constexpr wchar_t kHotkeyDialogClass[] = L"Tuckaway.Form1";

LRESULT CALLBACK RefuseHotkeyDialog(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        wchar_t name[64] = {};
        ::GetClassNameW(reinterpret_cast<HWND>(wParam), name, 64);
        if (std::wstring(name) == kHotkeyDialogClass) {
            return 1;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

tuckaway::win32::UniqueBitmap NoPicture(HINSTANCE, int) {
    return {};
}

void Unhook(HHOOK hook) noexcept {
    ::UnhookWindowsHookEx(hook);
}
using UniqueHook = tuckaway::win32::UniqueHandle<HHOOK, Unhook>;

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const std::wstring fault = argv != nullptr && argc == 2 ? argv[1] : L"";
    ::LocalFree(argv);

    UniqueHook refusal;
    if (fault == L"class") {
        WNDCLASSW taken{};
        taken.lpfnWndProc = ::DefWindowProcW;
        taken.hInstance = instance;
        taken.lpszClassName = kHotkeyDialogClass;
        ::RegisterClassW(&taken);
    } else if (fault == L"window") {
        refusal.reset(::SetWindowsHookExW(WH_CBT, &RefuseHotkeyDialog, nullptr, ::GetCurrentThreadId()));
    } else if (fault != L"picture") {
        return 2;
    }
    tuckaway::win32::Application application(
        instance, fault == L"picture" ? &NoPicture : &tuckaway::shaping::LoadPictureResource);
    return application.Run();
}
