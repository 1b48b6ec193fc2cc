// Sequences of events that once left a hide half given back, each kept as
// the test that would fail without its mend.

#include "host/RunningGame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace tuckaway {
namespace {

using fake::FakeSystem;
constexpr os::Throttling kEfficient{os::kThrottleExecutionSpeed, os::kThrottleExecutionSpeed};

using HideSequence = RunningGame;

// A game built on SDL puts the desktop's mode back itself some 40 ms after
// losing the focus and takes the hide some 150 ms later: a tick in between
// saw the desktop's mode and took it for the game's.
TEST_F(HideSequence, AnSdlGameComesBackAtItsModeThoughItLeftItBeforeTakingTheHide) {
    fake.hung[game.value] = true; // busy with losing the focus
    Hide();
    fake.displaySize = {1024, 768};
    fake.displayFrequency = 60;
    Tick();
    fake.Answer(game);
    Watch();
    ASSERT_FALSE(fake.visible[game.value]);
    EXPECT_TRUE(fake.LogStartingWith("ChangeMode").empty()) << "the game switched already";
    Restore();
    EXPECT_EQ(fake.displaySize, (os::Size{640, 480}));
    EXPECT_EQ(fake.displayFrequency, 75u);
}

// The system keeps a session's mute for the game's next run, and the hide
// used to forget the sessions of a game that ended; it also kept Check1, so
// the next run's mode was never recorded and a crash switched the display.
TEST_F(HideSequence, AGameThatEndsWhileHiddenIsHeardOnItsNextRunWhichHasItsOwnModeRecorded) {
    Hide();
    fake.EndProcess(Process(game));
    Tick();
    EXPECT_EQ(program.varer.Check1, 0);
    EXPECT_EQ(fake.rescue, os::CrashRescue{});

    const os::Window again = fake.AddGameWindow("Quake 3: Arena");
    fake.displaySize = {800, 600};
    fake.OpenSession(Process(again).id, "music, second run", "music");
    ASSERT_TRUE(fake.SessionMuted("music, second run")) << "as the system kept it";
    Tick();
    EXPECT_FALSE(fake.SessionMuted("music, second run"));
    Hide();
    EXPECT_EQ(fake.displaySize, (os::Size{1024, 768}));
    Restore();
    EXPECT_EQ(fake.displaySize, (os::Size{800, 600}));
    EXPECT_EQ(Recorded("Hide"), "State=Shown\n");
}

// After a crash the handler showed the window only: the game played on
// lowered and throttled, silent and at the desktop's ramp, and the kept ramp
// stopped the desktop's from being read for the rest of the run.
TEST_F(HideSequence, ACrashWhileHiddenGivesTheShareAtOnceAndTheRestAtTheNextStart) {
    Hide();
    fake.RunCrashPlan();
    EXPECT_TRUE(fake.visible[game.value]);
    EXPECT_EQ(fake.PriorityOf(game), os::kNormalPriority);
    EXPECT_EQ(fake.throttlingOf[Process(game).id], os::Throttling{});
    EXPECT_EQ(fake.displaySize, (os::Size{1024, 768}));

    Tuckaway next{fake.Services(), fake};
    ASSERT_TRUE(StartUp(next, fake));
    EXPECT_FALSE(fake.SessionMuted("music"));
    EXPECT_EQ(fake.gammaRamp, FakeSystem::Ramp(0xC000));
    EXPECT_EQ(fake.displaySize, (os::Size{640, 480})) << "the restore it did not live to finish";
    EXPECT_EQ(fake.sections["recovery"]["Hide"], "State=Shown\n");
    fake.EndProcess(Process(game));
    fake.gammaRamp = FakeSystem::Ramp(0x9000); // the desktop's, changed by its owner
    next.varer.Timer1_Timer();
    EXPECT_EQ(next.program.desktopRamp, FakeSystem::Ramp(0x9000));
}

// Windows 10 21H2 and 22H2 take an efficiency mode but fail to tell it: the
// hide read first and so never throttled there.
TEST_F(HideSequence, EfficiencyModeEngagesWhereTheSystemTakesItWithoutTellingIt) {
    fake.system = FakeSystem::System::Windows10;
    Hide();
    EXPECT_EQ(fake.throttlingOf[Process(game).id], kEfficient);
    Restore();
    EXPECT_EQ(fake.throttlingOf[Process(game).id], os::Throttling{});
}

// The crash plan was updated after muting, yielding, the switch and the ramp.
TEST_F(HideSequence, TheRecordAndTheCrashPlanKnowOfEachChangeBeforeItIsMade) {
    Hide();
    const auto first = [&](std::string_view prefix) {
        return std::ranges::find_if(fake.log,
                                    [&](const std::string& line) { return line.starts_with(prefix); });
    };
    const auto planned = first("CrashPlan " + std::to_string(game.value));
    const auto recorded = first("Write recovery/Hide=State=Hiding");
    ASSERT_NE(planned, fake.log.end());
    for (const std::string& change :
         {"ShowWindow " + std::to_string(game.value), std::string("Mute"), std::string("SetPriorityClass"),
          std::string("ChangeMode"), std::string("SetGamma")}) {
        EXPECT_LT(planned, first(change)) << change;
        EXPECT_LT(recorded, first(change)) << change;
    }
}

// The player unmuted the hidden game to hear a match start; the next tick muted it again.
TEST_F(HideSequence, WhatThePlayerSetsWhileTheGameIsHiddenStays) {
    Hide();
    fake.PlayerMutes("music", false);
    fake.priorityOf[Process(game).id] = os::kHighPriority;
    Tick();
    Tick();
    EXPECT_FALSE(fake.SessionMuted("music"));
    fake.PlayerMutes("music", true); // and muted again: still the player's
    Restore();
    EXPECT_TRUE(fake.SessionMuted("music"));
    EXPECT_EQ(fake.PriorityOf(game), os::kHighPriority);
}

// Hide A, choose B (at high priority), hide B, restore B: A stayed lowered
// for good, B was never lowered and came back at A's class.
TEST_F(HideSequence, TwoGamesNeverSwapWhatTheyHad) {
    Hide();
    const os::Window other = fake.AddGameWindow("Jedi Knight 2");
    fake.priorityOf[Process(other).id] = os::kHighPriority;
    app.frmAbout.SelectEntry("Star Wars: Jedi Knight II: Jedi Outcast (SP)");
    Tick();
    EXPECT_TRUE(fake.visible[game.value]) << "never lost: given back once it is no longer the game";
    EXPECT_EQ(fake.PriorityOf(game), os::kNormalPriority);
    EXPECT_EQ(fake.throttlingOf[Process(game).id], os::Throttling{});
    Hide();
    EXPECT_EQ(fake.PriorityOf(other), os::kBelowNormalPriority);
    Restore();
    EXPECT_EQ(fake.PriorityOf(other), os::kHighPriority);
    EXPECT_EQ(fake.PriorityOf(game), os::kNormalPriority);
}

// Without the privilege to raise a base priority the system gives HIGH for
// REALTIME, so a real-time game lowered by the hide came back high.
TEST_F(HideSequence, ARealTimeGameIsLoweredOnlyWhereItsClassCanBeGivenBack) {
    fake.priorityOf[Process(game).id] = os::kRealtimePriority;
    Hide();
    EXPECT_EQ(fake.PriorityOf(game), os::kRealtimePriority);
    Restore();
    fake.realtimePrivilege = true;
    Hide();
    EXPECT_EQ(fake.PriorityOf(game), os::kBelowNormalPriority);
    Restore();
    EXPECT_EQ(fake.PriorityOf(game), os::kRealtimePriority);
}

// FreezeWhenHidden: suspended once the game has settled after the hide,
// resumed before anything else on the way back, and only what the program
// suspended: another program's suspension stays.
TEST_F(HideSequence, AFrozenGameIsResumedFirstAndOnlyFromTheProgramsOwnSuspension) {
    program.freezeWhenHidden = true;
    const os::ProcessId process = Process(game);
    fake.Suspend(process); // another program's
    fake.Resume(process);
    Hide();
    EXPECT_EQ(fake.suspendCount[process.id], 0) << "not before the game has settled";
    Tick();
    Tick();
    Tick();
    Tick();
    EXPECT_EQ(fake.suspendCount[process.id], 1);
    EXPECT_NE(Recorded("Hide").find("\nFrozen=1\n"), std::string::npos);
    Tick();
    EXPECT_EQ(fake.suspendCount[process.id], 1) << "once per hide";
    fake.Suspend(process); // another program's, while hidden
    Restore();
    EXPECT_EQ(fake.suspendCount[process.id], 1) << "the other program's stays";
    const auto resumed = std::ranges::find(fake.log, "Resume " + std::to_string(process.id));
    EXPECT_LT(resumed, std::ranges::find(fake.log, "ShowWindow " + std::to_string(game.value) + " 9"));
    EXPECT_FALSE(fake.visible[game.value]) << "it comes when the other program lets it run";
    fake.Resume(process);
    Tick();
    EXPECT_TRUE(fake.visible[game.value]);
    EXPECT_EQ(Recorded("Hide"), "State=Shown\n");

    // Crashed while frozen: the handler resumes it and leaves a record that resumes nothing more.
    Hide();
    for (int i = 0; i < 4; ++i) {
        Tick();
    }
    ASSERT_EQ(fake.suspendCount[process.id], 1);
    fake.Suspend(process); // another program's
    fake.RunCrashPlan();
    EXPECT_EQ(fake.suspendCount[process.id], 1);
    Tuckaway next{fake.Services(), fake};
    ASSERT_TRUE(StartUp(next, fake));
    EXPECT_EQ(fake.suspendCount[process.id], 1);
    fake.Resume(process);
    next.varer.Timer1_Timer();
    EXPECT_TRUE(fake.visible[game.value]);
    EXPECT_EQ(fake.sections["recovery"]["Hide"], "State=Shown\n");
}

TEST(HideRecord, AStoredRampNoDisplayCouldHaveIsNeverWritten) {
    FakeSystem fake;
    hide::Hide left;
    left.phase = hide::Phase::Hidden;
    left.process = {77, 1}; // ended since
    left.gameGamma = FakeSystem::Ramp(0xC000);
    left.desktopGamma = os::GammaRamp{}; // black: a value gone bad
    fake.sections["recovery"]["Hide"] = hide::RecordText(left);
    fake.gammaRamp = FakeSystem::Ramp(0xC000);
    Tuckaway app{fake.Services(), fake};
    ASSERT_TRUE(StartUp(app, fake));
    EXPECT_TRUE(fake.LogStartingWith("SetGamma").empty());
    EXPECT_EQ(fake.gammaRamp, FakeSystem::Ramp(0xC000));
}

} // namespace
} // namespace tuckaway
