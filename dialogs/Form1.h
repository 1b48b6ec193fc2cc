#pragma once

// The hot-key dialog. Its window receives both hot keys, so it exists, hidden
// most of the time, from start-up to exit.

#include "app/Ui.h"

#include <string>
#include <string_view>

namespace tuckaway {

class Program;

// Keys held while a key event happens: 1 Shift, 2 Control, 4 Alt.
inline constexpr unsigned kShiftMask = 1;
inline constexpr unsigned kControlMask = 2;
inline constexpr unsigned kAltMask = 4;
// Mouse buttons held while the mouse moves: 1 left, 2 right, 4 middle.
inline constexpr unsigned kLeftButton = 1;

inline constexpr std::string_view kNone = "None";

class Form1 {
public:
    explicit Form1(Program& program) : program_(program) {}

    // Creates the window hidden and runs Form_Load, if it does not exist yet.
    void Load();
    void Form_Load();

    // Key events of the capture fields; every key is consumed.
    void Text1_KeyDown(unsigned keyCode, unsigned shift) {
        ModifierKeyDown(HotkeyField::Text1, keyCode, shift);
    }
    void Text2_KeyDown(unsigned keyCode, unsigned shift) {
        ModifierKeyDown(HotkeyField::Text2, keyCode, shift);
    }
    void Text3_KeyDown(unsigned keyCode, unsigned shift) {
        LetterKeyDown(HotkeyField::Text3, keyCode, shift);
    }
    void Text4_KeyDown(unsigned keyCode, unsigned shift) {
        LetterKeyDown(HotkeyField::Text4, keyCode, shift);
    }
    void KeyDown(HotkeyField field, unsigned keyCode, unsigned shift);
    void KeyUp(HotkeyField field, unsigned keyCode, unsigned shift);

    // "Okay!"
    void Command2_Click();
    void Label5_MouseMove(unsigned buttons, unsigned shift, int x, int y);

    const std::string& Text(HotkeyField field) const;
    void SetText(HotkeyField field, std::string_view text);

    // The dialog's own pair, set when its Okay button registers the hot keys.
    bool HideKeyRegistered = false;
    bool ShowKeyRegistered = false;

private:
    void ModifierKeyDown(HotkeyField field, unsigned keyCode, unsigned shift);
    void LetterKeyDown(HotkeyField field, unsigned keyCode, unsigned shift);
    // "None", or empty because a key is still held: nothing usable was entered.
    bool Unset(HotkeyField field) const;

    Program& program_;
    std::string texts_[4];
};

} // namespace tuckaway
