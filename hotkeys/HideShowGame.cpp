#include "hotkeys/HiddenGame.h"
#include "hotkeys/Hotkeys.h"
#include "state/Sizes.h"

#include <algorithm>

namespace tuckaway::hotkeys {
namespace {

constexpr std::string_view kRunsAsAdministrator =
    "The game runs as administrator, so it cannot be hidden. Start Tuckaway as administrator too.";

} // namespace

void RecordMode(Program& program, Mode mode) {
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
    SetRecordedMode(program, mode, {0, size.width, size.height, recorded.bitsPerPixel, recorded.frequency});
}

os::DisplayMode RecordedMode(const Program& program, Mode mode) {
    const VarerFields& varer = program.varer;
    const bool desktop = mode == Mode::Desktop;
    return {0, sizes::Parse(desktop ? varer.Text3 : varer.Text5).value_or(0),
            sizes::Parse(desktop ? varer.Text4 : varer.Text6).value_or(0),
            desktop ? varer.desktopBits : varer.gameBits,
            desktop ? varer.desktopFrequency : varer.gameFrequency};
}

void SetRecordedMode(Program& program, Mode mode, const os::DisplayMode& recorded) {
    VarerFields& varer = program.varer;
    const bool desktop = mode == Mode::Desktop;
    (desktop ? varer.Text3 : varer.Text5) = sizes::ToText(recorded.width);
    (desktop ? varer.Text4 : varer.Text6) = sizes::ToText(recorded.height);
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

void HideShowGame(Program& program, std::uint8_t action, os::Window game) {
    // Hot keys and ticks already queued run now, possibly this very function,
    // or an exit: once the program is closing, no window of a game is touched.
    program.os.windows.PumpPendingMessages();

    if (program.closing || !game || action > 1 || OutOfReach(program, game)) {
        return;
    }
    Step(program, action == 0 ? HideEvent::HideKey : HideEvent::RestoreKey, game);
}

} // namespace tuckaway::hotkeys
