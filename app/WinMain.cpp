// The Windows entry point: builds the real services and windows, runs start-up
// and then the message loop until the program ends.

#include "app/Program.h"
#include "hotkeys/Hotkeys.h"
#include "os/win32/Services.h"
#include "os/win32/WindowsUi.h"

#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

namespace {

// The skins are decoded by the system's picture loader, which needs OLE on this thread.
struct OleSession {
    OleSession() { ::OleInitialize(nullptr); }
    ~OleSession() { ::OleUninitialize(); }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
};

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace tuckaway;

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    const OleSession ole;

    Program* program = nullptr;
    win32::RegistrySettings settings;
    win32::Windows windows;
    win32::Hotkeys hotkeys(
        [&program](os::Window window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
            return hotkeys::HotkeyProc(*program, window, message, wParam, lParam);
        });
    win32::Display display;
    win32::MessageBoxes boxes;
    win32::Tray tray;
    win32::Pictures pictures(instance);
    win32::InstanceGuard instanceGuard;
    win32::WindowsUi ui(instance);

    Program running({settings, windows, hotkeys, display, boxes, tray, pictures, instanceGuard}, ui);
    program = &running;
    ui.Attach(running);
    ui.CreateMainWindow();

    if (!running.varer.Form_Load()) {
        return 0;
    }
    return ui.RunMessageLoop();
}
