#include "fake/FakeSuspension.h"

#include <string>

namespace tuckaway::fake {

bool FakeSuspension::Suspended(std::uint32_t process) const {
    const auto it = suspendCount.find(process);
    return it != suspendCount.end() && it->second > 0;
}

bool FakeSuspension::Suspend(os::ProcessId process) {
    log.push_back("Suspend " + std::to_string(process.id));
    if (!MayOpen(process)) {
        return false;
    }
    ++suspendCount[process.id];
    return true;
}

bool FakeSuspension::Resume(os::ProcessId process) {
    log.push_back("Resume " + std::to_string(process.id));
    if (!MayOpen(process)) {
        return false;
    }
    // A count at zero stays there, as a thread's does.
    if (suspendCount[process.id] > 0 && --suspendCount[process.id] == 0) {
        Resumed(process);
    }
    return true;
}

} // namespace tuckaway::fake
