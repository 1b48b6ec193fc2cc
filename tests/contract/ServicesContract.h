#pragma once

// What the fake and the real services must both do, wherever a test of the
// logic relies on the fake behaving as Windows does. The host tests run it
// against the fake, the Wine tests against the real adapters: when the two
// disagree, one of the runs fails. Include it in one file of a test program
// and instantiate the suite there with a factory for that program's world.

#include "ports/Os.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tuckaway::contract {

class World {
public:
    virtual ~World() = default;
    virtual os::WindowManager& windows() = 0;
    virtual os::HotkeyRegistrar& hotkeys() = 0;
    virtual os::Tray& tray() = 0;
    // A top-level window with this title that lives as long as the world.
    virtual os::Window MakeWindow(std::string_view title) = 0;
    // The same, of the shell's folder windows' class.
    virtual os::Window MakeFolderWindow(std::string_view title) = 0;
    // What the window's own program does to minimise it (ShowWindow SW_MINIMIZE).
    virtual void MinimizeWindow(os::Window window) = 0;

    virtual os::SettingsStore& settings() = 0;
    // The application the settings cases use; the world removes it when it goes.
    virtual std::string application() = 0;
    // Stores, in the application's "games" section, a string value or a value
    // of another type (a number).
    virtual void StoreString(std::string_view name, std::string_view text) = 0;
    virtual void StoreNumber(std::string_view name) = 0;

    virtual os::Processes& processes() = 0;
    virtual os::AudioSessions& audio() = 0;
    virtual os::Gamma& gamma() = 0;
    virtual os::ProcessPriority& priority() = 0;
    virtual os::Suspension& suspension() = 0;
    // A process of its own, running until the world goes, and how often its
    // main thread is suspended now.
    virtual os::ProcessId StartProcess() = 0;
    virtual int SuspendCountOf(os::ProcessId process) = 0;
};

using WorldFactory = std::function<std::unique_ptr<World>()>;

class ServicesContract : public ::testing::TestWithParam<WorldFactory> {
protected:
    void SetUp() override { world = GetParam()(); }
    std::unique_ptr<World> world;
};

TEST_P(ServicesContract, TitlesAreFoundWholeIgnoringLetterCase) {
    const os::Window academy = world->MakeWindow("Jedi Knight\xC2\xAE: Jedi Academy");
    const os::Window outcast = world->MakeWindow("Jedi Knight 2");
    os::WindowManager& windows = world->windows();
    EXPECT_EQ(windows.FindWindowByTitle("Jedi Knight\xC2\xAE: Jedi Academy"), academy);
    EXPECT_EQ(windows.FindWindowByTitle("jedi knight\xC2\xAE: JEDI ACADEMY"), academy);
    EXPECT_EQ(windows.FindWindowByTitle("JEDI KNIGHT 2"), outcast);
    EXPECT_FALSE(windows.FindWindowByTitle("Jedi Knight"));
    EXPECT_FALSE(windows.FindWindowByTitle("Jedi Knight 2: Jedi Outcast MP"));
    EXPECT_FALSE(windows.FindWindowByTitle("Jedi Knight 2 "));
}

TEST_P(ServicesContract, AFolderWindowOrABlankTitleIsNoGameAndOnePassFindsWhatEachLookupWould) {
    const os::Window folder = world->MakeFolderWindow("Wolfenstein");
    os::WindowManager& windows = world->windows();
    EXPECT_FALSE(windows.FindWindowByTitle("Wolfenstein")) << "a folder named like the game";
    const os::Window game = world->MakeWindow("Wolfenstein");
    const os::Window blank = world->MakeWindow(" ");
    EXPECT_EQ(windows.FindWindowByTitle("wolfenstein"), game);
    EXPECT_FALSE(windows.FindWindowByTitle(" ")) << "the blank of automatic detection";
    const std::string_view titles[] = {"Elite Force II", "WOLFENSTEIN", " ", "Wolfenstein"};
    EXPECT_EQ(windows.FindWindows(titles), (std::vector<os::Window>{{}, game, {}, game}));
    EXPECT_NE(folder, game);
    EXPECT_TRUE(blank);
}

TEST_P(ServicesContract, AHiddenWindowThatMinimisesItselfShowsAgainAndARestoreUnminimisesIt) {
    using State = os::WindowManager::WindowState;
    using Show = os::WindowManager::ShowCommand;
    const os::Window game = world->MakeWindow("self-minimising game");
    os::WindowManager& windows = world->windows();
    windows.ShowWindow(game, Show::Restore);
    EXPECT_EQ(windows.StateOf(game), State::Shown);
    windows.ShowWindow(game, Show::Hide);
    EXPECT_EQ(windows.StateOf(game), State::Hidden);
    world->MinimizeWindow(game);
    EXPECT_EQ(windows.StateOf(game), State::Minimized);
    windows.ShowWindow(game, Show::Hide);
    EXPECT_EQ(windows.StateOf(game), State::Hidden) << "minimised underneath, but hidden";
    windows.ShowWindow(game, Show::Restore);
    EXPECT_EQ(windows.StateOf(game), State::Shown);
}

TEST_P(ServicesContract, ACombinationIsHeldByOneWindowUntilItIsLetGo) {
    const os::Window first = world->MakeWindow("first hot-key owner");
    const os::Window second = world->MakeWindow("second hot-key owner");
    os::HotkeyRegistrar& hotkeys = world->hotkeys();
    constexpr unsigned kControlAltShift = 7;
    ASSERT_TRUE(hotkeys.RegisterHotKey(first, 0, kControlAltShift, 'Q'));
    EXPECT_FALSE(hotkeys.RegisterHotKey(second, 1, kControlAltShift, 'Q'));
    EXPECT_FALSE(hotkeys.RegisterHotKey(first, 1, kControlAltShift, 'Q')) << "not even for the same window";
    hotkeys.UnregisterHotKey(first, 0);
    EXPECT_TRUE(hotkeys.RegisterHotKey(second, 1, kControlAltShift, 'Q'));
    hotkeys.UnregisterHotKey(second, 1);
}

TEST_P(ServicesContract, TheSameIdOnTheSameWindowRegistersAgain) {
    const os::Window window = world->MakeWindow("hot-key owner");
    os::HotkeyRegistrar& hotkeys = world->hotkeys();
    constexpr unsigned kControlAlt = 3;
    ASSERT_TRUE(hotkeys.RegisterHotKey(window, 0, kControlAlt, 'J'));
    EXPECT_TRUE(hotkeys.RegisterHotKey(window, 0, kControlAlt, 'K'));
    hotkeys.UnregisterHotKey(window, 0);
    // Letting go of an id that holds nothing is harmless.
    hotkeys.UnregisterHotKey(window, 0);
    hotkeys.UnregisterHotKey(window, 5);
}

TEST_P(ServicesContract, EnumerationGivesEveryValueWithItsTextOrMarksItNotAString) {
    os::SettingsStore& settings = world->settings();
    const std::string application = world->application();
    EXPECT_TRUE(settings.Enumerate(application, "games").empty()) << "no section yet";
    // The store's own order: Windows keeps the order values were made in, Wine
    // sorts them by name; these are made in sorted order, so both agree.
    world->StoreString("ioquake3", "ioquake3");
    world->StoreString("Jedi Knight\xC2\xAE fan edit", "Jedi Knight\xC2\xAE: Jedi Academy (MP)");
    world->StoreString("Quake Live", "");
    world->StoreNumber("Urban Terror");
    EXPECT_EQ(settings.Enumerate(application, "games"),
              (std::vector<os::StoredValue>{
                  {"ioquake3", "ioquake3"},
                  {"Jedi Knight\xC2\xAE fan edit", "Jedi Knight\xC2\xAE: Jedi Academy (MP)"},
                  {"Quake Live", ""},
                  {"Urban Terror", std::nullopt},
              }));
}

TEST_P(ServicesContract, TheTrayHoldsAnIconFromItsAddUntilItsDelete) {
    os::TrayIconRecord record;
    record.window = world->MakeWindow("tray owner");
    record.id = 1;
    record.flags = 4; // the tip only
    record.tip[0] = 'T';
    os::Tray& tray = world->tray();
    using Action = os::Tray::Action;
    EXPECT_FALSE(tray.Notify(Action::Modify, record)) << "not added yet";
    ASSERT_TRUE(tray.Notify(Action::Add, record));
    EXPECT_FALSE(tray.Notify(Action::Add, record)) << "added already";
    EXPECT_TRUE(tray.Notify(Action::Modify, record));
    EXPECT_TRUE(tray.Notify(Action::Delete, record));
    EXPECT_FALSE(tray.Notify(Action::Modify, record)) << "deleted";
}

TEST_P(ServicesContract, AWindowsProcessRunsAndALaterOneWithItsNumberIsNotIt) {
    os::Processes& processes = world->processes();
    const os::ProcessId owner = processes.OwnerOf(world->MakeWindow("a process's window"));
    ASSERT_TRUE(owner);
    EXPECT_TRUE(processes.Runs(owner));
    EXPECT_FALSE(processes.Runs({owner.id, owner.started + 1})) << "started at another time";
    EXPECT_FALSE(processes.OwnerOf(os::Window{}));
    EXPECT_FALSE(processes.Runs({}));
    // A process at the program's own level does not outrank it.
    EXPECT_FALSE(processes.Outranks(world->MakeWindow("a window at the program's level")));
}

// Where sessions cannot be seen (no device; under Wine, another process's
// sessions never), the answer is simply none.
TEST_P(ServicesContract, AProcessWithoutSoundHasNoSessionToMute) {
    os::AudioSessions& audio = world->audio();
    const os::ProcessId owner = world->processes().OwnerOf(world->MakeWindow("a silent window"));
    EXPECT_TRUE(audio.SessionsOf(owner.id).empty());
    audio.SetMuted({"no such session"}, true);
    audio.SetMuted({}, false);
    EXPECT_TRUE(audio.UnmuteIdentifiers({"no such session"}).empty());
    EXPECT_TRUE(audio.SessionsOf(owner.id).empty());
}

// A class is set, and given back only while it is still the one set; the
// real-time class is given as high without the privilege to raise a base
// priority. An efficiency mode that can be read is the one last set.
TEST_P(ServicesContract, APriorityClassIsGivenBackOnlyWhileItIsStillTheOneSet) {
    const os::ProcessId process = world->processes().OwnerOf(world->MakeWindow("a game's window"));
    os::ProcessPriority& priority = world->priority();
    const auto before = priority.PriorityClass(process);
    ASSERT_TRUE(before);
    ASSERT_TRUE(priority.SetPriorityClass(process, os::kBelowNormalPriority, std::nullopt));
    EXPECT_EQ(priority.PriorityClass(process), os::kBelowNormalPriority);
    EXPECT_TRUE(priority.SetPriorityClass(process, *before, os::kHighPriority));
    EXPECT_EQ(priority.PriorityClass(process), os::kBelowNormalPriority) << "another class was set meanwhile";
    EXPECT_TRUE(priority.SetPriorityClass(process, *before, os::kBelowNormalPriority));
    EXPECT_EQ(priority.PriorityClass(process), before);
    EXPECT_FALSE(priority.PriorityClass({process.id, process.started + 1}))
        << "a later process of that number";

    ASSERT_TRUE(priority.SetPriorityClass(process, os::kRealtimePriority, std::nullopt));
    EXPECT_EQ(priority.PriorityClass(process),
              priority.MayGiveRealtime() ? os::kRealtimePriority : os::kHighPriority);
    EXPECT_TRUE(priority.SetPriorityClass(process, *before, std::nullopt));

    if (const auto throttling = priority.ThrottlingOf(process)) {
        constexpr os::Throttling kEfficient{os::kThrottleExecutionSpeed, os::kThrottleExecutionSpeed};
        EXPECT_TRUE(priority.SetThrottling(process, kEfficient, std::nullopt));
        EXPECT_EQ(priority.ThrottlingOf(process), kEfficient);
        EXPECT_TRUE(priority.SetThrottling(process, *throttling, kEfficient));
        EXPECT_EQ(priority.ThrottlingOf(process), throttling);
    }
}

// Every suspension counts, so resuming once undoes only one: another
// program's suspension of the same process stays.
TEST_P(ServicesContract, ASuspensionCountsAndAResumeUndoesOnlyOne) {
    const os::ProcessId process = world->StartProcess();
    os::Suspension& suspension = world->suspension();
    ASSERT_EQ(world->SuspendCountOf(process), 0);
    ASSERT_TRUE(suspension.Suspend(process));
    EXPECT_EQ(world->SuspendCountOf(process), 1);
    ASSERT_TRUE(suspension.Suspend(process)); // another program's
    EXPECT_TRUE(suspension.Resume(process));
    EXPECT_EQ(world->SuspendCountOf(process), 1) << "the other suspension stays";
    EXPECT_TRUE(suspension.Resume(process));
    EXPECT_EQ(world->SuspendCountOf(process), 0);
    EXPECT_FALSE(suspension.Suspend({process.id, process.started + 1})) << "a later process of that number";
}

// A display takes back the ramp it gives, or gives none and takes none.
TEST_P(ServicesContract, TheGammaRampReadIsTheRampThatCanBeWritten) {
    os::Gamma& gamma = world->gamma();
    if (const auto ramp = gamma.Read()) {
        EXPECT_TRUE(gamma.Write(*ramp));
        EXPECT_EQ(gamma.Read(), ramp);
    } else {
        os::GammaRamp linear;
        for (std::size_t i = 0; i < linear.size(); ++i) {
            linear[i] = static_cast<std::uint16_t>((i % 256) * 257);
        }
        EXPECT_FALSE(gamma.Write(linear));
    }
}

} // namespace tuckaway::contract
