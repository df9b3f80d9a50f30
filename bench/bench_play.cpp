// Dropping pieces on a 2000-piece board (50 x 40 at cell size 32): the join search, the
// merge and the recount that every drop runs.
#include "app/Globals.h"
#include "play/CPuzzle.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kCols = 50;
constexpr int kRows = 40;

struct Board {
    std::unique_ptr<CPuzzle> puzzle = std::make_unique<CPuzzle>();

    Board() {
        cellSize = 32;
        puzzle->soundeffects = 0;
        puzzle->cols = kCols;
        puzzle->rows = kRows;
        puzzle->totalPieces = kCols * kRows;
        static const int dc[4] = {1, 0, -1, 0};
        static const int dr[4] = {0, 1, 0, -1};
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kCols; ++c) {
                auto piece = std::make_unique<CPiece>();
                piece->col = c;
                piece->row = r;
                for (int d = 0; d < 4; ++d) {
                    piece->sides[d].direction = d;
                    piece->sides[d].neighbourCol = c + dc[d];
                    piece->sides[d].neighbourRow = r + dr[d];
                }
                puzzle->pieces.push_back(std::move(piece));
            }
        }
    }

    // Every piece loose, 80 pixels apart so none fits its neighbour.
    void Scatter() {
        puzzle->ClearGroups();
        for (auto& piece : puzzle->pieces) {
            CPieceGroup* g = puzzle->NewGroup();
            g->AddPiece(piece.get());
            g->PlaceAt(100 + piece->col * 80, 100 + piece->row * 80);
            puzzle->groups.Append(g);
        }
    }
};

// One loose piece dropped two pixels off its place beside a loose neighbour.
void BM_DropSinglePieceThatJoins(benchmark::State& state) {
    Board board;
    CPuzzle* puzzle = board.puzzle.get();
    board.Scatter();
    CPiece* mine = puzzle->PieceAt(25, 20);
    CPiece* theirs = puzzle->PieceAt(24, 20);
    CPieceGroup* own = mine->group;
    puzzle->AddToSelection(own);
    for (auto _ : state) {
        state.PauseTiming();
        // Take the piece back out of the group it joined last time.
        if (mine->group != own) {
            mine->group->pieces.Remove(mine);
            own->AddPiece(mine);
        }
        own->PlaceAt(theirs->x + 32 + 2, theirs->y - 2);
        state.ResumeTiming();
        puzzle->DropSelection();
        benchmark::DoNotOptimize(mine->group);
    }
    if (mine->group == own) state.SkipWithError("the drop did not join");
}
BENCHMARK(BM_DropSinglePieceThatJoins)->Unit(benchmark::kMicrosecond);

// The heavy case: a 1999-piece group whose fitting pieces are near the end of its list,
// dropped beside the one loose piece; all of its pieces move over.
void BM_DropLargeGroupThatJoins(benchmark::State& state) {
    Board board;
    CPuzzle* puzzle = board.puzzle.get();
    CPiece* single = puzzle->PieceAt(kCols - 1, kRows - 1);
    for (auto _ : state) {
        state.PauseTiming();
        puzzle->ClearGroups();
        CPieceGroup* big = puzzle->NewGroup();
        for (auto& piece : puzzle->pieces) {
            if (piece.get() != single) big->AddPiece(piece.get());
        }
        puzzle->groups.Append(big);
        CPieceGroup* lone = puzzle->NewGroup();
        lone->AddPiece(single);
        lone->PlaceAt(3000, 3000);
        puzzle->groups.Append(lone);
        big->PlaceAt(3000 - (kCols - 1) * 32 + 2, 3000 - (kRows - 1) * 32 + 1);
        puzzle->AddToSelection(big);
        state.ResumeTiming();
        puzzle->DropSelection();
        benchmark::DoNotOptimize(lone->pieces.Size());
    }
}
BENCHMARK(BM_DropLargeGroupThatJoins)->Unit(benchmark::kMicrosecond);

// A drop that finds nothing: every side of a loose piece is tried and rejected.
void BM_DropSinglePieceThatMisses(benchmark::State& state) {
    Board board;
    CPuzzle* puzzle = board.puzzle.get();
    board.Scatter();
    puzzle->AddToSelection(puzzle->PieceAt(25, 20)->group);
    for (auto _ : state)
        puzzle->DropSelection();
}
BENCHMARK(BM_DropSinglePieceThatMisses)->Unit(benchmark::kMicrosecond);

} // namespace
