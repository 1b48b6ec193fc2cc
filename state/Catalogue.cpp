#include "state/Catalogue.h"

#include <algorithm>

namespace tuckaway::catalogue {
namespace {

constexpr std::array<std::string_view, 10> kEntries = {
    kAutomaticEntry,
    "Quake III Arena",
    "Star Trek Voyager: Elite Force (SP)",
    "Star Trek Voyager: Elite Force (MP)",
    "Star Trek: Elite Force II",
    "Star Wars: Jedi Knight II: Jedi Outcast (SP)",
    "Star Wars: Jedi Knight II: Jedi Outcast (MP)",
    "Star Wars: Jedi Knight: Jedi Academy (SP)",
    "Star Wars: Jedi Knight: Jedi Academy (MP)",
    "Return to Castle Wolfenstein (SP + MP)",
};

// Texts are UTF-8; the registered sign is "\xC2\xAE".
constexpr std::array<Game, 9> kGames = {{
    {"Quake III Arena", "Quake 3: Arena", 1, 2},
    {"Star Trek Voyager: Elite Force (MP)", "Star Trek: Voyager - Holomatch", 9, 10},
    {"Star Trek: Elite Force II", "Elite Force II", 11, 12},
    {"Star Wars: Jedi Knight II: Jedi Outcast (MP)", "Jedi Knight 2: Jedi Outcast MP", 3, 4},
    {"Star Wars: Jedi Knight II: Jedi Outcast (SP)", "Jedi Knight 2", 5, 6},
    {"Star Trek Voyager: Elite Force (SP)", "Star Trek: Voyager", 9, 10},
    {"Star Wars: Jedi Knight: Jedi Academy (SP)", "Jedi Knight\xC2\xAE: Jedi Academy", 15, 16},
    {"Return to Castle Wolfenstein (SP + MP)", "Wolfenstein", 13, 14},
    {"Star Wars: Jedi Knight: Jedi Academy (MP)", "Jedi Knight\xC2\xAE: Jedi Academy (MP)", 17, 18},
}};

const Game* GameOfTitle(std::string_view windowTitle) {
    const auto it =
        std::ranges::find_if(kGames, [&](const Game& game) { return game.windowTitle == windowTitle; });
    return it == kGames.end() ? nullptr : &*it;
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
    if (it == kGames.end()) {
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
