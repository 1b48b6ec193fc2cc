// The stand-in game of the hot-key figures, in a process of its own as a real
// game is: one normal top-level window titled "Quake 3: Arena" whose thread
// does nothing but take its messages, so that it answers a request to hide or
// show at once. It notes when its window was hidden, shown and put in front
// (bench/GameStamps.h) for bench_tool, which starts it and closes it.
//
//   bench_game [--frames]   --frames: a frame loop, as an engine runs whether
//                           shown or hidden: about 6 ms of work and 6 ms of
//                           messages a frame, about half a core

#include "bench/GameStamps.h"
#include "bench/Timing.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

tuckaway::bench::GameStamps* stamps = nullptr;
HANDLE changed = nullptr;

void Stamp(LONG64& stamp) {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    ::InterlockedExchange64(&stamp, now.QuadPart);
    ::SetEvent(changed);
}

LRESULT CALLBACK GameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_WINDOWPOSCHANGED: {
        // Sent once the window's visibility has changed: IsWindowVisible already tells.
        const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (stamps && (position->flags & SWP_HIDEWINDOW)) {
            Stamp(stamps->hidden);
        }
        if (stamps && (position->flags & SWP_SHOWWINDOW)) {
            Stamp(stamps->shown);
            if (::GetForegroundWindow() == window) {
                Stamp(stamps->front);
            }
        }
        break;
    }
    case WM_ACTIVATE:
        // The foreground is set before the window is told it is active.
        if (stamps && LOWORD(wParam) != WA_INACTIVE && ::IsWindowVisible(window) &&
            ::GetForegroundWindow() == window) {
            Stamp(stamps->front);
        }
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(window, &paint);
        ::FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(::GetStockObject(DKGRAY_BRUSH)));
        ::EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    stamps = tuckaway::bench::OpenGameStamps();
    changed = ::CreateEventW(nullptr, FALSE, FALSE, tuckaway::bench::kGameChangedName);
    WNDCLASSW description{};
    description.lpfnWndProc = &GameProc;
    description.hInstance = instance;
    description.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    description.lpszClassName = L"TuckawayBenchGame";
    ::RegisterClassW(&description);
    HWND window = ::CreateWindowExW(0, description.lpszClassName, tuckaway::bench::kGameTitle,
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 320, 240, nullptr, nullptr,
                                    instance, nullptr);
    if (!window) {
        return 1;
    }
    ::SetForegroundWindow(window);
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const bool frames = argc == 2 && std::wstring(argv[1]) == L"--frames";
    ::LocalFree(argv);
    MSG message;
    if (!frames) {
        while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        return 0;
    }
    for (;;) {
        const double start = tuckaway::bench::Now();
        volatile unsigned spin = 0;
        while (tuckaway::bench::Now() - start < 0.006) {
            spin = spin + 1;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 6, QS_ALLINPUT);
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                return 0;
            }
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
}
