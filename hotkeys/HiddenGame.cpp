#include "hotkeys/HiddenGame.h"
#include "hotkeys/Hotkeys.h"

#include <algorithm>

namespace tuckaway::hotkeys {
namespace {

// The record goes to the settings first, so a crash between the two never
// leaves a change the next start does not know of.
void Save(Program& program) {
    changes::Save(program.settings, program.changes, program.changesSaved);
    program.changesSaved = program.changes;
}

void MuteNewSessions(Program& program) {
    changes::Changes& changed = program.changes;
    std::vector<std::string> fresh;
    for (std::string& session : program.os.audio.UnmutedSessions(changed.game.id)) {
        if (std::ranges::find(changed.mutedSessions, session) == changed.mutedSessions.end()) {
            changed.mutedSessions.push_back(session);
        }
        fresh.push_back(std::move(session));
    }
    if (fresh.empty()) {
        return;
    }
    Save(program);
    program.os.audio.SetMuted(fresh, true);
}

void Unmute(Program& program) {
    changes::Changes& changed = program.changes;
    if (changed.mutedSessions.empty()) {
        return;
    }
    program.os.audio.SetMuted(changed.mutedSessions, false);
    changed.mutedSessions.clear();
}

// Ranks the priority classes from the least share of the machine up.
int Rank(unsigned priorityClass) {
    switch (priorityClass) {
    case os::kIdlePriority:
        return 0;
    case os::kBelowNormalPriority:
        return 1;
    case os::kNormalPriority:
        return 2;
    case 0x8000: // ABOVE_NORMAL_PRIORITY_CLASS
        return 3;
    case os::kHighPriority:
        return 4;
    default: // REALTIME_PRIORITY_CLASS
        return 5;
    }
}

// Exactly what the process had: its class, and its efficiency mode.
void GiveShareBack(Program& program) {
    changes::Changes& changed = program.changes;
    if (changed.priorityClass) {
        program.os.priority.SetPriorityClass(changed.game, *changed.priorityClass);
        changed.priorityClass.reset();
    }
    if (changed.throttling) {
        program.os.priority.SetThrottling(changed.game, *changed.throttling);
        changed.throttling.reset();
    }
}

// Once nothing is left to give back, no game is named either.
void SaveGivenBack(Program& program) {
    if (program.changes.Empty()) {
        program.changes.ForgetGame();
    }
    Save(program);
}

} // namespace

void MuteGame(Program& program, os::Window game) {
    if (!program.muteWhenHidden) {
        return;
    }
    const os::ProcessId owner = ProcessOfGame(program, game).process;
    if (!owner) {
        return;
    }
    changes::Changes& changed = program.changes;
    if (changed.game != owner) {
        // Another game was hidden before and never given back: its sound is its own again.
        Unmute(program);
        changed.gameGamma.reset();
        changed.game = owner;
    }
    MuteNewSessions(program);
}

void YieldGame(Program& program, os::Window game) {
    const os::ProcessId owner = ProcessOfGame(program, game).process;
    if (!program.yieldWhenHidden || !owner) {
        return;
    }
    changes::Changes& changed = program.changes;
    if (changed.game != owner) {
        GiveShareBack(program);
        Unmute(program);
        changed.gameGamma.reset();
        changed.game = owner;
    }
    os::ProcessPriority& priority = program.os.priority;
    // Hidden twice: what it has now is the program's doing already.
    if (changed.priorityClass || changed.throttling) {
        return;
    }
    // A process that cannot be opened (one run above the program) is left as it is.
    const auto before = priority.PriorityClass(owner);
    if (!before) {
        return;
    }
    const bool lower = Rank(*before) > Rank(os::kBelowNormalPriority);
    // Windows 11 and 10 21H2 on: the efficiency mode. A system without it says nothing.
    const auto throttling = priority.ThrottlingOf(owner);
    constexpr os::Throttling kEfficient{os::kThrottleExecutionSpeed, os::kThrottleExecutionSpeed};
    const bool throttle = throttling && *throttling != kEfficient;
    if (!lower && !throttle) {
        return;
    }
    if (lower) {
        changed.priorityClass = before;
    }
    if (throttle) {
        changed.throttling = throttling;
    }
    Save(program);
    if (lower && !priority.SetPriorityClass(owner, os::kBelowNormalPriority)) {
        changed.priorityClass.reset();
    }
    if (throttle && !priority.SetThrottling(owner, kEfficient)) {
        changed.throttling.reset();
    }
    SaveGivenBack(program);
}

void GiveShareBackFirst(Program& program) {
    if (program.changes.priorityClass || program.changes.throttling) {
        GiveShareBack(program);
        SaveGivenBack(program);
    }
}

void KeepGameMuted(Program& program) {
    if (program.muteWhenHidden && program.hiddenGame && program.changes.game) {
        MuteNewSessions(program);
    }
}

void ShowDesktopGamma(Program& program) {
    changes::Changes& changed = program.changes;
    // Hidden twice: the ramp the display shows now is the desktop's, not the game's.
    if (!program.desktopGamma || changed.gameGamma || !program.hiddenGame) {
        return;
    }
    const auto gameRamp = program.os.gamma.Read();
    if (!gameRamp || *gameRamp == *program.desktopGamma) {
        return;
    }
    if (!changed.game) {
        changed.game = ProcessOfGame(program, program.hiddenGame).process;
    }
    changed.gameGamma = gameRamp;
    changed.desktopGamma = program.desktopGamma;
    Save(program);
    if (!program.os.gamma.Write(*program.desktopGamma)) {
        changed.gameGamma.reset();
        changed.desktopGamma.reset();
        SaveGivenBack(program);
    }
}

void RecordDesktopGamma(Program& program) {
    // A read costs about as much as a title lookup, and the desktop's ramp
    // seldom changes: every twentieth tick, some three seconds, is enough.
    constexpr unsigned kTicksBetweenReads = 20;
    if (program.changes.gameGamma || program.desktopGammaAge++ % kTicksBetweenReads != 0) {
        return;
    }
    if (auto ramp = program.os.gamma.Read()) {
        program.desktopGamma = ramp;
    }
}

namespace {

// Unmutes, gives the share back and puts one of the recorded ramps back: the
// game's to a game that is shown again, the desktop's when everything ends.
void GiveBack(Program& program, const std::optional<os::GammaRamp> changes::Changes::*ramp) {
    changes::Changes& changed = program.changes;
    if (changed.Empty()) {
        return;
    }
    Unmute(program);
    GiveShareBack(program);
    if (changed.gameGamma && changed.*ramp) {
        program.os.gamma.Write(*(changed.*ramp));
    }
    changed.gameGamma.reset();
    changed.desktopGamma.reset();
    SaveGivenBack(program);
}

} // namespace

void GiveGameBack(Program& program) {
    GiveBack(program, &changes::Changes::gameGamma);
}

void GiveEverythingBack(Program& program) {
    GiveBack(program, &changes::Changes::desktopGamma);
}

void ForgetGoneGame(Program& program) {
    if (!program.changes.game || program.os.processes.Runs(program.changes.game)) {
        return;
    }
    // Its sessions went with it, and a game that ends puts its ramp back itself.
    program.changes.ForgetGame();
    Save(program);
}

void SetDetected(Program& program, bool detected) {
    if (program.changes.detected != detected) {
        program.changes.detected = detected;
        Save(program);
    }
}

bool GiveBackWhatTheLastRunLeft(Program& program) {
    changes::Changes left = changes::Load(program.settings);
    program.changesSaved = left;
    if (left == changes::Changes{}) {
        return false;
    }
    const bool gameRuns = left.game && program.os.processes.Runs(left.game);
    if (gameRuns && !left.mutedSessions.empty()) {
        program.os.audio.SetMuted(left.mutedSessions, false);
    }
    if (gameRuns && left.priorityClass) {
        program.os.priority.SetPriorityClass(left.game, *left.priorityClass);
    }
    if (gameRuns && left.throttling) {
        program.os.priority.SetThrottling(left.game, *left.throttling);
    }
    changes::Changes& kept = program.changes;
    if (left.gameGamma && gameRuns) {
        // Still hidden, most likely: the restore that brings it back gives it its ramp.
        kept.game = left.game;
        kept.gameGamma = left.gameGamma;
        kept.desktopGamma = left.desktopGamma;
    } else if (left.gameGamma && left.desktopGamma) {
        program.os.gamma.Write(*left.desktopGamma);
    }
    Save(program);
    return left.detected;
}

} // namespace tuckaway::hotkeys
