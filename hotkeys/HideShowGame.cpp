#include "hotkeys/HiddenGame.h"
#include "hotkeys/Hotkeys.h"
#include "state/Sizes.h"

#include <algorithm>

namespace tuckaway::hotkeys {
namespace {

using Show = os::WindowManager::ShowCommand;
using Kind = Program::PendingShow::Kind;

// How often a pending request is looked at, and how long a hide may take
// before it is called off: a game that has not taken it by then is hung.
constexpr unsigned kWatchInterval = 10;
constexpr std::uint64_t kHideTimeLimit = 1000;

constexpr std::string_view kNotResponding = "The game is not responding, so it was not hidden.";
constexpr std::string_view kRunsAsAdministrator =
    "The game runs as administrator, so it cannot be hidden. Start Tuckaway as administrator too.";

// Switch only when the game's recorded size differs from the desktop's in both
// dimensions and the user has the switch on.
bool SwitchWanted(const Program& program) {
    const VarerFields& varer = program.varer;
    return program.frmAbout.ScreenResCheck == 1 && varer.Text6 != varer.Text4 && varer.Text3 != varer.Text5;
}

void UpdateCrashPlan(Program& program) {
    program.os.crashPlan.Update(program.hiddenGame, program.varer.Check1 == 1);
}

// The window has gone: the hide is done. What depends on the window follows now.
void HideDone(Program& program, os::Window game, bool maximized) {
    VarerFields& varer = program.varer;
    program.hiddenGame = game;
    program.hiddenMaximized = maximized;
    MuteGame(program, game);
    YieldGame(program, game);
    if (SwitchWanted(program) && !varer.Text3.empty()) {
        varer.Check1 = 1;
        SwitchTo(program, Mode::Desktop);
    }
    ShowDesktopGamma(program);
    UpdateCrashPlan(program);
}

void RestoreDone(Program& program, os::Window game) {
    BringToFront(program, game);
    SwitchToGameResolution(program);
}

// The window and what the program knows of it agree again, or it is looked at in a moment.
void Check(Program& program) {
    Program::PendingShow& pending = program.pending;
    if (pending.kind == Kind::None) {
        return;
    }
    if (program.closing) {
        pending = {};
        return;
    }
    const bool hidden = program.os.windows.StateOf(pending.game) == os::WindowManager::WindowState::Hidden;
    const Program::PendingShow done = pending;
    if (done.kind == Kind::Hide && hidden) {
        pending = {};
        HideDone(program, done.game, done.maximized);
        return;
    }
    if (done.kind == Kind::Restore && !hidden) {
        pending = {};
        RestoreDone(program, done.game);
        return;
    }
    if (program.os.clock.Milliseconds() - done.asked < kHideTimeLimit) {
        program.ui.WatchGameWindow(kWatchInterval);
    } else if (done.kind == Kind::Hide) {
        // Called off: shown again after the hide it has not taken, it cannot
        // vanish later by surprise; nothing else was changed.
        pending = {};
        program.os.windows.ShowWindow(done.game, Show::Show);
        Warn(program, kNotResponding);
    }
    // A restore the game has not taken yet waits for it: the detection timer
    // looks again, and the game's mode comes with its window.
}

} // namespace

void RecordMode(Program& program, Mode mode) {
    VarerFields& varer = program.varer;
    os::Display& display = program.os.display;
    const bool desktop = mode == Mode::Desktop;
    os::Size size = display.CurrentSize();
    os::DisplayMode recorded;
    if (!display.CurrentMode(recorded)) {
        recorded = {};
    }
    os::DisplayMode stored;
    if (desktop && display.StoredMode(stored) &&
        (stored.width != size.width || stored.height != size.height)) {
        // The mode in use may be a running game's: the desktop's is then the stored one.
        const auto titles = program.catalogue.ProbeTitles();
        const auto found = program.os.windows.FindWindows(titles);
        if (std::ranges::any_of(found, [](os::Window w) { return static_cast<bool>(w); })) {
            size = {stored.width, stored.height};
            recorded = stored;
        }
    }
    (desktop ? varer.Text3 : varer.Text5) = sizes::ToText(size.width);
    (desktop ? varer.Text4 : varer.Text6) = sizes::ToText(size.height);
    (desktop ? varer.desktopBits : varer.gameBits) = recorded.bitsPerPixel;
    (desktop ? varer.desktopFrequency : varer.gameFrequency) = recorded.frequency;
}

void SwitchTo(Program& program, Mode mode) {
    const VarerFields& varer = program.varer;
    const bool desktop = mode == Mode::Desktop;
    const auto w = sizes::Parse(desktop ? varer.Text3 : varer.Text5);
    const auto h = sizes::Parse(desktop ? varer.Text4 : varer.Text6);
    if (!w || !h) {
        return;
    }
    SetScreenResolution(program.os.display, program.os.boxes, *w, *h,
                        desktop ? varer.desktopBits : varer.gameBits,
                        desktop ? varer.desktopFrequency : varer.gameFrequency, /*temporary=*/!desktop);
}

void Warn(Program& program, std::string_view text) {
    program.os.tray.Warn(program.varer.TrayIconData, kAppTitle, text);
}

os::Window FindGameWindow(Program& program) {
    // An empty title would match some untitled window, and the blank of
    // automatic detection is no game's (the system finds none for it either).
    const std::string& title = program.frmAbout.Text1;
    const bool blank = title.find_first_not_of(' ') == std::string::npos;
    return blank ? os::Window{} : program.os.windows.FindWindowByTitle(title);
}

const Program::GameProcess& ProcessOfGame(Program& program, os::Window game) {
    Program::GameProcess& known = program.gameProcess;
    if (known.window != game) {
        known = {game, program.os.processes.OwnerOf(game), program.os.processes.Outranks(game)};
    }
    return known;
}

bool OutOfReach(Program& program, os::Window game) {
    const Program::GameProcess& process = ProcessOfGame(program, game);
    if (!process.outranks) {
        return false;
    }
    // The system would refuse the calls, or drop them without a word.
    if (program.toldOutranks != process.process) {
        program.toldOutranks = process.process;
        Warn(program, kRunsAsAdministrator);
    }
    return true;
}

void KeepGameHidden(Program& program, os::Window game) {
    if (program.pending.kind == Kind::Restore) {
        if (program.pending.game == game) {
            Check(program);
        } else {
            program.pending = {}; // the window it was for has gone
        }
    }
    if (!program.hiddenGame) {
        return;
    }
    if (game != program.hiddenGame) {
        // Gone, or no longer the current game: nothing of ours to keep hidden.
        program.hiddenGame = {};
        ForgetGoneGame(program);
        UpdateCrashPlan(program);
        return;
    }
    using State = os::WindowManager::WindowState;
    switch (program.os.windows.StateOf(game)) {
    case State::Hidden:
        KeepGameMuted(program);
        break;
    case State::Minimized:
        program.os.windows.ShowWindow(game, Show::Hide);
        KeepGameMuted(program);
        break;
    case State::Shown:
        // The user brought it back (its taskbar button, say): so are its sound and ramp.
        program.hiddenGame = {};
        GiveGameBack(program);
        UpdateCrashPlan(program);
        break;
    }
}

void RequestHide(Program& program, os::Window game) {
    program.pending = {Kind::Hide, game, program.os.windows.IsMaximized(game),
                       program.os.clock.Milliseconds()};
    program.os.windows.ShowWindow(game, Show::Hide);
    program.os.windows.SetForegroundWindow(program.ui.DialogWindow(ui::Dialog::Hotkey));
    Check(program);
}

void ShowGameAgain(Program& program, os::Window game) {
    // SW_RESTORE also un-minimises a game that minimised itself while hidden,
    // but takes a maximised window out of its maximised state.
    const bool maximized =
        game == program.hiddenGame ? program.hiddenMaximized : program.os.windows.IsMaximized(game);
    program.hiddenGame = {};
    program.pending = {};
    UpdateCrashPlan(program);
    GiveShareBackFirst(program);
    program.os.windows.ShowWindow(game, maximized ? Show::ShowMaximized : Show::Restore);
}

void BringToFront(Program& program, os::Window game) {
    // Once the window has shown itself its thread answers; even so, one the
    // system calls hung is not made to wait on.
    if (!program.os.windows.IsHung(game)) {
        program.os.windows.SetForegroundWindow(game);
    }
}

void RequestRestore(Program& program, os::Window game) {
    ShowGameAgain(program, game);
    program.pending = {Kind::Restore, game, false, program.os.clock.Milliseconds()};
    Check(program);
}

void WatchGameWindow(Program& program) {
    Check(program);
}

void SwitchToGameResolution(Program& program) {
    VarerFields& varer = program.varer;
    if (SwitchWanted(program) && !varer.Text5.empty()) {
        SwitchTo(program, Mode::Game);
        varer.Check1 = 0;
        UpdateCrashPlan(program);
    }
    // After the switch: a mode change may reset the display's ramp.
    GiveGameBack(program);
}

void HideShowGame(Program& program, std::uint8_t action, os::Window game) {
    // Hot keys and ticks already queued run now, possibly this very function,
    // or an exit: once the program is closing, no window of a game is touched.
    program.os.windows.PumpPendingMessages();

    if (program.closing || !game || action > 1 || OutOfReach(program, game)) {
        return;
    }
    if (action == 0) {
        RequestHide(program, game);
    } else {
        RequestRestore(program, game);
    }
}

} // namespace tuckaway::hotkeys
