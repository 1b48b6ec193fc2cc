#include "dialogs/Form1.h"

#include "hotkeys/Hotkeys.h"

namespace tuckaway {

using ui::HotkeyField;

void Form1::Load() {
    if (!program_.ui.DialogExists(ui::Dialog::Hotkey)) {
        program_.ui.CreateDialogWindow(ui::Dialog::Hotkey);
        Form_Load();
    }
}

void Form1::Form_Load() {
    program_.ui.ShapeDialog(ui::Dialog::Hotkey);
}

void Form1::SetText(HotkeyField field, std::string_view text) {
    program_.form1.Text(field) = text;
    program_.ui.ShowHotkeyField(field, text);
}

void Form1::ModifierKeyDown(HotkeyField field, unsigned shift) {
    // Always Control, Alt, Shift in that order, whatever order they were pressed in.
    std::string text;
    if (shift & ui::kControlMask) {
        text += "+Control";
    }
    if (shift & ui::kAltMask) {
        text += "+Alt";
    }
    if (shift & ui::kShiftMask) {
        text += "+Shift";
    }
    SetText(field, text.empty() ? text : text.substr(1));
}

void Form1::LetterKeyDown(HotkeyField field, unsigned keyCode) {
    if (keyCode >= 'A' && keyCode <= 'Z') {
        SetText(field, std::string(1, static_cast<char>(keyCode)));
    } else {
        SetText(field, "");
    }
}

void Form1::KeyUp(HotkeyField field) {
    if (program_.form1.Text(field).empty()) {
        SetText(field, kNone);
    }
}

bool Form1::Unset(HotkeyField field) const {
    const std::string& text = program_.form1.Text(field);
    return text == kNone || text.empty();
}

void Form1::Command2_Click() {
    Program& p = program_;
    // Before any check: a refused entry leaves no hot key active.
    hotkeys::UnregisterHotkey(p, hotkeys::HotkeyId::Hide);
    hotkeys::UnregisterHotkey(p, hotkeys::HotkeyId::Restore);
    // What is registered from here on is the user's new choice, yielded or not.
    p.hotkeysYielded = false;

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
    const Form1Fields& fields = p.form1;
    if (fields.Text(HotkeyField::Text1) == fields.Text(HotkeyField::Text2) &&
        fields.Text(HotkeyField::Text3) == fields.Text(HotkeyField::Text4)) {
        refuse("Error: You cannot assign the same key command to both show and hide the game!");
        return;
    }

    p.settings.Write(settings::kHideQ3Func, fields.Text(HotkeyField::Text1));
    p.settings.Write(settings::kShowQ3Func, fields.Text(HotkeyField::Text2));
    p.settings.Write(settings::kHideQ3Key, fields.Text(HotkeyField::Text3));
    p.settings.Write(settings::kShowQ3Key, fields.Text(HotkeyField::Text4));

    hotkeys::BindHotkeys(p, p.form1.HideKeyRegistered, p.form1.ShowKeyRegistered);
    p.ui.HideDialog(ui::Dialog::Hotkey);
}

void Form1::Label5_MouseMove(unsigned buttons, unsigned /*shift*/, int /*x*/, int /*y*/) {
    if (buttons == ui::kLeftButton) {
        program_.ui.DragDialog(ui::Dialog::Hotkey);
    }
}

} // namespace tuckaway
