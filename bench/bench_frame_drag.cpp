// Dragging on a full board: a 1600 x 1280 picture published at cell size 32 (50 x 40 = 2000
// pieces), started through the game's own start-up and cutting, with a 200-piece group held.
// One frame is the group moved to the mouse and the whole board drawn into a 1920 x 1080
// RGB32 back buffer; a drop is the button release that joins and draws again.
#include "app/CMainApp.h"
#include "app/Commands.h"
#include "app/GameMain.h"
#include "app/Globals.h"
#include "app/WndProc.h"
#include "imaging/BmpCodec.h"
#include "imaging/DecodedImage.h"
#include "play/CMouseController.h"
#include "play/CPuzzle.h"

#include "NullPlatform.h"
#include "Publisher.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <mutex>

namespace {

constexpr int kBlockCols = 20; // the held group: 20 x 10 pieces
constexpr int kBlockRows = 10;
constexpr int kBlockCol0 = 15;
constexpr int kBlockRow0 = 15;

// A window system that shows nothing: presents are dropped, and messages posted by the
// loader are queued for the benchmark's own thread to hand to the window procedure.
class QuietPlatform : public NullPlatform {
  public:
    std::string TempDirectory() override { return tempDir; }
    std::string ExecutablePath() override { return executable; }
    HWND CreateMainWindow(const std::string&, int, int, WindowProcedure proc) override {
        procedure = proc;
        return 1;
    }
    ScreenInfo Screen() override {
        ScreenInfo s;
        s.width = s.usableWidth = 1920;
        s.height = s.usableHeight = 1080;
        s.bitsPerPixel = 32;
        return s;
    }
    bool Present(const FrameView& frame) override {
        benchmark::DoNotOptimize(frame.pixels);
        return true;
    }
    void PostMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        std::lock_guard<std::mutex> lock(mutex);
        queue.push_back({message, wParam, lParam});
        posted.notify_all();
    }

    // Hands queued messages to the window until the loader's end has been handled.
    bool PumpUntilLoaded() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(5);
        while (g_puzzle->loaderBusy) {
            std::unique_lock<std::mutex> lock(mutex);
            if (!posted.wait_until(lock, deadline, [this] { return !queue.empty(); })) return false;
            const Message m = queue.front();
            queue.pop_front();
            lock.unlock();
            procedure(1, m.message, m.wParam, m.lParam);
        }
        return true;
    }

    std::string tempDir;
    std::string executable;
    WindowProcedure procedure = nullptr;

  private:
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::mutex mutex;
    std::condition_variable posted;
    std::deque<Message> queue;
};

// The published game, loaded once for every benchmark in this file and left running.
struct LoadedGame {
    QuietPlatform platform;
    CPieceGroup* block = nullptr; // the 200-piece group
    bool ready = false;
    double startToLoadedMs = 0; // from GameStartup to the loader's end handled, once

    LoadedGame() {
        namespace fs = std::filesystem;
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        const fs::path dir = fs::temp_directory_path() / ("pictorra-bench-" + std::to_string(stamp));
        fs::create_directories(dir);
        platform.tempDir = dir.string() + "/";

        DecodedImage picture;
        picture.width = 1600;
        picture.height = 1280;
        picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                picture.pixels[static_cast<std::size_t>(y) * picture.width + x] = static_cast<std::uint32_t>(
                    (x * 255 / picture.width) << 16 | (y * 255 / picture.height) << 8 | ((x ^ y) & 0xFF));
        const std::string picturePath = (dir / "harbour.bmp").string();
        const std::string program = (dir / "game-program").string();
        std::ofstream(program, std::ios::binary) << std::string(4096, 'P');
        if (!WriteBmpFile(picturePath, picture)) return;

        publish::PublishRequest request;
        request.gameProgram = program;
        request.picturePath = picturePath;
        request.cutName = "medium";
        request.title = "Harbour";
        request.output = (dir / "Harbour.exe").string();
        publish::PublishSummary summary;
        std::string error;
        if (!publish::Publisher::Publish(request, &summary, &error)) {
            std::fprintf(stderr, "publishing failed: %s\n", error.c_str());
            return;
        }
        platform.executable = request.output;
        const auto started = std::chrono::steady_clock::now();
        if (!GameStartup(&platform, 4242u) || !platform.PumpUntilLoaded()) return;
        startToLoadedMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
        if (g_puzzle->pieces.size() != 2000 || cellSize != 32) return;

        // Join a 20 x 10 block into one group and put it in the middle of the view.
        block = g_puzzle->PieceAt(kBlockCol0, kBlockRow0)->group;
        for (int r = 0; r < kBlockRows; ++r)
            for (int c = 0; c < kBlockCols; ++c) {
                CPieceGroup* own = g_puzzle->PieceAt(kBlockCol0 + c, kBlockRow0 + r)->group;
                if (own != block) own->MergeInto(block);
            }
        block->PlaceAt(g_mainApp->scrollX + 500, g_mainApp->scrollY + 300);
        ready = block->pieces.Size() == kBlockCols * kBlockRows;
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }

    // The block alone selected and held, as after a press on it.
    void HoldBlock() {
        g_puzzle->ClearSelection();
        g_puzzle->AddToSelection(block, true);
        g_puzzle->mouse->dragging = 1;
    }
};

LoadedGame& Game() {
    static LoadedGame* game = new LoadedGame; // left to the end of the process
    return *game;
}

int PiecesInView() {
    int inView = 0;
    for (const auto& piece : g_puzzle->pieces) {
        const int x = piece->x - g_mainApp->scrollX, y = piece->y - g_mainApp->scrollY;
        inView += x > -64 && x < 1920 && y > -64 && y < 1080;
    }
    return inView;
}

// The whole board drawn with nothing held.
void BM_FrameAtRest(benchmark::State& state) {
    LoadedGame& game = Game();
    if (!game.ready) {
        state.SkipWithError("the game did not load");
        return;
    }
    g_puzzle->ClearSelection();
    for (auto _ : state)
        g_mainApp->Render();
    state.counters["piecesInView"] = PiecesInView();
    state.counters["startToLoadedMs"] = game.startToLoadedMs;
}
BENCHMARK(BM_FrameAtRest)->Unit(benchmark::kMillisecond);

// One loose piece held and moved over the board.
void BM_FrameWhileDraggingOnePiece(benchmark::State& state) {
    LoadedGame& game = Game();
    if (!game.ready) {
        state.SkipWithError("the game did not load");
        return;
    }
    CPieceGroup* single = g_puzzle->PieceAt(0, 0)->group;
    const POINT home{single->x, single->y};
    g_puzzle->ClearSelection();
    g_puzzle->AddToSelection(single, true);
    g_puzzle->mouse->dragging = 1;
    const int x0 = g_mainApp->scrollX + 700, y0 = g_mainApp->scrollY + 400;
    int step = 0;
    for (auto _ : state) {
        ++step;
        g_puzzle->DragSelectionTo(x0 + (step & 7) * 3, y0 + (step & 3) * 2);
        g_mainApp->Render();
    }
    g_puzzle->mouse->dragging = 0;
    single->PlaceAt(home.x, home.y);
    g_puzzle->ClearSelection();
}
BENCHMARK(BM_FrameWhileDraggingOnePiece)->Unit(benchmark::kMillisecond);

void BM_FrameWhileDraggingABigGroup(benchmark::State& state) {
    LoadedGame& game = Game();
    if (!game.ready) {
        state.SkipWithError("the game did not load");
        return;
    }
    game.HoldBlock();
    const int x0 = game.block->x, y0 = game.block->y;
    int step = 0;
    for (auto _ : state) {
        ++step;
        g_puzzle->DragSelectionTo(x0 + (step & 7) * 3, y0 + (step & 3) * 2);
        g_mainApp->Render();
    }
    g_puzzle->DragSelectionTo(x0, y0);
    g_puzzle->mouse->dragging = 0;
    state.counters["piecesInView"] = PiecesInView();
}
BENCHMARK(BM_FrameWhileDraggingABigGroup)->Unit(benchmark::kMillisecond);

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
    LoadedGame& game = Game();
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
    LoadedGame& game = Game();
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

} // namespace
