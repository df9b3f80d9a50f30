#include "display/GroupDrawing.h"
#include "DisplayFixture.h"
#include "display/FrameComposition.h"
#include "display/Rects.h"
#include "app/Globals.h"
#include "cutting/CPieceMask.h"
#include "play/CMouseController.h"
#include "play/CPiece.h"
#include "play/CPieceGroup.h"
#include "play/CPuzzle.h"

#include <gtest/gtest.h>

constexpr std::uint32_t kBack = 0x404040, kShadow = 0, kMark = 0xFF00FF, kRed = 0xAA0000, kBlue = 0xAA;

// Pieces are 32 pixels square (cell 16); the view is scrolled to (90, 40).
class GroupDrawing : public DisplayFixture {
  protected:
    GroupDrawing() {
        cellSize = 16;
        Create(RGB32, 200, 150);
        mask.width = mask.height = 32;
        mask.bytes.assign(32 * 32, 0);
        mask.FindInside();
    }
    ~GroupDrawing() override { cellSize = 0; }
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
        piece->x = bx, piece->y = by;
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
    CPieceMask mask; // outlives the puzzle's pieces
    CPuzzle puzzle;
};

TEST_F(GroupDrawing, ShadowFollowsPreferenceAndDragPiecesOffTheBufferAreSkippedSelectionOnTop) {
    CPieceGroup* g = Group(100, 50, kRed); // screen (10, 10) .. (41, 41)
    // Shadow preference, dragged, columns of shadow right of the piece (offset down and right).
    for (auto [preference, dragged, reach] : {std::tuple{1, false, 1}, {0, false, 0}, {0, true, 2}}) {
        puzzle.shadow = preference;
        Draw(g, dragged);
        EXPECT_EQ(Back({{41, 41}, {42, 20}, {43, 20}, {44, 20}, {10, 42}}),
                  (Pixels{kRed, reach >= 1 ? kShadow : kBack, reach >= 2 ? kShadow : kBack, kBack, kBack}))
            << preference << dragged;
    }
    // A piece without a mask has no shadow.
    Draw(Group(100, 50, 0x00AA00, false), true);
    EXPECT_EQ(Back({{20, 20}, {42, 20}}), (Pixels{0x00AA00, kBack}));
    // Screen x -32: the image ends just left of the buffer; its shadow would reach column 0.
    const std::tuple<int, int, POINT, std::uint32_t> offBuffer[] = {
        {90 - 32, 60, {0, 30}, kBack}, {90 - 31, 60, {0, 30}, kRed}, {100, 40 - 32, {20, 0}, kBack}};
    for (auto [x, y, at, colour] : offBuffer) {
        Draw(Group(x, y, kRed), true);
        EXPECT_EQ(Back(at.x, at.y), colour) << x << "," << y;
    }
    // A rotation outside 0..3 draws nothing rather than reading past the images.
    CPieceGroup* odd = Group(100, 50, kRed);
    odd->pieces.Head()->rotation = 7;
    Draw(odd, true);
    EXPECT_EQ(Back(20, 20), kBack);
    puzzle.ClearGroups();
    puzzle.shadow = 0;
    puzzle.selectorSurface = Solid(8, kMark).release();
    Group(100, 50, kRed);                        // head: topmost of the resting groups
    CPieceGroup* bottom = Group(104, 50, kBlue); // tail
    display.ClearBackBuffer(kBack);
    DrawGroups(display, puzzle, kView);
    EXPECT_EQ(Back({{20, 20}, {44, 20}}), (Pixels{kRed, kBlue}));
    bottom->selected = 1;
    puzzle.selection.Append(bottom);
    puzzle.mouse->dragging = 1;
    display.ClearBackBuffer(kBack);
    DrawGroups(display, puzzle, kView);
    // The dragged selection covers the resting group, with shadow; the marker at reference + cell - 4.
    EXPECT_EQ(Back({{20, 20}, {46, 20}, {12, 20}, {26, 22}, {33, 29}, {25, 22}}),
              (Pixels{kBlue, kShadow, kRed, kMark, kMark, kBlue}));
}

TEST_F(GroupDrawing, BackBufferGrowsToCoverALargerClientAndPiecesDraggedThereAreDrawn) {
    CPieceGroup* g = Group(90 + 300, 40 + 200, kRed); // screen (300, 200), beyond the 200x150 buffer
    // Never shrinks, grows side by side, and stops at the cap.
    for (auto [w, h, expectW, expectH] : {std::tuple{100, 100, 200, 150}, {340, 120, 340, 150},
                                          {360, 260, 360, 260}, {50000, 20, CDisplay::kMaxBackBufferSide, 260}}) {
        EXPECT_EQ(display.CoverClient(w, h), S_OK);
        EXPECT_EQ(std::tuple(display.width, display.height, display.BackBuffer()->desc.dwHeight),
                  std::tuple(expectW, expectH, expectH));
    }
    Draw(g, true);
    EXPECT_EQ(Back({{300, 200}, {331, 231}, {299, 200}}), (Pixels{kRed, kRed, kBack}));
}

// Redrawing only what changed, the way drag moves and banner frames do, ends in the same
// buffer as composing the whole frame.
TEST_F(GroupDrawing, RedrawingOnlyTheChangedAreaMatchesAFullRedraw) {
    puzzle.boardRect = RECT{0, 0, 1000, 1000};
    // A marker reaching right past the piece and its shadow, but not below them.
    puzzle.selectorSurface = Surface(24, 4).release();
    puzzle.selectorSurface->Fill(kMark, false);
    for (int i = 0; i < 6; ++i)
        Group(60 + 23 * i, 30 + 11 * (i % 3), i % 2 ? kRed : kBlue);
    CPieceGroup* dragged = Group(80, 20, 0x00AA00);
    puzzle.AddToSelection(dragged, true);
    auto banner = Solid(20, 0x777777);
    auto wideBanner = Solid(30, 0x999999);
    const auto compose = [&](const RECT* area, CSurface* shown) {
        display.SetClip(area);
        ComposeFrame(display, &puzzle, kBack, kView);
        display.DrawSurface(150, 110, shown, nullptr, -1, -1);
        display.SetClip(nullptr);
    };
    const auto bytes = [&] {
        const CSurface& b = *display.BackBuffer();
        return std::vector<std::uint8_t>(b.Bits(), b.Bits() + static_cast<std::size_t>(b.Pitch()) * display.height);
    };
    compose(nullptr, banner.get());
    puzzle.mouse->dragging = 1;
    // Moves across the others, partly off the buffer's left and top edges and back.
    for (POINT to : {POINT{95, 35}, {130, 48}, {70, 25}, {60, 45}, {150, 60}}) {
        const RECT before = SelectionBounds(puzzle, true, kView);
        puzzle.DragSelectionTo(to.x, to.y);
        const RECT area = UniteRects(before, SelectionBounds(puzzle, true, kView));
        compose(&area, banner.get());
    }
    // The banner's next frame is larger: only the two frames' union is redrawn.
    const RECT bannerArea{150, 110, 180, 140};
    compose(&bannerArea, wideBanner.get());
    const auto partial = bytes();
    compose(nullptr, wideBanner.get());
    const auto whole = bytes();
    EXPECT_EQ(partial, whole);
    // Only the shadow of the piece left of column 2 reaches into this strip.
    const RECT strip{2, 0, 3, 10};
    display.FillArea(kMark, strip.left, strip.top, strip.right, strip.bottom);
    compose(&strip, wideBanner.get());
    EXPECT_EQ(bytes(), whole);
    // A clip keeps every drawing call, the clear included, inside it.
    const RECT corner{0, 0, 5, 5};
    const Pixels outside = Back({{5, 4}, {4, 5}});
    display.SetClip(&corner);
    display.ClearBackBuffer(kMark);
    display.FillArea(kMark, 0, 0, 200, 150);
    display.SetClip(nullptr);
    EXPECT_EQ(Back({{4, 4}, {5, 4}, {4, 5}}), (Pixels{kMark, outside[0], outside[1]}));
}
