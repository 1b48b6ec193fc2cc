#pragma once

// The small services, each a few lines: pictures, the first-instance claim,
// the keyboard and the debug output.

#include "fake/FakeLog.h"
#include "ports/Os.h"

#include <functional>
#include <string>
#include <vector>

namespace tuckaway::fake {

// Pictures: icon handle 0x1000 + picture number.
class FakePictures : public virtual FakeLog, public os::Pictures {
public:
    os::Icon Logo(int pictureNumber) override;
};

// InstanceGuard
class FakeInstance : public virtual FakeLog, public os::InstanceGuard {
public:
    bool anotherInstanceRuns = false;

    bool ClaimFirstInstance() override;
};

// Keyboard: run while a combination is being typed (another program may act meanwhile).
class FakeKeyboard : public virtual FakeLog, public os::Keyboard {
public:
    std::function<void()> whileTyping;

    void TypeCombination(unsigned modifiers, unsigned virtualKey) override;
};

// DebugOutput
class FakeDebug : public virtual FakeLog, public os::DebugOutput {
public:
    std::vector<std::string> debugLines;

    void Log(std::string_view line) override;
};

} // namespace tuckaway::fake
