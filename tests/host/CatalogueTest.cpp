#include "state/Catalogue.h"

#include <gtest/gtest.h>

#include <set>

namespace tuckaway {
namespace {

TEST(Catalogue, EveryGameEntryMapsToItsTitleAndBack) {
    std::set<std::string_view> titles;
    for (const catalogue::Game& game : catalogue::ProbeOrder()) {
        EXPECT_EQ(catalogue::TitleOfEntry(game.displayName), game.windowTitle);
        EXPECT_TRUE(catalogue::EntryIndex(game.displayName).has_value()) << game.displayName;
        EXPECT_TRUE(titles.insert(game.windowTitle).second) << "duplicate title " << game.windowTitle;
        EXPECT_EQ(game.activeLogo, game.inactiveLogo + 1) << "logos come in grey/coloured pairs";
    }
    EXPECT_EQ(titles.size(), 9u);
    EXPECT_EQ(catalogue::ListEntries().size(), 10u);
}

TEST(Catalogue, AutomaticEntryIsFirstAndHasABlankTitleAndNoLogo) {
    EXPECT_EQ(catalogue::ListEntries().front(), "-=Automatic Game Detection=-");
    EXPECT_EQ(catalogue::TitleOfEntry("-=Automatic Game Detection=-"), " ");
    EXPECT_FALSE(catalogue::ActiveLogoOfTitle(" "));
    EXPECT_FALSE(catalogue::InactiveLogoOfTitle(" "));
}

TEST(Catalogue, SimilarTitlesStayDistinct) {
    EXPECT_EQ(catalogue::TitleOfEntry("Star Wars: Jedi Knight II: Jedi Outcast (SP)"), "Jedi Knight 2");
    EXPECT_EQ(catalogue::TitleOfEntry("Star Wars: Jedi Knight II: Jedi Outcast (MP)"),
              "Jedi Knight 2: Jedi Outcast MP");
    EXPECT_EQ(catalogue::TitleOfEntry("Star Trek Voyager: Elite Force (SP)"), "Star Trek: Voyager");
    // Both Elite Force titles share one logo pair.
    EXPECT_EQ(catalogue::ActiveLogoOfTitle("Star Trek: Voyager"), 10);
    EXPECT_EQ(catalogue::ActiveLogoOfTitle("Star Trek: Voyager - Holomatch"), 10);
}

TEST(Catalogue, JediAcademyTitlesCarryTheRegisteredSign) {
    EXPECT_EQ(catalogue::TitleOfEntry("Star Wars: Jedi Knight: Jedi Academy (SP)"),
              "Jedi Knight\xC2\xAE: Jedi Academy");
    EXPECT_EQ(catalogue::TitleOfEntry("Star Wars: Jedi Knight: Jedi Academy (MP)"),
              "Jedi Knight\xC2\xAE: Jedi Academy (MP)");
}

TEST(Catalogue, UnknownKeysGiveNothing) {
    EXPECT_FALSE(catalogue::TitleOfEntry("Quake 3: Arena"));
    EXPECT_FALSE(catalogue::EntryIndex("quake iii arena"));
    EXPECT_FALSE(catalogue::ActiveLogoOfTitle("Quake III Arena"));
}

} // namespace
} // namespace tuckaway
