#pragma once

// The one place that puts the program together: the real services and
// windows, and the logic on top of them. The entry point runs it; the
// benchmarks drive the same assembly.

#include "app/Tuckaway.h"
#include "windows/AudioSessions.h"
#include "windows/Clock.h"
#include "windows/CrashHandler.h"
#include "windows/Gamma.h"
#include "windows/ProcessPriority.h"
#include "windows/Processes.h"
#include "windows/Services.h"
#include "windows/Suspension.h"
#include "windows/TrayIcon.h"
#include "windows/WindowsUi.h"

#include <windows.h>

namespace tuckaway::win32 {

class Application {
public:
    // A test build may hand in a picture loader that fails, or make the
    // keyboard's hook or typing late.
    explicit Application(HINSTANCE instance, PictureLoader loadPicture = &shaping::LoadPictureResource,
                         KeyboardDelays keyboardDelays = {});
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    Tuckaway& logic() { return logic_; }
    WindowsUi& ui() { return ui_; }

    // Start-up, then the message loop until the program ends. A program that
    // cannot make its windows, or decode their skins, says so and ends with 1;
    // unless the window that fails is the main dialog's, made once start-up
    // has read the settings, it ends before it touches them, the tray or the
    // hot keys.
    int Run();

private:
    // Shows the box for a start-up fault of the windows; false when there is none.
    bool ToldStartupFault();

    RegistrySettings settings_;
    Windows windows_;
    Hotkeys hotkeys_;
    Display display_;
    MessageBoxes boxes_;
    Pictures pictures_;
    InstanceGuard instance_;
    Keyboard keyboard_;
    DebugOutput debug_;
    Processes processes_;
    AudioSessions audio_{debug_};
    Gamma gamma_;
    Clock clock_;
    CrashHandler crashHandler_;
    ProcessPriority priority_;
    Suspension suspension_;
    // The logic is built on a reference to the windows, which report to it;
    // the windows go first, while everything their last messages reach is still there.
    Tuckaway logic_;
    WindowsUi ui_;
    // Goes before the windows: an icon still in the tray is taken away while
    // the window it belongs to exists.
    TrayIcon tray_;
};

} // namespace tuckaway::win32
