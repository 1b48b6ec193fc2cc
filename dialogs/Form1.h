#pragma once

// The hot-key dialog's handlers. Its window receives both hot keys, so it
// exists, hidden most of the time, from start-up to exit.

#include "state/Program.h"

#include <string_view>

namespace tuckaway {

inline constexpr std::string_view kNone = "None";

class Form1 {
public:
    explicit Form1(Program& program) : program_(program) {}

    // Creates the window hidden and runs Form_Load, if it does not exist yet.
    void Load();
    void Form_Load();

    // Key events of the capture fields; every key is consumed.
    // The modifier fields show the modifiers held, whatever key went down; the
    // letter fields show the letter, whatever modifiers are held.
    void Text1_KeyDown(unsigned /*keyCode*/, unsigned shift) {
        ModifierKeyDown(ui::HotkeyField::Text1, shift);
    }
    void Text2_KeyDown(unsigned /*keyCode*/, unsigned shift) {
        ModifierKeyDown(ui::HotkeyField::Text2, shift);
    }
    void Text3_KeyDown(unsigned keyCode, unsigned /*shift*/) {
        LetterKeyDown(ui::HotkeyField::Text3, keyCode);
    }
    void Text4_KeyDown(unsigned keyCode, unsigned /*shift*/) {
        LetterKeyDown(ui::HotkeyField::Text4, keyCode);
    }
    // Text1_KeyUp to Text4_KeyUp do the same for their own field.
    void KeyUp(ui::HotkeyField field);

    // "Okay!"
    void Command2_Click();
    void Label5_MouseMove(unsigned buttons, unsigned shift, int x, int y);

    void SetText(ui::HotkeyField field, std::string_view text);

private:
    void ModifierKeyDown(ui::HotkeyField field, unsigned shift);
    void LetterKeyDown(ui::HotkeyField field, unsigned keyCode);
    // "None", or empty because a key is still held: nothing usable was entered.
    bool Unset(ui::HotkeyField field) const;

    Program& program_;
};

} // namespace tuckaway
