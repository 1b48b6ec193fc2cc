#include "os/win32/Application.h"

#include "hotkeys/Hotkeys.h"

#include <commctrl.h>
#include <ole2.h>

namespace tuckaway::win32 {

Application::OleSession::OleSession() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::OleInitialize(nullptr);
}

Application::OleSession::~OleSession() {
    ::OleUninitialize();
}

Application::Application(HINSTANCE instance)
    : hotkeys_([this](os::Window window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
          return hotkeys::HotkeyProc(program_, window, message, wParam, lParam);
      }),
      pictures_(instance),
      // Only a reference to the windows is kept here; they are built next.
      program_({settings_, windows_, hotkeys_, display_, boxes_, tray_, pictures_, instance_}, ui_),
      ui_(instance) {
    ui_.Attach(program_);
    ui_.CreateMainWindow();
}

Application::~Application() = default;

int Application::Run() {
    if (!program_.varer.Form_Load()) {
        return 0;
    }
    return ui_.RunMessageLoop();
}

} // namespace tuckaway::win32
