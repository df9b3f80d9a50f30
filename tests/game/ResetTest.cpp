#include "PublishedGame.h"
#include "app/Commands.h"
#include "display/CDisplay.h"

#include <set>

class ResetTest : public PublishedGame {
  protected:
    void SetUp() override {
        PublishedGame::SetUp();
        Publish(256, 192);
        ASSERT_TRUE(Start());
        ASSERT_TRUE(PumpUntilLoaded());
    }
};

TEST_F(ResetTest, ResetCutsAfreshAndRestartsTheClock) {
    g_clock->seconds = 500;
    CPiece* before = g_puzzle->pieces[0].get();
    Command(ID_FILE_RESETJIGSAW);
    EXPECT_TRUE(platform->messageBoxes.empty()) << "an unchanged position is not offered for saving";
    EXPECT_TRUE(Loading());
    EXPECT_EQ(g_clock->seconds, 0u);
    EXPECT_TRUE(g_puzzle->groups.Empty());
    Command(ID_FILE_RESETJIGSAW);
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(g_puzzle->groups.Size(), 48u);
    EXPECT_NE(g_puzzle->pieces[0].get(), before);
    EXPECT_EQ(platform->WindowText(), "Pictorra Vaze - Boats");
    EXPECT_FALSE(g_clock->stopped);
}

TEST_F(ResetTest, RebuildingImagesKeepsEveryPieceWhereItIs) {
    std::vector<std::pair<int, int>> where;
    for (const CPieceGroup* group : g_puzzle->groups)
        where.emplace_back(group->x, group->y);
    const int presents = platform->presentCount;
    g_puzzle->bevellevel = 2;
    g_puzzle->RebuildPieceImages();
    EXPECT_TRUE(Loading());
    // While the images are replaced the last frame stays on screen.
    Send(WM_PAINT);
    EXPECT_EQ(platform->presentCount, presents);
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_GT(platform->presentCount, presents);
    std::size_t i = 0;
    for (const CPieceGroup* group : g_puzzle->groups) {
        EXPECT_EQ(std::make_pair(group->x, group->y), where[i]);
        ++i;
    }
    for (const auto& piece : g_puzzle->pieces)
        EXPECT_NE(piece->images[0], nullptr);
}

TEST_F(ResetTest, ALostSurfaceRebuildsThePiecesAndDrawsAgain) {
    const int presents = platform->presentCount;
    platform->loseNextPresent = true;
    Send(WM_PAINT);
    EXPECT_EQ(platform->presentCount, presents + 2) << "the lost frame, then the restored one";
    EXPECT_FALSE(Loading());
    for (const auto& piece : g_puzzle->pieces)
        EXPECT_NE(piece->images[0], nullptr);
    EXPECT_NE(g_puzzle->pictureSurface, nullptr);
}
