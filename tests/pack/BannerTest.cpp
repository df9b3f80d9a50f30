#include "JpegWriter.h"
#include "PackTestFiles.h"
#include "PackWriter.h"
#include "app/CMainApp.h"
#include "app/Globals.h"
#include "display/CDisplay.h"
#include "display/CSurface.h"
#include "imaging/BmpCodec.h"
#include "pack/CProOptions.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {
class Banner : public ::testing::Test {
  protected:
    Banner() {
        SetPlatform(&platform);
        g_tempDirectory = platform.tempDir;
        platform.clientWidth = 800, platform.clientHeight = 560;
        EXPECT_EQ(display.CreateWindowedDisplay(1, 800, 560), S_OK);
        options.display = &display, options.platform = &platform;
    }
    ~Banner() override { g_tempDirectory.clear(), SetPlatform(nullptr); }
    // Delays 10, 20 and 30 on a 4 x 2 canvas: frame 0 covers it, its left half transparent;
    // frames 1 and 2 paint one 2 x 1 corner.
    Bytes ThreeFrameGif() {
        std::vector<GifFrameSpec> frames;
        for (std::uint8_t f = 0; f < 3; ++f)
            frames.push_back({0, 0, f ? 2 : 4, f ? 1 : 2, Bytes(f ? 2 : 8, f), {}, 10 * (f + 1)});
        frames[0].indices = {3, 3, 0, 0, 3, 3, 0, 0}, frames[0].transparentIndex = 3;
        return MakeGif(temp.File("banner.gif"), 4, 2, {0xFF0000, 0x0000FF, 1, 2}, frames);
    }
    int Current() const {
        return options.currentFrame ? int(options.currentFrame - options.frames.data()) : -1;
    }

    TempDir temp;
    ScriptedPlatform platform{temp.File("state")};
    CDisplay display;
    double now = 0.0;
    CProOptions options{[this] { return now; }};
};
} // namespace

TEST_F(Banner, GifFramesAreGreenKeyedBitmapsTimedByTheirDelaysAndAStillPictureNeverAnimates) {
    ThreeFrameGif();
    ASSERT_TRUE(options.LoadBanner(temp.File("banner.gif")));
    std::vector<std::pair<int, std::string>> frames;
    for (const BannerFrame& frame : options.frames)
        frames.emplace_back(frame.duration,
                            frame.surface && frame.surface->transparent ? frame.imageFile : "");
    const std::string t = platform.tempDir;
    EXPECT_EQ(frames, (std::vector<std::pair<int, std::string>>{
                          {100, t + "0.bmp"}, {200, t + "1.bmp"}, {300, t + "2.bmp"}}));
    EXPECT_EQ(options.cycleLength, 600);
    DecodedImage first;
    ASSERT_TRUE(ReadBmpFile(t + "0.bmp", first, nullptr));
    EXPECT_EQ(first.pixels, (std::vector<std::uint32_t>{0xFF00, 0xFF00, 0xFF0000, 0xFF0000, 0xFF00, 0xFF00,
                                                        0xFF0000, 0xFF0000}));
    // Frames beyond the pixels allowed are dropped with their time.
    options.bannerPixelLimit = 16;
    ASSERT_TRUE(options.LoadBanner(temp.File("banner.gif")));
    EXPECT_EQ(std::pair(options.frames.size(), options.cycleLength), std::pair(std::size_t{2}, 300));

    options.bannerPixelLimit = kMaxBannerPixels;
    const std::string jpeg = temp.File("banner.JPG");
    ASSERT_TRUE(
        publish::WriteJpegFile(jpeg, ImageOf(8, 8, std::vector<std::uint32_t>(64, 0x808080)), 90, nullptr));
    ASSERT_TRUE(options.LoadBanner(jpeg));
    EXPECT_EQ(std::tuple(options.frames.size(), options.frames[0].duration, options.cycleLength),
              std::tuple(1u, 0, 0));
    EXPECT_TRUE(options.Tick());
    for (now = 0.25; now < 5.0; now += 0.25)
        EXPECT_FALSE(options.Tick()) << now;
    EXPECT_EQ(options.NextFrameChangeMs(), -1);
}

TEST_F(Banner, FramesFollowTheRunningSumOfDurationsAndTheCycleWraps) {
    for (int d : {100, 200, 300})
        options.frames.push_back(BannerFrame{d, "", nullptr});
    options.cycleLength = 600;
    for (auto [ms, frame] : {std::pair{0, 0}, {100, 0}, {101, 1}, {300, 1}, {350, 2}, {600, 2}}) {
        options.animationTime = static_cast<float>(ms) / 1000.0f;
        options.SelectFrame();
        EXPECT_EQ(Current(), frame) << ms << " ms";
    }
    // Through the idle step: one redraw per change, then the wait until the next one.
    options.animationTime = 0.0f;
    std::vector<std::pair<int, int>> seen;
    for (int step = 0; step <= 10; ++step) { // sixteenths of a second add up exactly
        now = step / 16.0;
        if (options.Tick()) seen.emplace_back(Current(), options.NextFrameChangeMs());
    }
    // 125 ms: frame 1 until 300; 312 ms: frame 2 until the cycle ends at 600; 625 ms: time starts again.
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{0, 101}, {1, 176}, {2, 288}, {0, 101}}));
    options.animationTime = 0.6f; // the cycle's end itself starts it again
    EXPECT_EQ(std::pair(options.Tick(), Current()), std::pair(false, 0));
}

TEST_F(Banner, NinePlacementsInTheWindowAndAnInclusiveHitTest) {
    CSurface* surface = nullptr;
    ASSERT_EQ(display.NewSurface(&surface, 60, 30, false), S_OK);
    options.frames.push_back(BannerFrame{0, "", std::unique_ptr<CSurface>(surface)});
    options.SelectFrame();
    EXPECT_FALSE(options.HitTest(0, 0)); // nothing drawn yet
    // W = 800, H = 560 - 20, w = 60, h = 30.
    const int lefts[] = {0, 370, 740}, tops[] = {0, 255, 510};
    for (int code = -1; code <= 9; ++code) {
        options.extras.placement = code;
        options.DrawBanner();
        const bool known = code >= 0 && code <= 8;
        const int left = known ? lefts[code % 3] : 60, top = known ? tops[code / 3] : 60;
        EXPECT_EQ(
            std::tuple(options.bannerLeft, options.bannerTop, options.bannerRight, options.bannerBottom),
            std::tuple(left, top, left + 60, top + 30))
            << code;
    }
    options.extras.placement = 8;
    options.DrawBanner();
    EXPECT_TRUE(options.HitTest(740, 510) && options.HitTest(800, 540));
    EXPECT_FALSE(options.HitTest(739, 520) || options.HitTest(760, 541));
}

TEST_F(Banner, OnlyWebAndMailAddressesAreOpened) {
    options.extras.linkFlag = 1;
    // Which addresses pass is the shared rule's business; here only that it is asked.
    for (auto [address, opened] :
         {std::pair{"www.example.org/a", "www.example.org/a"}, {"file:///etc/passwd", ""}}) {
        platform.shellLog.clear();
        options.extras.linkAddress = address;
        EXPECT_EQ(options.OpenLink(), *opened ? 42 : 0) << address;
        EXPECT_EQ(platform.shellLog, *opened ? std::vector<std::string>{std::string("open ") + opened}
                                             : std::vector<std::string>{});
    }
}

TEST_F(Banner, ExtrasFromThePackNeverReachOutsideTheirFilesOrReviveOldOnes) {
    const auto startWith = [&](const std::string& extension,
                               const std::vector<publish::PackEntrySource>& more) {
        AuthorExtras record;
        record.title = "Harbour", record.bannerFlag = 1, record.imageExtension = extension,
        record.infoPageFlag = 1;
        std::vector<publish::PackEntrySource> entries{{"_pro_options", EncodeAuthorExtras(record)}};
        entries.insert(entries.end(), more.begin(), more.end());
        Bytes program(4096, 0xCC);
        ASSERT_TRUE(publish::AppendPackToImage(&program, entries, nullptr));
        WriteBytes(g_moduleFileName = temp.File("Harbour.exe"), program);
        g_proOptions = &options;
        CMainApp app;
        EXPECT_TRUE(app.UnPackEXE() && app.ExtractProOptions());
        g_proOptions = nullptr, g_moduleFileName.clear();
    };
    // Within the length allowed, and a way out if the folder "pro_image." existed.
    std::filesystem::create_directories(platform.tempDir + "pro_image.");
    startWith("/../../e", {{"_pro_image", ThreeFrameGif()}});
    EXPECT_FALSE(std::filesystem::exists(temp.Path() / "e"));
    // A pack without the picture or the page must not show what an earlier puzzle left.
    WriteBytes(platform.tempDir + "pro_image.gif", ThreeFrameGif());
    WriteBytes(platform.tempDir + "pro_info_file", ToBytes("<p>another puzzle</p>"));
    startWith("gif", {});
    EXPECT_EQ(std::tuple(options.present, options.extras.title, options.frames.size()),
              std::tuple(1, "Harbour", 0u));
    EXPECT_FALSE(std::filesystem::exists(platform.tempDir + "pro_info_file"));
}
