// Cutting whole boards the way the loader does (edges, masks, images on every core): a
// 1600 x 1280 picture at cell 32 (2,000 pieces) or 16 (8,000), the publisher's eight shape
// sets, bevelled, with and without rotation. Also the scatter of 32,000 loose pieces.
#include "app/Globals.h"
#include "app/Random.h"
#include "cutting/CMaskCache.h"
#include "cutting/CPieceMask.h"
#include "cutting/CSideList.h"
#include "cutting/CutContext.h"
#include "cutting/CutTable.h"
#include "cutting/PieceGrid.h"
#include "display/CDisplay.h"
#include "display/CSurface.h"
#include "pack/Loader.h"
#include "play/CPieceGroup.h"
#include "play/CPuzzle.h"

#include "SideShapeGenerator.h"

#include <benchmark/benchmark.h>

namespace {

// What a finished cut holds, in MB: piece images, masks with their runs, the picture copy.
double HeldMb(const CPuzzle& puzzle, const CMaskCache& cache) {
    std::size_t bytes = puzzle.pictureCopy.bits.size();
    for (const auto& piece : puzzle.pieces)
        for (const CSurface* image : piece->images)
            if (image) bytes += static_cast<std::size_t>(image->Pitch()) * image->Height();
    for (const auto& mask : cache.masks)
        bytes += mask->bytes.size() + mask->insideRuns.size() * sizeof(PixelRun);
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

struct Board {
    CDisplay display;
    CSideList sideList;
    CMaskCache maskCache;
    CPuzzle puzzle;
    int cell;

    explicit Board(int cellSize) : cell(cellSize) {
        display.CreateWindowedDisplay(1, 64, 64);
        publish::CutInfo cut = *publish::FindCut("medium");
        cut.cellSize = cell;
        const auto sets = publish::SideShapeGenerator(cut, 77u).Generate();
        for (std::size_t set = 0; set < sets.size(); ++set) {
            ++sideList.setCount;
            for (int slot = 0; slot < 8; ++slot) {
                auto shape =
                    std::make_unique<CSideShape>(static_cast<int>(set), slot, sets[set].partner[slot]);
                shape->width = shape->height = cell;
                shape->map = sets[set].maps[slot].grey;
                sideList.shapes.push_back(std::move(shape));
            }
        }
        display.NewSurface(&puzzle.pictureSurface, 1600, 1280, false);
        for (int y = 0; y < 1280; ++y)
            for (int x = 0; x < 1600; ++x)
                puzzle.pictureSurface->SetPixelColour(x, y, RGB(x % 256, y % 256, (x ^ y) % 256));
        PrepareGrid(&puzzle, cell);
        puzzle.cutStyle = CutMedium;
        puzzle.beveling = 1;
        puzzle.bevellevel = 1;
    }
    ~Board() {
        puzzle.ClearPieces();
        maskCache.Clear();
    }
};

void BM_CutBoard(benchmark::State& state) {
    const int cell = static_cast<int>(state.range(0));
    double held = 0;
    {
        Board board(cell);
        board.puzzle.userotation = static_cast<std::int32_t>(state.range(1));
        GameSeed(42);
        for (auto _ : state) {
            RunCuttingPass({cell, &board.sideList, &board.maskCache, &board.display, GameRand},
                           &board.puzzle);
            state.PauseTiming();
            held = HeldMb(board.puzzle, board.maskCache);
            board.puzzle.ClearPieces();
            board.maskCache.Clear();
            state.ResumeTiming();
        }
        state.counters["pieces"] = static_cast<double>(board.puzzle.cols * board.puzzle.rows);
    }
    state.counters["MB"] = held;
}
BENCHMARK(BM_CutBoard)
    ->ArgNames({"cell", "rotation"})
    ->Args({32, 1})
    ->Args({32, 0})
    ->Args({16, 1})
    ->Args({16, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);

// 32,000 loose pieces (3200 x 2560 cut small) scattered over a 1920 x 1080 area.
void BM_Scatter32000(benchmark::State& state) {
    cellSize = 16;
    CPuzzle puzzle;
    puzzle.cols = 200, puzzle.rows = 160;
    for (int r = 0; r < puzzle.rows; ++r)
        for (int c = 0; c < puzzle.cols; ++c) {
            auto piece = std::make_unique<CPiece>();
            piece->col = c, piece->row = r, piece->x = 900 + c * 16, piece->y = 1200 + r * 16;
            puzzle.pieces.push_back(std::move(piece));
        }
    puzzle.scatterArea = RECT{1540, 1960, 3460, 3040};
    for (auto _ : state) {
        state.PauseTiming();
        puzzle.ClearGroups();
        GameSeed(3);
        state.ResumeTiming();
        puzzle.Scatter();
    }
    state.counters["groups"] = static_cast<double>(puzzle.groups.Size());
    cellSize = 0;
}
BENCHMARK(BM_Scatter32000)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
