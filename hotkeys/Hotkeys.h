#pragma once

// The hot-key texts, their registration and the procedure that receives them.

#include "os/Services.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tuckaway {
class Program;
}

namespace tuckaway::hotkeys {

enum class HotkeyId : int { Hide = 0, Restore = 1 };

inline constexpr unsigned kWmHotkey = 0x0312;

// The RegisterHotKey modifiers of one of the seven modifier texts.
std::optional<unsigned> ModifierValue(std::string_view modifierText);

// The key code of a key text: the code of its first character. An empty text
// has none.
std::optional<unsigned> KeyCode(std::string_view keyText);

std::string FailureMessage(HotkeyId id, std::string_view modifierText, std::string_view keyText);

// Registers one hot key on the hot-key dialog's window from its modifier text,
// updates the owner's flag and tells the user when the flag ends up false.
void BindHotkey(Program& program, HotkeyId id, bool& registered, std::optional<unsigned> keyCode);

// Binds the hide and then the restore hot key; a failure of one does not stop the other.
void BindHotkeys(Program& program, bool& hideRegistered, bool& showRegistered);

// The hot-key dialog window's procedure once start-up has installed it.
std::intptr_t HotkeyProc(Program& program, os::Window window, unsigned message, std::uintptr_t wParam,
                         std::intptr_t lParam);

// 0 hides the game, 1 restores it; any other value only looks and pumps.
void HideShowGame(Program& program, std::uint8_t action);

// Changes the display's width and height; asks before a restart the change needs.
bool SetScreenResolution(os::Display& display, os::MessageBoxes& boxes, std::int32_t width,
                         std::int32_t height);
void RestartWindows(os::Display& display);

} // namespace tuckaway::hotkeys
