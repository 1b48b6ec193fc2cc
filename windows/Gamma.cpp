#include "windows/Gamma.h"

#include "handles/Handles.h"

#include <cstring>

namespace tuckaway::win32 {

// The ramp is three arrays of 256 WORDs, as GetDeviceGammaRamp fills them.
static_assert(sizeof(os::GammaRamp) == 3 * 256 * sizeof(WORD));

std::optional<os::GammaRamp> Gamma::Read() {
    const WindowDc screen(nullptr);
    os::GammaRamp ramp;
    if (!screen.get() || !::GetDeviceGammaRamp(screen.get(), ramp.data())) {
        return std::nullopt;
    }
    return ramp;
}

bool Gamma::Write(const os::GammaRamp& ramp) {
    const WindowDc screen(nullptr);
    // SetDeviceGammaRamp takes a non-const pointer but only reads it.
    os::GammaRamp copy = ramp;
    return screen.get() && ::SetDeviceGammaRamp(screen.get(), copy.data());
}

} // namespace tuckaway::win32
