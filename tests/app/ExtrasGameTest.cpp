#include "PackWriter.h"
#include "app/CMainApp.h"
#include "pack/AuthorExtras.h"
#include "pack/CProOptions.h"
#include "support/GameFixture.h"
#include "support/PictureFiles.h"

namespace {

constexpr std::uint32_t kGreen = 0x00FF00, kRed = 0xFF0000, kBlue = 0x0000FF, kYellow = 0xFFFF00;

class ExtrasGame : public GameFixture {
  protected:
    // Boats, published with the author's title, a clickable three-frame banner in the
    // bottom-right corner and the preview forbidden.
    void PublishWithExtras() {
        const publish::PublishRequest request =
            PublishGradient(temp.Str(), 128, 96, "medium", "Boats", temp.File("Boats.exe"), &summary);
        std::vector<GifFrameSpec> frames(3);
        for (int f = 0; f < 3; ++f)
            frames[f] = {0, 0, 40, 20, std::vector<std::uint8_t>(800, static_cast<std::uint8_t>(f)), {}, 10 * (f + 1)};
        for (int i = 0; i < 800; i += 40) // the left half of the first frame shows the board
            std::fill_n(frames[0].indices.begin() + i, 20, std::uint8_t{3});
        frames[0].transparentIndex = 3;
        const Bytes gif = MakeGif(temp.File("banner.gif"), 40, 20, {kRed, kBlue, kYellow, 0x123456}, frames);

        AuthorExtras record;
        record.title = "Harbour Collection";
        record.bannerFlag = record.linkFlag = 1;
        record.linkAddress = "https://example.org/";
        record.imageExtension = "gif";
        record.placement = 8;
        record.previewForbidden = 1;
        std::vector<publish::PackEntrySource> entries;
        std::string error;
        ASSERT_TRUE(publish::Publisher::BuildEntries(request, &entries, &summary, &error)) << error;
        entries.push_back({"_pro_options", EncodeAuthorExtras(record)});
        entries.push_back({"_pro_image", gif});
        platform->executablePath = temp.File("Extras.exe");
        ASSERT_TRUE(publish::AppendPack(request.gameProgram, entries, platform->executablePath, &error)) << error;
    }
    std::uint32_t ViewPixel(int x, int y) const { return FramePixel(x + ScrollX(), y + ScrollY()); }
};

} // namespace

TEST_F(ExtrasGame, TheAuthorsTitleBannerLinkAndRefusalReachThePlayer) {
    PublishWithExtras();
    ASSERT_TRUE(Start());
    EXPECT_EQ(platform->titles.at(1), "Harbour Collection");
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(platform->WindowText(), "Harbour Collection - Boats");

    // Client 784 x 520: the banner's bottom-right corner sits at (784, 500).
    double now = 0.0;
    g_proOptions->timer = AppTimer([&now] { return now; });
    g_proOptions->timer.Start();
    std::vector<int> presentsAt; // sixteenths of a second at which a frame was shown
    for (int step = 0; step <= 10; ++step) {
        now = step / 16.0;
        const int before = platform->presentCount;
        IdleStep();
        if (platform->presentCount != before) presentsAt.push_back(step);
        if (step == 0) {
            EXPECT_EQ(ViewPixel(770, 490), kRed);
            EXPECT_NE(ViewPixel(750, 490), kGreen) << "the transparent half shows the board";
        }
    }
    // Frame changes at 125 ms, 312 ms and, as the 600 ms cycle ends, 625 ms.
    EXPECT_EQ(presentsAt, (std::vector<int>{0, 2, 5, 10}));
    EXPECT_EQ(platform->idleDelays.back(), 101);

    Send(WM_MOUSEMOVE, 0, MakeMouseLParam(744, 480));
    EXPECT_EQ(platform->cursor, CursorKind::PointingHand);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MakeMouseLParam(744, 480));
    Send(WM_LBUTTONUP, 0, MakeMouseLParam(744, 480));
    EXPECT_EQ(platform->urlsOpened, std::vector<std::string>{"https://example.org/"});
    EXPECT_TRUE(g_puzzle->selection.Empty());
    Send(WM_MOUSEMOVE, 0, MakeMouseLParam(743, 480));
    EXPECT_EQ(platform->cursor, CursorKind::Arrow);

    Command(ID_OPTIONS_PREVIEW);
    ASSERT_FALSE(platform->messageBoxes.empty());
    EXPECT_EQ(std::pair(platform->messageBoxes.back().text, platform->messageBoxes.back().caption),
              std::pair(std::string("The puzzle author has disabled this option."), std::string("Option disabled")));
    EXPECT_FALSE(platform->preview.shown);
}
