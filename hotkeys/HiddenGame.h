#pragma once

// The hide of the game as one state machine. Every event that can touch a
// hide goes through Step: the keys, the tray, the watch on the game's window,
// the detection timer, the ends of the program and its start. The hide's
// value (Program::hide) holds everything it changed; it is recorded in the
// settings, and handed to the crash plan, before each change outside the
// program, and all of it comes back through one way back.
//
//   Shown --hide key--> Hiding --window hidden--> Hidden --restore key--> Restoring --window shown--> Shown
//           Hiding --not hidden within a second--> Shown (asked back, the user told why)
//           Hidden --the user shows it / minimised by the game--> Shown / hidden again
//   any --the game ends, another game is current, Exit, the session ends,
//         the repair command, a start after a crash or kill--> Shown, or Hidden (adopted)

#include "state/Program.h"

namespace tuckaway::hotkeys {

enum class HideEvent {
    HideKey,    // the hide key, on the current game's window
    RestoreKey, // the restore key, or a left click on the tray icon
    Watch,      // the watch on a request to the window fired
    Tick,       // the detection timer, with the current game's window or none
    ExitAsked,  // "&Exit" found the game's window: it is asked back
    ExitDone,   // "&Exit", before the program ends: everything given back
    SessionEnd, // the session ends: shown, at the desktop's mode
    Repair,     // "&Restore Resolution..." with no game window
    Start,      // start-up: the record the run before left
};

void Step(Program& program, HideEvent event, os::Window game = {});

// On ticks on which no game runs: the ramp the display shows is the desktop's.
void RecordDesktopGamma(Program& program);

// Records whether automatic detection chose the current game.
void SetDetected(Program& program, bool detected);

} // namespace tuckaway::hotkeys
