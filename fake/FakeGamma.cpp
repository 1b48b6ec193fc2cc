#include "fake/FakeGamma.h"

#include <string>

namespace tuckaway::fake {

std::optional<os::GammaRamp> FakeGamma::Read() {
    return gammaRamp;
}

bool FakeGamma::Write(const os::GammaRamp& ramp) {
    log.push_back("SetGamma " + std::to_string(ramp[255]));
    if (!gammaRamp) {
        return false;
    }
    gammaRamp = ramp;
    return true;
}

os::GammaRamp FakeGamma::Ramp(std::uint16_t level) {
    os::GammaRamp ramp;
    for (std::size_t i = 0; i < ramp.size(); ++i) {
        ramp[i] = static_cast<std::uint16_t>((i % 256) * level / 255);
    }
    return ramp;
}

} // namespace tuckaway::fake
