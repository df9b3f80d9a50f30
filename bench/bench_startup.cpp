// Start-up of a published puzzle: from GameStartup until the loader's end has been handled and
// the first frame drawn. 2,000 pieces (a 1600 x 1280 JPEG cut medium, cell size 32) with and
// without rotation, and 32,000 (3200 x 2560 cut small, cell size 16) without. Beside the time,
// the longest the window procedure spent on one message: how long the game froze. Every sample
// starts the game in a fresh state folder and shuts it down again, so no saved position or
// extracted file of an earlier sample is reused.
#include "app/GameMain.h"
#include "app/Globals.h"
#include "play/CPuzzle.h"

#include "BenchGame.h"
#include "BenchPuzzle.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// A published program, made once for every sample of its size.
struct PublishedGame {
    fs::path dir;
    std::string executable;

    PublishedGame(int width, int height, const char* cut) {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        dir = fs::temp_directory_path() / ("pictorra-startup-" + std::to_string(stamp));
        fs::create_directories(dir);
        executable = PublishRampPuzzle(dir, width, height, cut, RampFormat::Jpeg);
    }
    ~PublishedGame() {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
};

PublishedGame& Published(std::int64_t pieces) {
    if (pieces == 32000) {
        static PublishedGame large(3200, 2560, "small");
        return large;
    }
    static PublishedGame game(1600, 1280, "medium");
    return game;
}

void BM_StartToLoaded(benchmark::State& state) {
    const std::int64_t pieces = state.range(1);
    PublishedGame& published = Published(pieces);
    if (published.executable.empty()) {
        state.SkipWithError("publishing failed");
        return;
    }
    // A game another benchmark left running is ended first: the game's objects are process-wide.
    if (g_mainApp) GameShutdown();
    QuietPlatform platform;
    platform.executable = published.executable;
    platform.rotation = state.range(0) != 0;
    int sample = 0;
    double cpuMs = 0;
    for (auto _ : state) {
        const fs::path stateDir = published.dir / ("state-" + std::to_string(++sample));
        fs::create_directories(stateDir);
        platform.tempDir = stateDir.string() + "/";

        const std::clock_t cpuStart = std::clock();
        const auto started = std::chrono::steady_clock::now();
        const bool loaded = GameStartup(&platform, 4242u) && platform.PumpUntilLoaded();
        const auto ended = std::chrono::steady_clock::now();
        cpuMs += 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        state.SetIterationTime(std::chrono::duration<double>(ended - started).count());
        const bool complete = loaded && static_cast<std::int64_t>(g_puzzle->pieces.size()) == pieces;

        GameShutdown();
        platform.DropMessages();
        std::error_code ignored;
        fs::remove_all(stateDir, ignored);
        if (!complete) {
            state.SkipWithError("the game did not load all its pieces");
            return;
        }
    }
    // The whole process: the loader's threads count too.
    state.counters["processCpuMs"] = benchmark::Counter(cpuMs, benchmark::Counter::kAvgIterations);
    state.counters["longestStepMs"] = platform.longestStepMs;
}
BENCHMARK(BM_StartToLoaded)
    ->ArgNames({"rotation", "pieces"})
    ->Args({1, 2000})
    ->Args({0, 2000})
    ->Args({0, 32000})
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
