#include "fake/FakeClock.h"

namespace tuckaway::fake {

std::uint64_t FakeClock::Milliseconds() {
    return now;
}

void FakeCrashPlan::Update(os::Window hiddenGame, bool desktopMode) {
    crashShows = hiddenGame;
    crashRestoresDesktopMode = desktopMode;
}

} // namespace tuckaway::fake
