#include "state/Catalogue.h"

#include <algorithm>
#include <array>
#include <initializer_list>

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

// Window titles are looked up ignoring letter case, so two titles that differ
// only in case name the same window; names are kept as distinct as titles.
bool SameIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

// Built piece by piece: GCC 12 warns, wrongly, about `"text" + std::string`.
std::string Joined(std::initializer_list<std::string_view> pieces) {
    std::string text;
    for (const std::string_view piece : pieces) {
        text.append(piece);
    }
    return text;
}

bool Blank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

bool HasControlCharacter(std::string_view text) {
    return std::ranges::any_of(text, [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

} // namespace

Catalogue::Catalogue()
    : games_(std::begin(kGames), std::end(kGames)), entries_(kEntries.begin(), kEntries.end()) {
    for (const Game& game : games_) {
        titles_.push_back(game.windowTitle);
    }
}

std::optional<std::string> Catalogue::Refusal(const os::StoredValue& stored) const {
    if (!stored.text) {
        return "not a string";
    }
    const std::string_view name = stored.name;
    const std::string_view title = *stored.text;
    if (Blank(name)) {
        return "no name";
    }
    if (Blank(title)) {
        return "no window title";
    }
    if (HasControlCharacter(name) || HasControlCharacter(title)) {
        return "a control character";
    }
    if (name.size() > kMaxUserNameBytes) {
        return Joined({"a name over ", std::to_string(kMaxUserNameBytes), " bytes"});
    }
    if (title.size() > kMaxUserTitleBytes) {
        return Joined({"a window title over ", std::to_string(kMaxUserTitleBytes), " bytes"});
    }
    if (std::ranges::any_of(entries_,
                            [&](std::string_view entry) { return SameIgnoringCase(entry, name); })) {
        return "a name already in the list";
    }
    if (std::ranges::any_of(games_,
                            [&](const Game& game) { return SameIgnoringCase(game.windowTitle, title); })) {
        return "a window title already in the list";
    }
    if (games_.size() >= std::size(kGames) + kMaxUserGames) {
        return Joined({"more than ", std::to_string(kMaxUserGames), " games"});
    }
    return std::nullopt;
}

std::vector<std::string> Catalogue::AddUserGames(std::span<const os::StoredValue> stored) {
    std::vector<std::string> leftOut;
    for (const os::StoredValue& value : stored) {
        if (const auto refusal = Refusal(value)) {
            leftOut.push_back(Joined({"\"", value.name, "\" (", *refusal, ")"}));
            continue;
        }
        const std::string_view name = userTexts_.emplace_back(value.name);
        const std::string_view title = userTexts_.emplace_back(*value.text);
        games_.push_back(
            {name, title, kUserInactiveLogo, kUserActiveLogo, static_cast<int>(entries_.size())});
        titles_.push_back(title);
        entries_.push_back(name);
    }
    return leftOut;
}

std::optional<int> Catalogue::EntryIndex(std::string_view displayName) const {
    const auto it = std::ranges::find(entries_, displayName);
    if (it == entries_.end()) {
        return std::nullopt;
    }
    return static_cast<int>(it - entries_.begin());
}

std::optional<std::string_view> Catalogue::TitleOfEntry(std::string_view displayName) const {
    if (displayName == kAutomaticEntry) {
        return kAutomaticTitle;
    }
    const auto it =
        std::ranges::find_if(games_, [&](const Game& game) { return game.displayName == displayName; });
    if (it == games_.end()) {
        return std::nullopt;
    }
    return it->windowTitle;
}

const Game* Catalogue::GameOfTitle(std::string_view windowTitle) const {
    const auto it =
        std::ranges::find_if(games_, [&](const Game& game) { return game.windowTitle == windowTitle; });
    return it == games_.end() ? nullptr : &*it;
}

std::optional<int> Catalogue::InactiveLogoOfTitle(std::string_view windowTitle) const {
    const Game* game = GameOfTitle(windowTitle);
    return game ? std::optional<int>(game->inactiveLogo) : std::nullopt;
}

std::optional<int> Catalogue::ActiveLogoOfTitle(std::string_view windowTitle) const {
    const Game* game = GameOfTitle(windowTitle);
    return game ? std::optional<int>(game->activeLogo) : std::nullopt;
}

} // namespace tuckaway::catalogue
