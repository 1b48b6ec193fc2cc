// Every order of events a hide can meet, not only the ones someone thought
// of: random sequences of up to 50 events (keys, the tray, ticks, the ends of
// the program, games starting and ending, hanging, switching modes, the
// player's own mute and priority, crashes and kills followed by a start)
// drive the program on the fake, and after every step the invariants below
// must hold. A failure is shrunk to the shortest sequence and printed; each
// one found is kept as a named test at the end of this file (HideFound).
//
// RC_PARAMS="seed=N max_success=M" repeats or lengthens a run.

#include "app/Tuckaway.h"
#include "fake/FakeSystem.h"
#include "host/StartUp.h"
#include "hotkeys/Hotkeys.h"

#include <gtest/gtest.h>
#include <rapidcheck.h>
#include <rapidcheck/gtest.h>
#include <rapidcheck/state.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

namespace tuckaway {
namespace os {

void showValue(Size size, std::ostream& os) {
    os << size.width << "x" << size.height;
}

} // namespace os
namespace hide {

// How a failure prints a phase.
void showValue(Phase phase, std::ostream& os) {
    constexpr const char* kNames[] = {"Shown", "Hiding", "Hidden", "Restoring"};
    os << kNames[static_cast<int>(phase)];
}

} // namespace hide
namespace {

using fake::FakeSystem;
using hide::Phase;

constexpr os::Size kDesktop{1024, 768};
constexpr os::Throttling kEfficient{os::kThrottleExecutionSpeed, os::kThrottleExecutionSpeed};
const os::GammaRamp kDesktopRamp = FakeSystem::Ramp(0x8000);
const os::GammaRamp kGameRamp = FakeSystem::Ramp(0xC000);

// What the generator needs to know of the world to pick an event that can happen.
struct Model {
    bool quakeRuns = true;
    bool quakeHung = false;
    bool secondRuns = false;
};

// One game: a full-screen one (its own mode, a ramp of its own, a session),
// or a windowed one.
struct Game {
    const char* title = nullptr;
    const char* entry = nullptr;
    const char* identifier = nullptr;
    bool fullScreen = false;
    os::Window window;
    os::ProcessId process;
    std::string session;
    int runs = 0;
    // What the player set, and the game's own mode; and the mode it showed
    // in front when it was last asked to hide, which its restore brings back.
    unsigned playerClass = os::kNormalPriority;
    os::Size mode{640, 480};
    std::uint32_t frequency = 75;
    std::optional<os::Size> askedMode;
    // Suspensions of its process by another program.
    int othersSuspended = 0;
};

Game MakeGame(const char* title, const char* entry, const char* identifier, bool fullScreen) {
    Game game{};
    game.title = title;
    game.entry = entry;
    game.identifier = identifier;
    game.fullScreen = fullScreen;
    return game;
}

// The machine (the fake, which outlives each run of the program), the
// program, and what the player and the games set.
struct World {
    FakeSystem fake;
    std::unique_ptr<Tuckaway> app;
    Game quake = MakeGame("Quake 3: Arena", "Quake III Arena", "quake|music", true);
    Game second =
        MakeGame("Jedi Knight 2", "Star Wars: Jedi Knight II: Jedi Outcast (SP)", "jk2|voice", false);
    // The player's mute of each session identifier, which the system keeps.
    std::map<std::string, bool> playerMuted;
    bool switchOn = true;

    Program& program() { return app->program; }

    void Start() {
        app.reset(); // the run before is gone: killed, crashed or ended
        app = std::make_unique<Tuckaway>(fake.Services(), fake);
        RC_ASSERT(StartUp(*app, fake));
    }

    void Launch(Game& game) {
        game.window = fake.AddGameWindow(game.title);
        game.askedMode.reset();
        game.othersSuspended = 0;
        game.process = fake.processOfWindow.at(game.window.value);
        game.session = std::string(game.identifier) + "#" + std::to_string(++game.runs);
        game.playerClass = os::kNormalPriority;
        if (game.fullScreen) {
            fake.displaySize = game.mode;
            fake.displayFrequency = game.frequency;
            fake.gammaRamp = kGameRamp;
        }
        // The system starts the session as it kept its identifier's mute.
        fake.OpenSession(game.process.id, game.session, game.identifier);
    }

    // A game that quits puts the desktop's mode and ramp back, as engines do.
    void Quit(Game& game) {
        fake.EndProcess(game.process);
        if (game.fullScreen) {
            fake.displaySize = kDesktop;
            fake.displayFrequency = 60;
            fake.gammaRamp = kDesktopRamp;
        }
        game.window = {};
    }

    void Key(std::uintptr_t id) {
        fake.installedProc->operator()(FakeSystem::kHotkeyDialogWindow, hotkeys::kWmHotkey, id,
                                       id == 0 ? 0x005A0002 : 0x005A0006);
    }
    void Tick() {
        fake.now += 150;
        app->TimerTicked();
    }
    void Watch(std::uint64_t after) {
        fake.now += after;
        if (std::exchange(fake.watchAsked, std::nullopt)) {
            app->GameWindowWatched();
        }
    }
    void Menu(ui::MenuItem item) {
        fake.menuChoice = item;
        app->TrayEvent(0x0205);
    }

    // Hidden, and no request to show it waits for the game to answer.
    bool Hidden(const Game& game) const {
        if (!game.window || fake.visible.at(game.window.value) ||
            std::ranges::find(fake.running, game.process) == fake.running.end()) {
            return false;
        }
        const auto posted = fake.postedShows.find(game.window.value);
        return posted == fake.postedShows.end() || posted->second.empty() ||
               posted->second.back() == os::WindowManager::ShowCommand::Hide;
    }
    hide::Hide Record() { return hide::ParseRecord(fake.sections["recovery"]["Hide"]); }
};

void CheckGame(World& world, const Game& game, bool restored) {
    if (!game.window) {
        return;
    }
    FakeSystem& fake = world.fake;
    const hide::Hide& hide = world.program().hide;
    const bool inForce = hide.phase != Phase::Shown && hide.process == game.process;
    const unsigned priority =
        fake.priorityOf.contains(game.process.id) ? fake.priorityOf[game.process.id] : os::kNormalPriority;
    const os::Throttling throttling = fake.throttlingOf[game.process.id];
    const bool muted = fake.SessionMuted(game.session);
    const bool playerMuted = world.playerMuted[game.identifier];

    // (a), (b): what the game and the player had, or the hide's own doing on
    // the process it hides, and on no other.
    RC_ASSERT(priority == game.playerClass || (inForce && priority == os::kBelowNormalPriority));
    RC_ASSERT(throttling == os::Throttling{} || (inForce && throttling == kEfficient));
    RC_ASSERT(muted == playerMuted || (inForce && muted));
    if (hide.phase == Phase::Shown && game.fullScreen) {
        // Only the program ever puts the desktop's ramp on the display while the game runs.
        const bool desktops = fake.gammaRamp == kDesktopRamp;
        RC_ASSERT(!desktops);
    }

    // A process is suspended as often as others suspended it, and once more
    // only while the hide that froze it is in force.
    const int suspended = fake.suspendCount[game.process.id];
    RC_ASSERT(suspended == game.othersSuspended ||
              (inForce && hide.frozen && suspended == game.othersSuspended + 1));

    // (c): the record covers every change made outside the program.
    const hide::Hide record = world.Record();
    const bool recordsIt = record.phase != Phase::Shown && record.process == game.process;
    if (suspended > game.othersSuspended) {
        RC_ASSERT(recordsIt && record.frozen);
    }
    if (priority != game.playerClass) {
        RC_ASSERT(recordsIt && record.priorityClass == game.playerClass);
    }
    if (throttling != os::Throttling{}) {
        RC_ASSERT(recordsIt && record.throttling == os::Throttling{});
    }
    if (muted && !playerMuted) {
        const bool listed =
            std::ranges::find(record.muted, game.session, &hide::MutedSession::instance) !=
                record.muted.end() ||
            std::ranges::find(record.unmuteLater, game.identifier) != record.unmuteLater.end();
        RC_ASSERT(listed);
    }

    // (d): never lost: a hidden game is one the program knows it hid, on record.
    if (world.Hidden(game)) {
        RC_ASSERT(hide.phase != Phase::Shown && hide.window == game.window);
        RC_ASSERT(record.phase != Phase::Shown && record.window == game.window);
    }

    // (e): with the switch on, never the game's mode while it is hidden, and
    // its mode once a restore is done.
    const bool ownMode = game.askedMode && game.askedMode->width != kDesktop.width &&
                         game.askedMode->height != kDesktop.height;
    if (world.switchOn && game.fullScreen && ownMode) {
        if (world.Hidden(game) && hide.phase == Phase::Hidden) {
            RC_ASSERT(fake.displaySize != *game.askedMode);
        }
        if (restored && !world.Hidden(game)) {
            RC_ASSERT(fake.displaySize == *game.askedMode);
        }
    }
}

// After every step. `restore`: the step was a restore's (key, tray click, or
// what completes one), not an end of the program.
void CheckInvariants(World& world, Phase before, bool restore) {
    // Only while no hide is in force on any game: the ramp the display shows
    // belongs to the game that hides.
    const hide::Hide& hide = world.program().hide;
    const bool restored = restore && before != Phase::Shown && hide.phase == Phase::Shown;
    CheckGame(world, world.quake, restored);
    CheckGame(world, world.second, false);
}

using Command = rc::state::Command<Model, World>;

// Runs the event, then checks. Phase before: to tell a restore that completed.
struct Event : Command {
    void run(const Model&, World& world) const override {
        const Phase before = world.program().hide.phase;
        // A restore of the game that is hidden and current: the keys, the tray and ticks act on the current
        // one.
        const bool current = world.program().hide.window == world.quake.window &&
                             hotkeys::FindGameWindow(world.program()) == world.quake.window;
        Do(world);
        const bool restore = Restore() && current;
        CheckInvariants(world, before, restore);
    }
    virtual void Do(World& world) const = 0;
    virtual bool Restore() const { return false; }
};

struct HideKey : Event {
    void Do(World& world) const override {
        Game& quake = world.quake;
        FakeSystem& fake = world.fake;
        const bool inFront = quake.window && world.program().hide.phase == Phase::Shown &&
                             fake.visible[quake.window.value] &&
                             hotkeys::FindGameWindow(world.program()) == quake.window;
        if (inFront) {
            quake.askedMode = fake.displaySize;
        }
        world.Key(0);
    }
    void show(std::ostream& os) const override { os << "hide key"; }
};
struct RestoreKey : Event {
    void Do(World& world) const override { world.Key(1); }
    bool Restore() const override { return true; }
    void show(std::ostream& os) const override { os << "restore key"; }
};
struct TrayClick : Event {
    void Do(World& world) const override { world.app->TrayEvent(0x0202); }
    bool Restore() const override { return true; }
    void show(std::ostream& os) const override { os << "tray click"; }
};
struct Tick : Event {
    void Do(World& world) const override { world.Tick(); }
    bool Restore() const override { return true; }
    void show(std::ostream& os) const override { os << "tick"; }
};
struct Watch : Event {
    Watch() = default;
    explicit Watch(std::uint64_t milliseconds) : after(milliseconds) {}
    std::uint64_t after = *rc::gen::element<std::uint64_t>(10, 600);
    void Do(World& world) const override { world.Watch(after); }
    bool Restore() const override { return true; }
    void show(std::ostream& os) const override { os << "watch after " << after << " ms"; }
};
struct Exit : Event {
    void Do(World& world) const override {
        world.Menu(ui::MenuItem::mPopExit);
        world.Start();
    }
    void show(std::ostream& os) const override { os << "Exit, then a start"; }
};
// The session ends, and every program with it; the next one starts with the program alone.
struct SessionEnd : Event {
    void apply(Model& model) const override { model = {false, false, false}; }
    void Do(World& world) const override {
        world.app->SessionEndQueried();
        world.app->SessionEnding();
        for (Game* game : {&world.quake, &world.second}) {
            if (game->window) {
                world.Quit(*game);
            }
        }
        world.Start();
    }
    void show(std::ostream& os) const override { os << "end of session, then a new one"; }
};
// Offered by the tray menu only while the detection timer shows it.
struct Repair : Event {
    void Do(World& world) const override {
        if (world.program().varer.mPopResoRestoreVisible) {
            world.Menu(ui::MenuItem::mPopResoRestore);
        }
    }
    void show(std::ostream& os) const override { os << "Restore Resolution"; }
};
struct Crash : Event {
    void Do(World& world) const override {
        world.fake.RunCrashPlan();
        world.Start();
    }
    void show(std::ostream& os) const override { os << "crash, then a start"; }
};
struct Kill : Event {
    void Do(World& world) const override { world.Start(); }
    void show(std::ostream& os) const override { os << "kill, then a start"; }
};
struct GameEnds : Event {
    void checkPreconditions(const Model& model) const override { RC_PRE(model.quakeRuns); }
    void apply(Model& model) const override {
        model.quakeRuns = false;
        model.quakeHung = false;
    }
    void Do(World& world) const override { world.Quit(world.quake); }
    void show(std::ostream& os) const override { os << "the game ends"; }
};
struct GameStarts : Event {
    void checkPreconditions(const Model& model) const override { RC_PRE(!model.quakeRuns); }
    void apply(Model& model) const override { model.quakeRuns = true; }
    void Do(World& world) const override {
        world.Launch(world.quake);
        world.Tick();
    }
    void show(std::ostream& os) const override { os << "the game starts again, a tick"; }
};
struct SecondGame : Event {
    void apply(Model& model) const override { model.secondRuns = !model.secondRuns; }
    void Do(World& world) const override {
        if (world.second.window) {
            world.Quit(world.second);
        } else {
            world.Launch(world.second);
            world.second.playerClass = os::kHighPriority;
            world.fake.priorityOf[world.second.process.id] = os::kHighPriority;
            world.Tick();
        }
    }
    void show(std::ostream& os) const override { os << "a second game starts or ends"; }
};
struct Choose : Event {
    Choose() = default;
    explicit Choose(int entry) : which(entry) {}
    int which = *rc::gen::inRange(0, 3);
    void Do(World& world) const override {
        const std::string_view entry = which == 0   ? catalogue::kAutomaticEntry
                                       : which == 1 ? std::string_view(world.quake.entry)
                                                    : std::string_view(world.second.entry);
        if (const auto index = world.program().catalogue.EntryIndex(entry)) {
            world.app->GameChosen(*index);
        }
    }
    void show(std::ostream& os) const override { os << "the player chooses entry " << which; }
};
// The player flips the game's mute in the volume mixer; the program sees it
// at its next tick (a flip and its undoing between two ticks would be the
// player's secret).
struct PlayerMutes : Event {
    void checkPreconditions(const Model& model) const override { RC_PRE(model.quakeRuns); }
    void Do(World& world) const override {
        const bool muted = !world.fake.SessionMuted(world.quake.session);
        world.fake.PlayerMutes(world.quake.session, muted);
        world.playerMuted[world.quake.identifier] = muted;
        world.Tick();
    }
    void show(std::ostream& os) const override { os << "the player flips the game's mute, a tick"; }
};
struct PlayerSetsPriority : Event {
    PlayerSetsPriority() = default;
    explicit PlayerSetsPriority(unsigned set) : priority(set) {}
    unsigned priority =
        *rc::gen::element(os::kIdlePriority, os::kNormalPriority, os::kHighPriority, os::kRealtimePriority);
    void checkPreconditions(const Model& model) const override { RC_PRE(model.quakeRuns); }
    void Do(World& world) const override {
        world.fake.priorityOf[world.quake.process.id] = priority;
        world.quake.playerClass = priority;
    }
    void show(std::ostream& os) const override { os << "the player sets the game's class " << priority; }
};
// Leaving full screen on losing the focus as SDL does, or another mode of its own while in front.
struct GameSwitchesMode : Event {
    void checkPreconditions(const Model& model) const override { RC_PRE(model.quakeRuns); }
    void Do(World& world) const override {
        Game& quake = world.quake;
        FakeSystem& fake = world.fake;
        // A game that takes no messages, or is suspended, does nothing.
        if (fake.hung[quake.window.value] || fake.Suspended(quake.process.id)) {
            return;
        }
        const bool inFront = world.program().hide.phase == Phase::Shown && fake.visible[quake.window.value];
        if (!inFront) {
            fake.displaySize = kDesktop;
            fake.displayFrequency = 60;
        } else if (fake.displaySize == quake.mode) {
            quake.mode = quake.mode == os::Size{640, 480} ? os::Size{800, 600} : os::Size{640, 480};
            quake.frequency = quake.frequency == 75 ? 60 : 75;
            fake.displaySize = quake.mode;
            fake.displayFrequency = quake.frequency;
        }
    }
    void show(std::ostream& os) const override { os << "the game switches the mode itself"; }
};
struct GameHangs : Event {
    void checkPreconditions(const Model& model) const override {
        RC_PRE(model.quakeRuns && !model.quakeHung);
    }
    void apply(Model& model) const override { model.quakeHung = true; }
    void Do(World& world) const override { world.fake.hung[world.quake.window.value] = true; }
    void show(std::ostream& os) const override { os << "the game hangs"; }
};
struct GameAnswers : Event {
    void checkPreconditions(const Model& model) const override { RC_PRE(model.quakeRuns && model.quakeHung); }
    void apply(Model& model) const override { model.quakeHung = false; }
    void Do(World& world) const override { world.fake.Answer(world.quake.window); }
    void show(std::ostream& os) const override { os << "the game answers"; }
};
struct SwitchOption : Event {
    SwitchOption() = default;
    explicit SwitchOption(int option) : which(option) {}
    int which = *rc::gen::inRange(0, 4);
    void Do(World& world) const override {
        if (which == 0) {
            // The dialog's box, while nothing of a hide is in force.
            if (world.program().hide.phase == Phase::Shown) {
                world.switchOn = !world.switchOn;
                world.app->ScreenResCheckClicked(world.switchOn);
            }
            return;
        }
        // Read at the next start.
        constexpr const char* kOptions[] = {"", "MuteWhenHidden", "YieldWhenHidden", "FreezeWhenHidden"};
        constexpr bool kDefaults[] = {true, true, true, false};
        std::string& option = world.fake.sections["options"][kOptions[which]];
        const bool on = option == "1" || (option != "0" && kDefaults[which]);
        option = on ? "0" : "1";
    }
    void show(std::ostream& os) const override {
        constexpr const char* kNames[] = {"the resolution switch", "MuteWhenHidden", "YieldWhenHidden",
                                          "FreezeWhenHidden"};
        os << kNames[which] << " switched";
    }
};

// Another program suspends the game, or resumes what it suspended.
struct OtherSuspends : Event {
    void checkPreconditions(const Model& model) const override { RC_PRE(model.quakeRuns); }
    void Do(World& world) const override {
        Game& quake = world.quake;
        if (quake.othersSuspended == 0) {
            world.fake.Suspend(quake.process);
            ++quake.othersSuspended;
        } else {
            world.fake.Resume(quake.process);
            --quake.othersSuspended;
        }
    }
    void show(std::ostream& os) const override { os << "another program suspends or resumes the game"; }
};

// The system, the privilege and the options a run starts with.
World& Prepare(World& world, int system, bool privilege, bool freeze) {
    world.fake.system = static_cast<FakeSystem::System>(system);
    world.fake.realtimePrivilege = privilege;
    world.fake.sections["options"]["FreezeWhenHidden"] = freeze ? "1" : "0";
    world.fake.registry = {
        {"currentgame_display", "Quake III Arena"}, {"currentgame", "Quake 3: Arena"}, {"DynaScreen", "1"}};
    world.fake.gammaRamp = kDesktopRamp;
    world.Start();
    // The desktop's ramp is read on a tick without a game.
    world.Tick();
    world.Launch(world.quake);
    world.Tick();
    return world;
}

RC_GTEST_PROP(HideProperty, EveryOrderOfEventsGivesEverythingBackAndNeverLosesTheGame, ()) {
    World world;
    const int system = *rc::gen::inRange(0, 3);
    const bool privilege = *rc::gen::arbitrary<bool>();
    const bool freeze = *rc::gen::arbitrary<bool>();
    constexpr const char* kSystems[] = {"Windows 11", "Windows 10 21H2", "Wine 8"};
    RC_LOG() << "system: " << kSystems[system] << (privilege ? ", with" : ", without")
             << " the privilege for real time" << (freeze ? ", FreezeWhenHidden 1" : "") << "\n";
    Prepare(world, system, privilege, freeze);
    const auto commands = *rc::gen::withSize([](int size) {
        return rc::gen::resize(
            std::min(size, 50),
            rc::state::gen::commands(
                Model{}, rc::state::gen::execOneOfWithArgs<
                             HideKey, RestoreKey, TrayClick, Tick, Watch, Exit, SessionEnd, Repair, Crash,
                             Kill, GameEnds, GameStarts, SecondGame, Choose, PlayerMutes, PlayerSetsPriority,
                             GameSwitchesMode, GameHangs, GameAnswers, SwitchOption, OtherSuspends>()));
    });
    rc::state::runAll(commands, Model{}, world);
}

// Sequences the property found once, replayed as they were (on Windows 11,
// without the privilege for real time, unless named).
template <typename... Events> void Replay(const Events&... events) {
    World world;
    try {
        Prepare(world, 0, false, false);
        Model model;
        (events.run(model, world), ...);
    } catch (const rc::detail::CaseResult& result) {
        FAIL() << result.description;
    }
}

TEST(HideFound, HiddenTwiceTheRecordKeepsThePriorityToGiveBack) {
    Replay(HideKey(), HideKey(), Crash());
}

TEST(HideFound, ARestoreOfAShownGameKeepsTheModeItJustSetItself) {
    Replay(GameSwitchesMode(), RestoreKey(), HideKey(), TrayClick());
}

TEST(HideFound, TheNextRunOfAGameThatEndedWhileHiddenKeepsItsOwnRamp) {
    Replay(HideKey(), GameEnds(), GameStarts());
    Replay(HideKey(), GameEnds(), Choose(0), GameStarts());
}

TEST(HideFound, ARestoreThatCompletesAfterTheGameEndedUnmutesItsNextRun) {
    Replay(HideKey(), GameHangs(), TrayClick(), GameAnswers(), GameEnds(), Watch(10), GameStarts());
}

TEST(HideFound, AHideStillAskedWhenTheProgramIsKilledKnowsTheGamesMode) {
    Replay(GameHangs(), HideKey(), GameAnswers(), Kill(), RestoreKey());
}

TEST(HideFound, ThePlayersUnmuteIsSeenAlsoWhileDetectionSearchesAgain) {
    Replay(Choose(0), Tick(), HideKey(), Kill(), PlayerMutes(), PlayerMutes(), GameEnds(), GameStarts());
}

} // namespace
} // namespace tuckaway
