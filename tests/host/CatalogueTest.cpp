#include "state/Catalogue.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tuckaway {
namespace {

const catalogue::Catalogue nine;

TEST(Catalogue, EveryGameEntryMapsToItsTitleAndBack) {
    std::set<std::string_view> titles;
    for (const catalogue::Game& game : nine.ProbeOrder()) {
        EXPECT_EQ(nine.TitleOfEntry(game.displayName), game.windowTitle);
        EXPECT_TRUE(nine.EntryIndex(game.displayName).has_value()) << game.displayName;
        EXPECT_TRUE(titles.insert(game.windowTitle).second) << "duplicate title " << game.windowTitle;
        EXPECT_EQ(game.activeLogo, game.inactiveLogo + 1) << "logos come in grey/coloured pairs";
    }
    EXPECT_EQ(titles.size(), 9u);
    EXPECT_EQ(nine.ListEntries().size(), 10u);
}

TEST(Catalogue, AutomaticEntryIsFirstAndHasABlankTitleAndNoLogo) {
    EXPECT_EQ(nine.ListEntries().front(), "-=Automatic Game Detection=-");
    EXPECT_EQ(nine.TitleOfEntry("-=Automatic Game Detection=-"), " ");
    EXPECT_FALSE(nine.ActiveLogoOfTitle(" "));
    EXPECT_FALSE(nine.InactiveLogoOfTitle(" "));
}

TEST(Catalogue, SimilarTitlesStayDistinct) {
    EXPECT_EQ(nine.TitleOfEntry("Star Wars: Jedi Knight II: Jedi Outcast (SP)"), "Jedi Knight 2");
    EXPECT_EQ(nine.TitleOfEntry("Star Wars: Jedi Knight II: Jedi Outcast (MP)"),
              "Jedi Knight 2: Jedi Outcast MP");
    EXPECT_EQ(nine.TitleOfEntry("Star Trek Voyager: Elite Force (SP)"), "Star Trek: Voyager");
    // Both Elite Force titles share one logo pair.
    EXPECT_EQ(nine.ActiveLogoOfTitle("Star Trek: Voyager"), 10);
    EXPECT_EQ(nine.ActiveLogoOfTitle("Star Trek: Voyager - Holomatch"), 10);
}

TEST(Catalogue, JediAcademyTitlesCarryTheRegisteredSign) {
    EXPECT_EQ(nine.TitleOfEntry("Star Wars: Jedi Knight: Jedi Academy (SP)"),
              "Jedi Knight\xC2\xAE: Jedi Academy");
    EXPECT_EQ(nine.TitleOfEntry("Star Wars: Jedi Knight: Jedi Academy (MP)"),
              "Jedi Knight\xC2\xAE: Jedi Academy (MP)");
}

TEST(Catalogue, UnknownKeysGiveNothing) {
    EXPECT_FALSE(nine.TitleOfEntry("Quake 3: Arena"));
    EXPECT_FALSE(nine.EntryIndex("quake iii arena"));
    EXPECT_FALSE(nine.ActiveLogoOfTitle("Quake III Arena"));
}

TEST(UserGames, ComeAfterTheNineInStoredOrderWithTheGenericLogos) {
    catalogue::Catalogue games;
    const std::vector<os::StoredValue> stored = {{"OpenArena", "OpenArena"}, {"ioquake3", "ioquake3"}};
    EXPECT_TRUE(games.AddUserGames(stored).empty());

    const auto entries = games.ListEntries();
    ASSERT_EQ(entries.size(), 12u);
    EXPECT_EQ(entries[9], "Return to Castle Wolfenstein (SP + MP)");
    EXPECT_EQ(entries[10], "OpenArena");
    EXPECT_EQ(entries[11], "ioquake3");
    const auto probes = games.ProbeOrder();
    ASSERT_EQ(probes.size(), 11u);
    EXPECT_EQ(probes[8].windowTitle, "Jedi Knight\xC2\xAE: Jedi Academy (MP)");
    EXPECT_EQ(probes[9].windowTitle, "OpenArena");
    EXPECT_EQ(probes[10].windowTitle, "ioquake3");
    EXPECT_EQ(games.EntryIndex("ioquake3"), 11);
    EXPECT_EQ(games.TitleOfEntry("OpenArena"), "OpenArena");
    EXPECT_EQ(games.InactiveLogoOfTitle("ioquake3"), 19);
    EXPECT_EQ(games.ActiveLogoOfTitle("ioquake3"), 20);
}

TEST(UserGames, BadEntriesAreLeftOutWithTheirReasonAndTheRestStillCount) {
    const std::string name52(52, 'n');
    const std::string title255(255, 't');
    std::vector<os::StoredValue> stored = {
        {"Urban Terror", std::nullopt},
        {"", "urt"},
        {"  ", "urt"},
        {"Blank title", " "},
        {"Two\nlines", "two"},
        {name52 + "n", "long name"},
        {name52, "exactly long enough"},
        {"Long title", title255 + "t"},
        {"Exactly long enough", title255},
        {"Quake III Arena", "q3"},
        {"-=automatic game detection=-", "auto"},
        {"My Quake", "quake 3: ARENA"},
        {"ioquake3", "ioquake3"},
        {"IOQUAKE3", "ioq3 again"},
        {"OpenArena", "IOQuake3"},
    };
    // Three of the above count: with these, the 32nd game is "Mod 32".
    for (int i = 4; i <= 33; ++i) {
        stored.push_back({"Mod " + std::to_string(i), "Mod title " + std::to_string(i)});
    }
    catalogue::Catalogue games;
    const auto leftOut = games.AddUserGames(stored);
    EXPECT_EQ(leftOut, (std::vector<std::string>{
                           "\"Urban Terror\" (not a string)",
                           "\"\" (no name)",
                           "\"  \" (no name)",
                           "\"Blank title\" (no window title)",
                           "\"Two\nlines\" (a control character)",
                           "\"" + name52 + "n\" (a name over 52 bytes)",
                           "\"Long title\" (a window title over 255 bytes)",
                           "\"Quake III Arena\" (a name already in the list)",
                           "\"-=automatic game detection=-\" (a name already in the list)",
                           "\"My Quake\" (a window title already in the list)",
                           "\"IOQUAKE3\" (a name already in the list)",
                           "\"OpenArena\" (a window title already in the list)",
                           "\"Mod 33\" (more than 32 games)",
                       }));
    const auto entries = games.ListEntries();
    ASSERT_EQ(entries.size(), 10u + 32u);
    EXPECT_EQ(entries[10], name52);
    EXPECT_EQ(entries[11], "Exactly long enough");
    EXPECT_EQ(entries[12], "ioquake3");
    EXPECT_EQ(entries.back(), "Mod 32");
    EXPECT_EQ(games.TitleOfEntry("Quake III Arena"), "Quake 3: Arena");
}

// The forks' file that ships with the program, read as regedit reads it into
// the "games" section and as start-up then takes it: no entry may be left out.
TEST(Catalogue, EveryGameOfTheShippedForksFileIsTaken) {
    std::ifstream file(TUCKAWAY_SOURCE_DIR "/resources/forks.reg", std::ios::binary);
    ASSERT_TRUE(file) << "resources/forks.reg";
    std::stringstream text;
    text << file.rdbuf();
    std::vector<os::StoredValue> stored;
    std::vector<std::string> lines;
    std::string line;
    for (std::istringstream in(text.str()); std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Windows Registry Editor Version 5.00");
    EXPECT_EQ(lines[2], "[HKEY_CURRENT_USER\\Software\\Tuckaway v1.10\\games]");
    for (std::size_t i = 3; i < lines.size(); ++i) {
        // "name"="title", with neither holding a quote or a backslash to escape.
        const std::string& entry = lines[i];
        const auto middle = entry.find("\"=\"");
        ASSERT_TRUE(entry.size() > 5 && entry.front() == '"' && entry.back() == '"' &&
                    middle != std::string::npos && entry.find_first_of("\\", 1) == std::string::npos)
            << "line " << i + 1 << ": " << entry;
        const std::string name = entry.substr(1, middle - 1);
        const std::string title = entry.substr(middle + 3, entry.size() - middle - 4);
        ASSERT_EQ(name.find('"'), std::string::npos) << entry;
        ASSERT_EQ(title.find('"'), std::string::npos) << entry;
        stored.push_back({name, title});
    }
    catalogue::Catalogue games;
    EXPECT_EQ(games.AddUserGames(stored), std::vector<std::string>{});
    EXPECT_EQ(games.ProbeOrder().size(), 9 + stored.size());
    EXPECT_GE(stored.size(), 12u);
}

} // namespace
} // namespace tuckaway
