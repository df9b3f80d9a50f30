#include "AppFixture.h"

using BoardViewTest = AppFixture;
using Bars = std::pair<int, int>;

TEST_F(BoardViewTest, StartUpCentresTheScatterAreaAndTheViewAndSmallScreensTruncateTheHalves) {
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
}

TEST_F(BoardViewTest, ScrollRequestsStepTheViewAndItsBarWithinTheBoard) {
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
}
