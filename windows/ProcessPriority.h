#pragma once

// Another process's priority class and efficiency mode.

#include "ports/Os.h"

namespace tuckaway::win32 {

class ProcessPriority final : public os::ProcessPriority {
public:
    std::optional<unsigned> PriorityClass(os::ProcessId process) override;
    bool SetPriorityClass(os::ProcessId process, unsigned priorityClass,
                          std::optional<unsigned> onlyFrom) override;
    std::optional<os::Throttling> ThrottlingOf(os::ProcessId process) override;
    bool SetThrottling(os::ProcessId process, os::Throttling throttling,
                       std::optional<os::Throttling> onlyFrom) override;
    // Enables the privilege to raise a base priority where the token holds it.
    bool MayGiveRealtime() override;
};

} // namespace tuckaway::win32
