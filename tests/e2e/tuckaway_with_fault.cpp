// Tuckaway as its entry point builds it, with one fault injected:
//
//   tuckaway_with_fault.exe class|window|picture|crash-when-hidden TITLE [MILLISECONDS]
//   tuckaway_with_fault.exe late-hook|late-typing MILLISECONDS
//
// class:   the hot-key dialog's window class is taken before the program registers it;
// window:  the system refuses to create the hot-key dialog's window (made during start-up);
// picture: the picture loader fails for every skin;
// for the scenarios that check that a program that cannot start says so and
// exits non-zero without touching the settings; and
// crash-when-hidden: an access violation nobody handles, half a second (or
//          MILLISECONDS) after the window titled TITLE has been hidden, for
//          the scenarios that check what a crash leaves behind;
// late-hook: the keyboard hook of the keys' pass-through answers its first
//          event that late, as one the system gives up on does;
// late-typing: the pass-through types its keys that long after it has read
//          which modifiers the user holds, as on a busy machine.
#include "exe/Application.h"

#include <windows.h>

#include <shellapi.h>

#include <cwchar>
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

// How long after the hide the fault comes: long enough for the hide's display
// switch to be done, or, given, for a frozen game to be frozen.
DWORD crashDelay = 500;

// Waits for the game's window to be there and then hidden, then faults.
DWORD WINAPI CrashOnceHidden(void* title) {
    const auto* name = static_cast<const wchar_t*>(title);
    for (bool seen = false;; ::Sleep(20)) {
        const HWND game = ::FindWindowW(nullptr, name);
        if (game && ::IsWindowVisible(game)) {
            seen = true;
        } else if (game && seen) {
            break;
        }
    }
    ::Sleep(crashDelay);
    ::RaiseException(EXCEPTION_ACCESS_VIOLATION, 0, 0, nullptr);
    return 0;
}

void Unhook(HHOOK hook) noexcept {
    ::UnhookWindowsHookEx(hook);
}
using UniqueHook = tuckaway::win32::UniqueHandle<HHOOK, Unhook>;

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const std::wstring fault = argv != nullptr && argc >= 2 ? argv[1] : L"";
    const std::wstring argument = argv != nullptr && argc >= 3 ? argv[2] : L"";
    const std::wstring delay = argv != nullptr && argc == 4 ? argv[3] : L"";
    ::LocalFree(argv);

    if (fault == L"crash-when-hidden" && !argument.empty()) {
        static std::wstring title;
        title = argument;
        if (!delay.empty()) {
            crashDelay = static_cast<DWORD>(std::wcstoul(delay.c_str(), nullptr, 10));
        }
        ::CreateThread(nullptr, 0, &CrashOnceHidden, const_cast<wchar_t*>(title.c_str()), 0, nullptr);
        tuckaway::win32::Application application(instance);
        return application.Run();
    }
    if ((fault == L"late-hook" || fault == L"late-typing") && !argument.empty()) {
        const auto late = static_cast<unsigned>(std::wcstoul(argument.c_str(), nullptr, 10));
        tuckaway::win32::KeyboardDelays delays;
        (fault == L"late-hook" ? delays.lateHookMilliseconds : delays.lateTypingMilliseconds) = late;
        tuckaway::win32::Application application(instance, &tuckaway::shaping::LoadPictureResource, delays);
        return application.Run();
    }

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
