#pragma once
// A scripted platform and the game's owners for tests of the shell without a whole start-up.
#include "preview/CPreviewWnd.h"
#include "support/ScopedGame.h"
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
        game = std::make_unique<ScopedGame>(*platform, 0);
        preview = g_mainApp->previewWnd = new CPreviewWnd(*platform, 1, 1);
    }

    TempDir temp;
    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<ScopedGame> game;
    CPreviewWnd* preview = nullptr; // the application's
};
