#include "GameFixture.h"
#include "app/Commands.h"
#include "clock/CGameClock.h"
#include "display/CDisplay.h"
#include "display/CSurface.h"
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
};

TEST_F(RoutingTest, LosingTheFocusForgetsHeldKeys) {
    Send(WM_KEYDOWN, VK_CONTROL);
    Send(WM_KEYDOWN, VK_SHIFT);
    EXPECT_EQ(g_mainApp->ctrlDown, 1);
    EXPECT_EQ(g_mainApp->shiftDown, 1);
    Send(WM_KEYUP, VK_SHIFT);
    EXPECT_EQ(g_mainApp->shiftDown, 0);
    Send(WM_KILLFOCUS);
    EXPECT_EQ(g_mainApp->ctrlDown, 0);

    SetLoading(true);
    Send(WM_KEYDOWN, VK_CONTROL);
    EXPECT_EQ(g_mainApp->ctrlDown, 0) << "keys wait while a puzzle loads";
    SetLoading(false);
}

TEST_F(RoutingTest, SpaceRedrawsAndEraseIsLeftToTheFrame) {
    const int before = platform->presentCount;
    Send(WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(platform->presentCount, before + 1);
    SetLoading(true);
    Send(WM_KEYDOWN, VK_SPACE);
    SetLoading(false);
    EXPECT_EQ(platform->presentCount, before + 1);
    EXPECT_EQ(Send(WM_ERASEBKGND), 1);
}

TEST_F(RoutingTest, ClockCommandsResetAndPause) {
    g_clock->seconds = 100;
    Command(ID_CLOCK_PAUSE);
    EXPECT_TRUE(g_clock->stopped);
    EXPECT_EQ(platform->menuTexts[ID_CLOCK_PAUSE], "Unpause clock");
    Command(ID_CLOCK_RESET);
    EXPECT_EQ(g_clock->seconds, 0u);
    EXPECT_TRUE(g_clock->stopped) << "a reset leaves a paused clock paused";
    platform->FireTimer(1);
    platform->FireTimer(1);
    EXPECT_EQ(platform->statusTexts[1], " 00:00:00  ");
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
    // Cancelled: nothing changes and nothing is drawn.
    const int before = platform->presentCount;
    Command(ID_OPTIONS_BACKGROUND);
    ASSERT_EQ(platform->colourInitials.size(), 1u);
    EXPECT_EQ(platform->colourInitials[0], 0x808080u);
    EXPECT_EQ(g_mainApp->backgroundColour, 0x808080u);
    EXPECT_EQ(platform->presentCount, before);

    // Confirmed: converted for the display and drawn at once.
    platform->colourAnswers.push_back(RGB(255, 0, 0));
    Command(ID_OPTIONS_BACKGROUND);
    EXPECT_EQ(g_mainApp->backgroundColour, RGB(255, 0, 0));
    EXPECT_EQ(platform->presentCount, before + 1);
    ASSERT_FALSE(platform->lastFrame.empty());
    const std::uint8_t* pixel = platform->lastFrame.data();
    EXPECT_EQ(pixel[0], 0);   // blue
    EXPECT_EQ(pixel[1], 0);   // green
    EXPECT_EQ(pixel[2], 255); // red

    platform->colourAnswers.push_back(RGB(0, 0, 255));
    Command(ID_OPTIONS_BACKGROUND);
    EXPECT_EQ(platform->colourInitials.back(), RGB(255, 0, 0));

    // Written only when the game ends.
    EXPECT_TRUE(platform->settingsStrings.empty());
    Send(WM_CLOSE);
    EXPECT_EQ(platform->settingsStrings.at("bkcolour"), "16711680");
}

TEST_F(RoutingTest, BackgroundColourWaitsForALoad) {
    platform->colourAnswers.push_back(RGB(1, 2, 3));
    SetLoading(true);
    Command(ID_OPTIONS_BACKGROUND);
    SetLoading(false);
    EXPECT_TRUE(platform->colourInitials.empty());
}

TEST_F(RoutingTest, ProductPageOpensOurJigsawAddress) {
    Command(ID_PRODUCT_PAGE);
    ASSERT_EQ(platform->urlsOpened.size(), 1u);
    const std::string& url = platform->urlsOpened[0];
    EXPECT_EQ(url.substr(url.size() - 8), "/jigsaw/");
}

TEST_F(RoutingTest, PreviewRefusalsNameWhoForbadeIt) {
    g_puzzle->options.previewPermission = 0;
    Command(ID_OPTIONS_PREVIEW);
    ASSERT_EQ(platform->messageBoxes.size(), 1u);
    EXPECT_EQ(platform->messageBoxes[0].text, "The puzzle author has disabled this option");
    EXPECT_EQ(platform->messageBoxes[0].caption, "Sorry");

    g_proOptions->previewForbidden = 1;
    Command(ID_OPTIONS_PREVIEW);
    ASSERT_EQ(platform->messageBoxes.size(), 2u);
    EXPECT_EQ(platform->messageBoxes[1].text, "The puzzle author has disabled this option.");
    EXPECT_EQ(platform->messageBoxes[1].caption, "Option disabled");

    g_proOptions->previewForbidden = 0;
    g_puzzle->options.previewPermission = 1;
    Command(ID_OPTIONS_PREVIEW);
    EXPECT_EQ(platform->messageBoxes.size(), 2u);
}

TEST_F(RoutingTest, CancelOnTheSaveQuestionKeepsTheGameRunning) {
    g_puzzle->positionChanged = 1;
    platform->messageBoxAnswers.push_back(IDCANCEL);
    Command(ID_FILE_EXIT);
    ASSERT_EQ(platform->messageBoxes.size(), 1u);
    EXPECT_EQ(platform->messageBoxes[0].text, "Would you like to save your current position first?");
    EXPECT_EQ(platform->messageBoxes[0].caption, "Save position?");
    EXPECT_EQ(platform->messageBoxes[0].style, 0x33u);
    EXPECT_TRUE(Running());
    EXPECT_TRUE(platform->settingsDwords.empty());

    platform->messageBoxAnswers.push_back(IDCANCEL);
    Send(WM_CLOSE);
    EXPECT_TRUE(Running());

    // No: leaves without the position but with the preferences.
    platform->messageBoxAnswers.push_back(IDNO);
    Send(WM_CLOSE);
    EXPECT_FALSE(Running());
    EXPECT_EQ(platform->settingsDwords.at("FirstTimeRun"), 0u);
}

TEST_F(RoutingTest, AnUnchangedPositionLeavesWithoutAsking) {
    Command(ID_FILE_EXIT);
    EXPECT_TRUE(platform->messageBoxes.empty());
    EXPECT_FALSE(Running());
}

TEST_F(RoutingTest, LeavingIsRefusedDuringALoad) {
    g_puzzle->positionChanged = 1;
    SetLoading(true);
    Send(WM_CLOSE);
    Command(ID_FILE_EXIT);
    SetLoading(false);
    EXPECT_TRUE(platform->messageBoxes.empty());
    EXPECT_TRUE(Running());
}

TEST_F(RoutingTest, ResetNeedsAPictureAndAnIdlePuzzle) {
    g_clock->seconds = 50;
    g_puzzle->positionChanged = 1;
    Command(ID_FILE_RESETJIGSAW);
    EXPECT_TRUE(platform->messageBoxes.empty()) << "no picture yet";
    EXPECT_EQ(g_clock->seconds, 50u);

    g_puzzle->currentPicturePath = temp.File("missing.bmp");
    SetLoading(true);
    Command(ID_FILE_RESETJIGSAW);
    SetLoading(false);
    EXPECT_TRUE(platform->messageBoxes.empty());

    platform->messageBoxAnswers.push_back(IDCANCEL);
    Command(ID_FILE_RESETJIGSAW);
    EXPECT_EQ(platform->messageBoxes.size(), 1u);
    EXPECT_EQ(g_clock->seconds, 50u) << "Cancel ends the reset";

    // A picture that cannot be loaded: logged, nothing cut, the clock still restarts.
    platform->messageBoxAnswers.push_back(IDNO);
    Command(ID_FILE_RESETJIGSAW);
    EXPECT_EQ(g_clock->seconds, 0u);
    EXPECT_FALSE(g_puzzle->loaderBusy);
    EXPECT_NE(Log().find("Failed to load picture: " + temp.File("missing.bmp")), std::string::npos);
    EXPECT_EQ(g_renderEnabled.load(), 1);
}

TEST_F(RoutingTest, AStrayEndOfLoadIsIgnored) {
    const std::size_t titles = platform->titles.size();
    Send(WM_LOADERDONE, 0);
    Send(WM_LOADERDONE, 1);
    Send(WM_LOADERDONE, 7);
    EXPECT_EQ(platform->titles.size(), titles);
    EXPECT_TRUE(g_puzzle->groups.Empty());
}

TEST_F(RoutingTest, ProgressMessagesSetTheTitle) {
    g_puzzle->options.title = "Autumn";
    Send(WM_LOADPROGRESS, 42);
    EXPECT_EQ(platform->WindowText(), "Autumn - 42 % Loaded - Please wait...");
}

TEST_F(RoutingTest, RenderingWaitsWhileDisabledAndSurvivesALostSurface) {
    int before = platform->presentCount;
    g_renderEnabled = 0;
    Send(WM_PAINT);
    g_renderEnabled = 1;
    EXPECT_EQ(platform->presentCount, before);

    // A lost surface with no picture yet: the display is made again and the next frame shows.
    platform->loseNextPresent = true;
    Send(WM_PAINT);
    EXPECT_EQ(platform->presentCount, before + 1);
    EXPECT_NE(g_mainApp->probeSurface, nullptr);
    Send(WM_PAINT);
    EXPECT_EQ(platform->presentCount, before + 2);
    EXPECT_FALSE(platform->lastFrame.empty());
}
