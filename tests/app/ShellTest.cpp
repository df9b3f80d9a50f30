#include "AppFixture.h"
#include "app/Log.h"
#include "app/Settings.h"
#include "app/StatusBarText.h"
#include "support/PictureFiles.h"

using ShellTest = AppFixture;
using Bars = std::pair<int, int>;

TEST_F(ShellTest, ScatterAreaViewScrollingClockTitlesAndSettings) {
    g_puzzle->InitBoardView();
    // 1280 x 1000 usable screen: 1024 x 768 around the board's centre; the view's middle (client
    // 800 x 560) is the board's centre too.
    EXPECT_EQ(std::tuple(g_puzzle->boardRect, platform->scrollRanges[SB_HORZ],
                         platform->scrollRanges[SB_VERT], g_puzzle->scatterArea),
              std::tuple(RECT{0, 0, 5000, 5000}, Bars(0, 5000), Bars(0, 5000), RECT{1988, 2116, 3012, 2884}));
    EXPECT_EQ(std::tuple(g_mainApp->scrollX, g_mainApp->scrollY, platform->scrollPositions[SB_HORZ],
                         platform->scrollPositions[SB_VERT]),
              std::tuple(2100, 2220, 2100, 2220));

    platform->screen.usableWidth = 800;
    platform->screen.usableHeight = 575;
    g_puzzle->InitBoardView();
    EXPECT_EQ(g_puzzle->scatterArea, (RECT{2100, 2213, 2900, 2787}));
    g_puzzle->SetScatterArea(static_cast<int>(401 * 1.7), static_cast<int>(301 * 1.7), true);
    EXPECT_EQ(g_puzzle->scatterArea, (RECT{2160, 2245, 2840, 2755}));
    // Scroll requests step the view and its bar within the board.
    g_puzzle->InitBoardView();
    const struct {
        bool vertical;
        int request, pos, from, to;
    } steps[] = {
        {false, SB_LINEUP, 0, 3, 0},           {false, SB_LINEDOWN, 0, 0, 5},
        {false, SB_PAGEDOWN, 0, 5, 55},        {true, SB_PAGEDOWN, 0, 4990, 5000},
        {true, SB_PAGEUP, 0, 5000, 4950},      {true, SB_LINEUP, 0, 4950, 4945},
        {false, SB_THUMBTRACK, 4321, 0, 4321}, {true, SB_THUMBPOSITION, 17, 0, 17},
        {true, SB_ENDSCROLL, 900, 17, 17},     {false, SB_TOP, 900, 17, 17},
    };
    for (const auto& s : steps) {
        const int bar = s.vertical ? SB_VERT : SB_HORZ;
        s.vertical ? g_mainApp->SetScrollY(s.from, true, true) : g_mainApp->SetScrollX(s.from, true, true);
        s.vertical ? g_mainApp->OnVScroll(s.request, s.pos) : g_mainApp->OnHScroll(s.request, s.pos);
        EXPECT_EQ(Bars(s.vertical ? g_mainApp->scrollY : g_mainApp->scrollX, platform->scrollPositions[bar]),
                  Bars(s.to, s.to))
            << s.vertical << " " << s.request << " from " << s.from;
    }
    // Nothing moves while a puzzle loads; without the bar flag the bars stay where they were.
    g_puzzle->loaderBusy = true;
    g_mainApp->OnHScroll(SB_PAGEDOWN, 0);
    g_mainApp->OnVScroll(SB_THUMBTRACK, 5);
    g_puzzle->loaderBusy = false;
    g_mainApp->SetScrollY(1234, false, false);
    EXPECT_EQ(std::tuple(g_mainApp->scrollX, g_mainApp->scrollY, platform->scrollPositions[SB_VERT]),
              std::tuple(17, 1234, 17));

    // The clock shows its count before it advances, and a stopped one stays.
    g_clock->seconds = 3725;
    UpdateClock();
    EXPECT_EQ(std::tuple(platform->statusTexts[1], g_clock->seconds, platform->statusTexts[5]),
              std::tuple(" 01:02:05  ", 3726u, " Piece rotation: disabled"));
    g_puzzle->userotation = 1;
    g_clock->stopped = true;
    UpdateClock();
    UpdateClock();
    EXPECT_EQ(std::tuple(platform->statusTexts[1], g_clock->seconds, platform->statusTexts[5],
                         FormatClockText(0xFFFFFFFFu)),
              std::tuple(" 01:02:06  ", 3726u, " Piece rotation: enabled", " 1193046:28:15  "));

    // Titles are cut to their buffers.
    const std::string title(2000, 'x');
    EXPECT_EQ(
        std::pair(FormatPuzzleTitle("", false, title).size(), FormatLoadProgressTitle(title, 42).size()),
        std::pair(std::size_t{1023}, std::size_t{255}));
    // A cut never leaves half of a multi-byte character behind.
    std::string accented;
    while (accented.size() < 300)
        accented += "\xC3\xA9"; // é
    const std::string cut = FormatLoadProgressTitle(accented, 1);
    EXPECT_TRUE(cut.size() % 2 == 0 && cut.back() == '\xA9');

    // A first run takes the defaults and leaves every value behind.
    CPuzzle puzzle;
    LoadSettings(puzzle);
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

    // The background colour is stored as a signed decimal number.
    const std::pair<std::string, COLORREF> stored[] = {
        {"255", RGB(255, 0, 0)},
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

TEST(Log, EachRunStartsAFreshFileLinesEndWithALineFeedAndAreCut) {
    TempDir dir;
    const std::string path = dir.File("DUVereLog.txt");
    ASSERT_TRUE(LogInit(path));
    LogWrite(0, "first run %d", 1);
    ASSERT_TRUE(LogInit(path));
    LogWrite(0, "CMainApp::UnPackEXE()");
    // A message ending in "\n" still gets its own line feed: an empty line follows.
    LogWrite(0, "Passed\n");
    LogWrite(2, "level %s", "two");
    LogWrite(3, "never written");
    LogWrite(0, "%s", std::string(5000, 'x').c_str());
    const Bytes text = ReadBytes(path);
    EXPECT_EQ(
        std::string(text.begin(), text.end()),
        "Log File Initialised\n**************************\n\nCMainApp::UnPackEXE()\nPassed\n\nlevel two\n" +
            std::string(2047, 'x') + "\n");

    // A log that cannot be created leaves later writes harmless.
    EXPECT_FALSE(LogInit(dir.File("no/such/folder/log.txt")));
    LogWrite(0, "goes nowhere");
    EXPECT_TRUE(FileExists(path));
}
