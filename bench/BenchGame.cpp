#include "BenchGame.h"

#include "app/CMainApp.h"
#include "app/GameMain.h"
#include "app/Globals.h"
#include "imaging/BmpCodec.h"
#include "imaging/DecodedImage.h"
#include "play/CPuzzle.h"

#include "Publisher.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

HWND QuietPlatform::CreateMainWindow(const std::string&, int, int, WindowProcedure proc) {
    procedure = proc;
    screen.assign(static_cast<std::size_t>(kWidth) * kHeight * 4, 0);
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
    if (screen.size() < bytes) screen.resize(bytes); // a back buffer grown past the screen
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

bool QuietPlatform::PumpUntilLoaded() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(5);
    while (g_puzzle && g_puzzle->loaderBusy) {
        std::unique_lock<std::mutex> lock(mutex);
        if (!posted.wait_until(lock, deadline, [this] { return !queue.empty(); })) return false;
        const Message m = queue.front();
        queue.pop_front();
        lock.unlock();
        procedure(1, m.message, m.wParam, m.lParam);
    }
    return true;
}

LoadedGame::LoadedGame(const BoardSpec& wanted) : spec(wanted) {
    static int games = 0;
    run = ++games;
    namespace fs = std::filesystem;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path dir = fs::temp_directory_path() / ("pictorra-bench-" + std::to_string(stamp));
    fs::create_directories(dir);
    platform.tempDir = dir.string() + "/";

    DecodedImage picture;
    picture.width = spec.pictureWidth;
    picture.height = spec.pictureHeight;
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
    request.cutName = spec.cut;
    request.title = "Harbour";
    request.output = (dir / "Harbour.exe").string();
    publish::PublishSummary summary;
    std::string error;
    if (!publish::Publisher::Publish(request, &summary, &error)) {
        std::fprintf(stderr, "publishing failed: %s\n", error.c_str());
        return;
    }
    platform.executable = request.output;
    if (!GameStartup(&platform, 4242u) || !platform.PumpUntilLoaded()) return;
    std::error_code ignored;
    fs::remove_all(dir, ignored);
    ready = g_puzzle && g_puzzle->pieces.size() == spec.pieces;
}

LoadedGame::~LoadedGame() {
    if (Platform() == &platform) GameShutdown();
}

LoadedGame& Game(const BoardSpec& spec) {
    static LoadedGame* running = nullptr; // the last one is left to the end of the process
    const bool same = running && running->spec.pictureWidth == spec.pictureWidth &&
                      running->spec.pictureHeight == spec.pictureHeight &&
                      std::strcmp(running->spec.cut, spec.cut) == 0 && Platform() == &running->platform;
    if (!same) {
        delete running;
        // A game some other benchmark left running is ended too.
        if (g_mainApp) GameShutdown();
        running = new LoadedGame(spec);
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
