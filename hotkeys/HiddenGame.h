#pragma once

// What hiding the game changes beside its window, and gives back when the game
// comes back: the game's sound is muted and its process yields the machine
// (where the user lets them be), and the display shows the desktop's gamma
// ramp instead of the game's. Each change is
// recorded in the settings before it is made.

#include "state/Program.h"

namespace tuckaway::hotkeys {

// On a hide: mutes the audio sessions of the game's process that are not muted.
void MuteGame(Program& program, os::Window game);
// On a hide: the game's process is put below normal priority (unless it is
// there already) and into efficiency mode, where the user lets it be.
void YieldGame(Program& program, os::Window game);
// On each tick while the game is hidden: sessions it opened since are muted too.
void KeepGameMuted(Program& program);
// On a hide, once the display shows the desktop's mode: keeps the game's ramp
// and puts the desktop's in its place.
void ShowDesktopGamma(Program& program);
// On ticks on which no game runs: the ramp the display shows is the desktop's.
void RecordDesktopGamma(Program& program);

// Before the game is asked to come back: its priority and efficiency mode
// first, so that it takes the request as fast as it did before the hide.
void GiveShareBackFirst(Program& program);
// The game comes back (restore key, tray click, exit): its sessions unmuted,
// its priority and efficiency mode as they were, its ramp back on the display.
void GiveGameBack(Program& program);
// Exit, the end of the session, "&Restore Resolution...": everything given
// back, the display at the desktop's ramp.
void GiveEverythingBack(Program& program);
// The hidden game has gone: nothing of its is left to give back.
void ForgetGoneGame(Program& program);

// Records whether automatic detection chose the current game.
void SetDetected(Program& program, bool detected);

// At start-up: what a run that crashed or was killed left changed is given
// back and its record forgotten. A game that still runs keeps its ramp for
// the restore that brings it back. True when automatic detection had chosen
// the game the settings name: the user's own choice was automatic.
bool GiveBackWhatTheLastRunLeft(Program& program);

} // namespace tuckaway::hotkeys
