#include "app/Varer.h"

#include "hotkeys/HiddenGame.h"
#include "state/Catalogue.h"

#include <algorithm>
#include <cstring>

namespace tuckaway {

void SetTrayTip(os::TrayIconRecord& record, std::string_view text) {
    constexpr std::size_t capacity = sizeof record.tip;
    const std::size_t length = std::min(text.size(), capacity - 1);
    std::memset(record.tip, ' ', capacity);
    std::memcpy(record.tip, text.data(), length);
    record.tip[length] = '\0';
}

std::string_view TrayTip(const os::TrayIconRecord& record) {
    return {record.tip, strnlen(record.tip, sizeof record.tip)};
}

bool Varer::Form_Load() {
    Program& p = program_;
    VarerFields& varer = p.varer;
    if (!p.os.instance.ClaimFirstInstance()) {
        p.os.boxes.Show("Tuckaway is already open!", kAppTitle, os::BoxStyle::OkExclamation);
        return false;
    }

    LoadGames();
    form1_.Load();
    if (!p.ui.DialogExists(ui::Dialog::Hotkey)) {
        // Without it the program could be neither set nor reach its hot keys.
        return false;
    }
    varer.mPopResoRestoreVisible = false;
    p.ui.HideMainWindow();

    os::TrayIconRecord& tray = varer.TrayIconData;
    tray = {};
    tray.window = p.ui.MainWindow();
    tray.id = kTrayIconId;
    tray.flags = kTrayFlags;
    tray.callbackMessage = kTrayCallbackMessage;
    tray.icon = p.os.pictures.Logo(1);
    SetTrayTip(tray, kStartupTip);

    LoadSettings();
    p.muteWhenHidden = p.settings.Option(settings::kMuteWhenHidden, true);
    p.yieldWhenHidden = p.settings.Option(settings::kYieldWhenHidden, true);
    p.freezeWhenHidden = p.settings.Option(settings::kFreezeWhenHidden, false);
    hotkeys::Step(p, hotkeys::HideEvent::Start);
    if (p.hide.detected) {
        // The run before ended without putting automatic detection back: the stored game was its find.
        frmAbout_.SelectEntry(catalogue::kAutomaticEntry);
        hotkeys::SetDetected(p, false);
    }

    hotkeys::RegisterHotkeys(p, varer.HideKeyRegistered, varer.ShowKeyRegistered);
    p.PrevWndProc = p.os.hotkeys.InstallHotkeyProc(p.ui.DialogWindow(ui::Dialog::Hotkey), hotkeyProc_);

    // A hide the run before left in force has put the desktop's mode back already.
    if (p.varer.Text3.empty()) {
        hotkeys::RecordMode(p, hotkeys::Mode::Desktop);
    }

    // The rest, one step per idle moment: a hot key pressed meanwhile waits
    // for one step at most. The main dialog is made after the settings were
    // placed and shows them as it appears.
    startupSteps_ = {
        [this] {
            frmAbout_.Load();
            if (!program_.ui.DialogExists(ui::Dialog::Main)) {
                // Without it the program could not be set: it ends here, its
                // hot keys let go; whatever made the windows says why.
                Close();
            }
        },
        [this] { program_.ui.ShowDialog(ui::Dialog::Main); },
        [this] {
            program_.varer.trayShell.wanted = true;
            PushTray();
        },
        [this] {
            // Ticks and clicks act from here on, also while a box below is open.
            VarerFields& fields = program_.varer;
            fields.started = true;
            if (!fields.HideKeyRegistered) {
                hotkeys::ReportUnregistered(program_, hotkeys::HotkeyId::Hide);
            }
            if (!fields.ShowKeyRegistered) {
                hotkeys::ReportUnregistered(program_, hotkeys::HotkeyId::Restore);
            }
        },
    };
    p.ui.AskForIdle();
    return true;
}

void Varer::LoadGames() {
    Program& p = program_;
    const auto leftOut =
        p.catalogue.AddUserGames(p.os.settings.Enumerate(settings::kApplication, settings::kGamesSection));
    if (leftOut.empty()) {
        return;
    }
    std::string line = "Tuckaway: left out of the game list:";
    for (std::size_t i = 0; i < leftOut.size(); ++i) {
        line += i == 0 ? " " : "; ";
        line += leftOut[i];
    }
    p.os.debug.Log(line);
}

void Varer::FinishStartup() {
    if (startupSteps_.empty()) {
        return;
    }
    const auto step = std::move(startupSteps_.front());
    startupSteps_.pop_front();
    step();
    if (!startupSteps_.empty()) {
        program_.ui.AskForIdle();
    }
}

void Varer::LoadSettings() {
    Program& p = program_;
    settings::Store& store = p.settings;
    using ui::HotkeyField;
    form1_.SetText(HotkeyField::Text1, store.ReadOrDefault(settings::kHideQ3Func, "Control"));
    form1_.SetText(HotkeyField::Text2, store.ReadOrDefault(settings::kShowQ3Func, "Control+Shift"));
    form1_.SetText(HotkeyField::Text3, store.ReadOrDefault(settings::kHideQ3Key, "Z"));
    form1_.SetText(HotkeyField::Text4, store.ReadOrDefault(settings::kShowQ3Key, "Z"));

    // The program never stores an entry the list lacks; if one turns up, fall
    // back to automatic detection rather than leave the list without a choice.
    const std::string entry = store.ReadOrDefault(settings::kCurrentGameDisplay, catalogue::kAutomaticEntry);
    if (!frmAbout_.SelectEntry(entry)) {
        frmAbout_.SelectEntry(catalogue::kAutomaticEntry);
    }

    p.frmAbout.Text1 = store.ReadOrDefault(settings::kCurrentGame, "Quake 3: Arena");

    // Only "1" turns the switch on; anything else leaves the box as created.
    if (store.ReadOrDefault(settings::kDynaScreen, "1") == "1") {
        frmAbout_.SetScreenResCheck(1);
    }
}

} // namespace tuckaway
