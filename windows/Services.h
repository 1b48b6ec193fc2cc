#pragma once

// The OS services implemented with the real Win32 calls.

#include "handles/Handles.h"
#include "ports/Os.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace tuckaway::win32 {

// Values live under HKEY_CURRENT_USER\Software\<application>\<section>, as REG_SZ.
class RegistrySettings final : public os::SettingsStore {
public:
    std::optional<std::string> Read(std::string_view application, std::string_view section,
                                    std::string_view key) override;
    void Write(std::string_view application, std::string_view section, std::string_view key,
               std::string_view value) override;
    // Only REG_SZ values count as strings, as for Read.
    std::vector<os::StoredValue> Enumerate(std::string_view application, std::string_view section) override;

private:
    // The keys written to, by path, kept open for the next write.
    std::map<std::wstring, UniqueRegistryKey> openKeys_;
};

class Windows final : public os::WindowManager {
public:
    // A test's own windows stand in for other programs' games; the program's never do.
    explicit Windows(bool ownWindowsMayBeGames = false) : ownWindowsMayBeGames_(ownWindowsMayBeGames) {}

    os::Window FindWindowByTitle(std::string_view title) override;
    std::vector<os::Window> FindWindows(std::span<const std::string_view> titles) override;
    void ShowWindow(os::Window window, ShowCommand command) override;
    void SetForegroundWindow(os::Window window) override;
    WindowState StateOf(os::Window window) override;
    bool IsMaximized(os::Window window) override;
    bool IsHung(os::Window window) override;
    os::Window Foreground() override;
    bool WaitUntilShown(os::Window window, unsigned milliseconds) override;
    void PumpPendingMessages() override;

private:
    bool ownWindowsMayBeGames_;
};

class Hotkeys final : public os::HotkeyRegistrar {
public:
    Hotkeys() = default;
    // Registrations still in place are given back when the owner goes.
    ~Hotkeys() override;
    Hotkeys(const Hotkeys&) = delete;
    Hotkeys& operator=(const Hotkeys&) = delete;

    bool RegisterHotKey(os::Window window, int id, unsigned modifiers, unsigned virtualKey) override;
    void UnregisterHotKey(os::Window window, int id) override;
    std::uintptr_t InstallHotkeyProc(os::Window window, os::WindowProcedure& procedure) override;
    std::intptr_t CallPreviousProc(std::uintptr_t procedure, os::Window window, unsigned message,
                                   std::uintptr_t wParam, std::intptr_t lParam) override;

private:
    std::vector<std::pair<HWND, int>> registered_;
};

class Display final : public os::Display {
public:
    bool EnumerateMode(std::uint32_t modeNumber, os::DisplayMode& mode) override;
    bool CurrentMode(os::DisplayMode& mode) override;
    bool StoredMode(os::DisplayMode& mode) override;
    std::int32_t ChangeMode(const os::DisplayMode& mode, std::uint32_t flags) override;
    os::Size CurrentSize() override;
    void RequestRestart() override;

private:
    // The whole record of the last enumeration: a change request keeps every
    // member the logic does not touch as the enumeration left it.
    DEVMODEW enumerated_{};
};

class MessageBoxes final : public os::MessageBoxes {
public:
    os::BoxAnswer Show(std::string_view text, std::string_view caption, os::BoxStyle style) override;
};

// PictureN is icon resource 100 + N, loaded when first asked for and kept
// for the program's life: the tray holds on to the handle.
class Pictures final : public os::Pictures {
public:
    explicit Pictures(HINSTANCE instance) : instance_(instance) {}
    os::Icon Logo(int pictureNumber) override;

private:
    HINSTANCE instance_;
    std::map<int, UniqueIcon> logos_;
};

inline constexpr int kLogoResourceBase = 100;

// What a test build makes late in the keyboard below, as a busy system would.
struct KeyboardDelays {
    // The hook answers its first event that late, as one the system removes would.
    unsigned lateHookMilliseconds = 0;
    // The combination is typed that long after the modifiers' state was read.
    unsigned lateTypingMilliseconds = 0;
};

// Types with SendInput: each modifier as the combination wants it, the key,
// each modifier put back, then a key no keyboard has, whose passing shows the
// press is through. Meanwhile a low-level keyboard hook, there only for that
// moment (300 ms at most), holds the user's own keys and lets them through in
// order afterwards, so no key of theirs lands inside the combination. A key
// let go waits only behind held keys or when the combination relies on it.
class Keyboard final : public os::Keyboard {
public:
    explicit Keyboard(KeyboardDelays delays = {}) : delays_(delays) {}
    void TypeCombination(unsigned modifiers, unsigned virtualKey) override;

private:
    KeyboardDelays delays_;
};

// OutputDebugString, one line per call.
class DebugOutput final : public os::DebugOutput {
public:
    void Log(std::string_view line) override;
};

// A named mutex in the session's namespace: one instance per logged-on session.
class InstanceGuard final : public os::InstanceGuard {
public:
    explicit InstanceGuard(std::wstring name) : name_(std::move(name)) {}
    bool ClaimFirstInstance() override;

private:
    std::wstring name_;
    UniqueKernelHandle mutex_;
};

} // namespace tuckaway::win32
