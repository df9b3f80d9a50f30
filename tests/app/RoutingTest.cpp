#include "app/Commands.h"
#include "clock/CGameClock.h"
#include "pack/CProOptions.h"
#include "play/CPuzzle.h"
#include "support/GameFixture.h"

using RoutingTest = GameFixture;

static std::vector<std::string> Boxes(const ScriptedPlatform& platform) {
    std::vector<std::string> boxes;
    for (const RecordedMessageBox& box : platform.messageBoxes)
        boxes.push_back(box.text + "|" + box.caption);
    return boxes;
}

TEST_F(RoutingTest, ClockPreviewResetBackgroundColourAndLeavingCommands) {
    ASSERT_TRUE(Start());
    platform->messageBoxes.clear();
    g_clock->seconds = 100;
    Command(ID_CLOCK_PAUSE);
    EXPECT_EQ(platform->menuTexts[ID_CLOCK_PAUSE], "Unpause clock");
    Command(ID_CLOCK_RESET);
    platform->FireTimer(1);
    EXPECT_EQ(g_clock->seconds, 0u) << "a reset leaves a paused clock paused";
    Command(ID_CLOCK_PAUSE);
    platform->FireTimer(1);
    platform->FireTimer(1);
    EXPECT_EQ(std::pair(platform->menuTexts[ID_CLOCK_PAUSE], platform->statusTexts[1]),
              std::pair(std::string("Pause clock"), std::string(" 00:00:01  ")));

    g_puzzle->loaderBusy = true;
    Command(ID_CLOCK_RESET);
    Command(ID_CLOCK_PAUSE);
    g_puzzle->loaderBusy = false;
    EXPECT_EQ(std::pair(g_clock->seconds, g_clock->stopped.load()), std::pair(2u, false));

    // Preview refusals name who forbade it.
    g_puzzle->options.previewPermission = 0;
    Command(ID_OPTIONS_PREVIEW);
    g_proOptions->extras.previewForbidden = 1;
    Command(ID_OPTIONS_PREVIEW);
    g_proOptions->extras.previewForbidden = 0;
    g_puzzle->options.previewPermission = 1;
    Command(ID_OPTIONS_PREVIEW);
    EXPECT_EQ(Boxes(*platform),
              (std::vector<std::string>{"The puzzle author has disabled this option|Sorry",
                                        "The puzzle author has disabled this option.|Option disabled"}));
    platform->messageBoxes.clear();
    // A reset needs a picture and survives one that cannot be loaded.
    g_clock->seconds = 50;
    g_puzzle->positionChanged = 1;
    Command(ID_FILE_RESETJIGSAW);
    EXPECT_EQ(std::pair(platform->messageBoxes.size(), g_clock->seconds), std::pair(std::size_t{0}, 50u))
        << "no picture yet";

    // Nothing cut, the clock still restarts and drawing goes on.
    g_puzzle->currentPicturePath = temp.File("missing.bmp");
    platform->messageBoxAnswers.push_back(IDNO);
    Command(ID_FILE_RESETJIGSAW);
    EXPECT_EQ(std::tuple(g_clock->seconds, g_puzzle->loaderBusy.load(), g_renderEnabled.load()),
              std::tuple(0u, false, 1));

    // A stray end of a load that never started is ignored.
    const std::size_t titles = platform->titles.size();
    for (WPARAM w : {0, 1, 7})
        Send(WM_LOADERDONE, w);
    EXPECT_TRUE(platform->titles.size() == titles && g_puzzle->groups.Empty());

    // The background colour: during a load, no chooser at all.
    platform->messageBoxes.clear();
    platform->colourAnswers.push_back(RGB(255, 0, 0));
    g_puzzle->loaderBusy = true;
    Command(ID_OPTIONS_BACKGROUND);
    g_puzzle->loaderBusy = false;
    EXPECT_TRUE(platform->colourInitials.empty());

    // Confirmed: converted for the display and drawn at once; cancelled: nothing changes and
    // nothing is drawn.
    const int before = platform->presentCount;
    Command(ID_OPTIONS_BACKGROUND);
    ASSERT_FALSE(platform->lastFrame.empty());
    EXPECT_EQ(std::vector(platform->lastFrame.begin(), platform->lastFrame.begin() + 3),
              (std::vector<std::uint8_t>{0, 0, 255})); // B, G, R
    Command(ID_OPTIONS_BACKGROUND);
    EXPECT_EQ(std::tuple(platform->colourInitials, g_mainApp->backgroundColour, platform->presentCount,
                         platform->settingsStrings.size()), // written only when the game ends
              std::tuple(std::vector<COLORREF>{0x808080u, RGB(255, 0, 0)}, RGB(255, 0, 0), before + 1,
                         std::size_t{0}));

    // Leaving asks only about a changed position, and cancelling keeps the game running.
    g_puzzle->positionChanged = 1;
    platform->messageBoxAnswers = {IDCANCEL, IDCANCEL, IDNO};
    Command(ID_FILE_EXIT);
    EXPECT_EQ(Boxes(*platform),
              std::vector<std::string>{"Would you like to save your current position first?|Save position?"});
    EXPECT_EQ(platform->messageBoxes[0].style, 0x33u);
    Send(WM_CLOSE);
    EXPECT_TRUE(Running() && platform->settingsDwords.empty());

    // No: leaves without the position but with the preferences.
    Send(WM_CLOSE);
    EXPECT_EQ(std::tuple(Running(), platform->settingsDwords.at("FirstTimeRun"),
                         platform->messageBoxes.size(), platform->settingsStrings.at("bkcolour")),
              std::tuple(false, 0u, std::size_t{3}, std::string("255")));
}
