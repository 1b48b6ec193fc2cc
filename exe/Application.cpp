#include "exe/Application.h"

#include "state/Settings.h"
#include "windows/Text.h"

#include <commctrl.h>

namespace tuckaway::win32 {

Application::CommonControls::CommonControls() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
}

Application::Application(HINSTANCE instance)
    : pictures_(instance),
      // One instance per settings store.
      instance_(L"Local\\" + Wide(settings::kApplication) + L" single instance"),
      logic_(
          {settings_, windows_, hotkeys_, display_, boxes_, tray_, pictures_, instance_, keyboard_, debug_},
          ui_),
      ui_(instance, logic_) {
    ui_.CreateMainWindow();
}

int Application::Run() {
    if (!logic_.varer.Form_Load()) {
        return 0;
    }
    return ui_.RunMessageLoop();
}

} // namespace tuckaway::win32
