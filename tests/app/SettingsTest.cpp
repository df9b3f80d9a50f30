#include "app/Settings.h"
#include "AppFixture.h"
#include "preview/CPreviewWnd.h"

using SettingsTest = AppFixture;

TEST_F(SettingsTest, AFirstRunTakesTheDefaultsAndLeavesEveryValueBehind) {
    CPuzzle puzzle;
    LoadSettings(puzzle);
    EXPECT_EQ((std::vector<int>{puzzle.soundeffects, puzzle.shadow, puzzle.ghostaplha, puzzle.beveling,
                                puzzle.bevellevel, puzzle.userotation, puzzle.useMusic}),
              (std::vector<int>{1, 1, 30, 1, 1, 0, 1}));
    CMainApp app;
    app.backgroundColour = 0x123456;
    LoadSettings(app);
    CPreviewWnd preview(*platform, 0, 0);
    LoadSettings(preview);
    EXPECT_EQ(std::tuple(app.backgroundColour, app.ghosted, app.firstTimeRun, preview.showMode),
              std::tuple(0x808080u, 0, 1, 1));

    SaveSettings(puzzle);
    SaveSettings(app);
    SaveSettings(preview);
    EXPECT_EQ(platform->settingsStrings, (std::map<std::string, std::string>{{"bkcolour", "8421504"}}));
    const std::map<std::string, std::uint32_t> saved = {
        {"soundeffects", 1}, {"shadow", 1},   {"ghostaplha", 30}, {"beveling", 1},     {"bevellevel", 1},
        {"userotation", 0},  {"useMusic", 1}, {"ghosted", 0},     {"FirstTimeRun", 0}, {"show_mode", 1}};
    EXPECT_EQ(platform->settingsDwords, saved);
    EXPECT_FALSE(platform->settingsOpenNow) << "every batch closes the store";

    // Stored values are used as they are.
    platform->settingsDwords = {
        {"bevellevel", 7}, {"userotation", 1}, {"ghosted", 1}, {"FirstTimeRun", 5}, {"show_mode", 0}};
    LoadSettings(puzzle);
    LoadSettings(app);
    LoadSettings(preview);
    EXPECT_EQ(
        std::tuple(puzzle.bevellevel, puzzle.userotation, app.ghosted, app.firstTimeRun, preview.showMode),
        std::tuple(7, 1, 1, 5, 0));
    SaveSettings(app); // a run that ends is no longer the first
    EXPECT_EQ(platform->settingsDwords.at("FirstTimeRun"), 0u);
}

TEST_F(SettingsTest, TheBackgroundColourIsStoredAsASignedDecimalNumberAndAClosedStoreKeepsNothing) {
    CMainApp app;
    const std::pair<std::string, COLORREF> stored[] = {
        {"255", RGB(255, 0, 0)},
        {"abc", 0u},
        {"12abc", 12u},
        {"99999999999999999999999", 0xFFFFFFFFu},
        {std::string(255, '0'), 0u},
        {std::string(256, '7'), 0x808080u}}; // too long for the field
    for (const auto& [text, colour] : stored) {
        platform->settingsStrings["bkcolour"] = text;
        LoadSettings(app);
        EXPECT_EQ(app.backgroundColour, colour) << text;
    }
    // A colour with its top bit set is written negative and reads back unchanged.
    app.backgroundColour = 0xFFFFFFFFu;
    SaveSettings(app);
    EXPECT_EQ(platform->settingsStrings.at("bkcolour"), "-1");
    LoadSettings(app);
    EXPECT_EQ(app.backgroundColour, 0xFFFFFFFFu);

    // A store that cannot be opened gives defaults and keeps nothing.
    platform->settingsDwords = {{"shadow", 0}};
    platform->settingsAvailable = false;
    CPuzzle puzzle;
    LoadSettings(puzzle);
    const int loaded = puzzle.shadow;
    puzzle.shadow = 2;
    app.backgroundColour = 5;
    SaveSettings(puzzle);
    SaveSettings(app);
    EXPECT_EQ(std::tuple(loaded, platform->settingsDwords.at("shadow"), platform->settingsDwords.size(),
                         platform->settingsStrings.at("bkcolour")),
              std::tuple(1, 0u, std::size_t{1}, std::string("-1")));
}
