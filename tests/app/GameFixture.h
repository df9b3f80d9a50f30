#pragma once
// Runs the real start-up on a scripted platform. The executable is a plain file without a
// pack unless a test writes one, so the game starts with an empty board.
#include "app/CMainApp.h"
#include "app/GameMain.h"
#include "app/Globals.h"
#include "platform/Platform.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

class GameFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        platform = std::make_unique<ScriptedPlatform>(temp.File("state"));
        platform->screen.usableWidth = 1280;
        platform->screen.usableHeight = 1000;
        platform->executablePath = temp.File("Harbour.exe");
        std::ofstream(platform->executablePath, std::ios::binary) << std::string(1000, 'M');
    }

    void TearDown() override { GameShutdown(); }

    bool Start() { return GameStartup(platform.get(), 12345u); }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return platform->Send(message, wParam, lParam);
    }
    LRESULT Command(int id) { return Send(WM_COMMAND, static_cast<WPARAM>(id)); }

    bool Running() const { return g_mainApp != nullptr && !platform->quitPosted; }

    std::string Log() {
        std::ifstream in(platform->tempDir + "DUVereLog.txt");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TempDir temp;
    std::unique_ptr<ScriptedPlatform> platform;
};
