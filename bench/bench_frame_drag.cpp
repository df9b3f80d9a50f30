// Frames on full boards started through the game's own start-up and cutting: a 1600 x 1280
// picture published at cell size 32 (50 x 40 = 2000 pieces) with a 200-piece group, and a
// 2000 x 1280 one cut small (cell 16, 125 x 80 = 10,000 pieces). The whole board is drawn
// into a 1920 x 1080 RGB32 back buffer at rest; a drag move goes through the window
// procedure as the platform delivers it, redrawing and presenting only what changed. A
// drop is the button release that joins and draws again.
#include "app/CMainApp.h"
#include "app/Globals.h"
#include "app/WndProc.h"
#include "play/CMouseController.h"
#include "play/CPuzzle.h"

#include "BenchGame.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr BoardSpec kMediumBoard{1600, 1280, "medium", 2000};
constexpr BoardSpec kSmallBoard{2000, 1280, "small", 10000};

constexpr int kBlockCols = 20; // the held group: 20 x 10 pieces
constexpr int kBlockRows = 10;
constexpr int kBlockCol0 = 15;
constexpr int kBlockRow0 = 15;

// The 2000-piece game with a 20 x 10 block joined into one group in the middle of the view.
struct MediumGame {
    LoadedGame* game = nullptr;
    int run = 0; // the LoadedGame's run this was set up on
    CPieceGroup* block = nullptr;
    bool ready = false;

    // The block alone selected and held, as after a press on it.
    void HoldBlock() {
        g_puzzle->ClearSelection();
        g_puzzle->AddToSelection(block, true);
        g_puzzle->mouse->dragging = 1;
    }
};

MediumGame& Medium() {
    static MediumGame medium;
    LoadedGame& game = Game(kMediumBoard);
    if (medium.game == &game && medium.run == game.run) return medium;
    medium = MediumGame{&game, game.run};
    if (!game.ready || cellSize != 32) return medium;
    CPieceGroup* block = g_puzzle->PieceAt(kBlockCol0, kBlockRow0)->group;
    for (int r = 0; r < kBlockRows; ++r)
        for (int c = 0; c < kBlockCols; ++c) {
            CPieceGroup* own = g_puzzle->PieceAt(kBlockCol0 + c, kBlockRow0 + r)->group;
            if (own != block) own->MergeInto(block);
        }
    block->PlaceAt(g_mainApp->scrollX + 500, g_mainApp->scrollY + 300);
    medium.block = block;
    medium.ready = block->pieces.Size() == kBlockCols * kBlockRows;
    return medium;
}

// The whole board drawn with nothing held.
void BM_FrameAtRest(benchmark::State& state) {
    MediumGame& medium = Medium();
    if (!medium.ready) {
        state.SkipWithError("the game did not load");
        return;
    }
    g_puzzle->ClearSelection();
    for (auto _ : state)
        g_mainApp->Render();
    state.counters["piecesInView"] = PiecesInView();
}
BENCHMARK(BM_FrameAtRest)->Unit(benchmark::kMillisecond);

// `group` selected and pressed at client point `grab`, then moved a few pixels at a time
// through the window procedure: the bounds before and after, the composition of the
// changed area and its present. The counters show every move presented only a part.
void DragThroughWindow(benchmark::State& state, QuietPlatform& platform, CPieceGroup* group, POINT grab) {
    const POINT home{group->x, group->y};
    g_puzzle->ClearSelection();
    g_puzzle->AddToSelection(group, true);
    WndProc(1, WM_LBUTTONDOWN, 0, MakeMouseLParam(grab.x, grab.y));
    if (!g_puzzle->mouse->dragging) {
        state.SkipWithError("the press did not pick the group up");
        return;
    }
    platform.ResetCounts();
    int step = 0;
    for (auto _ : state) {
        ++step;
        WndProc(1, WM_MOUSEMOVE, 0, MakeMouseLParam(grab.x + (step & 7) * 3, grab.y + (step & 3) * 2));
    }
    const double moves = static_cast<double>(state.iterations());
    state.counters["fullPresents"] = static_cast<double>(platform.fullPresents);
    state.counters["partsPerMove"] = static_cast<double>(platform.partPresents) / moves;
    state.counters["pixelsPerMove"] = static_cast<double>(platform.partPixels) / moves;
    state.counters["piecesInView"] = PiecesInView();
    g_puzzle->mouse->Abandon();
    g_puzzle->DragSelectionTo(home.x, home.y);
    g_puzzle->ClearSelection();
    if (platform.fullPresents != 0 || platform.partPresents != state.iterations())
        state.SkipWithError("a move did not present just the changed part");
}

// The client point over the middle of `piece`'s cell.
POINT CellCentre(const CPiece* piece) {
    return POINT{piece->x + cellSize - g_mainApp->scrollX, piece->y + cellSize - g_mainApp->scrollY};
}

// One loose piece of the 2000 held and moved in the middle of the view.
void BM_DragOnePiece(benchmark::State& state) {
    MediumGame& medium = Medium();
    if (!medium.ready) {
        state.SkipWithError("the game did not load");
        return;
    }
    CPiece* piece = g_puzzle->PieceAt(0, 0);
    const POINT home{piece->group->x, piece->group->y};
    piece->group->PlaceAt(g_mainApp->scrollX + 700, g_mainApp->scrollY + 400);
    DragThroughWindow(state, medium.game->platform, piece->group, CellCentre(piece));
    piece->group->PlaceAt(home.x, home.y);
}
BENCHMARK(BM_DragOnePiece)->Unit(benchmark::kMillisecond);

void BM_DragABigGroup(benchmark::State& state) {
    MediumGame& medium = Medium();
    if (!medium.ready) {
        state.SkipWithError("the game did not load");
        return;
    }
    const CPiece* middle = g_puzzle->PieceAt(kBlockCol0 + kBlockCols / 2, kBlockRow0 + kBlockRows / 2);
    DragThroughWindow(state, medium.game->platform, medium.block, CellCentre(middle));
}
BENCHMARK(BM_DragABigGroup)->Unit(benchmark::kMillisecond);

// Moves `pieces` back out of whatever group they joined into `own`, laid out from `at`.
void TakeBack(CPieceGroup* own, const std::vector<CPiece*>& pieces, POINT at) {
    for (CPiece* piece : pieces) {
        if (piece->group != own) piece->group->pieces.Remove(piece);
    }
    own->pieces.Clear();
    for (CPiece* piece : pieces)
        own->AddPiece(piece);
    own->PlaceAt(at.x, at.y);
}

// Releasing the button over a single piece held two pixels off its place beside the
// block: the join search, the merge, the counts and the redrawn frame.
void BM_ReleaseJoinsAPieceToTheBlock(benchmark::State& state) {
    MediumGame& game = Medium();
    if (!game.ready) {
        state.SkipWithError("the game did not load");
        return;
    }
    CPiece* mine = g_puzzle->PieceAt(kBlockCol0 + kBlockCols, kBlockRow0 + 5);
    CPiece* theirs = g_puzzle->PieceAt(kBlockCol0 + kBlockCols - 1, kBlockRow0 + 5);
    CPieceGroup* own = mine->group;
    const POINT at{theirs->x + 32 + 2, theirs->y - 2};
    for (auto _ : state) {
        state.PauseTiming();
        TakeBack(own, {mine}, at);
        g_puzzle->ClearSelection();
        g_puzzle->AddToSelection(own, true);
        g_puzzle->mouse->dragging = 1;
        state.ResumeTiming();
        WndProc(1, WM_LBUTTONUP, 0, MakeMouseLParam(at.x - g_mainApp->scrollX, at.y - g_mainApp->scrollY));
    }
    if (mine->group != theirs->group) state.SkipWithError("the release did not join");
    TakeBack(own, {mine}, {at.x + 200, at.y + 200});
    g_puzzle->ClearSelection();
}
BENCHMARK(BM_ReleaseJoinsAPieceToTheBlock)->Unit(benchmark::kMillisecond);

// The other way round: the 200-piece block released beside a single piece, so all of
// its pieces move into that piece's group.
void BM_ReleaseJoinsTheBlockToAPiece(benchmark::State& state) {
    MediumGame& game = Medium();
    if (!game.ready) {
        state.SkipWithError("the game did not load");
        return;
    }
    CPiece* single = g_puzzle->PieceAt(kBlockCol0 - 1, kBlockRow0);
    CPiece* edge = g_puzzle->PieceAt(kBlockCol0, kBlockRow0);
    const std::vector<CPiece*> blockPieces(game.block->pieces.begin(), game.block->pieces.end());
    const POINT blockAt{game.block->x, game.block->y};
    single->group->PlaceAt(blockAt.x - 32 + 1, blockAt.y + 2);
    for (auto _ : state) {
        state.PauseTiming();
        TakeBack(game.block, blockPieces, blockAt);
        game.HoldBlock();
        state.ResumeTiming();
        WndProc(1, WM_LBUTTONUP, 0, MakeMouseLParam(500, 300));
    }
    if (edge->group != single->group) state.SkipWithError("the release did not join");
    TakeBack(game.block, blockPieces, blockAt);
    single->group->PlaceAt(blockAt.x - 300, blockAt.y);
    g_puzzle->ClearSelection();
}
BENCHMARK(BM_ReleaseJoinsTheBlockToAPiece)->Unit(benchmark::kMillisecond);

// Last, as it ends the 2000-piece game: one piece of 10,000 cut small, held where it lies
// nearest the middle of the view.
void BM_DragOneOf10000(benchmark::State& state) {
    LoadedGame& game = Game(kSmallBoard);
    if (!game.ready) {
        state.SkipWithError("the game did not load");
        return;
    }
    CPiece* nearest = nullptr;
    long best = 0;
    for (const auto& piece : g_puzzle->pieces) {
        const POINT at = CellCentre(piece.get());
        const long d =
            std::labs(at.x - QuietPlatform::kWidth / 2) + std::labs(at.y - QuietPlatform::kHeight / 2);
        if (!nearest || d < best) nearest = piece.get(), best = d;
    }
    DragThroughWindow(state, game.platform, nearest->group, CellCentre(nearest));
}
BENCHMARK(BM_DragOneOf10000)->Unit(benchmark::kMillisecond);

} // namespace
