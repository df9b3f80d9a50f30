#pragma once
// The puzzle, application, clock and status bar for tests that need part of the game without
// a whole start-up; the globals point at them while this object lives.
#include "app/CMainApp.h"
#include "app/CStatusBar.h"
#include "app/Globals.h"
#include "clock/CGameClock.h"
#include "play/CMouseController.h"
#include "play/CPuzzle.h"
#include "support/ScriptedPlatform.h"

#include <memory>

class ScopedGame {
  public:
    explicit ScopedGame(ScriptedPlatform& platform, int cell = 32) : platform(platform) {
        SetPlatform(&platform);
        g_tempDirectory = g_stateDirectory = platform.tempDir;
        cellSize = cell;
        g_clock = (clock = std::make_unique<CGameClock>()).get();
        g_statusBar = (statusBar = std::make_unique<CStatusBar>(1)).get();
        g_mainApp = (app = std::make_unique<CMainApp>()).get();
        g_puzzle = (puzzle = std::make_unique<CPuzzle>()).get();
        puzzle->mouse->app = app.get();
        puzzle->mouse->clock = clock.get();
    }
    ~ScopedGame() {
        // The store is closed so tearing down writes nothing a test could mistake for its own.
        platform.settingsAvailable = false;
        puzzle.reset();
        app.reset();
        g_puzzle = nullptr, g_mainApp = nullptr, g_clock = nullptr, g_statusBar = nullptr;
        cellSize = 0;
        SetPlatform(nullptr);
    }
    ScriptedPlatform& platform;
    std::unique_ptr<CGameClock> clock;
    std::unique_ptr<CStatusBar> statusBar;
    std::unique_ptr<CMainApp> app;
    std::unique_ptr<CPuzzle> puzzle;
};
