#include "dialogs/Form1.h"

#include "app/Program.h"

namespace tuckaway {

void Form1::Load() {
    if (!program_.ui.DialogExists(Dialog::Hotkey)) {
        program_.ui.CreateDialogWindow(Dialog::Hotkey);
    }
}

const std::string& Form1::Text(HotkeyField field) const {
    return texts_[static_cast<int>(field) - 1];
}

void Form1::SetText(HotkeyField field, std::string_view text) {
    texts_[static_cast<int>(field) - 1] = text;
    program_.ui.ShowHotkeyField(field, text);
}

} // namespace tuckaway
