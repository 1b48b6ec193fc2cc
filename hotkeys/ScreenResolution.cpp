#include "hotkeys/Hotkeys.h"

namespace tuckaway::hotkeys {
namespace {

constexpr std::uint32_t kSizeFields = os::kDisplayFieldWidth | os::kDisplayFieldHeight;
constexpr std::uint32_t kWholeModeFields =
    kSizeFields | os::kDisplayFieldBitsPerPixel | os::kDisplayFieldFrequency;

// Mode 0 is the first entry of the device's list, not the current mode; only
// the members the fields name are part of the request.
bool Request(os::Display& display, std::int32_t width, std::int32_t height, os::DisplayMode& mode) {
    if (!display.EnumerateMode(0, mode)) {
        return false;
    }
    mode.fields = kSizeFields;
    mode.width = width;
    mode.height = height;
    return true;
}

bool AlreadyIn(os::Display& display, std::int32_t width, std::int32_t height, std::uint32_t bitsPerPixel,
               std::uint32_t frequency) {
    os::DisplayMode current;
    return display.CurrentMode(current) && current.width == width && current.height == height &&
           (bitsPerPixel == 0 || current.bitsPerPixel == bitsPerPixel) &&
           (frequency == 0 || current.frequency == frequency);
}

} // namespace

bool SetScreenResolution(os::Display& display, os::MessageBoxes& boxes, std::int32_t width,
                         std::int32_t height, std::uint32_t bitsPerPixel, std::uint32_t frequency,
                         bool temporary) {
    // A game that puts its own mode back when it is hidden or shown, as games
    // built on SDL do, has done the switch already; asking again would only
    // make the display flicker.
    if (AlreadyIn(display, width, height, bitsPerPixel, frequency)) {
        return true;
    }
    os::DisplayMode mode;
    if (!Request(display, width, height, mode)) {
        return false;
    }
    if (bitsPerPixel != 0 && frequency != 0) {
        // Width and height alone let the driver choose depth and rate: a
        // 144 Hz desktop would come back at 60 Hz. The whole mode, where the
        // display still offers it.
        mode.fields = kWholeModeFields;
        mode.bitsPerPixel = bitsPerPixel;
        mode.frequency = frequency;
        if (display.ChangeMode(mode, os::kChangeTest) != os::kDisplayChangeSuccessful) {
            mode.fields = kSizeFields;
        }
    }
    // A game's mode stored as the default would outlive the game: the engines
    // leave full screen with ChangeDisplaySettings(NULL, 0), which returns to it.
    switch (display.ChangeMode(mode, temporary ? os::kChangeFullscreen : os::kChangeUpdateRegistry)) {
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

void RestartWindows(os::Display& display) {
    display.RequestRestart();
}

} // namespace tuckaway::hotkeys
