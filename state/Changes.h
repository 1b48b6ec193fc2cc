#pragma once

// What a hide changed outside the program and must give back: the game's
// sound, its priority and efficiency mode, and the display's gamma ramp; and
// whether automatic detection chose the game the settings name. It is kept in
// memory and, before each change, in the settings, so that a start after a
// crash or kill finds what the run before it left changed.

#include "ports/Os.h"
#include "state/Settings.h"

#include <optional>
#include <string>
#include <vector>

namespace tuckaway::changes {

struct Changes {
    // The hidden game's process, to which the rest belongs.
    os::ProcessId game;
    // Its audio sessions the program muted (they were not muted before).
    std::vector<std::string> mutedSessions;
    // While the display shows the desktop's ramp for the hidden game: the
    // game's ramp, and the desktop's that was put in its place.
    std::optional<os::GammaRamp> gameGamma;
    std::optional<os::GammaRamp> desktopGamma;
    // The game's priority class and efficiency mode before the hide lowered
    // them, for each that it did.
    std::optional<unsigned> priorityClass;
    std::optional<os::Throttling> throttling;
    // The current game was chosen by automatic detection, not by the user,
    // though the settings name it: a start after a crash searches again.
    bool detected = false;

    // Nothing of the game's is left to give back.
    bool Empty() const { return mutedSessions.empty() && !gameGamma && !priorityClass && !throttling; }
    // Everything of the game's forgotten; detection's choice stays recorded.
    void ForgetGame() {
        const bool choice = detected;
        *this = {};
        detected = choice;
    }
    friend bool operator==(const Changes&, const Changes&) = default;
};

// What the settings hold; a value that does not read back whole counts as absent.
Changes Load(settings::Store& store);

// Writes the values of `now` that differ from `before` (what the settings held).
void Save(settings::Store& store, const Changes& now, const Changes& before);

} // namespace tuckaway::changes
