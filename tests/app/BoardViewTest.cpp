#include "AppFixture.h"

class BoardViewTest : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        g_puzzle->InitBoardView();
    }
    int HBar() { return platform->scrollPositions[SB_HORZ]; }
    int VBar() { return platform->scrollPositions[SB_VERT]; }
};

TEST_F(BoardViewTest, StartUpCentresTheScatterAreaAndTheView) {
    EXPECT_EQ(g_puzzle->boardRect, (RECT{0, 0, 5000, 5000}));
    EXPECT_EQ(platform->scrollRanges[SB_HORZ], std::make_pair(0, 5000));
    EXPECT_EQ(platform->scrollRanges[SB_VERT], std::make_pair(0, 5000));
    // 1280 x 1000 usable screen: 1024 x 768 around the board's centre.
    EXPECT_EQ(g_puzzle->scatterArea, (RECT{1988, 2116, 3012, 2884}));
    // The view's middle is the board's centre (client 800 x 560).
    EXPECT_EQ(g_mainApp->scrollX, 2500 - 400);
    EXPECT_EQ(g_mainApp->scrollY, 2500 - 280);
    EXPECT_EQ(HBar(), 2100);
    EXPECT_EQ(VBar(), 2220);
}

TEST_F(BoardViewTest, SmallScreensAndOddPictureSizesTruncateTheHalves) {
    platform->screen.usableWidth = 800;
    platform->screen.usableHeight = 575;
    g_puzzle->InitBoardView();
    EXPECT_EQ(g_puzzle->scatterArea, (RECT{2100, 2213, 2900, 2787}));
    g_puzzle->SetScatterArea(static_cast<int>(401 * 1.7), static_cast<int>(301 * 1.7), true);
    EXPECT_EQ(g_puzzle->scatterArea, (RECT{2160, 2245, 2840, 2755}));
}

TEST_F(BoardViewTest, OriginIsClampedToTheWholeBoard) {
    g_mainApp->SetScrollX(-30, true, true);
    EXPECT_EQ(g_mainApp->scrollX, 0);
    g_mainApp->SetScrollY(7000, true, true);
    EXPECT_EQ(g_mainApp->scrollY, 5000) << "the far end shows only background";
    EXPECT_EQ(HBar(), 0);
    EXPECT_EQ(VBar(), 5000);
    // Without the bar flag the bars stay where they were.
    g_mainApp->SetScrollX(1234, false, false);
    EXPECT_EQ(g_mainApp->scrollX, 1234);
    EXPECT_EQ(HBar(), 0);
}

TEST_F(BoardViewTest, ScrollRequestsStepTheViewAndItsBar) {
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
        SCOPED_TRACE(testing::Message() << s.vertical << " " << s.request << " from " << s.from);
        if (s.vertical) {
            g_mainApp->SetScrollY(s.from, true, true);
            g_mainApp->OnVScroll(s.request, s.pos);
            EXPECT_EQ(g_mainApp->scrollY, s.to);
            EXPECT_EQ(VBar(), s.to);
        } else {
            g_mainApp->SetScrollX(s.from, true, true);
            g_mainApp->OnHScroll(s.request, s.pos);
            EXPECT_EQ(g_mainApp->scrollX, s.to);
            EXPECT_EQ(HBar(), s.to);
        }
    }
    // Nothing moves while a puzzle loads.
    g_puzzle->loaderBusy = true;
    g_mainApp->OnHScroll(SB_PAGEDOWN, 0);
    g_mainApp->OnVScroll(SB_THUMBTRACK, 5);
    g_puzzle->loaderBusy = false;
    EXPECT_EQ(g_mainApp->scrollX, 17);
    EXPECT_EQ(g_mainApp->scrollY, 17);
}
