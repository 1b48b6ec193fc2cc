#include "fake/FakeDisplay.h"

#include <string>

namespace tuckaway::fake {

bool FakeDisplay::EnumerateMode(std::uint32_t modeNumber, os::DisplayMode& mode) {
    log.push_back("EnumerateMode " + std::to_string(modeNumber));
    if (enumerationFails) {
        return false;
    }
    mode = enumeratedMode;
    return true;
}

std::int32_t FakeDisplay::ChangeMode(const os::DisplayMode& mode, std::uint32_t flags) {
    const bool test = (flags & os::kChangeTest) != 0;
    log.push_back((test ? "TestMode " : "ChangeMode ") + std::to_string(mode.width) + "x" +
                  std::to_string(mode.height));
    if (test) {
        return testResult.value_or(changeResult.value_or(os::kDisplayChangeSuccessful));
    }
    modeChanges.emplace_back(mode, flags);
    if (changeResult) {
        return *changeResult;
    }
    if (flags & os::kChangeUpdateRegistry) {
        storedSize = {mode.width, mode.height};
    }
    if (!(flags & os::kChangeNoReset)) {
        const os::Size before = displaySize;
        displaySize = {mode.width, mode.height};
        // Fields the request leaves out are the driver's choice: here, its defaults.
        displayBits = (mode.fields & os::kDisplayFieldBitsPerPixel) ? mode.bitsPerPixel : 32;
        displayFrequency = (mode.fields & os::kDisplayFieldFrequency) ? mode.frequency : 60;
        if (displaySize != before) {
            ModeChanged();
        }
    }
    return os::kDisplayChangeSuccessful;
}

bool FakeDisplay::StoredMode(os::DisplayMode& mode) {
    mode = {os::kDisplayFieldWidth | os::kDisplayFieldHeight | os::kDisplayFieldBitsPerPixel |
                os::kDisplayFieldFrequency,
            storedSize.width, storedSize.height, 32, 60};
    return true;
}

bool FakeDisplay::CurrentMode(os::DisplayMode& mode) {
    if (currentModeFails) {
        return false;
    }
    mode = {os::kDisplayFieldWidth | os::kDisplayFieldHeight | os::kDisplayFieldBitsPerPixel |
                os::kDisplayFieldFrequency,
            displaySize.width, displaySize.height, displayBits, displayFrequency};
    return true;
}

os::Size FakeDisplay::CurrentSize() {
    return displaySize;
}

void FakeDisplay::RequestRestart() {
    log.push_back("RequestRestart");
    ++restarts;
}

} // namespace tuckaway::fake
