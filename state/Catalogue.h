#pragma once

// The fixed table of supported games: list entries, window titles and logos.

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace tuckaway::catalogue {

inline constexpr std::string_view kAutomaticEntry = "-=Automatic Game Detection=-";
inline constexpr std::string_view kAutomaticTitle = " ";

struct Game {
    std::string_view displayName;
    std::string_view windowTitle;
    int inactiveLogo; // picture number of the grey logo
    int activeLogo;   // picture number of the coloured logo
    int listPosition; // place in the game list; 0 is the automatic entry
};

// The entries of the game list, in the order the list shows them: the
// automatic entry, then the games.
std::span<const std::string_view> ListEntries();

// The games in the order automatic detection probes their titles.
std::span<const Game> ProbeOrder();

// Index of an entry in ListEntries().
std::optional<int> EntryIndex(std::string_view displayName);

// Window title of a list entry; the automatic entry gives a single blank.
std::optional<std::string_view> TitleOfEntry(std::string_view displayName);

std::optional<int> InactiveLogoOfTitle(std::string_view windowTitle);
std::optional<int> ActiveLogoOfTitle(std::string_view windowTitle);

} // namespace tuckaway::catalogue
