#pragma once

// The seven persistent settings and the read-or-default rule; the program's
// options beside them, and its record of what it changed outside itself.

#include "ports/Os.h"

#include <string>
#include <string_view>

namespace tuckaway::settings {

inline constexpr std::string_view kApplication = "Tuckaway v1.10";
inline constexpr std::string_view kSection = "program";
// The games the user adds: one string value per game, display name = window title.
inline constexpr std::string_view kGamesSection = "games";

inline constexpr std::string_view kHideQ3Func = "HideQ3Func";
inline constexpr std::string_view kShowQ3Func = "ShowQ3Func";
inline constexpr std::string_view kHideQ3Key = "HideQ3Key";
inline constexpr std::string_view kShowQ3Key = "ShowQ3Key";
inline constexpr std::string_view kCurrentGameDisplay = "currentgame_display";
inline constexpr std::string_view kCurrentGame = "currentgame";
inline constexpr std::string_view kDynaScreen = "DynaScreen";

// Switches beyond the seven, each "1" or "0"; any other stored text reads as its default.
inline constexpr std::string_view kOptionsSection = "options";
inline constexpr std::string_view kMuteWhenHidden = "MuteWhenHidden";
inline constexpr std::string_view kYieldWhenHidden = "YieldWhenHidden";
inline constexpr std::string_view kFreezeWhenHidden = "FreezeWhenHidden";

// What a hide changed outside the program, written before each change and
// emptied once it is given back, so that a start after a crash or kill can
// give back what is left.
inline constexpr std::string_view kRecoverySection = "recovery";

// The program's settings section, so callers name only the key.
class Store {
public:
    explicit Store(os::SettingsStore& store) : store_(store) {}

    // A missing value and a failed read both give the empty string.
    std::string Read(std::string_view key) { return Read(kSection, key); }
    void Write(std::string_view key, std::string_view value) { Write(kSection, key, value); }
    // Writes the default when the stored value is missing or empty, then reads again.
    std::string ReadOrDefault(std::string_view key, std::string_view defaultValue) {
        return ReadOrDefault(kSection, key, defaultValue);
    }

    // The same in another section of the program's.
    std::string Read(std::string_view section, std::string_view key);
    void Write(std::string_view section, std::string_view key, std::string_view value);
    std::string ReadOrDefault(std::string_view section, std::string_view key, std::string_view defaultValue);
    // An option of the "options" section: its default unless the stored text
    // is exactly "1" or "0".
    bool Option(std::string_view key, bool defaultValue);

private:
    os::SettingsStore& store_;
};

} // namespace tuckaway::settings
