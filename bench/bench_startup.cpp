// Start-up of a published puzzle: from GameStartup until the loader's end has been handled and
// the first frame drawn. 2,000 pieces (a 1600 x 1280 JPEG cut medium, cell size 32) with and
// without rotation, and 32,000 (3200 x 2560 cut small, cell size 16) without. Beside the
// time, the longest the window procedure spent on one message: how long the game froze. Every sample starts
// the game in a fresh state folder and shuts it down again, so no saved position or extracted file of an
// earlier sample is reused.
#include "app/GameMain.h"
#include "app/Globals.h"
#include "imaging/DecodedImage.h"
#include "play/CPuzzle.h"

#include "JpegWriter.h"
#include "NullPlatform.h"
#include "Publisher.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <ctime>
#include <deque>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// No window: presents are dropped, messages posted by the loader are queued for the
// benchmark's thread, and the settings store answers only the rotation switch.
class StartupPlatform : public NullPlatform {
  public:
    std::string TempDirectory() override { return stateDir; }
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
    bool SettingsOpen() override { return true; }
    bool SettingsReadDword(const std::string& name, std::uint32_t& value) override {
        if (name != "userotation") return false;
        value = rotation ? 1 : 0;
        return true;
    }

    bool PumpUntilLoaded(double* longestStepMs) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(5);
        while (g_puzzle && g_puzzle->loaderBusy) {
            std::unique_lock<std::mutex> lock(mutex);
            if (!posted.wait_until(lock, deadline, [this] { return !queue.empty(); })) return false;
            const Message m = queue.front();
            queue.pop_front();
            lock.unlock();
            const auto stepStart = std::chrono::steady_clock::now();
            procedure(1, m.message, m.wParam, m.lParam);
            const std::chrono::duration<double, std::milli> step =
                std::chrono::steady_clock::now() - stepStart;
            *longestStepMs = std::max(*longestStepMs, step.count());
        }
        return g_puzzle != nullptr;
    }
    void DropMessages() {
        std::lock_guard<std::mutex> lock(mutex);
        queue.clear();
    }

    std::string stateDir;
    std::string executable;
    bool rotation = false;
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

// A smooth picture with some detail, saved as a JPEG the way an author's photo would be.
bool WriteJpegPicture(const std::string& path, int width, int height) {
    DecodedImage picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.pixels[static_cast<std::size_t>(y) * picture.width + x] = static_cast<std::uint32_t>(
                (x * 255 / picture.width) << 16 | (y * 255 / picture.height) << 8 | ((x ^ y) & 0xFF));
    std::string error;
    return publish::WriteJpegFile(path, picture, 85, &error);
}

// A published program, made once for every sample of its size.
struct PublishedGame {
    fs::path dir;
    std::string executable;

    PublishedGame(int width, int height, const char* cut) {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        dir = fs::temp_directory_path() / ("pictorra-startup-" + std::to_string(stamp));
        fs::create_directories(dir);
        const std::string picturePath = (dir / "harbour.jpg").string();
        const std::string program = (dir / "game-program").string();
        std::ofstream(program, std::ios::binary) << std::string(4096, 'P');
        if (!WriteJpegPicture(picturePath, width, height)) return;
        publish::PublishRequest request;
        request.gameProgram = program;
        request.picturePath = picturePath;
        request.cutName = cut;
        request.title = "Harbour";
        request.output = (dir / "Harbour.exe").string();
        publish::PublishSummary summary;
        std::string error;
        if (!publish::Publisher::Publish(request, &summary, &error)) {
            std::fprintf(stderr, "publishing failed: %s\n", error.c_str());
            return;
        }
        executable = request.output;
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
    StartupPlatform platform;
    platform.executable = published.executable;
    platform.rotation = state.range(0) != 0;
    int sample = 0;
    double cpuMs = 0;
    double longestStepMs = 0;
    for (auto _ : state) {
        const fs::path stateDir = published.dir / ("state-" + std::to_string(++sample));
        fs::create_directories(stateDir);
        platform.stateDir = stateDir.string() + "/";

        const std::clock_t cpuStart = std::clock();
        const auto started = std::chrono::steady_clock::now();
        const bool loaded = GameStartup(&platform, 4242u) && platform.PumpUntilLoaded(&longestStepMs);
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
    state.counters["longestStepMs"] = longestStepMs;
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
