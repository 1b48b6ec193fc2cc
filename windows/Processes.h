#pragma once

// Which process a window belongs to, whether it still runs, and whether it
// runs above this one.

#include "ports/Os.h"

#include <optional>

namespace tuckaway::win32 {

class Processes final : public os::Processes {
public:
    os::ProcessId OwnerOf(os::Window window) override;
    bool Runs(os::ProcessId process) override;
    bool Outranks(os::Window window) override;

private:
    // This process's integrity level, read once.
    std::optional<unsigned long> ownLevel_;
};

} // namespace tuckaway::win32
