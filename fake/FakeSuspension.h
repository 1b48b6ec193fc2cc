#pragma once

#include "fake/FakeLog.h"
#include "ports/Os.h"

#include <map>

namespace tuckaway::fake {

// Suspension: each process's suspend count, as NtSuspendProcess raises and
// NtResumeProcess lowers every thread's (SuspendThread: "each thread has a
// suspend count ... the thread does not run while it is greater than zero").
// A suspended process takes no message: its windows take the requests posted
// to them once it runs again (FakeSystem wires that to the windows).
class FakeSuspension : public virtual FakeLog, public os::Suspension {
public:
    std::map<std::uint32_t, int> suspendCount;
    bool Suspended(std::uint32_t process) const;

    bool Suspend(os::ProcessId process) override;
    bool Resume(os::ProcessId process) override;

protected:
    // Only a running process that the program may open.
    virtual bool MayOpen(os::ProcessId process) = 0;
    // It runs again: its windows take what was posted to them meanwhile.
    virtual void Resumed(os::ProcessId process) = 0;
};

} // namespace tuckaway::fake
