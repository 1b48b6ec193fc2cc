#include "fake/FakeGamma.h"

#include <string>

namespace tuckaway::fake {

std::optional<os::GammaRamp> FakeGamma::Read() {
    return gammaRamp;
}

bool FakeGamma::Write(const os::GammaRamp& ramp) {
    log.push_back("SetGamma " + std::to_string(ramp[0]));
    if (!gammaRamp) {
        return false;
    }
    gammaRamp = ramp;
    return true;
}

os::GammaRamp FakeGamma::Ramp(std::uint16_t level) {
    os::GammaRamp ramp;
    ramp.fill(level);
    return ramp;
}

} // namespace tuckaway::fake
