#include "PlayFixture.h"

namespace {

class Join : public PlayFixture {};

TEST_F(Join, ThreePixelsOffJoinsAndFourDoesNotAtCellSize32AndTwoAndThreeAt16) {
    MakeGrid(2, 1);
    const struct {
        int s;
        POINT off;
        bool joins;
    } cases[] = {{32, {4, 0}, false},  {32, {-4, 0}, false}, {32, {0, 4}, false},  {32, {0, -4}, false},
                 {32, {4, -4}, false}, {32, {3, -3}, true},  {32, {-3, 3}, true},  {32, {3, 0}, true},
                 {32, {0, -3}, true},  {16, {3, 0}, false},  {16, {0, -3}, false}, {16, {2, -2}, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.s << ": " << c.off.x << "," << c.off.y);
        cellSize = c.s;
        puzzle->ClearGroups();
        CPieceGroup* left = Group({{0, 0}}, 1000, 1000);
        CPieceGroup* right = Group({{1, 0}}, 1000 + c.s + c.off.x, 1000 + c.off.y);
        EXPECT_EQ(right->TryJoin(), c.joins);
        if (!c.joins) {
            EXPECT_FALSE(left->TryJoin());
            continue;
        }
        // The dropped piece snaps beside the group it joined, which stays put.
        EXPECT_EQ(P(1, 0)->group, left);
        EXPECT_EQ(Pos(P(1, 0)), (POINT{1000 + c.s, 1000}));
        EXPECT_EQ(Pos(left), (POINT{1000, 1000}));
        EXPECT_TRUE(right->pieces.Empty());
    }
}

TEST_F(Join, DifferentRotationsNeverJoin) {
    MakeGrid(2, 1);
    P(0, 0)->SetRotation(1);
    P(1, 0)->SetRotation(2);
    CPieceGroup* a = Group({{0, 0}}, 1000, 1000);
    for (int dx = -40; dx <= 40; dx += 8) {
        for (int dy = -40; dy <= 40; dy += 8) {
            CPieceGroup* b = Group({{1, 0}}, 1000 + dx, 1000 + dy);
            ASSERT_FALSE(b->TryJoin());
            ASSERT_FALSE(a->TryJoin());
            puzzle->groups.Remove(b);
        }
    }
    // Turned alike, the place swept above (below the first piece at rotation 1) joins.
    P(1, 0)->SetRotation(1);
    EXPECT_TRUE(Group({{1, 0}}, 1000, 1032)->TryJoin());
}

TEST_F(Join, ADropReportsTheJoinAndTheLastOne) {
    MakeGrid(3, 3);
    // Eight pieces form a big group with a gap at (2, 2); the single piece (2, 2) lies apart.
    CPieceGroup* big = Group({{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}}, 500, 500);
    CPieceGroup* single = Group({{2, 2}}, 2000, 2000);
    puzzle->AddToSelection(big);
    EXPECT_EQ(puzzle->DropSelection(), DropResult::Nothing);
    big->PlaceAt(2000 - 64 + 2, 2000 - 64 - 2);
    EXPECT_EQ(puzzle->DropSelection(), DropResult::Completed);
    // The dropped group moves to the one it joins, which keeps its place and reference piece.
    EXPECT_TRUE(big->pieces.Empty());
    EXPECT_EQ(Pos(single), (POINT{2000, 2000}));
    EXPECT_EQ(Pos(P(0, 0)), (POINT{2000 - 64, 2000 - 64}));
    EXPECT_EQ(Pos(P(2, 1)), (POINT{2000, 2000 - 32}));
    EXPECT_EQ(single->reference, P(2, 2));
    // The empty group stays listed and selected.
    EXPECT_TRUE(puzzle->groups.Contains(big));
    EXPECT_TRUE(puzzle->selection.Contains(big));
    EXPECT_TRUE(platform.soundsPlayed.empty()) << "the model makes no sound";

    MakeGrid(3, 1);
    Group({{0, 0}}, 1000, 1000);
    CPieceGroup* third = Group({{2, 0}}, 3000, 3000);
    puzzle->AddToSelection(Group({{1, 0}}, 1033, 1001));
    EXPECT_EQ(puzzle->DropSelection(), DropResult::Joined);
    EXPECT_EQ(puzzle->loosePieces, 1) << "the counts follow the join";
    EXPECT_EQ(third->pieces.Size(), 1u);
}

TEST_F(Join, TheMessageNamesTheTimeTakenAndTheTargetUnlessTheAuthorWroteOne) {
    const struct {
        std::string custom, authors;
        int targetMinutes;
        std::uint32_t seconds;
        std::string message;
    } cases[] = {
        {" ", "", 30, 3600 + 5 * 60 + 30,
         "You completed this puzzle in 1 hours and 5 minutes.\n"
         "The target time for this puzzle is 0 hours and 30 minutes."},
        {"ab", "", 30, 0, "ab"},
        {"x", "", 0, 59, "You completed this puzzle in 0 hours and 0 minutes."},
        {"", "From the author", 0, 0, "From the author"},
        {"", "y", 0, 120, "You completed this puzzle in 0 hours and 2 minutes."},
    };
    for (const auto& c : cases) {
        puzzle->completionText = c.custom;
        puzzle->options.completionText = c.authors;
        puzzle->targetMinutes = c.targetMinutes;
        EXPECT_EQ(puzzle->CompletionMessage(c.seconds), c.message);
    }
}

} // namespace
