// Cutting a 640 x 480 picture at cell size 32 (20 x 15 = 300 pieces), as the loader does:
// masks, images and bevel, with and without rotation.
#include "app/Random.h"
#include "cutting/CMaskCache.h"
#include "cutting/CSideList.h"
#include "cutting/CutContext.h"
#include "cutting/CutTable.h"
#include "cutting/PieceGrid.h"
#include "cutting/PieceImages.h"
#include "display/CDisplay.h"
#include "display/CSurface.h"
#include "play/CPuzzle.h"

#include <benchmark/benchmark.h>

namespace {

struct CuttingSetup {
    CDisplay display;
    CSideList sideList;
    CMaskCache maskCache;
    CutContext context{32, &sideList, &maskCache, &display, GameRand};
    std::unique_ptr<CPuzzle> puzzle;

    CuttingSetup() {
        display.CreateWindowedDisplay(1, 64, 64);
        // Two sets of round-ish tabs and hollows, like a published "medium" side list.
        const int cell = 32, h = 16, r = 6;
        for (int set = 0; set < 2; ++set) {
            ++sideList.setCount;
            for (int slot = 0; slot < 8; ++slot) {
                auto shape = std::make_unique<CSideShape>(set, slot, (slot + 2) % 4 + (slot & 4));
                shape->width = shape->height = cell;
                shape->map.assign(cell * cell, 0);
                const int dir = slot % 4;
                const bool tab = slot < 4;
                const int cx[4] = {h + r, h, h - r - 1, h};
                const int cy[4] = {h, h + r, h, h - r - 1};
                const int dx = tab ? 0 : (dir == 0 ? -2 * r : dir == 2 ? 2 * r : 0);
                const int dy = tab ? 0 : (dir == 1 ? -2 * r : dir == 3 ? 2 * r : 0);
                for (int y = 0; y < cell; ++y)
                    for (int x = 0; x < cell; ++x) {
                        const int ex = x - cx[dir] - dx, ey = y - cy[dir] - dy;
                        if (ex * ex + ey * ey <= r * r) shape->map[y * cell + x] = tab ? 255 : 100;
                    }
                sideList.shapes.push_back(std::move(shape));
            }
        }
        puzzle = std::make_unique<CPuzzle>();
        CSurface* picture = nullptr;
        display.NewSurface(&picture, 640, 480, false);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                picture->SetPixelColour(x, y, RGB(x % 256, y % 256, (x ^ y) % 256));
        puzzle->pictureSurface = picture;
        PrepareGrid(puzzle.get(), context.cellSize);
        puzzle->cutStyle = CutMedium;
        puzzle->beveling = 1;
        puzzle->bevellevel = 1;
    }
    ~CuttingSetup() {
        puzzle.reset();
        maskCache.Clear();
    }

    void CutAll() {
        CPuzzle* p = puzzle.get();
        p->pieces.clear();
        for (int i = 0; i < p->cols * p->rows; ++i)
            p->pieces.push_back(std::make_unique<CPiece>());
        PreparePieceBuild(context, p);
        for (int r = 0; r < p->rows; ++r)
            for (int c = 0; c < p->cols; ++c)
                p->pieces[r * p->cols + c]->Cut(context, p, c, r);
    }
};

void BM_Cut640x480(benchmark::State& state) {
    CuttingSetup setup;
    setup.puzzle->userotation = static_cast<std::int32_t>(state.range(0));
    GameSeed(42);
    for (auto _ : state) {
        setup.CutAll();
        benchmark::DoNotOptimize(setup.puzzle->pieces.back()->images[0]);
    }
    state.counters["pieces"] = static_cast<double>(setup.puzzle->pieces.size());
    state.counters["masks"] = static_cast<double>(setup.maskCache.Size());
}
BENCHMARK(BM_Cut640x480)->ArgName("rotation")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
