#include "DisplayFixture.h"
#include "app/Globals.h"
#include "cutting/CPieceMask.h"
#include "display/GroupDrawing.h"
#include "play/CMouseController.h"
#include "play/CPiece.h"
#include "play/CPieceGroup.h"
#include "play/CPuzzle.h"

#include <gtest/gtest.h>

namespace {
constexpr std::uint32_t kBack = 0x404040, kShadow = 0x101010, kMark = 0xFF00FF, kRed = 0xAA0000;
}

// Pieces are 32 pixels square (cell 16); the view is scrolled to (90, 40).
class GroupDrawing : public DisplayFixture {
  protected:
    GroupDrawing() {
        savedCell = cellSize;
        cellSize = 16;
        Create(RGB32, 200, 150);
        mask.shadow = Solid(32, kShadow).release();
    }
    ~GroupDrawing() override { cellSize = savedCell; }

    std::unique_ptr<CSurface> Solid(int side, std::uint32_t value) {
        auto s = Surface(side, side);
        s->Fill(value, false);
        s->SetTransparentColour(RGB(255, 255, 255));
        return s;
    }

    // A one-piece group at board (bx, by) whose image is `colour`, appended below the others.
    CPieceGroup* Group(int bx, int by, std::uint32_t colour, bool withMask = true) {
        auto piece = std::make_unique<CPiece>();
        piece->images[0] = Solid(32, colour).release();
        piece->masks[0] = withMask ? &mask : nullptr;
        piece->x = bx;
        piece->y = by;
        CPieceGroup* group = puzzle.NewGroup();
        group->AddPiece(piece.get());
        puzzle.pieces.push_back(std::move(piece));
        puzzle.groups.Append(group);
        return group;
    }

    void Draw(CPieceGroup* g, bool dragged) {
        display.ClearBackBuffer(kBack);
        DrawGroup(display, *g, dragged, kView);
    }

    static constexpr POINT kView{90, 40};
    int savedCell = 0;
    CPieceMask mask; // outlives the puzzle's pieces
    CPuzzle puzzle;
};

TEST_F(GroupDrawing, ShadowFollowsThePreferenceAndTheDrag) {
    CPieceGroup* g = Group(100, 50, kRed); // screen (10, 10) .. (41, 41)
    struct Case {
        int shadowPreference;
        bool dragged;
        int reach; // columns of shadow right of the piece
    };
    for (Case c : {Case{1, false, 1}, {0, false, 0}, {0, true, 2}}) {
        puzzle.shadow = c.shadowPreference;
        Draw(g, c.dragged);
        EXPECT_EQ(Back(41, 41), kRed);
        EXPECT_EQ(Back(42, 20), c.reach >= 1 ? kShadow : kBack) << c.shadowPreference << c.dragged;
        EXPECT_EQ(Back(43, 20), c.reach >= 2 ? kShadow : kBack) << c.shadowPreference << c.dragged;
        EXPECT_EQ(Back(44, 20), kBack);
        EXPECT_EQ(Back(10, 42), kBack); // the shadow is offset down and right
    }
    // A piece without a mask has no shadow.
    Draw(Group(100, 50, 0x00AA00, false), true);
    EXPECT_EQ(Back(20, 20), 0x00AA00u);
    EXPECT_EQ(Back(42, 20), kBack);
}

TEST_F(GroupDrawing, PiecesWhollyOffTheBufferAreSkippedWithTheirShadows) {
    // Screen x -32: the image ends just left of the buffer; its shadow would reach column 0.
    Draw(Group(90 - 32, 60, kRed), true);
    EXPECT_EQ(Back(0, 30), kBack);
    Draw(Group(90 - 31, 60, kRed), true);
    EXPECT_EQ(Back(0, 30), kRed);
    Draw(Group(100, 40 - 32, kRed), true);
    EXPECT_EQ(Back(20, 0), kBack);
    // A rotation outside 0..3 draws nothing rather than reading past the images.
    CPieceGroup* odd = Group(100, 50, kRed);
    odd->pieces.Head()->rotation = 7;
    Draw(odd, true);
    EXPECT_EQ(Back(20, 20), kBack);
}

TEST_F(GroupDrawing, StackingOrderWithTheSelectionAndItsMarkerOnTop) {
    puzzle.shadow = 0;
    puzzle.selectorSurface = Solid(8, kMark).release();
    Group(100, 50, kRed);                           // head: topmost of the resting groups
    CPieceGroup* bottom = Group(104, 50, 0x0000AA); // tail
    display.ClearBackBuffer(kBack);
    DrawGroups(display, puzzle, kView);
    EXPECT_EQ(Back(20, 20), kRed);
    EXPECT_EQ(Back(44, 20), 0x0000AAu);

    bottom->selected = 1;
    puzzle.selection.Append(bottom);
    puzzle.mouse->dragging = 1;
    display.ClearBackBuffer(kBack);
    DrawGroups(display, puzzle, kView);
    EXPECT_EQ(Back(20, 20), 0x0000AAu); // the selection covers the resting group
    EXPECT_EQ(Back(46, 20), kShadow);   // and, being dragged, casts its shadow
    EXPECT_EQ(Back(12, 20), kRed);
    // The marker sits at the reference piece's position + (cell - 4, cell - 4), in view.
    EXPECT_EQ(Back(26, 22), kMark);
    EXPECT_EQ(Back(33, 29), kMark);
    EXPECT_EQ(Back(25, 22), 0x0000AAu);
}
