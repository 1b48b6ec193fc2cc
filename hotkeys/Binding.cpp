#include "hotkeys/Hotkeys.h"

#include <array>
#include <utility>

namespace tuckaway::hotkeys {
namespace {

// Tested in this order; MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4.
constexpr std::array<std::pair<std::string_view, unsigned>, 7> kModifiers = {{
    {"Control+Alt+Shift", 7},
    {"Control+Alt", 3},
    {"Control", 2},
    {"Alt+Shift", 5},
    {"Alt", 1},
    {"Shift", 4},
    {"Control+Shift", 6},
}};

ui::HotkeyField ModifierField(HotkeyId id) {
    return id == HotkeyId::Hide ? ui::HotkeyField::Text1 : ui::HotkeyField::Text2;
}
ui::HotkeyField KeyField(HotkeyId id) {
    return id == HotkeyId::Hide ? ui::HotkeyField::Text3 : ui::HotkeyField::Text4;
}

} // namespace

std::optional<unsigned> ModifierValue(std::string_view modifierText) {
    for (const auto& [text, value] : kModifiers) {
        if (text == modifierText) {
            return value;
        }
    }
    return std::nullopt;
}

std::optional<unsigned> KeyCode(std::string_view keyText) {
    if (keyText.empty()) {
        return std::nullopt;
    }
    // Texts are UTF-8: decode the first character, so that a letter gives its
    // ANSI code and anything else a code that no letter key has. A malformed
    // sequence gives its first byte.
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(keyText[i]); };
    const unsigned lead = byte(0);
    const std::size_t continuation = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (lead >= 0xF8 || (lead & 0xC0u) == 0x80u || continuation >= keyText.size()) {
        return lead;
    }
    constexpr unsigned kLeadBits[] = {0x7F, 0x1F, 0x0F, 0x07};
    unsigned code = lead & kLeadBits[continuation];
    for (std::size_t i = 1; i <= continuation; ++i) {
        if ((byte(i) & 0xC0u) != 0x80u) {
            return lead;
        }
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    // Overlong forms, surrogates and values past Unicode are malformed too: an
    // overlong "Z" must not register the Z key.
    constexpr unsigned kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[continuation] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
        return lead;
    }
    return code;
}

std::string FailureMessage(HotkeyId id, std::string_view modifierText, std::string_view keyText) {
    std::string text = "Could not register '";
    text += modifierText;
    text += '+';
    text += keyText;
    text += id == HotkeyId::Hide ? "' to hide the game." : "' to show the game.";
    text += " Another program may already be using that key combination. Please enter in a different key "
            "combination for it.";
    return text;
}

void RegisterHotkey(Program& program, HotkeyId id, bool& registered, std::optional<unsigned> keyCode) {
    const auto modifiers = ModifierValue(program.form1.Text(ModifierField(id)));
    // Without a key code there is nothing that could be registered; it is
    // reported like a modifier text that is not one of the seven.
    if (modifiers && keyCode) {
        registered = program.os.hotkeys.RegisterHotKey(program.ui.DialogWindow(ui::Dialog::Hotkey),
                                                       static_cast<int>(id), *modifiers, *keyCode);
        program.hotkeyHeld[static_cast<std::size_t>(id)] = registered;
    }
}

void UnregisterHotkey(Program& program, HotkeyId id) {
    program.os.hotkeys.UnregisterHotKey(program.ui.DialogWindow(ui::Dialog::Hotkey), static_cast<int>(id));
    program.hotkeyHeld[static_cast<std::size_t>(id)] = false;
}

void YieldHotkeys(Program& program, bool yield) {
    if (yield == program.hotkeysYielded) {
        return;
    }
    program.hotkeysYielded = yield;
    if (yield) {
        program.yieldedHotkeys = program.hotkeyHeld;
        for (const HotkeyId id : {HotkeyId::Hide, HotkeyId::Restore}) {
            if (program.hotkeyHeld[static_cast<std::size_t>(id)]) {
                UnregisterHotkey(program, id);
            }
        }
        return;
    }
    for (const HotkeyId id : {HotkeyId::Hide, HotkeyId::Restore}) {
        if (!program.yieldedHotkeys[static_cast<std::size_t>(id)]) {
            continue;
        }
        bool registered = false;
        RegisterHotkey(program, id, registered,
                       KeyCode(program.form1.Text(id == HotkeyId::Hide ? ui::HotkeyField::Text3
                                                                       : ui::HotkeyField::Text4)));
        if (!registered) {
            ReportUnregistered(program, id);
        }
    }
}

// Names the combination as the hot-key dialog's fields hold it.
void ReportUnregistered(Program& program, HotkeyId id) {
    program.os.boxes.Show(
        FailureMessage(id, program.form1.Text(ModifierField(id)), program.form1.Text(KeyField(id))),
        kAppTitle, os::BoxStyle::OkError);
}

void BindHotkey(Program& program, HotkeyId id, bool& registered, std::optional<unsigned> keyCode) {
    RegisterHotkey(program, id, registered, keyCode);
    if (!registered) {
        ReportUnregistered(program, id);
    }
}

void BindHotkeys(Program& program, bool& hideRegistered, bool& showRegistered) {
    const auto hideKey = KeyCode(program.form1.Text(ui::HotkeyField::Text3));
    const auto showKey = KeyCode(program.form1.Text(ui::HotkeyField::Text4));
    BindHotkey(program, HotkeyId::Hide, hideRegistered, hideKey);
    BindHotkey(program, HotkeyId::Restore, showRegistered, showKey);
}

void RegisterHotkeys(Program& program, bool& hideRegistered, bool& showRegistered) {
    RegisterHotkey(program, HotkeyId::Hide, hideRegistered,
                   KeyCode(program.form1.Text(ui::HotkeyField::Text3)));
    RegisterHotkey(program, HotkeyId::Restore, showRegistered,
                   KeyCode(program.form1.Text(ui::HotkeyField::Text4)));
}

std::intptr_t HotkeyProc(Program& program, os::Window window, unsigned message, std::uintptr_t wParam,
                         std::intptr_t lParam) {
    if (message == kWmHotkey) {
        const auto action = static_cast<std::uint8_t>(wParam);
        // Decided before anything else is dispatched, so that presses pass on
        // in the order they were made.
        const os::Window game = FindGameWindow(program);
        if (!game && action <= static_cast<std::uint8_t>(HotkeyId::Restore)) {
            PassHotkeyThrough(program, static_cast<HotkeyId>(action), lParam);
        } else {
            HideShowGame(program, action, game);
        }
        return 1;
    }
    return program.os.hotkeys.CallPreviousProc(program.PrevWndProc, window, message, wParam, lParam);
}

void PassHotkeyThrough(Program& program, HotkeyId id, std::intptr_t lParam) {
    // WM_HOTKEY names the combination: modifiers in the low word, key in the high one.
    const auto bits = static_cast<std::uintptr_t>(lParam);
    const auto modifiers = static_cast<unsigned>(bits & 0xFFFFu);
    const auto key = static_cast<unsigned>((bits >> 16) & 0xFFFFu);
    // Typed into a window that runs above this program, the keys would be
    // dropped without a word: the hot keys are let go instead, so that the
    // user's next presses reach it as they are (the detection timer takes
    // them back once such a window no longer has the foreground).
    const os::Window foreground = program.os.windows.Foreground();
    if (foreground && program.os.processes.Outranks(foreground)) {
        program.foreground = foreground;
        program.foregroundOutranks = true;
        YieldHotkeys(program, true);
        return;
    }
    const os::Window window = program.ui.DialogWindow(ui::Dialog::Hotkey);
    // While the combination is free the typed copy goes where the user meant
    // it, instead of coming back here as another hot key. Nothing is dispatched
    // until the registration is back, so a press already queued behind this one
    // passes on after it.
    UnregisterHotkey(program, id);
    program.os.keyboard.TypeCombination(modifiers, key);
    const bool registered = program.os.hotkeys.RegisterHotKey(window, static_cast<int>(id), modifiers, key);
    program.hotkeyHeld[static_cast<std::size_t>(id)] = registered;
    if (!registered) {
        ReportUnregistered(program, id);
    }
}

} // namespace tuckaway::hotkeys
