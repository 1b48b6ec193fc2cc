#pragma once

// The supported games: list entries, window titles and logos. The nine the
// program knows are a fixed table; the games the user adds come after them.

#include "ports/Os.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// The user's games: how many, how long their texts may be (in UTF-8 bytes)
// and the logo pair they share.
inline constexpr std::size_t kMaxUserGames = 32;
// The tip "<name> - INACTIVE" and its NUL must fit the tray's 64 characters;
// converted to the ANSI code page a name never takes more bytes than in UTF-8.
inline constexpr std::size_t kMaxUserNameBytes = 64 - 1 - std::string_view(" - INACTIVE").size();
inline constexpr std::size_t kMaxUserTitleBytes = 255;
inline constexpr int kUserInactiveLogo = 19;
inline constexpr int kUserActiveLogo = 20;

class Catalogue {
public:
    // The nine games the program knows.
    Catalogue();
    // The lookups hand out views into the catalogue's own texts.
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    // Appends the user's games, in stored order, to the list and to the probe
    // order; an entry that is not a usable game is left out. Returns one line
    // per entry left out, naming it and saying why.
    std::vector<std::string> AddUserGames(std::span<const os::StoredValue> stored);

    // The entries of the game list, in the order the list shows them: the
    // automatic entry, then the games.
    std::span<const std::string_view> ListEntries() const { return entries_; }

    // The games in the order automatic detection probes their titles, and their titles alone.
    std::span<const Game> ProbeOrder() const { return games_; }
    std::span<const std::string_view> ProbeTitles() const { return titles_; }

    // Index of an entry in ListEntries().
    std::optional<int> EntryIndex(std::string_view displayName) const;

    // Window title of a list entry; the automatic entry gives a single blank.
    std::optional<std::string_view> TitleOfEntry(std::string_view displayName) const;

    std::optional<int> InactiveLogoOfTitle(std::string_view windowTitle) const;
    std::optional<int> ActiveLogoOfTitle(std::string_view windowTitle) const;

private:
    const Game* GameOfTitle(std::string_view windowTitle) const;
    // Why a stored game cannot be added, or nothing when it can.
    std::optional<std::string> Refusal(const os::StoredValue& stored) const;

    std::vector<Game> games_;
    std::vector<std::string_view> titles_;
    std::vector<std::string_view> entries_;
    // The user's names and titles; a deque never moves what it holds.
    std::deque<std::string> userTexts_;
};

} // namespace tuckaway::catalogue
