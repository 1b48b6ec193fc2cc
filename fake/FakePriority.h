#pragma once

#include "fake/FakeLog.h"
#include "fake/FakeProcesses.h"
#include "ports/Os.h"

#include <map>
#include <optional>

namespace tuckaway::fake {

// ProcessPriority: each process's class (normal unless set) and efficiency
// mode; nothing for a process that cannot be opened, no efficiency mode
// on a system that has none.
class FakePriority : public virtual FakeLog, public os::ProcessPriority {
public:
    std::map<std::uint32_t, unsigned> priorityOf;
    std::map<std::uint32_t, os::Throttling> throttlingOf;
    std::map<std::uint32_t, bool> unopenable;
    bool efficiencyMode = true;
    unsigned PriorityOf(os::Window window);

    std::optional<unsigned> PriorityClass(os::ProcessId process) override;
    bool SetPriorityClass(os::ProcessId process, unsigned priorityClass) override;
    std::optional<os::Throttling> ThrottlingOf(os::ProcessId process) override;
    bool SetThrottling(os::ProcessId process, os::Throttling throttling) override;

protected:
    // Only a running process can be opened, and a window's priority is its
    // process's: the processes fake of the same system knows both.
    virtual FakeProcesses& ProcessesPart() = 0;
};

} // namespace tuckaway::fake
