#pragma once

#include "fake/FakeLog.h"
#include "ports/Os.h"

#include <optional>

namespace tuckaway::fake {

// Gamma: nothing while the display offers no ramp.
class FakeGamma : public virtual FakeLog, public os::Gamma {
public:
    std::optional<os::GammaRamp> gammaRamp;

    std::optional<os::GammaRamp> Read() override;
    bool Write(const os::GammaRamp& ramp) override;

    // A gamma ramp that rises evenly from 0 to `level` in each colour; 0xFFFF
    // is the one a driver sets after a mode change.
    static os::GammaRamp Ramp(std::uint16_t level);
};

} // namespace tuckaway::fake
