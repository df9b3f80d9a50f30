#pragma once
// Playing a published puzzle through the window procedure, as the player's mouse and keys
// would: presses, moves and releases in view coordinates, keys and menu commands.
#include "PublishedGame.h"
#include "app/Commands.h"
#include "app/GameMain.h"
#include "play/CMouseController.h"

#include <cstring>
#include <set>
#include <string>
#include <vector>

class PlayWindow : public PublishedGame {
  protected:
    // Publishes a w x h picture, starts the game and waits for the pieces.
    void Load(int w, int h, const std::string& cut = "medium") {
        Publish(w, h, cut);
        ASSERT_TRUE(Start());
        ASSERT_TRUE(PumpUntilLoaded());
        ASSERT_GT(g_puzzle->groups.Size(), 0u);
    }

    static int S() { return cellSize; }
    static CPiece* P(int c, int r) { return g_puzzle->PieceAt(c, r); }
    static int ScrollX() { return g_mainApp->scrollX; }
    static int ScrollY() { return g_mainApp->scrollY; }
    // The board area of the window: the client area less the status bar.
    int ViewWidth() const { return platform->clientWidth; }
    int ViewHeight() const { return platform->clientHeight - platform->StatusBarHeight(); }

    // Board point to the message's view coordinates.
    static LPARAM At(int bx, int by) { return MakeMouseLParam(bx - ScrollX(), by - ScrollY()); }
    static LPARAM AtView(int x, int y) { return MakeMouseLParam(x, y); }
    // Key state in the low word, the signed wheel delta in the high word.
    static WPARAM Wheel(WPARAM keys, int delta) {
        return (static_cast<WPARAM>(static_cast<std::uint16_t>(delta)) << 16) | keys;
    }

    void Press(int bx, int by) {
        Send(WM_MOUSEMOVE, 0, At(bx, by));
        Send(WM_LBUTTONDOWN, MK_LBUTTON, At(bx, by));
    }
    void MoveTo(int bx, int by) { Send(WM_MOUSEMOVE, MK_LBUTTON, At(bx, by)); }
    void Release(int bx, int by) { Send(WM_LBUTTONUP, 0, At(bx, by)); }
    void Click(int bx, int by) {
        Press(bx, by);
        Release(bx, by);
    }
    void Space() { Send(WM_KEYDOWN, VK_SPACE); }

    // The middle of a piece's cell, where a press picks it when nothing lies above it.
    static POINT Centre(const CPiece* piece) { return {piece->x + S(), piece->y + S()}; }

    // The group a press at a board point would pick: the first in the list that it hits.
    static CPieceGroup* TopGroupAt(int bx, int by) {
        for (CPieceGroup* group : g_puzzle->groups)
            if (group->HitTest(bx, by)) return group;
        return nullptr;
    }

    // True when a mouse point lies where holding a piece scrolls the view.
    bool InEdgeMargin(int bx, int by) const {
        const int x = bx - ScrollX(), y = by - ScrollY();
        return x <= 20 || y <= 20 || x >= ViewWidth() - 20 || y >= ViewHeight() - 20;
    }

    // Presses the piece's cell centre, moves so the piece's image lands at (x, y) and lets go.
    void DragPieceTo(const CPiece* piece, int x, int y) {
        const POINT from = Centre(piece);
        const POINT to{from.x + x - piece->x, from.y + y - piece->y};
        if (TopGroupAt(from.x, from.y) != piece->group)
            ADD_FAILURE() << "piece " << piece->col << "," << piece->row << " is covered";
        if (InEdgeMargin(from.x, from.y) || InEdgeMargin(to.x, to.y))
            ADD_FAILURE() << "drag of piece " << piece->col << "," << piece->row << " runs into the edge";
        Press(from.x, from.y);
        EXPECT_EQ(g_puzzle->selection.Head(), piece->group);
        MoveTo((from.x + to.x) / 2, (from.y + to.y) / 2);
        MoveTo(to.x, to.y);
        Release(to.x, to.y);
    }

    // Where the finished picture is built: near the view's top-left corner.
    POINT AssemblyOrigin() const { return {ScrollX() + 60, ScrollY() + 40}; }
    POINT AssemblyPlace(int c, int r) const {
        const POINT o = AssemblyOrigin();
        return {o.x + c * S(), o.y + r * S()};
    }

    // Moves every loose piece out of the heap into a row along the bottom of the view, the
    // topmost first so that nothing ever covers the piece picked up; with `upright`, each is
    // turned to rotation 0 with the space bar while it is held selected.
    void SpreadOut(bool upright = false) {
        const int step = 3 * S();
        const int rowY = ScrollY() + ViewHeight() - 2 * S() - 40;
        const int perRow = (ViewWidth() - 120) / step;
        std::set<CPieceGroup*> heap;
        for (CPieceGroup* group : g_puzzle->groups)
            if (group->pieces.Size() == 1) heap.insert(group);
        for (int slot = 0; !heap.empty(); ++slot) {
            CPieceGroup* top = nullptr;
            for (CPieceGroup* group : g_puzzle->groups) {
                if (heap.count(group)) {
                    top = group;
                    break;
                }
            }
            heap.erase(top);
            CPiece* piece = top->reference;
            DragPieceTo(piece, ScrollX() + 60 + (slot % perRow) * step, rowY - (slot / perRow) * step);
            while (upright && piece->rotation != 0) {
                const int before = piece->rotation;
                Space();
                ASSERT_NE(piece->rotation, before) << "the space bar turns the held piece";
            }
        }
    }

    // Builds the picture at the assembly place, row by row, each piece beside the last.
    void Assemble() {
        for (int r = 0; r < g_puzzle->rows; ++r) {
            for (int c = 0; c < g_puzzle->cols; ++c) {
                const POINT place = AssemblyPlace(c, r);
                DragPieceTo(P(c, r), place.x, place.y);
            }
        }
    }

    // The frame's pixel at a board point (0x00RRGGBB), or ~0u outside the frame.
    std::uint32_t FramePixel(int bx, int by) const {
        const FrameView& frame = platform->lastFrameView;
        const int x = bx - ScrollX(), y = by - ScrollY();
        if (!frame.pixels || x < 0 || y < 0 || x >= frame.width || y >= frame.height) return ~0u;
        std::uint32_t v = 0;
        std::memcpy(&v, frame.pixels + static_cast<std::size_t>(y) * frame.pitch + x * 4, 4);
        return v & 0xFFFFFF;
    }

    // The frame's pixels over a piece's whole image square.
    std::vector<std::uint32_t> FrameUnder(const CPiece* piece) const {
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < 2 * S(); ++y)
            for (int x = 0; x < 2 * S(); ++x)
                pixels.push_back(FramePixel(piece->x + x, piece->y + y));
        return pixels;
    }

    std::size_t BoxesCaptioned(const std::string& caption) const {
        std::size_t n = 0;
        for (const auto& box : platform->messageBoxes)
            n += box.caption == caption;
        return n;
    }

    // Every origin of the groups, in list order.
    static std::vector<std::pair<int, int>> Origins() {
        std::vector<std::pair<int, int>> where;
        for (const CPieceGroup* group : g_puzzle->groups)
            where.emplace_back(group->x, group->y);
        return where;
    }
};
