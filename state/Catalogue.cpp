#include "state/Catalogue.h"

#include <algorithm>

namespace tuckaway::catalogue {
namespace {

// One row per game, in the order automatic detection probes the titles; a
// game's place in the list is its own column. Texts are UTF-8; the registered
// sign is "\xC2\xAE".
constexpr Game kGames[] = {
    {"Quake III Arena", "Quake 3: Arena", 1, 2, 1},
    {"Star Trek Voyager: Elite Force (MP)", "Star Trek: Voyager - Holomatch", 9, 10, 3},
    {"Star Trek: Elite Force II", "Elite Force II", 11, 12, 4},
    {"Star Wars: Jedi Knight II: Jedi Outcast (MP)", "Jedi Knight 2: Jedi Outcast MP", 3, 4, 6},
    {"Star Wars: Jedi Knight II: Jedi Outcast (SP)", "Jedi Knight 2", 5, 6, 5},
    {"Star Trek Voyager: Elite Force (SP)", "Star Trek: Voyager", 9, 10, 2},
    {"Star Wars: Jedi Knight: Jedi Academy (SP)", "Jedi Knight\xC2\xAE: Jedi Academy", 15, 16, 7},
    {"Return to Castle Wolfenstein (SP + MP)", "Wolfenstein", 13, 14, 9},
    {"Star Wars: Jedi Knight: Jedi Academy (MP)", "Jedi Knight\xC2\xAE: Jedi Academy (MP)", 17, 18, 8},
};

// The automatic entry first, then every game at its place.
constexpr auto kEntries = [] {
    std::array<std::string_view, std::size(kGames) + 1> entries{kAutomaticEntry};
    for (const Game& game : kGames) {
        entries[game.listPosition] = game.displayName;
    }
    return entries;
}();
static_assert(std::ranges::none_of(kEntries, [](std::string_view entry) { return entry.empty(); }),
              "every place of the list belongs to exactly one game");

const Game* GameOfTitle(std::string_view windowTitle) {
    const auto it =
        std::ranges::find_if(kGames, [&](const Game& game) { return game.windowTitle == windowTitle; });
    return it == std::end(kGames) ? nullptr : &*it;
}

} // namespace

std::span<const std::string_view> ListEntries() {
    return kEntries;
}

std::span<const Game> ProbeOrder() {
    return kGames;
}

std::optional<int> EntryIndex(std::string_view displayName) {
    const auto it = std::ranges::find(kEntries, displayName);
    if (it == kEntries.end()) {
        return std::nullopt;
    }
    return static_cast<int>(it - kEntries.begin());
}

std::optional<std::string_view> TitleOfEntry(std::string_view displayName) {
    if (displayName == kAutomaticEntry) {
        return kAutomaticTitle;
    }
    const auto it =
        std::ranges::find_if(kGames, [&](const Game& game) { return game.displayName == displayName; });
    if (it == std::end(kGames)) {
        return std::nullopt;
    }
    return it->windowTitle;
}

std::optional<int> InactiveLogoOfTitle(std::string_view windowTitle) {
    const Game* game = GameOfTitle(windowTitle);
    return game ? std::optional<int>(game->inactiveLogo) : std::nullopt;
}

std::optional<int> ActiveLogoOfTitle(std::string_view windowTitle) {
    const Game* game = GameOfTitle(windowTitle);
    return game ? std::optional<int>(game->activeLogo) : std::nullopt;
}

} // namespace tuckaway::catalogue
