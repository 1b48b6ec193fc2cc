#include "app/Tuckaway.h"
#include "fake/FakeSystem.h"
#include "state/Catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tuckaway {

using namespace tuckaway::ui;
namespace {

using Lines = std::vector<std::string>;

// The dialog's window exists, as after start-up.
class GameList : public ::testing::Test {
protected:
    void SetUp() override { fake.dialogExists[Dialog::Main] = true; }

    fake::FakeSystem fake;
    Tuckaway app{fake.Services(), fake};
    Program& program = app.program;
};

TEST_F(GameList, SelectingAGameStoresItsTitleAndEntry) {
    ASSERT_TRUE(app.frmAbout.SelectEntry("Star Trek: Elite Force II"));
    EXPECT_EQ(program.frmAbout.Text1, "Elite Force II");
    EXPECT_EQ(fake.shownSelection, 4);
    EXPECT_EQ(fake.log, (Lines{"Write currentgame=Elite Force II",
                               "Write currentgame_display=Star Trek: Elite Force II"}));

    // The same selection again stores both again.
    app.frmAbout.SelectIndex(4);
    EXPECT_EQ(fake.LogStartingWith("Write ").size(), 4u);

    app.frmAbout.SelectEntry(catalogue::kAutomaticEntry);
    EXPECT_EQ(program.frmAbout.Text1, " ");
    EXPECT_EQ(fake.registry["currentgame"], " ");
    EXPECT_EQ(fake.registry["currentgame_display"], catalogue::kAutomaticEntry);
}

TEST_F(GameList, LockedListRefusesTheUser) {
    app.frmAbout.SelectEntry("Return to Castle Wolfenstein (SP + MP)");
    app.frmAbout.SetCombo1Locked(true);
    fake.log.clear();
    app.frmAbout.UserSelected(1);
    EXPECT_EQ(program.frmAbout.Combo1, 9);
    EXPECT_EQ(fake.shownSelection, 9);
    EXPECT_EQ(program.frmAbout.Text1, "Wolfenstein");
    EXPECT_TRUE(fake.log.empty());

    app.frmAbout.SetCombo1Locked(false);
    app.frmAbout.UserSelected(1);
    EXPECT_EQ(program.frmAbout.Text1, "Quake 3: Arena");
}

TEST_F(GameList, ScreenResCheckRunsItsHandlerOnlyOnChange) {
    fake.displaySize = {1280, 1024};
    app.frmAbout.SetScreenResCheck(0);
    EXPECT_TRUE(fake.log.empty());

    app.frmAbout.SetScreenResCheck(1);
    EXPECT_EQ(fake.LogStartingWith("Write "), Lines{"Write DynaScreen=1"});
    EXPECT_EQ(program.varer.Text3, "1280");
    EXPECT_EQ(program.varer.Text4, "1024");

    app.frmAbout.SetScreenResCheck(1);
    EXPECT_EQ(fake.LogStartingWith("Write ").size(), 1u);

    fake.displaySize = {640, 480};
    app.frmAbout.SetScreenResCheck(0);
    EXPECT_EQ(fake.LogStartingWith("Write "), (Lines{"Write DynaScreen=1", "Write DynaScreen=0"}));
    EXPECT_EQ(program.varer.Text3, "1280");
    EXPECT_EQ(program.varer.Text4, "1024");
    EXPECT_EQ(fake.shownCheck, 0);
}

} // namespace
} // namespace tuckaway
