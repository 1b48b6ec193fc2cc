#include "windows/SkinnedDialog.h"

namespace tuckaway::win32 {

void SkinnedDialog::Show() {
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

void SkinnedDialog::Drag() {
    ::ReleaseCapture();
    ::SendMessageW(window_.get(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

} // namespace tuckaway::win32
