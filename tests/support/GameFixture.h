#pragma once
// Whole-game tests: the real start-up on the scripted platform, played through the window
// procedure. The program is a plain file without a pack: the board starts empty until a test publishes.
#include "app/CMainApp.h"
#include "app/Commands.h"
#include "app/GameMain.h"
#include "app/Globals.h"
#include "clock/CGameClock.h"
#include "play/CMouseController.h"
#include "play/CPuzzle.h"
#include "support/PublishedPuzzle.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

class GameFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        platform->screen.usableWidth = 1280;
        platform->screen.usableHeight = 1000;
        platform->executablePath = temp.File("Harbour.exe");
        std::ofstream(platform->executablePath, std::ios::binary) << std::string(1000, 'M');
    }
    void TearDown() override { GameShutdown(); }

    // Publishes a w x h picture as "<name>.exe" and points the game at it.
    void Publish(int w, int h, const std::string& cut = "medium", const std::string& name = "Boats") {
        platform->executablePath =
            PublishGradient(temp.Str(), w, h, cut, name, temp.File(name + ".exe"), &summary).output;
    }
    bool Start() { return GameStartup(platform.get(), 20240u); }
    bool Running() const { return g_mainApp != nullptr && !platform->quitPosted; }
    bool Loading() const { return g_puzzle && g_puzzle->loaderBusy; }
    bool PumpUntilLoaded() {
        return platform->PumpUntil([this] { return !Loading(); }, 60000);
    }
    void Load(int w, int h) { // publishes, starts the game and waits for the pieces
        Publish(w, h);
        ASSERT_TRUE(Start());
        ASSERT_TRUE(PumpUntilLoaded());
        ASSERT_GT(g_puzzle->groups.Size(), 0u);
    }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return platform->Send(message, wParam, lParam);
    }
    LRESULT Command(int id) { return Send(WM_COMMAND, static_cast<WPARAM>(id)); }

    static int S() { return cellSize; }
    static CPiece* P(int c, int r) { return g_puzzle->PieceAt(c, r); }
    static int ScrollX() { return g_mainApp->scrollX; }
    static int ScrollY() { return g_mainApp->scrollY; }
    // The board area of the window: the client area less the status bar.
    int ViewWidth() const { return platform->clientWidth; }
    int ViewHeight() const { return platform->clientHeight - platform->StatusBarHeight(); }

    // Board point to the message's view coordinates.
    static LPARAM At(int bx, int by) { return MakeMouseLParam(bx - ScrollX(), by - ScrollY()); }
    void Press(int bx, int by) {
        Send(WM_MOUSEMOVE, 0, At(bx, by)), Send(WM_LBUTTONDOWN, MK_LBUTTON, At(bx, by));
    }
    void MoveTo(int bx, int by) { Send(WM_MOUSEMOVE, MK_LBUTTON, At(bx, by)); }
    void Release(int bx, int by) { Send(WM_LBUTTONUP, 0, At(bx, by)); }
    void ClickPiece(const CPiece* piece) {
        Press(Centre(piece).x, Centre(piece).y), Release(Centre(piece).x, Centre(piece).y);
    }
    // Presses at a board point, moves by (dx, dy) in two steps and lets go.
    void Drag(POINT from, int dx, int dy) { Press(from.x, from.y), MoveAndRelease(from, dx, dy); }
    void MoveAndRelease(POINT from, int dx, int dy) {
        MoveTo(from.x + dx / 2, from.y + dy / 2);
        MoveTo(from.x + dx, from.y + dy);
        Release(from.x + dx, from.y + dy);
    }
    void Space(int times = 1) {
        while (times-- > 0)
            Send(WM_KEYDOWN, VK_SPACE);
    }

    // The middle of a piece's cell, where a press picks it when nothing lies above it.
    static POINT Centre(const CPiece* piece) { return {piece->x + S(), piece->y + S()}; }
    static POINT Pos(const CPiece* piece) { return {piece->x, piece->y}; }

    // Drags a piece by its cell centre so that its image lands at (x, y).
    void DragPieceTo(const CPiece* piece, int x, int y) {
        const POINT from = Centre(piece);
        Press(from.x, from.y);
        EXPECT_EQ(g_puzzle->selection.Head(), piece->group) << "piece " << piece->col << "," << piece->row;
        MoveAndRelease(from, x - piece->x, y - piece->y);
    }

    // Where the finished picture is built: near the view's top-left corner.
    POINT AssemblyPlace(int c, int r) const { return {ScrollX() + 60 + c * S(), ScrollY() + 40 + r * S()}; }
    void DragToAssembly(int c, int r) { DragPieceTo(P(c, r), AssemblyPlace(c, r).x, AssemblyPlace(c, r).y); }

    // Moves every loose piece, topmost first, into rows along the bottom of the view; with
    // `upright`, each is turned to rotation 0 with the space bar while it is held selected.
    void SpreadOut(bool upright = false) {
        const int step = 3 * S();
        const int rowY = ScrollY() + ViewHeight() - 2 * S() - 40;
        const int perRow = (ViewWidth() - 120) / step;
        std::vector<CPiece*> heap;
        for (CPieceGroup* group : g_puzzle->groups) // top first
            if (group->pieces.Size() == 1) heap.push_back(group->reference);
        for (std::size_t slot = 0; slot < heap.size(); ++slot) {
            CPiece* piece = heap[slot];
            DragPieceTo(piece, ScrollX() + 60 + (slot % perRow) * step, rowY - (slot / perRow) * step);
            for (int turns = 0; upright && piece->rotation != 0 && turns < 4; ++turns)
                Space();
            ASSERT_TRUE(!upright || piece->rotation == 0) << "the space bar turns the held piece";
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

    // Every origin of the groups, in list order.
    static std::vector<std::pair<int, int>> Origins() {
        std::vector<std::pair<int, int>> where;
        for (const CPieceGroup* group : g_puzzle->groups)
            where.emplace_back(group->x, group->y);
        return where;
    }

    TempDir temp;
    std::unique_ptr<ScriptedPlatform> platform = std::make_unique<ScriptedPlatform>(temp.File("state"));
    publish::PublishSummary summary;
};
