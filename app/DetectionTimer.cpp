// The detection timer: each tick finds the current game, or in automatic mode
// the running supported game, and updates the tray and the recorded sizes.

#include "app/Program.h"
#include "hotkeys/Hotkeys.h"
#include "state/Catalogue.h"
#include "state/Sizes.h"

#include <array>
#include <utility>

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
    program_.os.tray.Notify(os::Tray::Action::Modify, TrayIconData);
}

bool Varer::DesktopModeNeedsRestoring(os::Size current) const {
    // Without a recorded desktop height there is nothing to restore to.
    const auto desktopHeight = sizes::Parse(Text4);
    return desktopHeight && Text3 != sizes::ToText(current.width) && Text3 != Text5 &&
           *desktopHeight != current.height && Text4 != Text6;
}

void Varer::Timer1_Timer() {
    if (!started_) {
        return;
    }
    Program& p = program_;
    if (TransCheck == 0) {
        SetTransCheck(1);
        Timer1Interval = kTickInterval;
        p.ui.SetTimerInterval(kTickInterval);
    }

    FrmAbout& about = p.frmAbout;
    const bool switching = about.ScreenResCheck() == 1;
    if (hotkeys::FindGameWindow(p)) {
        mPopResoRestoreVisible = false;
        // The tray shows what the previous tick computed.
        PushTray();
        if (const auto logo = catalogue::ActiveLogoOfTitle(about.Text1)) {
            TrayIconData.icon = p.os.pictures.Logo(*logo);
        }
        SetTrayTip(TrayIconData, Active(about.SelectedText()));
        if (switching) {
            const os::Size current = p.os.display.CurrentSize();
            if (Text3.empty() && Text4.empty()) {
                Text3 = sizes::ToText(current.width);
                Text4 = sizes::ToText(current.height);
            }
            // While the game is hidden with the display switched, its own size is kept.
            if (Check1 != 1) {
                Text5 = sizes::ToText(current.width);
                Text6 = sizes::ToText(current.height);
            }
            Normalise(Text5, Text6);
        }
        return;
    }

    if (switching) {
        Normalise(Text3, Text4);
        if (DesktopModeNeedsRestoring(p.os.display.CurrentSize())) {
            mPopResoRestoreVisible = true;
        }
    }
    if (AutoDetectCheck == 1) {
        // The detected game has gone: back to searching, in this same tick.
        AutoDetectCheck = 0;
        about.SelectEntry(catalogue::kAutomaticEntry);
        about.SetCombo1Locked(false);
    }
    if (about.SelectedText() != catalogue::kAutomaticEntry) {
        PushTray();
        if (const auto logo = catalogue::InactiveLogoOfTitle(about.Text1)) {
            TrayIconData.icon = p.os.pictures.Logo(*logo);
        }
        SetTrayTip(TrayIconData, Inactive(about.SelectedText()));
        return;
    }
    PushTray();
    TrayIconData.icon = p.os.pictures.Logo(1);
    SetTrayTip(TrayIconData, "Tuckaway - Auto Game Detection Enabled");
    SearchAllGames();
}

void Varer::SearchAllGames() {
    Program& p = program_;
    const auto games = catalogue::ProbeOrder();
    // Every title is looked up before any selection changes the current game.
    std::array<bool, 9> found{};
    for (std::size_t i = 0; i < games.size(); ++i) {
        found[i] = static_cast<bool>(p.os.windows.FindWindowByTitle(games[i].windowTitle));
    }
    bool any = false;
    for (std::size_t i = 0; i < games.size(); ++i) {
        if (found[i]) {
            p.frmAbout.SelectEntry(games[i].displayName);
            any = true;
        }
    }
    if (any) {
        AutoDetectCheck = 1;
        p.frmAbout.SetCombo1Locked(true);
    }
}

void Varer::SetTransCheck(int value) {
    if (value == TransCheck) {
        return;
    }
    TransCheck = value;
    TransCheck_Click();
}

void Varer::TransCheck_Click() {
    program_.ui.SetControlTransparent(TransCheck == 1);
}

} // namespace tuckaway
