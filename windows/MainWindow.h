#pragma once

// The hidden main window: it owns the detection timer, receives the tray
// icon's events and the news of a new taskbar, and shows the tray menu.

#include "handles/Handles.h"
#include "ports/Ui.h"

#include <windows.h>

#include <optional>

namespace tuckaway::win32 {

class MainWindow {
public:
    MainWindow(HINSTANCE instance, ui::Events& events);
    ~MainWindow() { Destroy(); }
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window, never shown, with its timer running.
    void Create();
    HWND handle() const noexcept { return window_.get(); }
    bool Registered() const noexcept { return registered_; }
    void Hide();
    void Destroy();
    void SetTimerInterval(unsigned milliseconds);
    // One GameWindowWatched event after that long.
    void Watch(unsigned milliseconds);
    std::optional<ui::MenuItem> TrackTrayMenu(bool showRestoreResolution);

private:
    LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    ui::Events& events_;
    // The message the shell sends every top-level window when it makes its taskbar.
    UINT taskbarCreated_;
    // Tells of other programs' windows taking the foreground, from creation to destruction.
    UniqueWinEventHook foregroundHook_;
    bool registered_ = false;
    UniqueWindow window_;
};

} // namespace tuckaway::win32
