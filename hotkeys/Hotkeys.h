#pragma once

// The hot-key texts, their registration and the procedure that receives them.

#include "state/Program.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tuckaway::hotkeys {

enum class HotkeyId : int { Hide = 0, Restore = 1 };

inline constexpr unsigned kWmHotkey = 0x0312;

// The RegisterHotKey modifiers of one of the seven modifier texts.
std::optional<unsigned> ModifierValue(std::string_view modifierText);

// The key code of a key text: the code of its first character. An empty text
// has none.
std::optional<unsigned> KeyCode(std::string_view keyText);

std::string FailureMessage(HotkeyId id, std::string_view modifierText, std::string_view keyText);

// Registers one hot key on the hot-key dialog's window from its modifier text
// and updates the owner's flag.
void RegisterHotkey(Program& program, HotkeyId id, bool& registered, std::optional<unsigned> keyCode);
void UnregisterHotkey(Program& program, HotkeyId id);
// Lets go of the hot keys the program holds (their keys then reach the window
// in front as they are), or takes back those it let go.
void YieldHotkeys(Program& program, bool yield);
// Tells the user that a hot key is not registered, naming its combination.
void ReportUnregistered(Program& program, HotkeyId id);
// RegisterHotkey, then ReportUnregistered when the flag ends up false.
void BindHotkey(Program& program, HotkeyId id, bool& registered, std::optional<unsigned> keyCode);

// Binds the hide and then the restore hot key; a failure of one does not stop the other.
void BindHotkeys(Program& program, bool& hideRegistered, bool& showRegistered);
// The same registrations without a word; ReportUnregistered tells of failures later.
void RegisterHotkeys(Program& program, bool& hideRegistered, bool& showRegistered);

// The hot-key dialog window's procedure once start-up has installed it. A hot
// key hides or restores the current game; with no such game window, hidden or
// not, the keys go on to the focused window instead (PassHotkeyThrough).
std::intptr_t HotkeyProc(Program& program, os::Window window, unsigned message, std::uintptr_t wParam,
                         std::intptr_t lParam);

// HotkeyProc as the window procedure object the system calls.
class HotkeyProcedure final : public os::WindowProcedure {
public:
    explicit HotkeyProcedure(Program& program) : program_(program) {}
    std::intptr_t operator()(os::Window window, unsigned message, std::uintptr_t wParam,
                             std::intptr_t lParam) override {
        return HotkeyProc(program_, window, message, wParam, lParam);
    }

private:
    Program& program_;
};

// 0 hides the game, 1 restores it; any other value only pumps. `game` is the
// current game's window as the hot key found it.
void HideShowGame(Program& program, std::uint8_t action, os::Window game);

// Hands one press of a hot key to the window with the keyboard focus, as if
// the program held no hot key: lets go of the registration, types the keys
// the WM_HOTKEY `lParam` names, and takes the registration back, telling the
// user as start-up would if another program took the combination meanwhile.
void PassHotkeyThrough(Program& program, HotkeyId id, std::intptr_t lParam);

// The current game's window, never looked up by an empty title.
os::Window FindGameWindow(Program& program);

// The game window's process, and whether it runs above this program.
const Program::GameProcess& ProcessOfGame(Program& program, os::Window game);
// True for a game that runs above this program, which cannot act on its
// window; the user is told once per game start.
bool OutOfReach(Program& program, os::Window game);

// The two modes the program records and switches between.
enum class Mode { Desktop, Game };

// Records the display's mode in use as the desktop's or the game's: its size
// in the texts (Text3/Text4 or Text5/Text6), its depth and rate beside them.
// The desktop's is the display's stored default instead where a game's window
// exists and the mode in use is another: that is the game's.
void RecordMode(Program& program, Mode mode);

// The recorded mode, whole (its size from the texts), and the same set from a whole mode.
os::DisplayMode RecordedMode(const Program& program, Mode mode);
void SetRecordedMode(Program& program, Mode mode, const os::DisplayMode& recorded);

// Switches the display to the recorded mode; sizes whose texts are not sizes
// switch nothing. The game's mode is asked for as a temporary one, so that
// the display's stored default stays the desktop's.
void SwitchTo(Program& program, Mode mode);

// Changes the display's mode to this size and, where given (not 0), depth and
// refresh rate; asks before a restart the change needs. A display already in
// that mode is left alone. `temporary` leaves the stored default as it is.
bool SetScreenResolution(os::Display& display, os::MessageBoxes& boxes, std::int32_t width,
                         std::int32_t height, std::uint32_t bitsPerPixel = 0, std::uint32_t frequency = 0,
                         bool temporary = false);
void RestartWindows(os::Display& display);

// Tells the user why something did not happen, in a balloon from the tray icon.
void Warn(Program& program, std::string_view text);

} // namespace tuckaway::hotkeys
