#pragma once

// The whole program put together with the real services and windows; the
// entry point runs it, and the benchmarks drive the same assembly.

#include "app/Program.h"
#include "os/win32/Services.h"
#include "os/win32/WindowsUi.h"

#include <windows.h>

namespace tuckaway::win32 {

class Application {
public:
    explicit Application(HINSTANCE instance);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    Program& program() { return program_; }
    WindowsUi& ui() { return ui_; }

    // Start-up, then the message loop until the program ends.
    int Run();

private:
    // Skins are decoded by the system's picture loader, which needs OLE on this thread.
    struct OleSession {
        OleSession();
        ~OleSession();
    };

    OleSession ole_;
    RegistrySettings settings_;
    Windows windows_;
    Hotkeys hotkeys_;
    Display display_;
    MessageBoxes boxes_;
    Tray tray_;
    Pictures pictures_;
    InstanceGuard instance_;
    // The windows are destroyed first, while the program and the services
    // their last messages reach are still there.
    Program program_;
    WindowsUi ui_;
};

} // namespace tuckaway::win32
