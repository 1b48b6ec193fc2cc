#include "fake/FakePriority.h"

#include <string>

namespace tuckaway::fake {

std::optional<unsigned> FakePriority::PriorityClass(os::ProcessId process) {
    if (unopenable[process.id] || !ProcessesPart().Runs(process)) {
        return std::nullopt;
    }
    const auto it = priorityOf.find(process.id);
    return it == priorityOf.end() ? os::kNormalPriority : it->second;
}

bool FakePriority::SetPriorityClass(os::ProcessId process, unsigned priorityClass) {
    log.push_back("SetPriorityClass " + std::to_string(priorityClass));
    if (!PriorityClass(process)) {
        return false;
    }
    priorityOf[process.id] = priorityClass;
    return true;
}

std::optional<os::Throttling> FakePriority::ThrottlingOf(os::ProcessId process) {
    if (!efficiencyMode || !PriorityClass(process)) {
        return std::nullopt;
    }
    return throttlingOf[process.id];
}

bool FakePriority::SetThrottling(os::ProcessId process, os::Throttling throttling) {
    if (!ThrottlingOf(process)) {
        return false;
    }
    throttlingOf[process.id] = throttling;
    return true;
}

unsigned FakePriority::PriorityOf(os::Window window) {
    return PriorityClass(ProcessesPart().processOfWindow.at(window.value)).value_or(0);
}

} // namespace tuckaway::fake
