#include "fake/FakeClock.h"

namespace tuckaway::fake {

std::uint64_t FakeClock::Milliseconds() {
    return now;
}

void FakeCrashPlan::Update(const os::CrashRescue& plan) {
    rescue = plan;
}

} // namespace tuckaway::fake
