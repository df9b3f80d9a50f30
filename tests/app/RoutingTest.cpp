#include "support/GameFixture.h"
#include "app/Commands.h"
#include "clock/CGameClock.h"
#include "pack/CProOptions.h"
#include "play/CPuzzle.h"

class RoutingTest : public GameFixture {
  protected:
    void SetUp() override {
        GameFixture::SetUp();
        ASSERT_TRUE(Start());
        platform->messageBoxes.clear();
    }
    // Pretends a load is running; board input and most commands then wait.
    void SetLoading(bool loading) { g_puzzle->loaderBusy = loading; }
    std::vector<std::string> Boxes() const {
        std::vector<std::string> boxes;
        for (const RecordedMessageBox& box : platform->messageBoxes)
            boxes.push_back(box.text + "|" + box.caption);
        return boxes;
    }
};

TEST_F(RoutingTest, ClockCommandsResetAndPauseButWaitForALoad) {
    g_clock->seconds = 100;
    Command(ID_CLOCK_PAUSE);
    EXPECT_EQ(platform->menuTexts[ID_CLOCK_PAUSE], "Unpause clock");
    Command(ID_CLOCK_RESET);
    platform->FireTimer(1);
    EXPECT_EQ(g_clock->seconds, 0u) << "a reset leaves a paused clock paused";
    Command(ID_CLOCK_PAUSE);
    EXPECT_EQ(platform->menuTexts[ID_CLOCK_PAUSE], "Pause clock");
    platform->FireTimer(1);
    platform->FireTimer(1);
    EXPECT_EQ(platform->statusTexts[1], " 00:00:01  ");

    SetLoading(true);
    Command(ID_CLOCK_RESET);
    Command(ID_CLOCK_PAUSE);
    SetLoading(false);
    EXPECT_EQ(g_clock->seconds, 2u);
    EXPECT_FALSE(g_clock->stopped);
}

TEST_F(RoutingTest, BackgroundColourChooserStartsFromTheCurrentColour) {
    // During a load: no chooser at all.
    platform->colourAnswers.push_back(RGB(255, 0, 0));
    SetLoading(true);
    Command(ID_OPTIONS_BACKGROUND);
    SetLoading(false);
    EXPECT_TRUE(platform->colourInitials.empty());

    // Confirmed: converted for the display and drawn at once; cancelled: nothing changes and
    // nothing is drawn.
    const int before = platform->presentCount;
    Command(ID_OPTIONS_BACKGROUND);
    ASSERT_FALSE(platform->lastFrame.empty());
    const std::uint8_t* pixel = platform->lastFrame.data();
    EXPECT_EQ((std::vector<int>{pixel[0], pixel[1], pixel[2]}), (std::vector<int>{0, 0, 255})); // B, G, R
    Command(ID_OPTIONS_BACKGROUND);
    EXPECT_EQ(platform->colourInitials, (std::vector<COLORREF>{0x808080u, RGB(255, 0, 0)}));
    EXPECT_EQ(g_mainApp->backgroundColour, RGB(255, 0, 0));
    EXPECT_EQ(platform->presentCount, before + 1);

    // Written only when the game ends.
    EXPECT_TRUE(platform->settingsStrings.empty());
    Send(WM_CLOSE);
    EXPECT_EQ(platform->settingsStrings.at("bkcolour"), "255");
}

TEST_F(RoutingTest, PreviewRefusalsNameWhoForbadeIt) {
    g_puzzle->options.previewPermission = 0;
    Command(ID_OPTIONS_PREVIEW);
    g_proOptions->previewForbidden = 1;
    Command(ID_OPTIONS_PREVIEW);
    g_proOptions->previewForbidden = 0;
    g_puzzle->options.previewPermission = 1;
    Command(ID_OPTIONS_PREVIEW);
    EXPECT_EQ(Boxes(),
              (std::vector<std::string>{"The puzzle author has disabled this option|Sorry",
                                        "The puzzle author has disabled this option.|Option disabled"}));
}

TEST_F(RoutingTest, LeavingAsksOnlyAboutAChangedPositionAndCancelKeepsTheGameRunning) {
    g_puzzle->positionChanged = 1;
    platform->messageBoxAnswers = {IDCANCEL, IDCANCEL, IDNO};
    Command(ID_FILE_EXIT);
    EXPECT_EQ(Boxes(),
              std::vector<std::string>{"Would you like to save your current position first?|Save position?"});
    EXPECT_EQ(platform->messageBoxes[0].style, 0x33u);
    EXPECT_TRUE(Running());
    EXPECT_TRUE(platform->settingsDwords.empty());
    Send(WM_CLOSE);
    EXPECT_TRUE(Running());

    // No: leaves without the position but with the preferences.
    Send(WM_CLOSE);
    EXPECT_FALSE(Running());
    EXPECT_EQ(platform->settingsDwords.at("FirstTimeRun"), 0u);
    EXPECT_EQ(platform->messageBoxes.size(), 3u);
}

TEST_F(RoutingTest, AnUnchangedPositionLeavesWithoutAsking) {
    Command(ID_FILE_EXIT);
    EXPECT_TRUE(platform->messageBoxes.empty());
    EXPECT_FALSE(Running());
}

TEST_F(RoutingTest, ResetNeedsAPictureAndSurvivesOneThatCannotBeLoaded) {
    g_clock->seconds = 50;
    g_puzzle->positionChanged = 1;
    Command(ID_FILE_RESETJIGSAW);
    EXPECT_TRUE(platform->messageBoxes.empty()) << "no picture yet";
    EXPECT_EQ(g_clock->seconds, 50u);

    // Logged, nothing cut, the clock still restarts and drawing goes on.
    g_puzzle->currentPicturePath = temp.File("missing.bmp");
    platform->messageBoxAnswers.push_back(IDNO);
    Command(ID_FILE_RESETJIGSAW);
    EXPECT_EQ(g_clock->seconds, 0u);
    EXPECT_FALSE(g_puzzle->loaderBusy);
    EXPECT_NE(Log().find("Failed to load picture: " + temp.File("missing.bmp")), std::string::npos);
    EXPECT_EQ(g_renderEnabled.load(), 1);

    // A stray end of a load that never started is ignored.
    const std::size_t titles = platform->titles.size();
    for (WPARAM w : {0, 1, 7})
        Send(WM_LOADERDONE, w);
    EXPECT_EQ(platform->titles.size(), titles);
    EXPECT_TRUE(g_puzzle->groups.Empty());
}
