#pragma once

// The seven persistent settings and the read-or-default rule.

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

// The program's settings section, so callers name only the key.
class Store {
public:
    explicit Store(os::SettingsStore& store) : store_(store) {}

    // A missing value and a failed read both give the empty string.
    std::string Read(std::string_view key);
    void Write(std::string_view key, std::string_view value);
    // Writes the default when the stored value is missing or empty, then reads again.
    std::string ReadOrDefault(std::string_view key, std::string_view defaultValue);

private:
    os::SettingsStore& store_;
};

} // namespace tuckaway::settings
