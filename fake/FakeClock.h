#pragma once

#include "fake/FakeLog.h"
#include "ports/Os.h"

namespace tuckaway::fake {

// Clock: moved by the tests.
class FakeClock : public virtual FakeLog, public os::Clock {
public:
    std::uint64_t now = 0;

    std::uint64_t Milliseconds() override;
};

// CrashPlan: what a crash handler would do now (FakeSystem::RunCrashPlan does it).
class FakeCrashPlan : public virtual FakeLog, public os::CrashPlan {
public:
    os::CrashRescue rescue;

    void Update(const os::CrashRescue& plan) override;
};

} // namespace tuckaway::fake
