#include "hotkeys/HiddenGame.h"

#include "hotkeys/Hotkeys.h"

#include <algorithm>

namespace tuckaway::hotkeys {
namespace {

using hide::Phase;
using Show = os::WindowManager::ShowCommand;
using State = os::WindowManager::WindowState;

// How often a request to the window is looked at, and how long a hide may
// take before it is called off: a game that has not taken it by then is hung.
constexpr unsigned kWatchInterval = 10;
constexpr std::uint64_t kHideTimeLimit = 1000;

// How long a game may react to losing the focus after it hid before it is frozen.
constexpr std::uint64_t kFreezeSettle = 500;

constexpr std::string_view kNotResponding = "The game is not responding, so it was not hidden.";

// What the hide puts in place of what the game had: the program gives back
// only what is still its own doing, never what the player set since.
constexpr unsigned kYielded = os::kBelowNormalPriority;
constexpr os::Throttling kEfficient{os::kThrottleExecutionSpeed, os::kThrottleExecutionSpeed};
// What a process has that never chose an efficiency mode: the system decides.
constexpr os::Throttling kSystemDecides{};

// The record goes to the settings and to the crash plan before each change
// outside the program, so that a crash or kill at any step leaves what was done known.
void Record(Program& p) {
    const hide::Hide& h = p.hide;
    hide::Save(p.settings, h, p.hideRecorded);
    if (h.phase == Phase::Shown) {
        p.os.crashPlan.Update({});
        return;
    }
    // What is left once the handler has resumed the game, given its share
    // back and asked its window back: the next start gives back the rest.
    hide::Hide after = h;
    after.phase = Phase::Restoring;
    after.frozen = false;
    after.priorityClass.reset();
    after.throttling.reset();
    p.os.crashPlan.Update({h.window, h.maximized, h.process, h.frozen, h.priorityClass, h.throttling,
                           h.switched, hide::RecordText(after)});
}

// Switch only when the game's recorded size differs from the desktop's in both
// dimensions and the user has the switch on.
bool SwitchWanted(const Program& p) {
    const VarerFields& varer = p.varer;
    return p.frmAbout.ScreenResCheck == 1 && varer.Text6 != varer.Text4 && varer.Text3 != varer.Text5;
}

// Ranks the priority classes from the least share of the machine up.
int Rank(unsigned priorityClass) {
    constexpr unsigned kOrder[] = {os::kIdlePriority, os::kBelowNormalPriority, os::kNormalPriority,
                                   os::kAboveNormalPriority, os::kHighPriority};
    const auto it = std::ranges::find(kOrder, priorityClass);
    return static_cast<int>(it - std::begin(kOrder)); // anything else ranks as real time
}

void AskBack(Program& p) {
    // SW_RESTORE also un-minimises a game that minimised itself while hidden,
    // but takes a maximised window out of its maximised state.
    p.os.windows.ShowWindow(p.hide.window, p.hide.maximized ? Show::ShowMaximized : Show::Restore);
}

// The game's process gets its share of the machine back first, so that it
// takes the request to come back as fast as it took any before the hide.
void GiveShareBack(Program& p) {
    hide::Hide& h = p.hide;
    // A frozen game runs again before anything else is asked of it; the
    // record says so at once, so that nothing resumes it twice.
    if (h.frozen) {
        p.os.suspension.Resume(h.process);
        h.frozen = false;
        h.thawed = true;
        Record(p);
    }
    if (h.priorityClass) {
        p.os.priority.SetPriorityClass(h.process, *h.priorityClass, kYielded);
        h.priorityClass.reset();
    }
    if (h.throttling) {
        p.os.priority.SetThrottling(h.process, *h.throttling, kEfficient);
        h.throttling.reset();
    }
}

void UnmuteSeenAgain(Program& p) {
    std::vector<std::string>& later = p.hide.unmuteLater;
    if (later.empty()) {
        return;
    }
    const std::vector<std::string> found = p.os.audio.UnmuteIdentifiers(later);
    if (std::erase_if(later,
                      [&](const std::string& id) { return std::ranges::find(found, id) != found.end(); })) {
        Record(p);
    }
}

// The current game's window, or any game's of the catalogue: automatic
// detection may not have found it yet.
bool AnyGameRuns(Program& p) {
    const auto found = p.os.windows.FindWindows(p.catalogue.ProbeTitles());
    return FindGameWindow(p) || std::ranges::any_of(found, [](os::Window w) { return static_cast<bool>(w); });
}

// How a hide ends: which mode and ramp the display is left with.
enum class Back {
    Restored, // the game is shown by a restore or by the player: its mode back
    Released, // it is asked back without a restore (exit, end of session, another game): the desktop's mode
              // stays
    Gone,     // its process has ended: the desktop's mode and ramp back
};

// The one way back: what the hide holds, in one order, each step safe to
// repeat (a start after a crash may repeat any), the record emptied last.
void GiveBack(Program& p, Back back, bool inFront = false) {
    hide::Hide& h = p.hide;
    const os::Window window = h.window;
    if (back != Back::Gone) {
        GiveShareBack(p);
    }
    if (back == Back::Released && window) {
        AskBack(p);
    }
    if (back == Back::Restored && inFront && (h.thawed || !p.os.windows.IsHung(window))) {
        // Once the window has shown itself its thread answers; even so, one
        // the system calls hung is not made to wait on, unless it only seems
        // so for the time the hide froze it.
        p.os.windows.SetForegroundWindow(window);
    }
    // A mode change may reset the display's ramp: whether it still shows the
    // ramp the hide put there is asked before.
    const bool oursShown = h.gameGamma && p.os.gamma.Read() == h.desktopGamma;
    // A game ended while hidden leaves the display to the desktop, unless its
    // next run (or another game) already has it.
    const bool displayFree = back == Back::Gone && !AnyGameRuns(p);
    VarerFields& varer = p.varer;
    if (back == Back::Restored) {
        if (SwitchWanted(p) && !varer.Text5.empty()) {
            SwitchTo(p, Mode::Game);
            varer.Check1 = 0;
        }
    } else {
        if (h.switched && displayFree) {
            SwitchTo(p, Mode::Desktop);
        }
        // The hide is over: the next run of the game has its own mode recorded.
        varer.Check1 = 0;
    }
    // Its sessions went with a process that has ended; the system keeps their
    // mute for its next run.
    if (back == Back::Gone || !p.os.processes.Runs(h.process)) {
        for (const hide::MutedSession& session : h.muted) {
            if (!session.identifier.empty() &&
                std::ranges::find(h.unmuteLater, session.identifier) == h.unmuteLater.end()) {
                h.unmuteLater.push_back(session.identifier);
            }
        }
    } else if (!h.muted.empty()) {
        std::vector<std::string> instances;
        std::ranges::transform(h.muted, std::back_inserter(instances), &hide::MutedSession::instance);
        p.os.audio.SetMuted(instances, false);
    }
    // The ramp the hide replaced comes back while the display still shows
    // the desktop's it put there (not one set since); once no game runs at
    // all, the desktop's.
    if (h.gameGamma && h.desktopGamma) {
        if (displayFree) {
            p.os.gamma.Write(*h.desktopGamma);
        } else if (oursShown) {
            p.os.gamma.Write(*h.gameGamma);
        }
    }
    h.End();
    Record(p);
    UnmuteSeenAgain(p);
}

// Sessions of the hidden game that are not muted and not yet the hide's; and
// those it muted that the player unmuted since, which are theirs to hear.
std::vector<os::AudioSession> FreshSessions(Program& p) {
    std::vector<os::AudioSession> fresh;
    hide::Hide& h = p.hide;
    if (!h.process || (h.muted.empty() && !p.muteWhenHidden)) {
        return fresh;
    }
    for (os::AudioSession& session : p.os.audio.SessionsOf(h.process.id)) {
        if (session.muted || std::ranges::find(h.heard, session.instance) != h.heard.end()) {
            continue;
        }
        if (std::erase_if(h.muted,
                          [&](const hide::MutedSession& m) { return m.instance == session.instance; })) {
            // Muted by the hide and unmuted since: the player wants to hear it.
            h.heard.push_back(std::move(session.instance));
        } else if (p.muteWhenHidden) {
            fresh.push_back(std::move(session));
        }
    }
    return fresh;
}

void Mute(Program& p, const std::vector<os::AudioSession>& fresh) {
    std::vector<std::string> instances;
    for (const os::AudioSession& session : fresh) {
        instances.push_back(session.instance);
    }
    if (!instances.empty()) {
        p.os.audio.SetMuted(instances, true);
    }
}

// While hidden, on each tick: sessions the game opened since are muted too;
// while asked to hide or come back, only what the player unmuted is seen.
void KeepGameMuted(Program& p) {
    const std::size_t heard = p.hide.heard.size();
    std::vector<os::AudioSession> fresh = FreshSessions(p);
    if (p.hide.phase != Phase::Hidden) {
        fresh.clear();
    }
    for (const os::AudioSession& session : fresh) {
        p.hide.muted.push_back({session.identifier, session.instance});
    }
    if (!fresh.empty() || p.hide.heard.size() != heard) {
        Record(p);
    }
    Mute(p, fresh);
}

// The window has hidden itself: everything else the hide changes is read as
// it is, recorded, and only then changed.
void HideDone(Program& p) {
    hide::Hide& h = p.hide;
    // The foreground leaves the hidden game for the hot-key dialog's window
    // once the game has hidden: asked at once, the game's thread would be
    // told of losing it while it takes the hide.
    p.os.windows.SetForegroundWindow(p.ui.DialogWindow(ui::Dialog::Hotkey));
    os::ProcessPriority& priority = p.os.priority;
    const std::vector<os::AudioSession> fresh = FreshSessions(p);
    for (const os::AudioSession& session : fresh) {
        h.muted.push_back({session.identifier, session.instance});
    }

    // Hidden twice, what the process has now is the hide's doing already. A
    // process that cannot be opened (one run above the program) is left as it is.
    std::optional<unsigned> lower;
    std::optional<os::Throttling> throttle;
    if (p.yieldWhenHidden && h.process && !h.priorityClass && !h.throttling) {
        const auto before = priority.PriorityClass(h.process);
        // A real-time class this program could not give back is left alone.
        if (before && Rank(*before) > Rank(kYielded) &&
            (*before != os::kRealtimePriority || priority.MayGiveRealtime())) {
            lower = before;
        }
        // Some systems take an efficiency mode without telling the one a
        // process has: then it had the one the system decides.
        const auto mode = before ? priority.ThrottlingOf(h.process) : std::nullopt;
        if (before && mode != kEfficient) {
            throttle = mode.value_or(kSystemDecides);
        }
    }
    if (lower) {
        h.priorityClass = lower;
    }
    if (throttle) {
        h.throttling = throttle;
    }

    const bool switching = SwitchWanted(p) && !p.varer.Text3.empty();
    if (switching) {
        h.switched = true;
        h.desktopMode = RecordedMode(p, Mode::Desktop);
        h.gameMode = RecordedMode(p, Mode::Game);
    }
    // The game's ramp, read before the switch: a mode change may reset it.
    if (p.desktopRamp && !h.gameGamma) {
        const auto gameRamp = p.os.gamma.Read();
        if (gameRamp && gameRamp != p.desktopRamp) {
            h.gameGamma = gameRamp;
            h.desktopGamma = p.desktopRamp;
        }
    }
    h.phase = Phase::Hidden;
    Record(p);

    Mute(p, fresh);
    if (lower && !priority.SetPriorityClass(h.process, kYielded, std::nullopt)) {
        h.priorityClass.reset();
    }
    if (throttle && !priority.SetThrottling(h.process, kEfficient, std::nullopt)) {
        h.throttling.reset();
    }
    if (switching) {
        p.varer.Check1 = 1;
        const os::Window window = h.window;
        SwitchTo(p, Mode::Desktop);
        // A restart box pumps messages: the hide may have ended meanwhile.
        if (h.phase != Phase::Hidden || h.window != window) {
            return;
        }
    }
    if (h.gameGamma && !p.os.gamma.Write(*h.desktopGamma)) {
        h.gameGamma.reset();
        h.desktopGamma.reset();
    }
    if (p.freezeWhenHidden) {
        h.asked = p.os.clock.Milliseconds();
        p.ui.WatchGameWindow(kFreezeSettle);
    }
}

// Once the game has settled after losing the focus (a game built on SDL
// switches the mode back and minimises itself after the hide), it is
// suspended, once: a hidden game then costs nothing.
void FreezeIfDue(Program& p) {
    hide::Hide& h = p.hide;
    if (!p.freezeWhenHidden || h.frozen || !h.process || p.closing) {
        return;
    }
    const std::uint64_t since = p.os.clock.Milliseconds() - h.asked;
    if (since < kFreezeSettle) {
        p.ui.WatchGameWindow(static_cast<unsigned>(kFreezeSettle - since));
        return;
    }
    // Minimised by the game and shown again: the next tick hides it first.
    if (p.os.windows.StateOf(h.window) != State::Hidden) {
        return;
    }
    h.frozen = true;
    Record(p);
    // One run above the program cannot be opened for it, and keeps running.
    if (!p.os.suspension.Suspend(h.process)) {
        h.frozen = false;
        Record(p);
    }
}

// The window and what the program knows of it agree again, or it is looked at in a moment.
void Look(Program& p) {
    hide::Hide& h = p.hide;
    if (h.phase == Phase::Hidden) {
        FreezeIfDue(p);
        return;
    }
    if (h.phase != Phase::Hiding && h.phase != Phase::Restoring) {
        return;
    }
    const bool hidden = p.os.windows.StateOf(h.window) == State::Hidden;
    if (h.phase == Phase::Hiding && hidden) {
        HideDone(p);
    } else if (h.phase == Phase::Restoring && !hidden) {
        GiveBack(p, Back::Restored, /*inFront=*/true);
    } else if (p.os.clock.Milliseconds() - h.asked < kHideTimeLimit) {
        p.ui.WatchGameWindow(kWatchInterval);
    } else if (h.phase == Phase::Hiding) {
        // Called off: asked back after the hide it has not taken, it cannot
        // vanish later by surprise.
        GiveBack(p, Back::Released);
        Warn(p, kNotResponding);
    }
    // A restore the game has not taken yet waits for it: the detection timer
    // looks again, and the game's mode comes with its window.
}

// A hide in force for another window than the current game's ends first.
void EndOtherHide(Program& p, os::Window game) {
    const hide::Hide& h = p.hide;
    if (h.phase != Phase::Shown && h.window != game) {
        GiveBack(p, p.os.processes.Runs(h.process) ? Back::Released : Back::Gone);
    }
}

// The hide's window is the current game's from here on.
void Take(Program& p, os::Window game) {
    EndOtherHide(p, game);
    hide::Hide& h = p.hide;
    if (h.phase == Phase::Shown) {
        h.window = game;
        h.process = ProcessOfGame(p, game).process;
        h.maximized = p.os.windows.IsMaximized(game);
    }
}

void AskHide(Program& p, os::Window game) {
    const bool fresh = p.hide.phase == Phase::Shown;
    Take(p, game);
    // The game's mode as it is before anything changes: a game built on SDL
    // puts the desktop's back itself on losing the focus, and never its own.
    hide::Hide& h = p.hide;
    if (fresh && p.frmAbout.ScreenResCheck == 1 && p.varer.Check1 != 1) {
        RecordMode(p, Mode::Game);
        h.desktopMode = RecordedMode(p, Mode::Desktop);
        h.gameMode = RecordedMode(p, Mode::Game);
    }
    h.phase = Phase::Hiding;
    h.asked = p.os.clock.Milliseconds();
    // In the record before it is asked: a kill right after must not lose it.
    Record(p);
    p.os.windows.ShowWindow(game, Show::Hide);
    Look(p);
}

// Restore key, tray click, exit: the share first, then the window asked back.
void AskRestore(Program& p, os::Window game) {
    const bool fresh = p.hide.phase == Phase::Shown;
    Take(p, game);
    // A game in front has its mode: a restore with no hide in force keeps it.
    if (fresh && p.frmAbout.ScreenResCheck == 1 && p.varer.Check1 != 1 &&
        p.os.windows.StateOf(game) == State::Shown) {
        RecordMode(p, Mode::Game);
    }
    GiveShareBack(p);
    AskBack(p);
    p.hide.phase = Phase::Restoring;
    p.hide.asked = p.os.clock.Milliseconds();
}

void Tick(Program& p, os::Window game) {
    hide::Hide& h = p.hide;
    // A game that ended while hidden may run again, whatever is hidden now.
    UnmuteSeenAgain(p);
    if (h.phase == Phase::Shown) {
        return;
    }
    // While automatic detection searches (after a start, say) no game is
    // current yet, and the search finds the hidden one again.
    const bool searching = !game && p.frmAbout.Text1.find_first_not_of(' ') == std::string::npos;
    if (game != h.window && !(searching && p.os.processes.Runs(h.process))) {
        // Gone, made anew, or no longer the current game: nothing of the
        // program's may stay in force on it.
        GiveBack(p, p.os.processes.Runs(h.process) ? Back::Released : Back::Gone);
        return;
    }
    if (h.phase != Phase::Hidden) {
        KeepGameMuted(p);
        Look(p);
        return;
    }
    switch (p.os.windows.StateOf(h.window)) {
    case State::Hidden:
        KeepGameMuted(p);
        FreezeIfDue(p);
        break;
    case State::Minimized:
        // A game that minimises itself on losing the focus shows up again
        // right after the hide: hidden once more.
        p.os.windows.ShowWindow(h.window, Show::Hide);
        KeepGameMuted(p);
        break;
    case State::Shown:
        // The player brought it back (its taskbar button, say): so are its sound and ramp.
        GiveBack(p, Back::Restored);
        break;
    }
}

// What a run that crashed or was killed left: a game still hidden is adopted,
// hidden as it was, and the restore gives everything back; anything else is
// given back at once.
void Start(Program& p) {
    hide::Hide& h = p.hide;
    h = hide::Load(p.settings);
    if (h.phase == Phase::Shown && !h.HoldsChanges()) {
        UnmuteSeenAgain(p);
        return;
    }
    // The modes as the hide took them, before anything changed.
    if (h.gameMode.width != 0) {
        SetRecordedMode(p, Mode::Desktop, h.desktopMode);
        SetRecordedMode(p, Mode::Game, h.gameMode);
    }
    if (!p.os.processes.Runs(h.process)) {
        GiveBack(p, Back::Gone);
        return;
    }
    // A window is the hide's only while it is still its process's.
    if (h.phase == Phase::Shown || !h.window || p.os.processes.OwnerOf(h.window) != h.process) {
        h.window = {};
        GiveBack(p, Back::Released);
        return;
    }
    if (p.os.windows.StateOf(h.window) == State::Shown) {
        // Shown by the crash handler, or by a restore the run did not live to
        // finish; or a hung game has not yet taken the hide asked of it, and
        // takes this request after it.
        AskBack(p);
        GiveBack(p, Back::Restored);
        return;
    }
    p.varer.Check1 = h.switched ? 1 : 0;
    // A hide that had not seen its window go finishes now; a restore the game
    // has not taken yet is asked again, and finishes when it does.
    if (h.phase == Phase::Hiding) {
        h.asked = p.os.clock.Milliseconds();
    } else if (h.phase == Phase::Restoring) {
        AskBack(p);
        h.asked = p.os.clock.Milliseconds();
    }
    Record(p);
    Look(p);
}

} // namespace

void Step(Program& program, HideEvent event, os::Window game) {
    switch (event) {
    case HideEvent::HideKey:
        AskHide(program, game);
        break;
    case HideEvent::RestoreKey:
        AskRestore(program, game);
        Look(program);
        break;
    case HideEvent::Watch:
        if (!program.closing) {
            Look(program);
        }
        break;
    case HideEvent::Tick:
        Tick(program, game);
        break;
    case HideEvent::ExitAsked:
        AskRestore(program, game);
        break;
    case HideEvent::ExitDone: {
        // How long exit waits for the game to show itself before it ends: a
        // game that does not answer is shown when it does, at the desktop's mode.
        constexpr unsigned kExitWaitMilliseconds = 500;
        hide::Hide& h = program.hide;
        if (h.phase == Phase::Restoring && h.window == game && game &&
            program.os.windows.WaitUntilShown(game, kExitWaitMilliseconds)) {
            GiveBack(program, Back::Restored, /*inFront=*/true);
            break;
        }
        // Not shown in time: the rest comes back now, and the game's mode is
        // left on record for the next start to give with its window.
        hide::Hide owed;
        if (h.phase != Phase::Shown && h.switched && program.os.processes.Runs(h.process)) {
            owed.phase = Phase::Restoring;
            owed.window = h.window;
            owed.process = h.process;
            owed.maximized = h.maximized;
            owed.switched = true;
            owed.desktopMode = h.desktopMode;
            owed.gameMode = h.gameMode;
        }
        EndOtherHide(program, {});
        if (owed.switched) {
            owed.unmuteLater = std::move(h.unmuteLater);
            h = std::move(owed);
            Record(program);
        }
        break;
    }
    case HideEvent::SessionEnd:
        // A hidden game is shown again, also one a run before hid.
        if (program.hide.phase == Phase::Shown && game && program.os.windows.StateOf(game) == State::Hidden) {
            Take(program, game);
            program.hide.phase = Phase::Hidden;
        }
        EndOtherHide(program, {});
        break;
    case HideEvent::Repair:
        EndOtherHide(program, {});
        break;
    case HideEvent::Start:
        Start(program);
        break;
    }
}

void RecordDesktopGamma(Program& program) {
    // A read costs about as much as a title lookup, and the desktop's ramp
    // seldom changes: every twentieth tick, some three seconds, is enough.
    constexpr unsigned kTicksBetweenReads = 20;
    if (program.hide.gameGamma || program.desktopRampAge++ % kTicksBetweenReads != 0) {
        return;
    }
    if (auto ramp = program.os.gamma.Read()) {
        program.desktopRamp = ramp;
    }
}

void SetDetected(Program& program, bool detected) {
    if (program.hide.detected != detected) {
        program.hide.detected = detected;
        Record(program);
    }
}

} // namespace tuckaway::hotkeys
