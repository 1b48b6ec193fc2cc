#pragma once

// The primary display's gamma ramp, through the screen's device context.

#include "ports/Os.h"

namespace tuckaway::win32 {

class Gamma final : public os::Gamma {
public:
    std::optional<os::GammaRamp> Read() override;
    bool Write(const os::GammaRamp& ramp) override;
};

} // namespace tuckaway::win32
