#include "PlayFixture.h"

class Join : public PlayFixture {};

TEST_F(Join, ThreePixelsOffJoinsAt32TwoAt16ADropReportsTheJoinTheLastOneAndTheTime) {
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
        EXPECT_EQ(std::tuple(P(1, 0)->group, Pos(P(1, 0)), Pos(left), right->pieces.Empty()),
                  std::tuple(left, POINT{1000 + c.s, 1000}, POINT{1000, 1000}, true));
    }
    // Different rotations never join, even where alike ones would (below the first at rotation 1).
    cellSize = 32;
    puzzle->ClearGroups();
    P(0, 0)->SetRotation(1);
    P(1, 0)->SetRotation(2);
    CPieceGroup* a = Group({{0, 0}}, 1000, 1000);
    EXPECT_FALSE(Group({{1, 0}}, 1000, 1032)->TryJoin() || a->TryJoin());
    P(1, 0)->SetRotation(1);
    EXPECT_TRUE(a->TryJoin());
    MakeGrid(3, 3);
    // Eight pieces form a big group with a gap at (2, 2); the single piece (2, 2) lies apart.
    CPieceGroup* big = Group({{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}}, 500, 500);
    CPieceGroup* single = Group({{2, 2}}, 2000, 2000);
    puzzle->AddToSelection(big);
    EXPECT_EQ(puzzle->DropSelection(), DropResult::Nothing);
    big->PlaceAt(2000 - 64 + 2, 2000 - 64 - 2);
    EXPECT_EQ(puzzle->DropSelection(), DropResult::Completed);
    // The dropped group moves to the one it joins, which keeps its place and reference piece;
    // the empty group stays listed and selected.
    EXPECT_EQ(std::tuple(Pos(single), Pos(P(0, 0)), Pos(P(2, 1)), single->reference),
              std::tuple(POINT{2000, 2000}, POINT{2000 - 64, 2000 - 64}, POINT{2000, 2000 - 32}, P(2, 2)));
    EXPECT_TRUE(big->pieces.Empty() && puzzle->groups.Contains(big) && puzzle->selection.Contains(big));
    EXPECT_TRUE(platform.soundsPlayed.empty()) << "the model makes no sound";
    MakeGrid(3, 1);
    Group({{0, 0}}, 1000, 1000);
    CPieceGroup* third = Group({{2, 0}}, 3000, 3000);
    puzzle->AddToSelection(Group({{1, 0}}, 1033, 1001));
    EXPECT_EQ(puzzle->DropSelection(), DropResult::Joined);
    EXPECT_EQ(std::pair(puzzle->loosePieces, third->pieces.Size()), std::pair(1, std::size_t{1}));
    // Texts are assigned from strings, never from literals: GCC 12 at -O3 takes assigning a
    // literal to the puzzle's text for an overlapping copy (-Wrestrict).
    const struct {
        std::string custom, authors;
        int targetMinutes;
        std::uint32_t seconds;
        std::string message;
    } messages[] = {
        {" ", "", 30, 3600 + 5 * 60 + 30,
         "You completed this puzzle in 1 hours and 5 minutes.\n"
         "The target time for this puzzle is 0 hours and 30 minutes."},
        {"ab", "", 30, 0, "ab"},
        {"x", "", 0, 59, "You completed this puzzle in 0 hours and 0 minutes."},
        {"", "From the author", 0, 0, "From the author"},
        {"", "y", 0, 120, "You completed this puzzle in 0 hours and 2 minutes."},
    };
    for (const auto& c : messages) {
        puzzle->completionText = c.custom;
        puzzle->options.completionText = c.authors;
        puzzle->targetMinutes = c.targetMinutes;
        EXPECT_EQ(puzzle->CompletionMessage(c.seconds), c.message);
    }
}
