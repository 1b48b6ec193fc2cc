#include "windows/MainWindow.h"

#include "windows/Window.h"

namespace tuckaway::win32 {
namespace {

constexpr wchar_t kClass[] = L"Tuckaway.Varer";
constexpr UINT_PTR kTimer1 = 1;
// One-shot: the watch on a request to the game's window.
constexpr UINT_PTR kWatchTimer = 2;
constexpr unsigned kFirstTick = 5;

// A WinEvent hook has no place for its owner: the one main window of the process.
ui::Events* foregroundEvents = nullptr;

void CALLBACK ForegroundChanged(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    if (foregroundEvents) {
        foregroundEvents->ForegroundChanged();
    }
}

} // namespace

MainWindow::MainWindow(HINSTANCE instance, ui::Events& events)
    : instance_(instance), events_(events), taskbarCreated_(::RegisterWindowMessageW(L"TaskbarCreated")) {
    registered_ = RegisterWindowClass(instance_, kClass, &Route<MainWindow, &MainWindow::Message>,
                                      reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

void MainWindow::Create() {
    window_.reset(::CreateWindowExW(0, kClass, L"Tuckaway", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                    200, 100, nullptr, nullptr, instance_, this));
    // The detection timer lives with the main window.
    ::SetTimer(window_.get(), kTimer1, kFirstTick, nullptr);
    // Out of context: the events come through this thread's message loop,
    // like any other; the program's own windows in front are none of its news.
    foregroundEvents = &events_;
    foregroundHook_.reset(::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                            &ForegroundChanged, 0, 0,
                                            WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
}

void MainWindow::Hide() {
    ::ShowWindow(window_.get(), SW_HIDE);
}

void MainWindow::Destroy() {
    foregroundHook_.reset();
    foregroundEvents = nullptr;
    window_.reset();
}

void MainWindow::SetTimerInterval(unsigned milliseconds) {
    ::SetTimer(window_.get(), kTimer1, milliseconds, nullptr);
}

void MainWindow::Watch(unsigned milliseconds) {
    ::SetTimer(window_.get(), kWatchTimer, milliseconds, nullptr);
}

std::optional<ui::MenuItem> MainWindow::TrackTrayMenu(bool showRestoreResolution) {
    const UniqueMenu menu(::CreatePopupMenu());
    const auto add = [&](ui::MenuItem item, const wchar_t* caption) {
        ::AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(item) + 1, caption);
    };
    add(ui::MenuItem::mPopAbout, L"&Main...");
    add(ui::MenuItem::mPopRestore, L"&Settings...");
    if (showRestoreResolution) {
        add(ui::MenuItem::mPopResoRestore, L"&Restore Resolution...");
    }
    add(ui::MenuItem::mPopExit, L"&Exit");
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const int chosen = static_cast<int>(
        ::TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, cursor.x,
                         cursor.y, 0, window_.get(), nullptr));
    // Without a message after it, a tray menu opened again may not close on a click elsewhere.
    ::PostMessageW(window_.get(), WM_NULL, 0, 0);
    if (chosen == 0) {
        return std::nullopt;
    }
    return static_cast<ui::MenuItem>(chosen - 1);
}

LRESULT MainWindow::Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        events_.TaskbarCreated();
        return 0;
    }
    switch (message) {
    case WM_TIMER:
        if (wParam == kTimer1) {
            events_.TimerTicked();
        } else if (wParam == kWatchTimer) {
            ::KillTimer(window, kWatchTimer);
            events_.GameWindowWatched();
        }
        return 0;
    case WM_MOUSEMOVE:
        // The tray icon's events: the mouse message over the icon is in the low word.
        events_.TrayEvent(static_cast<std::intptr_t>(lParam));
        return 0;
    case WM_SIZE:
        events_.MainWindowResized(wParam == SIZE_MINIMIZED);
        return 0;
    case WM_CLOSE:
        events_.MainWindowCloseRequested();
        return 0;
    case WM_QUERYENDSESSION:
        events_.SessionEndQueried();
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) {
            events_.SessionEnding();
        }
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        // Destroyed from outside the owner, too: the handle is no longer ours.
        (void)window_.release();
        break;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace tuckaway::win32
