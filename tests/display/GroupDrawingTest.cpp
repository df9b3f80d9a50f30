#include "DisplayFixture.h"
#include "app/CMainApp.h"
#include "app/Globals.h"
#include "cutting/CPieceMask.h"
#include "play/CMouseController.h"
#include "play/CPiece.h"
#include "play/CPieceGroup.h"
#include "play/CPuzzle.h"

#include <gtest/gtest.h>

namespace {
constexpr std::uint32_t kBack = 0x404040, kShadow = 0x101010, kMark = 0xFF00FF;
}

// Pieces are 32 pixels square (cell 16); the view is scrolled to (90, 40).
class GroupDrawing : public DisplayFixture {
  protected:
    GroupDrawing() {
        savedCell = cellSize;
        cellSize = 16;
        g_mainApp = &app;
        app.scrollX = 90;
        app.scrollY = 40;
        Create(RGB32, 200, 150);
        mask.shadow = Solid(32, kShadow).release();
    }
    ~GroupDrawing() override {
        g_mainApp = nullptr;
        cellSize = savedCell;
    }

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
        g->Draw(&display, dragged);
    }

    int savedCell = 0;
    CMainApp app;
    CPieceMask mask; // outlives the puzzle's pieces
    CPuzzle puzzle;
};

TEST_F(GroupDrawing, ShadowFollowsThePreferenceAndTheDrag) {
    CPieceGroup* g = Group(100, 50, 0xAA0000); // screen (10, 10) .. (41, 41)
    puzzle.shadow = 1;
    Draw(g, false);
    EXPECT_EQ(Back(10, 10), 0xAA0000u);
    EXPECT_EQ(Back(41, 41), 0xAA0000u);
    EXPECT_EQ(Back(42, 20), kShadow);
    EXPECT_EQ(Back(43, 20), kBack);
    EXPECT_EQ(Back(10, 42), kBack); // the shadow starts one pixel in

    puzzle.shadow = 0;
    Draw(g, false);
    EXPECT_EQ(Back(42, 20), kBack);

    // Dragged: always a shadow, two pixels off.
    Draw(g, true);
    EXPECT_EQ(Back(42, 20), kShadow);
    EXPECT_EQ(Back(43, 43), kShadow);
    EXPECT_EQ(Back(44, 20), kBack);

    // A piece without a mask has no shadow.
    CPieceGroup* bare = Group(100, 50, 0x00AA00, false);
    Draw(bare, true);
    EXPECT_EQ(Back(20, 20), 0x00AA00u);
    EXPECT_EQ(Back(42, 20), kBack);
}

TEST_F(GroupDrawing, PiecesWhollyOffTheBufferAreSkippedWithTheirShadows) {
    puzzle.shadow = 1;
    // Screen x -32: the image ends just left of the buffer; its shadow would reach column 0.
    Draw(Group(90 - 32, 60, 0xAA0000), true);
    EXPECT_EQ(Back(0, 30), kBack);
    Draw(Group(90 - 31, 60, 0xAA0000), true);
    EXPECT_EQ(Back(0, 30), 0xAA0000u);
    Draw(Group(100, 40 - 32, 0xAA0000), true);
    EXPECT_EQ(Back(20, 0), kBack);
    Draw(Group(100, 40 - 31, 0xAA0000), true);
    EXPECT_EQ(Back(20, 0), 0xAA0000u);
    // A rotation outside 0..3 draws nothing rather than reading past the images.
    CPieceGroup* odd = Group(100, 50, 0xAA0000);
    odd->pieces.Head()->rotation = 7;
    Draw(odd, true);
    EXPECT_EQ(Back(20, 20), kBack);
}

TEST_F(GroupDrawing, SelectedGroupShowsTheMarker) {
    puzzle.selectorSurface = Solid(8, kMark).release();
    CPieceGroup* g = Group(100, 50, 0xAA0000);
    Draw(g, false);
    EXPECT_EQ(Back(22, 22), 0xAA0000u);
    g->selected = 1;
    Draw(g, false);
    // Reference piece position + (cell - 4, cell - 4), minus the view.
    EXPECT_EQ(Back(22, 22), kMark);
    EXPECT_EQ(Back(29, 29), kMark);
    EXPECT_EQ(Back(21, 22), 0xAA0000u);
}

TEST_F(GroupDrawing, StackingOrderWithTheSelectionOnTop) {
    puzzle.shadow = 0;
    CPieceGroup* top = Group(100, 50, 0xAA0000);    // head: topmost of the resting groups
    CPieceGroup* bottom = Group(104, 50, 0x0000AA); // tail
    display.ClearBackBuffer(kBack);
    puzzle.DrawGroups(&display);
    EXPECT_EQ(Back(20, 20), 0xAA0000u);
    EXPECT_EQ(Back(44, 20), 0x0000AAu);
    EXPECT_EQ(Back(46, 20), kBack);

    bottom->selected = 1;
    puzzle.selection.Append(bottom);
    puzzle.mouse->dragging = 1;
    display.ClearBackBuffer(kBack);
    puzzle.DrawGroups(&display);
    EXPECT_EQ(Back(20, 20), 0x0000AAu); // the selection covers the resting group
    EXPECT_EQ(Back(46, 20), kShadow);   // and, being dragged, casts its shadow
    EXPECT_EQ(Back(43, 20), 0x0000AAu);
    EXPECT_EQ(Back(12, 20), 0xAA0000u);
    (void)top;

    puzzle.groups.Clear();
    puzzle.selection.Clear();
    display.ClearBackBuffer(kBack);
    puzzle.DrawGroups(&display);
    EXPECT_EQ(Back(20, 20), kBack);
}
