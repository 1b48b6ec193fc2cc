#pragma once

#include "fake/FakeLog.h"
#include "ports/Os.h"

#include <optional>
#include <utility>
#include <vector>

namespace tuckaway::fake {

// Display: displaySize with these depth and rate is the mode in use.
class FakeDisplay : public virtual FakeLog, public os::Display {
public:
    os::Size displaySize{1024, 768};
    std::uint32_t displayBits = 32;
    std::uint32_t displayFrequency = 60;
    bool currentModeFails = false;
    // What a CDS_TEST request answers; otherwise changeResult, or success.
    std::optional<std::int32_t> testResult;
    bool enumerationFails = false;
    os::DisplayMode enumeratedMode{0x5C0000, 640, 480, 32, 60};
    std::optional<std::int32_t> changeResult; // otherwise: success, and the display takes the size
    // The mode stored as the display's default, where the next logon starts.
    os::Size storedSize{1024, 768};
    std::vector<std::pair<os::DisplayMode, std::uint32_t>> modeChanges;
    int restarts = 0;

    bool EnumerateMode(std::uint32_t modeNumber, os::DisplayMode& mode) override;
    std::int32_t ChangeMode(const os::DisplayMode& mode, std::uint32_t flags) override;
    bool CurrentMode(os::DisplayMode& mode) override;
    bool StoredMode(os::DisplayMode& mode) override;
    os::Size CurrentSize() override;
    void RequestRestart() override;

protected:
    // The display took another mode: "the gamma ramp is also reset on most
    // display events (... resolution changes)" (SetDeviceGammaRamp).
    virtual void ModeChanged() {}
};

} // namespace tuckaway::fake
