#include "BenchGame.h"

#include "app/CMainApp.h"
#include "app/GameMain.h"
#include "app/Globals.h"
#include "play/CPuzzle.h"

#include "BenchPuzzle.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>

HWND QuietPlatform::CreateMainWindow(const std::string&, int, int, WindowProcedure proc) {
    procedure = proc;
    return 1;
}

ScreenInfo QuietPlatform::Screen() {
    ScreenInfo s;
    s.width = s.usableWidth = kWidth;
    s.height = s.usableHeight = kHeight;
    s.bitsPerPixel = 32;
    return s;
}

bool QuietPlatform::Present(const FrameView&) {
    ++fullPresents;
    return true;
}

bool QuietPlatform::PresentPart(const FrameView& frame, const RECT& changed) {
    ++partPresents;
    const int w = changed.right - changed.left, h = changed.bottom - changed.top;
    partPixels += static_cast<std::int64_t>(w) * h;
    const std::size_t bytes = static_cast<std::size_t>(frame.pitch) * frame.height;
    if (screen.size() < bytes) screen.resize(bytes); // made on the first part shown
    const int bpp = frame.width > 0 ? frame.pitch / frame.width : 4;
    for (int y = changed.top; y < changed.bottom; ++y) {
        const std::size_t at =
            static_cast<std::size_t>(y) * frame.pitch + static_cast<std::size_t>(changed.left) * bpp;
        std::memcpy(screen.data() + at, frame.pixels + at, static_cast<std::size_t>(w) * bpp);
    }
    return true;
}

void QuietPlatform::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    std::lock_guard<std::mutex> lock(mutex);
    queue.push_back({message, wParam, lParam});
    posted.notify_all();
}

bool QuietPlatform::SettingsReadDword(const std::string& name, std::uint32_t& value) {
    if (name != "userotation") return false;
    value = rotation ? 1 : 0;
    return true;
}

bool QuietPlatform::PumpUntilLoaded() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(5);
    while (g_puzzle && g_puzzle->loaderBusy) {
        std::unique_lock<std::mutex> lock(mutex);
        if (!posted.wait_until(lock, deadline, [this] { return !queue.empty(); })) return false;
        const Message m = queue.front();
        queue.pop_front();
        lock.unlock();
        const auto stepStart = std::chrono::steady_clock::now();
        procedure(1, m.message, m.wParam, m.lParam);
        const std::chrono::duration<double, std::milli> step = std::chrono::steady_clock::now() - stepStart;
        longestStepMs = std::max(longestStepMs, step.count());
    }
    return g_puzzle != nullptr;
}

void QuietPlatform::DropMessages() {
    std::lock_guard<std::mutex> lock(mutex);
    queue.clear();
}

LoadedGame::LoadedGame(const BoardSpec& wanted) : board(wanted) {
    static int games = 0;
    run = ++games;
    namespace fs = std::filesystem;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path dir = fs::temp_directory_path() / ("pictorra-bench-" + std::to_string(stamp));
    fs::create_directories(dir);
    platform.tempDir = dir.string() + "/";
    platform.executable =
        PublishRampPuzzle(dir, board.pictureWidth, board.pictureHeight, board.cut, RampFormat::Bmp);
    if (platform.executable.empty()) return;
    if (!GameStartup(&platform, 4242u) || !platform.PumpUntilLoaded()) return;
    std::error_code ignored;
    fs::remove_all(dir, ignored);
    ready = g_puzzle && g_puzzle->pieces.size() == board.pieces;
}

LoadedGame::~LoadedGame() {
    if (Platform() == &platform) GameShutdown();
}

LoadedGame& Game(const BoardSpec& board) {
    static LoadedGame* running = nullptr; // the last one is left to the end of the process
    const bool same = running && running->board.pictureWidth == board.pictureWidth &&
                      running->board.pictureHeight == board.pictureHeight &&
                      std::strcmp(running->board.cut, board.cut) == 0 && Platform() == &running->platform;
    if (!same) {
        delete running;
        // A game some other benchmark left running is ended too.
        if (g_mainApp) GameShutdown();
        running = new LoadedGame(board);
    }
    return *running;
}

int PiecesInView() {
    const int side = 2 * cellSize;
    int inView = 0;
    for (const auto& piece : g_puzzle->pieces) {
        const int x = piece->x - g_mainApp->scrollX, y = piece->y - g_mainApp->scrollY;
        inView += x > -side && x < QuietPlatform::kWidth && y > -side && y < QuietPlatform::kHeight;
    }
    return inView;
}
