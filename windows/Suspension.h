#pragma once

// Freezing another process through ntdll's NtSuspendProcess and
// NtResumeProcess, which stop and start all of its threads at once.

#include "ports/Os.h"

namespace tuckaway::win32 {

class Suspension final : public os::Suspension {
public:
    bool Suspend(os::ProcessId process) override;
    bool Resume(os::ProcessId process) override;
};

} // namespace tuckaway::win32
