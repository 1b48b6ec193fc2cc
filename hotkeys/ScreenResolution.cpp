#include "hotkeys/Hotkeys.h"

namespace tuckaway::hotkeys {
namespace {

// Mode 0 is the first entry of the device's list, not the current mode; only
// the width and height of it are part of the request.
bool Request(os::Display& display, std::int32_t width, std::int32_t height, os::DisplayMode& mode) {
    if (!display.EnumerateMode(0, mode)) {
        return false;
    }
    mode.fields = os::kDisplayFieldWidth | os::kDisplayFieldHeight;
    mode.width = width;
    mode.height = height;
    return true;
}

} // namespace

bool SetScreenResolution(os::Display& display, os::MessageBoxes& boxes, std::int32_t width,
                         std::int32_t height) {
    os::DisplayMode mode;
    if (!Request(display, width, height, mode)) {
        return false;
    }
    switch (display.ChangeMode(mode, os::kChangeUpdateRegistry)) {
    case os::kDisplayChangeSuccessful:
        return true;
    case os::kDisplayChangeRestart:
        if (boxes.Show("You must restart your computer to apply these changes.\r\n\r\nRestart now?",
                       "Screen Resolution Changed", os::BoxStyle::YesNoInformation) == os::BoxAnswer::Yes) {
            RestartWindows(display);
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool StoreDefaultMode(os::Display& display, std::int32_t width, std::int32_t height) {
    os::DisplayMode mode;
    return Request(display, width, height, mode) &&
           display.ChangeMode(mode, os::kChangeUpdateRegistry | os::kChangeNoReset) ==
               os::kDisplayChangeSuccessful;
}

void RestartWindows(os::Display& display) {
    display.RequestRestart();
}

} // namespace tuckaway::hotkeys
