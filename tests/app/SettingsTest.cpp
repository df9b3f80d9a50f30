#include "AppFixture.h"
#include "app/Registry.h"

using SettingsTest = AppFixture;

TEST_F(SettingsTest, FirstRunStartsWithDefaultsAndLeavesEveryValueBehind) {
    CPuzzle puzzle;
    puzzle.LoadSettings();
    EXPECT_EQ((std::vector<int>{puzzle.soundeffects, puzzle.shadow, puzzle.ghostaplha, puzzle.beveling,
                                puzzle.bevellevel, puzzle.userotation, puzzle.useMusic}),
              (std::vector<int>{1, 1, 30, 1, 1, 0, 1}));
    CMainApp app;
    app.backgroundColour = 0x123456;
    app.LoadSettings();
    EXPECT_EQ(app.backgroundColour, 0x808080u);
    EXPECT_EQ(app.ghosted, 0);
    EXPECT_EQ(app.firstTimeRun, 1);
    EXPECT_TRUE(platform->settingsDwords.empty());

    puzzle.SaveSettings();
    app.SaveSettings();
    EXPECT_EQ(platform->settingsStrings.at("bkcolour"), "8421504");
    const std::map<std::string, std::uint32_t> saved = {
        {"soundeffects", 1}, {"shadow", 1},   {"ghostaplha", 30}, {"beveling", 1},     {"bevellevel", 1},
        {"userotation", 0},  {"useMusic", 1}, {"ghosted", 0},     {"FirstTimeRun", 0}, {"show_mode", 1}};
    EXPECT_EQ(platform->settingsDwords, saved);
    EXPECT_FALSE(platform->settingsOpenNow) << "every batch closes the key";

    // Stored values are used unchanged, except that a run is no longer the first.
    platform->settingsDwords = {{"bevellevel", 7}, {"userotation", 1}, {"ghosted", 1}, {"FirstTimeRun", 5}};
    puzzle.LoadSettings();
    app.LoadSettings();
    EXPECT_EQ(puzzle.bevellevel, 7);
    EXPECT_EQ(puzzle.userotation, 1);
    EXPECT_EQ(app.ghosted, 1);
    EXPECT_EQ(app.firstTimeRun, 5);
    app.SaveSettings();
    EXPECT_EQ(platform->settingsDwords.at("FirstTimeRun"), 0u);
}

TEST_F(SettingsTest, BackgroundColourIsADecimalNumber) {
    CMainApp app;
    platform->settingsStrings["bkcolour"] = "255";
    app.LoadSettings();
    EXPECT_EQ(app.backgroundColour, RGB(255, 0, 0));
    platform->settingsStrings["bkcolour"] = "abc";
    app.LoadSettings();
    EXPECT_EQ(app.backgroundColour, 0u);
    // Text that does not fit the reader's buffer gives the default.
    platform->settingsStrings["bkcolour"] = std::string(300, '7');
    app.LoadSettings();
    EXPECT_EQ(app.backgroundColour, 0x808080u);

    // A colour with its top bit set is written as a negative number and reads back the same.
    app.backgroundColour = 0xFFFFFFFFu;
    app.SaveSettings();
    EXPECT_EQ(platform->settingsStrings.at("bkcolour"), "-1");
    app.backgroundColour = 0;
    app.LoadSettings();
    EXPECT_EQ(app.backgroundColour, 0xFFFFFFFFu);

    EXPECT_EQ(ColourFromSettingText("99999999999999999999999"), 0xFFFFFFFFu);
    EXPECT_EQ(ColourFromSettingText("12abc"), 12u);
}

TEST_F(SettingsTest, ReadsNeverOverrunTheBufferAndAClosedStoreTakesNothing) {
    HKEY key = 0;
    ASSERT_EQ(RegOpenSettings(kSettingsKeyName, &key), S_OK);
    char small[4] = {'x', 'x', 'x', 'x'};
    platform->settingsStrings["name"] = "ab";
    RegReadString(key, "name", small, sizeof small, "default");
    EXPECT_STREQ(small, "ab");
    RegReadString(key, "missing", small, sizeof small, "default");
    EXPECT_STREQ(small, "def") << "a default longer than the buffer is cut, not overrun";
    RegCloseSettings(key);

    platform->settingsDwords["shadow"] = 0;
    platform->settingsAvailable = false;
    CPuzzle puzzle;
    puzzle.LoadSettings();
    EXPECT_EQ(puzzle.shadow, 1);
    puzzle.shadow = 0;
    puzzle.SaveSettings();
    EXPECT_EQ(RegOpenSettings(kSettingsKeyName, &key), E_FAIL);
    EXPECT_EQ(RegWriteDword(key, "shadow", 1), E_FAIL);
    EXPECT_EQ(platform->settingsDwords.size(), 1u);
}
