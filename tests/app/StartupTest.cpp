#include "app/Commands.h"
#include "app/StatusBarText.h"
#include "clock/CGameClock.h"
#include "display/CDisplay.h"
#include "play/CPuzzle.h"
#include "support/GameFixture.h"

using StartupTest = GameFixture;

TEST_F(StartupTest, WithoutAPackTheGameRunsWithAnEmptyBoardAndLeavesWithoutAsking) {
    ASSERT_TRUE(Start());
    ASSERT_EQ(platform->messageBoxes.size(), 2u);
    EXPECT_EQ(std::tuple(platform->titles.front(), platform->messageBoxes[0].text,
                         platform->messageBoxes[0].caption, platform->messageBoxes[1].text,
                         platform->statusTexts[3], platform->statusTexts[4]),
              std::tuple(" ", "Failed to Unpack EXE", "Error", "Could not extract PUZ file",
                         " Loose Pieces: 0", " 0 percent Completed"));
    EXPECT_TRUE(Running() && platform->scrollBarsShown);
    EXPECT_EQ(platform->timers, (std::map<int, int>{{0, 50}, {1, 1000}}));
    // The back buffer is as large as the largest client area.
    EXPECT_EQ(std::pair(g_display->width, g_display->height), std::pair(1280, 1000));
    // A window on a larger second screen: the back buffer follows its client area.
    Send(WM_SIZE, 0, MakeMouseLParam(2560, 1400));
    EXPECT_EQ(std::pair(g_display->width, g_display->height), std::pair(2560, 1400));

    // Painting shows the grey board.
    Send(WM_PAINT);
    ASSERT_GT(platform->presentCount, 0);
    EXPECT_EQ(g_mainApp->backgroundPixel, g_mainApp->probeSurface->MatchColour(0x808080));

    // Leaving with an unchanged position saves the preferences and quits without asking.
    platform->messageBoxes.clear();
    Command(ID_FILE_EXIT);
    EXPECT_TRUE(platform->quitPosted && platform->messageBoxes.empty());
    EXPECT_EQ(std::tuple(g_mainApp, g_puzzle, g_display), std::tuple(nullptr, nullptr, nullptr));
    EXPECT_EQ(std::pair(platform->settingsDwords.size(), platform->settingsStrings.size()),
              std::pair(std::size_t{10}, std::size_t{1}));
    // Messages that still arrive after the objects are gone do no harm.
    Send(WM_PAINT);
    Send(WM_TIMER, 1);
    Send(WM_LOADERDONE, 0);
    Send(WM_COMMAND, ID_OPTIONS_AUTOARRANGE);
}

TEST_F(StartupTest, AnExecutableThatCannotBeNamedEndsAtOnce) {
    platform->executablePath.clear();
    EXPECT_EQ(GameMain(platform.get()), -1);
    EXPECT_TRUE(platform->titles.empty());
}

TEST_F(StartupTest, EightBitDisplayIsRefusedWithoutSavingAnything) {
    platform->screen.bitsPerPixel = 8;
    platform->settingsDwords["shadow"] = 0;
    ASSERT_TRUE(Start());
    ASSERT_EQ(platform->messageBoxes.size(), 2u) << "no puzzle extraction after the refusal";
    EXPECT_EQ(
        std::tuple(platform->messageBoxes[1].caption, platform->messageBoxes[1].style, platform->quitPosted),
        std::tuple("Color depth too low!", MB_ICONWARNING, true));
    GameEnd();
    EXPECT_EQ(platform->settingsDwords.size() + platform->settingsStrings.size(), 1u);
    // Tidying the objects away is the test's own business; it must not count as a save.
    platform->settingsAvailable = false;
}
