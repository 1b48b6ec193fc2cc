#pragma once

// Which process a window belongs to, and whether it still runs.

#include "ports/Os.h"

namespace tuckaway::win32 {

class Processes final : public os::Processes {
public:
    os::ProcessId OwnerOf(os::Window window) override;
    bool Runs(os::ProcessId process) override;
};

} // namespace tuckaway::win32
