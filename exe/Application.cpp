#include "exe/Application.h"

#include "state/Hide.h"
#include "state/Settings.h"
#include "windows/Text.h"

namespace tuckaway::win32 {

Application::Application(HINSTANCE instance, PictureLoader loadPicture, KeyboardDelays keyboardDelays)
    : pictures_(instance),
      // One instance per settings store.
      instance_(L"Local\\" + Wide(settings::kApplication) + L" single instance"), keyboard_(keyboardDelays),
      crashHandler_(L"Software\\" + Wide(settings::kApplication) + L"\\" + Wide(settings::kRecoverySection),
                    Wide(hide::kRecordValue)),
      logic_({settings_, windows_, hotkeys_, display_, boxes_, tray_, pictures_, instance_, keyboard_, debug_,
              processes_, audio_, gamma_, clock_, crashHandler_, priority_, suspension_},
             ui_),
      ui_(instance, logic_, loadPicture) {
    ui_.CreateMainWindow();
}

int Application::Run() {
    if (ToldStartupFault()) {
        return 1;
    }
    if (!logic_.varer.Form_Load()) {
        // Another instance runs (it said so), or the hot-key dialog's window could not be made.
        return ToldStartupFault() ? 1 : 0;
    }
    const int code = ui_.RunMessageLoop();
    // The main dialog is made at the first idle moment; start-up ends there without it.
    return ToldStartupFault() ? 1 : code;
}

bool Application::ToldStartupFault() {
    const WindowsUi::Fault fault = ui_.StartupFault();
    if (fault == WindowsUi::Fault::None) {
        return false;
    }
    boxes_.Show(fault == WindowsUi::Fault::Pictures
                    ? "Tuckaway cannot start: its pictures could not be loaded."
                    : "Tuckaway cannot start: its windows could not be created.",
                kAppTitle, os::BoxStyle::OkError);
    return true;
}

} // namespace tuckaway::win32
