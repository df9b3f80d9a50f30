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

constexpr std::uint32_t kGreen = 0x00FF00, kRed = 0xFF0000, kBlue = 0x0000FF;

class Banner : public ::testing::Test {
  protected:
    Banner() {
        SetPlatform(&platform);
        g_tempDirectory = platform.tempDir;
        platform.clientWidth = 800, platform.clientHeight = 560;
        EXPECT_EQ(display.CreateWindowedDisplay(1, 800, 560), S_OK);
        options.display = &display;
        options.platform = &platform;
        options.timer = AppTimer([this] { return now; });
        options.timer.Start();
    }
    ~Banner() override {
        g_tempDirectory.clear();
        SetPlatform(nullptr);
    }
    // Three 4 x 2 frames with delays 10, 20 and 30; the left half of frame 0 is transparent.
    std::string ThreeFrameGif() {
        const std::string path = temp.File("banner.gif");
        std::vector<GifFrameSpec> frames(3);
        for (int f = 0; f < 3; ++f) {
            frames[f] = {0, 0, 4, 2, std::vector<std::uint8_t>(8, static_cast<std::uint8_t>(f)), {}, 10 * (f + 1)};
        }
        frames[0].indices = {3, 3, 0, 0, 3, 3, 0, 0};
        frames[0].transparentIndex = 3;
        MakeGif(path, 4, 2, {kRed, kBlue, 0x123456, 0xABCDEF}, frames);
        return path;
    }
    // Frames of the given durations, as LoadBanner would leave them.
    void UseFrames(std::vector<int> durations) {
        options.frames.clear();
        options.cycleLength = 0;
        for (int d : durations) {
            options.frames.push_back(BannerFrame{d, "", nullptr});
            options.cycleLength += d;
        }
    }
    int Current() const {
        return options.currentFrame ? static_cast<int>(options.currentFrame - options.frames.data()) : -1;
    }

    TempDir temp;
    ScriptedPlatform platform{temp.File("state")};
    CDisplay display;
    CProOptions options;
    double now = 0.0;
};

} // namespace

TEST_F(Banner, AnimatedGifFramesAreGreenKeyedBitmapsTimedByTheirDelays) {
    ASSERT_TRUE(options.LoadBanner(ThreeFrameGif()));
    ASSERT_EQ(options.frames.size(), 3u);
    std::vector<int> durations;
    for (int f = 0; f < 3; ++f) {
        durations.push_back(options.frames[f].duration);
        EXPECT_EQ(options.frames[f].imageFile, platform.tempDir + std::to_string(f) + ".bmp");
        ASSERT_TRUE(options.frames[f].surface);
        EXPECT_TRUE(options.frames[f].surface->transparent);
    }
    EXPECT_EQ(durations, (std::vector<int>{100, 200, 300}));
    EXPECT_EQ(options.cycleLength, 600);
    DecodedImage first, second;
    ASSERT_TRUE(ReadBmpFile(platform.tempDir + "0.bmp", first, nullptr));
    ASSERT_TRUE(ReadBmpFile(platform.tempDir + "1.bmp", second, nullptr));
    EXPECT_EQ(first.pixels, (std::vector<std::uint32_t>{kGreen, kGreen, kRed, kRed, kGreen, kGreen, kRed, kRed}));
    EXPECT_EQ(second.pixels, std::vector<std::uint32_t>(8, kBlue));

    // Frames that would hold more pixels than allowed are dropped with their time.
    options.bannerPixelLimit = 16;
    ASSERT_TRUE(options.LoadBanner(ThreeFrameGif()));
    EXPECT_EQ(std::pair(options.frames.size(), options.cycleLength), std::pair(std::size_t{2}, 300));
}

TEST_F(Banner, AStillPictureIsOneFrameThatIsDrawnOnceAndNeverAgain) {
    const std::string jpeg = temp.File("banner.JPG");
    ASSERT_TRUE(publish::WriteJpegFile(jpeg, ImageOf(8, 8, std::vector<std::uint32_t>(64, 0x808080)), 90, nullptr));
    ASSERT_TRUE(options.LoadBanner(jpeg));
    ASSERT_EQ(options.frames.size(), 1u);
    EXPECT_EQ(std::pair(options.frames[0].duration, options.cycleLength), std::pair(0, 0));
    EXPECT_TRUE(options.Tick());
    for (now = 0.25; now < 5.0; now += 0.25)
        EXPECT_FALSE(options.Tick()) << now;
    EXPECT_EQ(options.NextFrameChangeMs(), -1);

    // What does not decode as its extension says gives no banner.
    WriteBytes(temp.File("junk.gif"), ToBytes("GIF89a but nothing more"));
    WriteBytes(temp.File("banner.png"), ReadBytes(jpeg));
    EXPECT_FALSE(options.LoadBanner(temp.File("junk.gif")));
    EXPECT_FALSE(options.LoadBanner(temp.File("banner.png")));
    EXPECT_TRUE(options.frames.empty());
}

TEST_F(Banner, FramesFollowTheRunningSumOfDurationsAndTheCycleWraps) {
    UseFrames({100, 200, 300});
    const std::pair<int, int> table[] = {{0, 0}, {100, 0}, {101, 1}, {300, 1}, {350, 2}, {600, 2}};
    for (auto [ms, frame] : table) {
        options.animationTime = static_cast<float>(ms) / 1000.0f;
        options.SelectFrame();
        EXPECT_EQ(Current(), frame) << ms << " ms";
    }

    // Through the idle step: one redraw per change, and the wait until the next one.
    options.animationTime = 0.0f;
    options.currentFrame = nullptr;
    std::vector<std::pair<int, int>> seen; // frame and wait after each redraw
    for (int step = 0; step <= 10; ++step) { // sixteenths of a second add up exactly
        now = step / 16.0;
        if (options.Tick()) seen.emplace_back(Current(), options.NextFrameChangeMs());
    }
    // 125 ms: frame 1 until 300; 312 ms: frame 2 until the cycle ends at 600; 625 ms: time starts again.
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{0, 101}, {1, 176}, {2, 288}, {0, 101}}));
    EXPECT_EQ(options.animationTime, 0.0f);
}

TEST_F(Banner, NinePlacementsInTheWindowAndAnInclusiveHitTest) {
    UseFrames({0});
    auto surface = std::make_unique<CSurface>();
    CSurface* raw = nullptr;
    ASSERT_EQ(display.NewSurface(&raw, 60, 30, false), S_OK);
    options.frames[0].surface.reset(raw);
    EXPECT_FALSE(options.HitTest(0, 0)) << "nothing drawn yet";
    options.SelectFrame();

    // W = 800, H = 560 - 20, w = 60, h = 30.
    const std::tuple<int, int, int> table[] = {{0, 0, 0},     {1, 370, 0},   {2, 740, 0},
                                               {3, 0, 255},   {4, 370, 255}, {5, 740, 255},
                                               {6, 0, 510},   {7, 370, 510}, {8, 740, 510},
                                               {9, 60, 60},   {-1, 60, 60}};
    for (auto [code, left, top] : table) {
        options.extras.placement = code;
        options.DrawBanner();
        EXPECT_EQ((std::tuple(options.bannerLeft, options.bannerTop, options.bannerRight, options.bannerBottom)),
                  (std::tuple(left, top, left + 60, top + 30)))
            << "code " << code;
    }
    options.extras.placement = 8;
    options.DrawBanner();
    EXPECT_TRUE(options.HitTest(740, 510) && options.HitTest(800, 540));
    EXPECT_FALSE(options.HitTest(739, 520) || options.HitTest(760, 541) || options.HitTest(801, 520));
}

TEST_F(Banner, OnlyWebAndMailAddressesAreOpened) {
    options.extras.linkFlag = 1;
    const std::pair<const char*, const char*> table[] = {
        {"https://example.org/a", "https://example.org/a"},
        {"HTTP://example.org", "HTTP://example.org"},
        {"mailto:author@example.org", "mailto:author@example.org"},
        {"www.example.org/page", "http://www.example.org/page"},
        {"file:///etc/passwd", nullptr},
        {"javascript:alert(1)", nullptr},
        {"C:\\Windows\\calc.exe", nullptr},
        {"/usr/bin/xterm", nullptr},
        {"x", nullptr},
    };
    for (auto [address, opened] : table) {
        platform.urlsOpened.clear();
        options.extras.linkAddress = address;
        EXPECT_EQ(options.OpenLink(), opened ? 42 : 0) << address;
        EXPECT_EQ(platform.urlsOpened, opened ? std::vector<std::string>{opened} : std::vector<std::string>{});
    }
    options.extras.linkFlag = 0;
    options.extras.linkAddress = "https://example.org";
    EXPECT_EQ(options.OpenLink(), 0);
}

TEST_F(Banner, ExtrasTakenFromThePackNeverReachOutsideTheirFilesOrReviveOldOnes) {
    const auto startWith = [&](const std::string& extension, const std::vector<publish::PackEntrySource>& more) {
        AuthorExtras record;
        record.title = "Harbour";
        record.bannerFlag = 1;
        record.imageExtension = extension;
        record.infoPageFlag = 1;
        std::vector<publish::PackEntrySource> entries{{"_pro_options", EncodeAuthorExtras(record)}};
        entries.insert(entries.end(), more.begin(), more.end());
        Bytes program(4096, 0xCC);
        ASSERT_TRUE(publish::AppendPackToImage(&program, entries, nullptr));
        g_moduleFileName = temp.File("Harbour.exe");
        WriteBytes(g_moduleFileName, program);
        g_proOptions = &options;
        CMainApp app;
        EXPECT_TRUE(app.UnPackEXE() && app.ExtractProOptions());
        g_proOptions = nullptr, g_moduleFileName.clear();
    };
    // An extension that climbs out of the temporary directory.
    std::filesystem::create_directories(platform.tempDir + "pro_image.x");
    startWith("x/../../escaped", {{"_pro_image", ReadBytes(ThreeFrameGif())}});
    EXPECT_FALSE(std::filesystem::exists(temp.Path() / "escaped"));
    EXPECT_TRUE(options.frames.empty());

    // A pack without the picture or the page must not show what an earlier puzzle left.
    WriteBytes(platform.tempDir + "pro_image.gif", ReadBytes(ThreeFrameGif()));
    WriteBytes(platform.tempDir + "pro_info_file", ToBytes("<p>another puzzle</p>"));
    startWith("gif", {});
    EXPECT_EQ(std::tuple(options.present, options.extras.title, options.frames.size()),
              std::tuple(1, std::string("Harbour"), std::size_t{0}));
    EXPECT_FALSE(std::filesystem::exists(platform.tempDir + "pro_info_file"));
}
