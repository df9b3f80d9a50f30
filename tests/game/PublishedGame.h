#pragma once
// Whole-game tests: a puzzle published the way authors publish it, started through the real
// start-up on the scripted platform and driven through the window procedure.
#include "app/CMainApp.h"
#include "app/GameMain.h"
#include "app/Globals.h"
#include "clock/CGameClock.h"
#include "imaging/BmpCodec.h"
#include "imaging/DecodedImage.h"
#include "platform/Platform.h"
#include "play/CPuzzle.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

#include "ArchiveWriter.h"
#include "PackWriter.h"
#include "Publisher.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

class PublishedGame : public ::testing::Test {
  protected:
    void SetUp() override {
        platform = std::make_unique<ScriptedPlatform>(temp.File("state"));
        platform->screen.usableWidth = 1280;
        platform->screen.usableHeight = 1000;
        program = temp.File("game-program");
        std::ofstream(program, std::ios::binary) << std::string(4096, 'P');
    }

    void TearDown() override { GameShutdown(); }

    // A picture with a different colour in every cell, so pieces are told apart.
    static DecodedImage Picture(int w, int h) {
        DecodedImage image;
        image.width = w;
        image.height = h;
        image.pixels.resize(static_cast<std::size_t>(w) * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.pixels[static_cast<std::size_t>(y) * w + x] =
                    static_cast<std::uint32_t>((x * 255 / w) << 16 | (y * 255 / h) << 8 | 0x40);
        return image;
    }

    // Publishes a w x h picture as "<name>.exe" and points the game at it.
    void Publish(int w, int h, const std::string& cut = "medium", const std::string& title = "Boats",
                 const std::string& name = "Boats") {
        const std::string picture = temp.File(name + "-picture.bmp");
        ASSERT_TRUE(WriteBmpFile(picture, Picture(w, h)));
        publish::PublishRequest request;
        request.gameProgram = program;
        request.picturePath = picture;
        request.cutName = cut;
        request.title = title;
        request.output = temp.File(name + ".exe");
        std::string error;
        ASSERT_TRUE(publish::Publisher::Publish(request, &summary, &error)) << error;
        platform->executablePath = request.output;
    }

    bool Start() { return GameStartup(platform.get(), 20240u); }

    bool Loading() const { return g_puzzle && g_puzzle->loaderBusy; }

    // Handles messages until the running load has been finished by the main thread.
    bool PumpUntilLoaded(int timeoutMs = 60000) {
        return platform->PumpUntil([this] { return !Loading(); }, timeoutMs);
    }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return platform->Send(message, wParam, lParam);
    }
    LRESULT Command(int id) { return Send(WM_COMMAND, static_cast<WPARAM>(id)); }

    TempDir temp;
    std::unique_ptr<ScriptedPlatform> platform;
    std::string program;
    publish::PublishSummary summary;
};
