#include "app/Varer.h"

#include "app/Program.h"
#include "hotkeys/Hotkeys.h"
#include "state/Catalogue.h"
#include "state/Sizes.h"

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
    if (!p.os.instance.ClaimFirstInstance()) {
        p.os.boxes.Show("Tuckaway is already open!", kAppTitle, os::BoxStyle::OkExclamation);
        return false;
    }
    started_ = true;

    p.frmAbout.Load();
    p.ui.ShowDialog(Dialog::Main);
    p.form1.Load();
    mPopResoRestoreVisible = false;
    p.ui.HideMainWindow();

    TrayIconData = {};
    TrayIconData.window = p.ui.MainWindow();
    TrayIconData.id = kTrayIconId;
    TrayIconData.flags = kTrayFlags;
    TrayIconData.callbackMessage = kTrayCallbackMessage;
    TrayIconData.icon = p.os.pictures.Logo(1);
    SetTrayTip(TrayIconData, kStartupTip);
    p.os.tray.Notify(os::Tray::Action::Add, TrayIconData);

    LoadSettings();

    hotkeys::BindHotkeys(p, HideKeyRegistered, ShowKeyRegistered);
    p.PrevWndProc = p.os.hotkeys.InstallHotkeyProc(p.ui.DialogWindow(Dialog::Hotkey));

    const os::Size desktop = p.os.display.CurrentSize();
    Text3 = sizes::ToText(desktop.width);
    Text4 = sizes::ToText(desktop.height);
    return true;
}

void Varer::LoadSettings() {
    Program& p = program_;
    settings::Store& store = p.settings;
    p.form1.SetText(HotkeyField::Text1, store.ReadOrDefault(settings::kHideQ3Func, "Control"));
    p.form1.SetText(HotkeyField::Text2, store.ReadOrDefault(settings::kShowQ3Func, "Control+Shift"));
    p.form1.SetText(HotkeyField::Text3, store.ReadOrDefault(settings::kHideQ3Key, "Z"));
    p.form1.SetText(HotkeyField::Text4, store.ReadOrDefault(settings::kShowQ3Key, "Z"));

    // The program never stores an entry the list lacks; if one turns up, fall
    // back to automatic detection rather than leave the list without a choice.
    const std::string entry = store.ReadOrDefault(settings::kCurrentGameDisplay, catalogue::kAutomaticEntry);
    if (!p.frmAbout.SelectEntry(entry)) {
        p.frmAbout.SelectEntry(catalogue::kAutomaticEntry);
    }

    p.frmAbout.Text1 = store.ReadOrDefault(settings::kCurrentGame, "Quake 3: Arena");

    // Only "1" turns the switch on; anything else leaves the box as created.
    if (store.ReadOrDefault(settings::kDynaScreen, "1") == "1") {
        p.frmAbout.SetScreenResCheck(1);
    }
}

} // namespace tuckaway
