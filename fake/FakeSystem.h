#pragma once

// A fake of every OS service and of the program's windows, one part per
// service. Every part records its calls in the one ordered log and answers as
// the test tells it; where one part needs another's state, the system hands it over.

#include "fake/FakeAudio.h"
#include "fake/FakeBoxes.h"
#include "fake/FakeClock.h"
#include "fake/FakeDisplay.h"
#include "fake/FakeGamma.h"
#include "fake/FakeHotkeys.h"
#include "fake/FakeLog.h"
#include "fake/FakeMisc.h"
#include "fake/FakePriority.h"
#include "fake/FakeProcesses.h"
#include "fake/FakeSettings.h"
#include "fake/FakeSuspension.h"
#include "fake/FakeTray.h"
#include "fake/FakeUi.h"
#include "fake/FakeWindows.h"
#include "ports/Os.h"

#include <string>
#include <string_view>

namespace tuckaway::fake {

class FakeSystem final : public FakeSettings,
                         public FakeWindows,
                         public FakeHotkeys,
                         public FakeDisplay,
                         public FakeBoxes,
                         public FakeTray,
                         public FakePictures,
                         public FakeInstance,
                         public FakeKeyboard,
                         public FakeDebug,
                         public FakeProcesses,
                         public FakeAudio,
                         public FakeGamma,
                         public FakeClock,
                         public FakeCrashPlan,
                         public FakePriority,
                         public FakeSuspension,
                         public FakeUi {
public:
    os::Services Services();

    // A game window that FindWindowByTitle finds, visible, of a running process of its own.
    os::Window AddGameWindow(std::string_view title, std::string_view className = "game");
    // A session of the game that owns `window`, its identifier the same as its instance's.
    void AddSession(os::Window window, std::string id, bool muted = false);
    // The process ends: its windows and sessions go with it.
    void EndProcess(os::ProcessId process);
    // What the crash handler does with the plan it was last given.
    void RunCrashPlan();

protected:
    FakeProcesses& ProcessesPart() override { return *this; }
    void ModeChanged() override;
    bool Frozen(os::Window window) override;
    bool MayOpen(os::ProcessId process) override;
    void Resumed(os::ProcessId process) override;

private:
    std::uintptr_t windowsMade_ = 0;
};

} // namespace tuckaway::fake
