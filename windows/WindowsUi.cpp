#include "windows/WindowsUi.h"

namespace tuckaway::win32 {
namespace {

os::Window Wrap(HWND window) {
    return os::Window{reinterpret_cast<std::uintptr_t>(window)};
}

} // namespace

WindowsUi::WindowsUi(HINSTANCE instance, ui::Events& events, PictureLoader load)
    : events_(events), main_(instance, events), mainDialog_(instance, events, load),
      hotkeyDialog_(instance, events, load) {}

void WindowsUi::CreateMainWindow() {
    main_.Create();
    createFailed_ = createFailed_ || !main_.handle();
}

WindowsUi::Fault WindowsUi::StartupFault() const {
    if (!main_.Registered() || !mainDialog_.Registered() || !hotkeyDialog_.Registered() || createFailed_) {
        return Fault::Windows;
    }
    if (!mainDialog_.Skinned() || !hotkeyDialog_.Skinned()) {
        return Fault::Pictures;
    }
    return Fault::None;
}

int WindowsUi::RunMessageLoop() {
    MSG message;
    for (;;) {
        // Waiting timers and paints count: idle means nothing at all to do.
        if (idleAsked_ && !::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            idleAsked_ = false;
            events_.Idle();
            // Start-up done: the hot-key dialog's controls are made now rather than when it is opened.
            if (!idleAsked_) {
                hotkeyDialog_.CreateControls();
            }
            continue;
        }
        if (::GetMessageW(&message, nullptr, 0, 0) <= 0) {
            break;
        }
        // Enter and Esc in a dialog reach its Okay button through the dialog manager.
        const bool handled = (mainDialog_.handle() && ::IsDialogMessageW(mainDialog_.handle(), &message)) ||
                             (hotkeyDialog_.handle() && ::IsDialogMessageW(hotkeyDialog_.handle(), &message));
        if (!handled) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

os::Window WindowsUi::MainWindow() {
    return Wrap(main_.handle());
}

SkinnedDialog& WindowsUi::Of(ui::Dialog dialog) {
    if (dialog == ui::Dialog::Main) {
        return mainDialog_;
    }
    return hotkeyDialog_;
}

void WindowsUi::CreateDialogWindow(ui::Dialog dialog) {
    if (dialog == ui::Dialog::Main) {
        mainDialog_.Create();
    } else {
        hotkeyDialog_.Create();
    }
    createFailed_ = createFailed_ || !Of(dialog).handle();
}

os::Window WindowsUi::DialogWindow(ui::Dialog dialog) {
    return Wrap(Of(dialog).handle());
}

} // namespace tuckaway::win32
