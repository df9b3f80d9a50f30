#pragma once
// A scripted platform and the global application objects for tests of the shell without a
// whole start-up: the puzzle, the application object, the clock and the status bar.
#include "app/CMainApp.h"
#include "app/CStatusBar.h"
#include "app/Globals.h"
#include "clock/CGameClock.h"
#include "platform/Platform.h"
#include "play/CPuzzle.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

class AppFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        platform = std::make_unique<ScriptedPlatform>(temp.Str());
        platform->screen.usableWidth = 1280;
        platform->screen.usableHeight = 1000;
        SetPlatform(platform.get());
        g_tempDirectory = temp.Str();
        g_puzzle = new CPuzzle;
        g_mainApp = new CMainApp;
        g_clock = new CGameClock;
        g_statusBar = new CStatusBar(1);
    }

    void TearDown() override {
        // The store is closed so tearing down writes nothing a test could mistake for its own.
        platform->settingsAvailable = false;
        delete g_puzzle;
        g_puzzle = nullptr;
        delete g_mainApp;
        g_mainApp = nullptr;
        delete g_clock;
        g_clock = nullptr;
        delete g_statusBar;
        g_statusBar = nullptr;
        SetPlatform(nullptr);
    }

    std::string Status(int part) { return platform->statusTexts[part]; }

    TempDir temp;
    std::unique_ptr<ScriptedPlatform> platform;
};
