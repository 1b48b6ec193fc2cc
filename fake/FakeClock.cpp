#include "fake/FakeClock.h"

#include <string>

namespace tuckaway::fake {

std::uint64_t FakeClock::Milliseconds() {
    return now;
}

void FakeCrashPlan::Update(const os::CrashRescue& plan) {
    if (plan != rescue) {
        log.push_back("CrashPlan " + std::to_string(plan.window.value));
    }
    rescue = plan;
}

} // namespace tuckaway::fake
