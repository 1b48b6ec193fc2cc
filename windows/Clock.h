#pragma once

// Milliseconds since the system started: a clock that never goes back.

#include "ports/Os.h"

#include <windows.h>

namespace tuckaway::win32 {

class Clock final : public os::Clock {
public:
    std::uint64_t Milliseconds() override { return ::GetTickCount64(); }
};

} // namespace tuckaway::win32
