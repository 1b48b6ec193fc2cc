// The detection timer: each tick finds the current game, or in automatic mode
// the running supported game, and updates the tray and the recorded sizes.

#include "app/Varer.h"
#include "hotkeys/HiddenGame.h"
#include "state/Catalogue.h"
#include "state/Sizes.h"

#include <array>
#include <utility>
#include <vector>

namespace tuckaway {
namespace {

constexpr unsigned kTickInterval = 150;

// A height recorded in the width field is put right with the standard mode it belongs to.
void Normalise(std::string& width, std::string& height) {
    constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kStandardModes = {{
        {"480", "640"},
        {"600", "800"},
        {"768", "1024"},
        {"864", "1152"},
        {"1200", "1600"},
    }};
    for (const auto& [heightText, widthText] : kStandardModes) {
        if (width == heightText) {
            width = widthText;
            height = heightText;
            return;
        }
    }
}

std::string Active(std::string_view entry) {
    return std::string(entry) + " - ACTIVE";
}
std::string Inactive(std::string_view entry) {
    return std::string(entry) + " - INACTIVE";
}

} // namespace

void Varer::PushTray() {
    VarerFields& varer = program_.varer;
    TrayIconShell& shell = varer.trayShell;
    // An unchanged icon costs the shell a redraw and this thread a wait.
    if (!shell.wanted || shell.accepted == varer.TrayIconData) {
        return;
    }
    const auto action = shell.added ? os::Tray::Action::Modify : os::Tray::Action::Add;
    const bool accepted = program_.os.tray.Notify(action, varer.TrayIconData);
    shell.added = shell.added || accepted;
    shell.accepted = accepted ? std::optional(varer.TrayIconData) : std::nullopt;
}

bool Varer::DesktopModeNeedsRestoring(os::Size current) const {
    const VarerFields& varer = program_.varer;
    // Without a recorded desktop height there is nothing to restore to.
    const auto desktopHeight = sizes::Parse(varer.Text4);
    return desktopHeight && varer.Text3 != sizes::ToText(current.width) && varer.Text3 != varer.Text5 &&
           *desktopHeight != current.height && varer.Text4 != varer.Text6;
}

void Varer::Timer1_Timer() {
    Program& p = program_;
    VarerFields& varer = p.varer;
    if (!varer.started) {
        return;
    }
    if (varer.TransCheck == 0) {
        SetTransCheck(1);
        varer.Timer1Interval = kTickInterval;
        p.ui.SetTimerInterval(kTickInterval);
    }

    const FrmAboutFields& about = p.frmAbout;
    os::TrayIconRecord& tray = varer.TrayIconData;
    const bool switching = about.ScreenResCheck == 1;
    const os::Window game = hotkeys::FindGameWindow(p);
    hotkeys::Step(p, hotkeys::HideEvent::Tick, game);
    WatchForeground(static_cast<bool>(game));
    if (game) {
        varer.mPopResoRestoreVisible = false;
        // The tray shows what the previous tick computed.
        PushTray();
        if (const auto logo = p.catalogue.ActiveLogoOfTitle(about.Text1)) {
            tray.icon = p.os.pictures.Logo(*logo);
        }
        SetTrayTip(tray, Active(about.SelectedText()));
        if (switching) {
            if (varer.Text3.empty() && varer.Text4.empty()) {
                hotkeys::RecordMode(p, hotkeys::Mode::Desktop);
            }
            // While the game is hidden with the display switched, its own mode
            // is kept; and while a hide is asked, the game may already have
            // put the desktop's back itself.
            if (varer.Check1 != 1 && p.hide.phase == hide::Phase::Shown) {
                hotkeys::RecordMode(p, hotkeys::Mode::Game);
            }
            Normalise(varer.Text5, varer.Text6);
        }
        return;
    }

    if (switching) {
        Normalise(varer.Text3, varer.Text4);
        if (DesktopModeNeedsRestoring(p.os.display.CurrentSize())) {
            varer.mPopResoRestoreVisible = true;
        }
    }
    if (varer.AutoDetectCheck == 1) {
        // The detected game has gone: back to searching, in this same tick.
        varer.AutoDetectCheck = 0;
        frmAbout_.SelectEntry(catalogue::kAutomaticEntry);
        frmAbout_.SetCombo1Locked(false);
        hotkeys::SetDetected(p, false);
    }
    if (about.SelectedText() != catalogue::kAutomaticEntry) {
        PushTray();
        if (const auto logo = p.catalogue.InactiveLogoOfTitle(about.Text1)) {
            tray.icon = p.os.pictures.Logo(*logo);
        }
        SetTrayTip(tray, Inactive(about.SelectedText()));
        hotkeys::RecordDesktopGamma(p);
        return;
    }
    PushTray();
    tray.icon = p.os.pictures.Logo(1);
    SetTrayTip(tray, "Tuckaway - Auto Game Detection Enabled");
    // Only where no game runs is the ramp the display shows the desktop's.
    if (!SearchAllGames()) {
        hotkeys::RecordDesktopGamma(p);
    }
}

bool Varer::SearchAllGames() {
    Program& p = program_;
    const auto games = p.catalogue.ProbeOrder();
    // Every title is looked up, in one pass over the windows whatever their
    // number, before any selection changes the current game.
    const std::vector<os::Window> found = p.os.windows.FindWindows(p.catalogue.ProbeTitles());
    bool any = false;
    for (std::size_t i = 0; i < games.size() && i < found.size(); ++i) {
        if (found[i]) {
            frmAbout_.SelectEntry(games[i].displayName);
            any = true;
        }
    }
    if (any) {
        p.varer.AutoDetectCheck = 1;
        frmAbout_.SetCombo1Locked(true);
        hotkeys::SetDetected(p, true);
    }
    return any;
}

void Varer::Form_ForegroundChanged() {
    if (program_.varer.started) {
        WatchForeground(static_cast<bool>(hotkeys::FindGameWindow(program_)));
    }
}

void Varer::WatchForeground(bool gameRuns) {
    Program& p = program_;
    // Only while no game runs do the keys pass through to the window in front.
    const os::Window foreground = gameRuns ? os::Window{} : p.os.windows.Foreground();
    if (foreground != p.foreground) {
        p.foreground = foreground;
        p.foregroundOutranks = foreground && p.os.processes.Outranks(foreground);
    }
    hotkeys::YieldHotkeys(p, p.foregroundOutranks);
}

void Varer::SetTransCheck(int value) {
    if (value == program_.varer.TransCheck) {
        return;
    }
    program_.varer.TransCheck = value;
    TransCheck_Click();
}

void Varer::TransCheck_Click() {
    program_.ui.SetControlTransparent(program_.varer.TransCheck == 1);
}

} // namespace tuckaway
