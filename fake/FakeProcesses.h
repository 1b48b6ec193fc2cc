#pragma once

#include "fake/FakeLog.h"
#include "ports/Os.h"

#include <map>
#include <vector>

namespace tuckaway::fake {

// Processes: the process of each window AddGameWindow made, which run,
// and the windows whose process runs above the program's.
class FakeProcesses : public virtual FakeLog, public os::Processes {
public:
    std::map<std::uintptr_t, os::ProcessId> processOfWindow;
    std::vector<os::ProcessId> running;
    std::map<std::uintptr_t, bool> elevated;

    os::ProcessId OwnerOf(os::Window window) override;
    bool Runs(os::ProcessId process) override;
    bool Outranks(os::Window window) override;
};

} // namespace tuckaway::fake
