#include "dialogs/Form1.h"

#include "app/Program.h"
#include "hotkeys/Hotkeys.h"

namespace tuckaway {

void Form1::Load() {
    if (!program_.ui.DialogExists(Dialog::Hotkey)) {
        program_.ui.CreateDialogWindow(Dialog::Hotkey);
        Form_Load();
    }
}

void Form1::Form_Load() {
    program_.ui.ShapeDialog(Dialog::Hotkey);
}

const std::string& Form1::Text(HotkeyField field) const {
    return texts_[static_cast<int>(field) - 1];
}

void Form1::SetText(HotkeyField field, std::string_view text) {
    texts_[static_cast<int>(field) - 1] = text;
    program_.ui.ShowHotkeyField(field, text);
}

void Form1::KeyDown(HotkeyField field, unsigned keyCode, unsigned shift) {
    if (field == HotkeyField::Text1 || field == HotkeyField::Text2) {
        ModifierKeyDown(field, keyCode, shift);
    } else {
        LetterKeyDown(field, keyCode, shift);
    }
}

void Form1::ModifierKeyDown(HotkeyField field, unsigned /*keyCode*/, unsigned shift) {
    // Always Control, Alt, Shift in that order, whatever order they were pressed in.
    std::string text;
    if (shift & kControlMask) {
        text += "+Control";
    }
    if (shift & kAltMask) {
        text += "+Alt";
    }
    if (shift & kShiftMask) {
        text += "+Shift";
    }
    SetText(field, text.empty() ? text : text.substr(1));
}

void Form1::LetterKeyDown(HotkeyField field, unsigned keyCode, unsigned /*shift*/) {
    if (keyCode >= 'A' && keyCode <= 'Z') {
        SetText(field, std::string(1, static_cast<char>(keyCode)));
    } else {
        SetText(field, "");
    }
}

void Form1::KeyUp(HotkeyField field, unsigned /*keyCode*/, unsigned /*shift*/) {
    if (Text(field).empty()) {
        SetText(field, kNone);
    }
}

bool Form1::Unset(HotkeyField field) const {
    return Text(field) == kNone || Text(field).empty();
}

void Form1::Command2_Click() {
    Program& p = program_;
    const os::Window window = p.ui.DialogWindow(Dialog::Hotkey);
    // Before any check: a refused entry leaves no hot key active.
    p.os.hotkeys.UnregisterHotKey(window, static_cast<int>(hotkeys::HotkeyId::Hide));
    p.os.hotkeys.UnregisterHotKey(window, static_cast<int>(hotkeys::HotkeyId::Restore));

    const auto refuse = [&](std::string_view message) {
        p.os.boxes.Show(message, kAppTitle, os::BoxStyle::OkError);
    };
    if (Unset(HotkeyField::Text3) || Unset(HotkeyField::Text1)) {
        refuse("Error: Please enter something into the Hot Key field to Hide the game.");
        return;
    }
    if (Unset(HotkeyField::Text4) || Unset(HotkeyField::Text2)) {
        refuse("Error: Please enter something into the Hot Key field to Restore the game.");
        return;
    }
    if (Text(HotkeyField::Text1) == Text(HotkeyField::Text2) &&
        Text(HotkeyField::Text3) == Text(HotkeyField::Text4)) {
        refuse("Error: You cannot assign the same key command to both show and hide the game!");
        return;
    }

    p.settings.Write(settings::kHideQ3Func, Text(HotkeyField::Text1));
    p.settings.Write(settings::kShowQ3Func, Text(HotkeyField::Text2));
    p.settings.Write(settings::kHideQ3Key, Text(HotkeyField::Text3));
    p.settings.Write(settings::kShowQ3Key, Text(HotkeyField::Text4));

    hotkeys::BindHotkeys(p, HideKeyRegistered, ShowKeyRegistered);
    p.ui.HideDialog(Dialog::Hotkey);
}

void Form1::Label5_MouseMove(unsigned buttons, unsigned /*shift*/, int /*x*/, int /*y*/) {
    if (buttons == kLeftButton) {
        program_.ui.DragDialog(Dialog::Hotkey);
    }
}

} // namespace tuckaway
