#pragma once
// The scripted platform, the puzzle with its preferences and the application owning a
// preview window, for the options dialog and the preview without a whole start-up.
#include "app/CMainApp.h"
#include "app/Globals.h"
#include "platform/Platform.h"
#include "play/CPuzzle.h"
#include "preview/CPreviewWnd.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

class UiFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        platform = std::make_unique<ScriptedPlatform>(temp.Str());
        platform->settingsAvailable = false;
        SetPlatform(platform.get());
        g_puzzle = new CPuzzle;
        g_mainApp = new CMainApp;
        preview = g_mainApp->previewWnd = new CPreviewWnd(*platform, 1, 1);
    }

    void TearDown() override {
        delete g_mainApp;
        g_mainApp = nullptr;
        delete g_puzzle;
        g_puzzle = nullptr;
        SetPlatform(nullptr);
    }

    TempDir temp;
    std::unique_ptr<ScriptedPlatform> platform;
    CPreviewWnd* preview = nullptr;
};
