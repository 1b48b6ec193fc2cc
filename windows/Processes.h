#pragma once

// Which process a window belongs to, whether it still runs, and whether it
// runs above this one.

#include "ports/Os.h"

#include <windows.h>

#include <cstdint>
#include <optional>

namespace tuckaway::win32 {

// When a process started (its creation time), which tells it from a later
// process given the same number; 0 when it cannot be read.
std::uint64_t StartOf(HANDLE process);

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
