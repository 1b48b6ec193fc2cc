#pragma once

// The one ordered log every part of the fake writes to, so that a test sees the
// calls to all the services in the order they came.

#include <string>
#include <string_view>
#include <vector>

namespace tuckaway::fake {

class FakeLog {
public:
    // Never copied: the parts hold this log as a shared virtual base, which a
    // copy would assign once for each part; a test has one fake system anyway.
    FakeLog() = default;
    FakeLog(const FakeLog&) = delete;
    FakeLog& operator=(const FakeLog&) = delete;

    // Every call, in order, as one line such as "Write currentgame= " or
    // "RegisterHotKey 0 2 90".
    std::vector<std::string> log;
    std::vector<std::string> LogStartingWith(std::string_view prefix) const;
};

} // namespace tuckaway::fake
