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

bool FakePriority::SetPriorityClass(os::ProcessId process, unsigned priorityClass,
                                    std::optional<unsigned> onlyFrom) {
    log.push_back("SetPriorityClass " + std::to_string(priorityClass));
    const auto now = PriorityClass(process);
    if (!now) {
        return false;
    }
    if (onlyFrom && now != onlyFrom) {
        return true;
    }
    priorityOf[process.id] =
        priorityClass == os::kRealtimePriority && !realtimePrivilege ? os::kHighPriority : priorityClass;
    return true;
}

std::optional<os::Throttling> FakePriority::ThrottlingOf(os::ProcessId process) {
    if (system != System::Windows11 || !PriorityClass(process)) {
        return std::nullopt;
    }
    return throttlingOf[process.id];
}

bool FakePriority::SetThrottling(os::ProcessId process, os::Throttling throttling,
                                 std::optional<os::Throttling> onlyFrom) {
    if (system == System::Wine8 || !PriorityClass(process)) {
        return false;
    }
    if (const auto now = ThrottlingOf(process); now && onlyFrom && now != onlyFrom) {
        return true;
    }
    throttlingOf[process.id] = throttling;
    return true;
}

unsigned FakePriority::PriorityOf(os::Window window) {
    return PriorityClass(ProcessesPart().processOfWindow.at(window.value)).value_or(0);
}

} // namespace tuckaway::fake
