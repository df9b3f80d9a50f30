#include "PlayFixture.h"

namespace {

class Join : public PlayFixture {};

TEST_F(Join, ThreePixelsOffJoinsAndFourDoesNot) {
    MakeGrid(2, 1);
    const POINT misses[] = {{4, 0}, {-4, 0}, {0, 4}, {0, -4}, {4, -4}};
    for (POINT off : misses) {
        puzzle->ClearGroups();
        CPieceGroup* left = Group({{0, 0}}, 1000, 1000);
        CPieceGroup* right = Group({{1, 0}}, 1032 + off.x, 1000 + off.y);
        EXPECT_FALSE(right->TryJoin()) << off.x << "," << off.y;
        EXPECT_FALSE(left->TryJoin());
    }
    const POINT hits[] = {{3, -3}, {-3, 3}, {3, 0}, {0, -3}};
    for (POINT off : hits) {
        puzzle->ClearGroups();
        CPieceGroup* left = Group({{0, 0}}, 1000, 1000);
        CPieceGroup* right = Group({{1, 0}}, 1032 + off.x, 1000 + off.y);
        EXPECT_TRUE(right->TryJoin()) << off.x << "," << off.y;
        // The dropped piece snaps beside the group it joined, which stays put.
        EXPECT_EQ(P(1, 0)->group, left);
        EXPECT_EQ((POINT{P(1, 0)->x, P(1, 0)->y}), (POINT{1032, 1000}));
        EXPECT_EQ((POINT{left->x, left->y}), (POINT{1000, 1000}));
        EXPECT_TRUE(right->pieces.Empty());
    }
}

TEST_F(Join, DifferentRotationsNeverJoinUntilTurnedAlike) {
    MakeGrid(2, 1);
    P(0, 0)->SetRotation(1);
    P(1, 0)->SetRotation(2);
    CPieceGroup* a = Group({{0, 0}}, 1000, 1000);
    // Every placement round the first piece, at every rotation of the second but its own.
    for (int dx = -40; dx <= 40; dx += 8) {
        for (int dy = -40; dy <= 40; dy += 8) {
            CPieceGroup* b = Group({{1, 0}}, 1000 + dx, 1000 + dy);
            ASSERT_FALSE(b->TryJoin());
            ASSERT_FALSE(a->TryJoin());
            puzzle->groups.Remove(b);
        }
    }
    // Turned the same way (1) and put in place for that rotation: piece (1, 0) lies below.
    puzzle->ClearGroups();
    a = Group({{0, 0}}, 1000, 1000);
    CPieceGroup* b = Group({{1, 0}}, 1000, 1032);
    EXPECT_FALSE(b->TryJoin());
    b->RotateClockwise();
    b->RotateClockwise();
    b->RotateClockwise();
    EXPECT_EQ(P(1, 0)->rotation, 1);
    EXPECT_TRUE(b->TryJoin());
    EXPECT_EQ(P(1, 0)->group, a);
}

TEST_F(Join, TheDroppedGroupMovesToTheOneItJoins) {
    MakeGrid(3, 3);
    // Eight pieces form a big group with a gap at (2, 2); the single piece (2, 2) lies apart.
    CPieceGroup* big = Group({{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}}, 500, 500);
    CPieceGroup* single = Group({{2, 2}}, 2000, 2000);
    // Drop the big group 2 pixels off the place that fits the single piece.
    big->PlaceAt(2000 - 64 + 2, 2000 - 64 - 2);
    puzzle->AddToSelection(big);
    puzzle->DropSelection();
    EXPECT_TRUE(big->pieces.Empty());
    EXPECT_EQ(single->pieces.Size(), 9u);
    EXPECT_EQ((POINT{single->x, single->y}), (POINT{2000, 2000}));
    EXPECT_EQ((POINT{P(0, 0)->x, P(0, 0)->y}), (POINT{2000 - 64, 2000 - 64}));
    EXPECT_EQ((POINT{P(2, 1)->x, P(2, 1)->y}), (POINT{2000, 2000 - 32}));
    // The target keeps its reference piece; the empty group stays listed and selected.
    EXPECT_EQ(single->reference, P(2, 2));
    EXPECT_TRUE(puzzle->groups.Contains(big));
    EXPECT_TRUE(puzzle->selection.Contains(big));
}

TEST_F(Join, APieceBetweenTwoGroupsJoinsTheFirstSideFound) {
    MakeGrid(3, 1);
    CPieceGroup* left = Group({{0, 0}}, 1000, 1000);
    CPieceGroup* right = Group({{2, 0}}, 1064, 1000);
    CPieceGroup* middle = Group({{1, 0}}, 1033, 1001);
    EXPECT_TRUE(middle->TryJoin());
    // The right side is tried first.
    EXPECT_EQ(P(1, 0)->group, right);
    EXPECT_EQ(left->pieces.Size(), 1u);
    // The other one joins when it is dropped again.
    EXPECT_TRUE(left->TryJoin());
    EXPECT_EQ(right->pieces.Size(), 3u);
}

TEST_F(Join, EachMergeClicksAndCountsAndTheLastOneEndsTheGame) {
    MakeGrid(3, 1);
    puzzle->soundeffects = 1;
    puzzle->completionText = " ";
    puzzle->targetHours = 0;
    puzzle->targetMinutes = 30;
    clock.seconds = 3600 + 5 * 60 + 30;
    Group({{0, 0}}, 1000, 1000);
    CPieceGroup* b = Group({{1, 0}}, 1032, 1000);
    CPieceGroup* c = Group({{2, 0}}, 1064, 1000);

    EXPECT_TRUE(b->TryJoin());
    ASSERT_EQ(platform->soundsPlayed.size(), 1u);
    EXPECT_EQ(platform->soundsPlayed[0], temp.Str() + "temp1");
    EXPECT_EQ(puzzle->loosePieces, 1);
    EXPECT_TRUE(platform->messageBoxes.empty());
    EXPECT_FALSE(clock.stopped);

    platform->cursorConfined = true;
    EXPECT_TRUE(c->TryJoin());
    EXPECT_EQ(puzzle->percentCompleted, 100.0f);
    EXPECT_EQ(puzzle->percentWhole, 100);
    EXPECT_TRUE(clock.stopped);
    EXPECT_FALSE(platform->cursorConfined);
    ASSERT_EQ(platform->messageBoxes.size(), 1u);
    EXPECT_EQ(platform->messageBoxes[0].caption, "Well Done!");
    EXPECT_EQ(platform->messageBoxes[0].style, MB_OK);
    EXPECT_EQ(platform->messageBoxes[0].text, "You completed this puzzle in 1 hours and 5 minutes.\n"
                                              "The target time for this puzzle is 0 hours and 30 minutes.");
}

TEST_F(Join, CompletionTexts) {
    clock.seconds = 59;
    puzzle->completionText = " ";
    EXPECT_EQ(puzzle->CompletionMessage(), "You completed this puzzle in 0 hours and 0 minutes.");
    puzzle->targetHours = 2;
    EXPECT_EQ(puzzle->CompletionMessage(), "You completed this puzzle in 0 hours and 0 minutes.\n"
                                           "The target time for this puzzle is 2 hours and 0 minutes.");
    puzzle->completionText = "Bravo";
    EXPECT_EQ(puzzle->CompletionMessage(), "Bravo");
    puzzle->completionText = "ab";
    EXPECT_EQ(puzzle->CompletionMessage(), "ab");
    // One character is no text of its own.
    puzzle->completionText = "x";
    EXPECT_EQ(puzzle->CompletionMessage().rfind("You completed", 0), 0u);
}

} // namespace
