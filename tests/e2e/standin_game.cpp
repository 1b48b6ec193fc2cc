// A stand-in for a game: one visible top-level window with an exact title,
// optionally switching the display mode at start the way a full-screen game does.
//
//   standin_game.exe TITLE [--mode WxH] [--keep-mode] [--hidden] [--log FILE] [--exit-after SECONDS]
//                          [--minimize-when-deactivated MILLISECONDS]
//
// --keep-mode leaves the display in the switched mode at exit, as a game that
// crashes would; --hidden never shows the window (it still exists and can be found);
// --minimize-when-deactivated minimises the window that long after it loses the
// activation, as full-screen games built on SDL do, and logs "minimized".
//
// The log (also taken from TUCKAWAY_STANDIN_LOG) gets one line once the window
// exists, so a test can wait for it without guessing.
#include "Standin.h"
#include "Utf8.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr UINT_PTR kExitTimer = 1;
constexpr UINT_PTR kMinimizeTimer = 2;
UINT minimizeDelay = 0;
std::wstring logPath;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kExitTimer) {
            DestroyWindow(window);
        } else if (wParam == kMinimizeTimer) {
            KillTimer(window, kMinimizeTimer);
            // Hidden or not, this shows the window again, minimised.
            ShowWindow(window, SW_MINIMIZE);
            AppendLog(logPath, "minimized");
        }
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && minimizeDelay > 0) {
            SetTimer(window, kMinimizeTimer, minimizeDelay, nullptr);
        }
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
        EndPaint(window, &paint);
        return 0;
    }
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
    if (argv == nullptr || argc < 2) {
        return 2;
    }
    std::wstring title = argv[1];
    wchar_t envLog[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"TUCKAWAY_STANDIN_LOG", envLog, MAX_PATH) > 0) {
        logPath = envLog;
    }
    int modeWidth = 0;
    int modeHeight = 0;
    UINT exitAfter = 0;
    bool keepMode = false;
    bool hidden = false;
    for (int i = 2; i < argc; i += 2) {
        const std::wstring option = argv[i];
        // Flags take no value.
        if (option == L"--keep-mode") {
            keepMode = true;
            --i;
            continue;
        }
        if (option == L"--hidden") {
            hidden = true;
            --i;
            continue;
        }
        if (i + 1 >= argc) {
            return 2;
        }
        if (option == L"--mode") {
            if (swscanf(argv[i + 1], L"%dx%d", &modeWidth, &modeHeight) != 2) {
                return 2;
            }
        } else if (option == L"--log") {
            logPath = argv[i + 1];
        } else if (option == L"--exit-after") {
            exitAfter = static_cast<UINT>(wcstoul(argv[i + 1], nullptr, 10));
        } else if (option == L"--minimize-when-deactivated") {
            minimizeDelay = static_cast<UINT>(wcstoul(argv[i + 1], nullptr, 10));
        } else {
            return 2;
        }
    }
    LocalFree(argv);

    LONG modeResult = 0;
    if (modeWidth > 0) {
        DEVMODEW mode = {};
        mode.dmSize = sizeof(mode);
        mode.dmPelsWidth = static_cast<DWORD>(modeWidth);
        mode.dmPelsHeight = static_cast<DWORD>(modeHeight);
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        modeResult = ChangeDisplaySettingsW(&mode, CDS_FULLSCREEN);
    }

    HWND window = StandinWindow(instance, L"TuckawayStandinGame", title, WindowProc, 40, 40, 640, 480);
    if (window == nullptr) {
        return 1;
    }
    if (!hidden) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        SetForegroundWindow(window);
    }
    if (exitAfter > 0) {
        SetTimer(window, kExitTimer, exitAfter * 1000, nullptr);
    }

    char line[160];
    std::snprintf(line, sizeof(line), "started hwnd=0x%llx mode=%ld screen=%dx%d title=",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)), modeResult,
                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    AppendLog(logPath, line + Utf8(title));

    RunMessageLoop();
    if (modeWidth > 0 && !keepMode) {
        ChangeDisplaySettingsW(nullptr, 0);
    }
    return 0;
}
