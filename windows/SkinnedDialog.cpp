#include "windows/SkinnedDialog.h"

#include <algorithm>

namespace tuckaway::win32 {

void SkinnedDialog::Show() {
    FitOnScreen();
    ::ShowWindow(window_.get(), SW_SHOW);
    // Brought to the front while still hidden, it kept the focus to itself.
    if (::GetActiveWindow() == window_.get()) {
        FocusControl();
    }
}

void SkinnedDialog::Hide() {
    ::ShowWindow(window_.get(), SW_HIDE);
}

void SkinnedDialog::Restore() {
    if (::IsIconic(window_.get())) {
        ::ShowWindow(window_.get(), SW_RESTORE);
    }
}

void SkinnedDialog::Destroy() {
    window_.reset();
}

bool SkinnedDialog::KeepFocus(UINT message, WPARAM wParam) noexcept {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = ::GetFocus();
            if (focus && ::IsChild(window_.get(), focus)) {
                lastFocus_ = focus;
            }
            return false;
        }
        if (HIWORD(wParam)) {
            // Minimised: the focus waits until it is restored.
            return false;
        }
        FocusControl();
        return true;
    case WM_SETFOCUS:
        FocusControl();
        return true;
    default:
        return false;
    }
}

void SkinnedDialog::FocusControl() noexcept {
    HWND dialog = window_.get();
    // A hide makes the hidden hot-key dialog the active window; a control
    // with the focus there would only take keys meant for nothing (and the
    // focus moving in and out costs time at every hide and restore).
    if (!::IsWindowVisible(dialog)) {
        return;
    }
    HWND control = lastFocus_;
    if (!control || !::IsChild(dialog, control) || !::IsWindowVisible(control) ||
        !::IsWindowEnabled(control)) {
        control = ::GetNextDlgTabItem(dialog, nullptr, FALSE);
    }
    if (control) {
        ::SetFocus(control);
    }
}

void SkinnedDialog::FitOnScreen() noexcept {
    // Placed at the desktop's mode, a dialog can be off the screen once a game
    // has set its own, smaller one: it comes up inside the work area of the
    // monitor it is nearest, at every mode down to 640x480.
    HWND dialog = window_.get();
    RECT window{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetWindowRect(dialog, &window) ||
        !::GetMonitorInfoW(::MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return;
    }
    const RECT& work = monitor.rcWork;
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    // Too big for the area, its top left corner stays on it.
    const LONG x = std::max(work.left, std::min(window.left, work.right - width));
    const LONG y = std::max(work.top, std::min(window.top, work.bottom - height));
    if (x != window.left || y != window.top) {
        ::SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void SkinnedDialog::Drag() {
    ::ReleaseCapture();
    ::SendMessageW(window_.get(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

} // namespace tuckaway::win32
