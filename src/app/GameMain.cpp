#include "app/GameMain.h"

#include "app/CMainApp.h"
#include "app/CStatusBar.h"
#include "app/Globals.h"
#include "app/Log.h"
#include "app/Random.h"
#include "app/Settings.h"
#include "app/WndProc.h"
#include "clock/CGameClock.h"
#include "cutting/CMaskCache.h"
#include "cutting/CPieceMask.h"
#include "cutting/CSideList.h"
#include "display/CDisplay.h"
#include "pack/CProOptions.h"
#include "platform/Platform.h"
#include "platform/RunFolder.h"
#include "platform/SystemPaths.h"
#include "play/CPuzzle.h"

#include <ctime>
#include <filesystem>
#include <system_error>

namespace {
template <typename T> void DeleteGlobal(T*& object) {
    delete object;
    object = nullptr;
}

// The private folders every file of the run goes to: the platform's state folder, or one of
// the user's own under the system's temporary folder when that cannot be had. Without
// either the game says so and does not start: no file is ever written anywhere else.
bool OpenFolders(IPlatform* platform, PrivateFolder& state) {
    state = ChoosePrivateFolder(platform->TempDirectory(), SystemTempRoot());
    if (!state.path.empty()) {
        g_runFolder = new RunFolder(state.path);
        if (!g_runFolder->Path().empty()) {
            g_stateDirectory = state.path;
            g_tempDirectory = g_runFolder->Path();
            return true;
        }
        DeleteGlobal(g_runFolder);
    }
    platform->MessageBox("The game found no private folder for its working files (its state folder and the "
                         "system's temporary folder could not be used).\nThe game will now close.",
                         "Error", MB_OK | MB_ICONERROR);
    return false;
}

// Once the workers are gone nothing uses this copy's transient files any more.
void CloseFolders() {
    DeleteGlobal(g_runFolder);
    g_tempDirectory.clear(), g_stateDirectory.clear();
}

std::string WorkingDirectory() {
    std::error_code error;
    std::filesystem::path path = std::filesystem::current_path(error);
    return error ? std::string() : path.string();
}
} // namespace

bool InitApp(HWND window) {
    if (g_runFolder) LogInit(g_stateDirectory + g_runFolder->LogName());
    LogWrite(0, "Working Directory is %s", WorkingDirectory().c_str());

    g_display = new CDisplay;
    g_puzzle = new CPuzzle;
    g_sideList = new CSideList;
    g_maskCache = new CMaskCache;
    g_mainApp = new CMainApp;
    g_clock = new CGameClock;
    g_proOptions = new CProOptions;
    g_proOptions->display = g_display;
    g_proOptions->app = g_mainApp;
    g_proOptions->platform = Platform();
    g_mainApp->window = window;

    g_mainApp->Init();
    return true;
}

void Destructor() {
    if (g_proOptions) g_proOptions->ShowClosingPage();
    // The puzzle goes first: it stops the workers, which use every object below.
    DeleteGlobal(g_puzzle);
    DeleteGlobal(g_mainApp);
    DeleteGlobal(g_display);
    DeleteGlobal(g_sideList);
    DeleteGlobal(g_maskCache);
    DeleteGlobal(g_clock);
    DeleteGlobal(g_proOptions);
}

void IdleStep() {
    if (!g_proOptions) return;
    g_proOptions->Tick();
    // Nothing changes on screen before the banner's next frame is due.
    if (IPlatform* platform = Platform()) platform->ScheduleIdle(g_proOptions->NextFrameChangeMs());
}

bool GameStartup(IPlatform* platform, std::optional<std::uint32_t> seed) {
    if (!platform) return false;
    SetPlatform(platform);
    g_moduleFileName = platform->ExecutablePath();
    if (g_moduleFileName.empty()) return false;
    GameSeed(seed ? *seed : static_cast<std::uint32_t>(std::time(nullptr)));
    PrivateFolder state;
    if (!OpenFolders(platform, state)) return false;

    HWND window = platform->CreateMainWindow(" ", 800, 600, WndProc);
    if (!window) return false;
    g_statusBar = new CStatusBar(window);

    if (!InitApp(window)) {
        LogWrite(0, "InitApp Failed");
        return false;
    }
    if (state.fallback) LogWrite(0, "The state folder could not be used; working files are kept in %s", state.path.c_str());
    LoadSettings(*g_puzzle);
    g_mainApp->LoadPuzzle();
    return true;
}

void GameEnd() {
    // Ending without Destructor saves nothing, but no worker may outlive the run.
    if (g_puzzle) g_puzzle->StopWorkers();
}

void GameShutdown() {
    if (g_mainApp) Destructor();
    DeleteGlobal(g_statusBar);
    CloseFolders();
    SetPlatform(nullptr);
}

int GameMain(IPlatform* platform) {
    if (!GameStartup(platform)) {
        CloseFolders();
        return -1;
    }
    const int code = platform->RunMessageLoop(IdleStep);
    GameEnd();
    CloseFolders();
    return code;
}
