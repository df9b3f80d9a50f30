#include "AppFixture.h"
#include "app/Registry.h"

using SettingsTest = AppFixture;

TEST_F(SettingsTest, FirstRunStartsWithDefaultsAndLeavesEveryValueBehind) {
    CPuzzle puzzle;
    puzzle.LoadSettings();
    EXPECT_EQ(puzzle.soundeffects, 1);
    EXPECT_EQ(puzzle.shadow, 1);
    EXPECT_EQ(puzzle.ghostaplha, 30);
    EXPECT_EQ(puzzle.beveling, 1);
    EXPECT_EQ(puzzle.bevellevel, 1);
    EXPECT_EQ(puzzle.userotation, 0);
    EXPECT_EQ(puzzle.useMusic, 1);

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
    for (const char* name : {"soundeffects", "shadow", "ghostaplha", "beveling", "bevellevel", "userotation",
                             "useMusic", "ghosted", "FirstTimeRun"})
        EXPECT_EQ(platform->settingsDwords.count(name), 1u) << name;
    EXPECT_EQ(platform->settingsDwords.at("FirstTimeRun"), 0u);
    EXPECT_EQ(platform->settingsDwords.at("ghostaplha"), 30u);
    EXPECT_FALSE(platform->settingsOpenNow) << "every batch closes the key";
}

TEST_F(SettingsTest, StoredValuesAreUsedUnchanged) {
    platform->settingsDwords = {{"soundeffects", 0}, {"shadow", 0},  {"bevellevel", 7},
                                {"userotation", 1},  {"ghosted", 1}, {"FirstTimeRun", 5}};
    CPuzzle puzzle;
    puzzle.LoadSettings();
    EXPECT_EQ(puzzle.soundeffects, 0);
    EXPECT_EQ(puzzle.shadow, 0);
    EXPECT_EQ(puzzle.bevellevel, 7);
    EXPECT_EQ(puzzle.userotation, 1);
    CMainApp app;
    app.LoadSettings();
    EXPECT_EQ(app.ghosted, 1);
    EXPECT_EQ(app.firstTimeRun, 5);
    app.SaveSettings();
    EXPECT_EQ(platform->settingsDwords.at("FirstTimeRun"), 0u);
    EXPECT_EQ(platform->settingsDwords.at("ghosted"), 1u);
}

TEST_F(SettingsTest, BackgroundColourIsADecimalNumber) {
    CMainApp app;
    platform->settingsStrings["bkcolour"] = "255";
    app.LoadSettings();
    EXPECT_EQ(app.backgroundColour, RGB(255, 0, 0));

    platform->settingsStrings["bkcolour"] = "abc";
    app.LoadSettings();
    EXPECT_EQ(app.backgroundColour, 0u);

    // A colour with its top bit set is written as a negative number and reads back the same.
    app.backgroundColour = 0xFFFFFFFFu;
    app.SaveSettings();
    EXPECT_EQ(platform->settingsStrings.at("bkcolour"), "-1");
    app.backgroundColour = 0;
    app.LoadSettings();
    EXPECT_EQ(app.backgroundColour, 0xFFFFFFFFu);

    EXPECT_EQ(ColourFromSettingText("99999999999999999999999"), 0xFFFFFFFFu);
    EXPECT_EQ(ColourFromSettingText("12abc"), 12u);
    EXPECT_EQ(ColourFromSettingText(""), 0u);
}

TEST_F(SettingsTest, TextThatDoesNotFitTheBufferGivesTheDefault) {
    platform->settingsStrings["bkcolour"] = std::string(300, '7');
    CMainApp app;
    app.LoadSettings();
    EXPECT_EQ(app.backgroundColour, 0x808080u);

    HKEY key = 0;
    ASSERT_EQ(RegOpenSettings(kSettingsKeyName, &key), S_OK);
    char small[4] = {'x', 'x', 'x', 'x'};
    platform->settingsStrings["name"] = "ab";
    RegReadString(key, "name", small, sizeof small, "default");
    EXPECT_STREQ(small, "ab");
    RegReadString(key, "missing", small, sizeof small, "default");
    EXPECT_STREQ(small, "def") << "a default longer than the buffer is cut, not overrun";
    RegCloseSettings(key);
}

TEST_F(SettingsTest, AStoreThatCannotBeOpenedGivesDefaultsAndTakesNothing) {
    platform->settingsDwords["shadow"] = 0;
    platform->settingsAvailable = false;
    CPuzzle puzzle;
    puzzle.LoadSettings();
    EXPECT_EQ(puzzle.shadow, 1);
    puzzle.shadow = 0;
    puzzle.SaveSettings();
    platform->settingsAvailable = true;
    EXPECT_EQ(platform->settingsDwords.size(), 1u);

    HKEY key = 0;
    platform->settingsAvailable = false;
    EXPECT_EQ(RegOpenSettings(kSettingsKeyName, &key), E_FAIL);
    EXPECT_EQ(RegWriteDword(key, "shadow", 1), E_FAIL);
    EXPECT_EQ(RegWriteString(key, "bkcolour", "1"), E_FAIL);
}
