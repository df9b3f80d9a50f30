#include "PackWriter.h"
#include "pack/CProOptions.h"
#include "support/GameFixture.h"
#include "support/PictureFiles.h"

// Boats, published with the author's title and a clickable three-frame banner (delays 10, 20,
// 30, the left half of the first frame transparent) in the bottom-right corner.
using ExtrasGame = GameFixture;

TEST_F(ExtrasGame, TheAuthorsTitleAndAnimatedBannerWithItsLinkReachThePlayer) {
    const publish::PublishRequest request =
        PublishGradient(temp.Str(), 128, 96, "medium", "Boats", temp.File("Boats.exe"), &summary);
    std::vector<GifFrameSpec> frames;
    for (std::uint8_t f = 0; f < 3; ++f)
        frames.push_back({0, 0, 40, 20, Bytes(800, f), {}, 10 * (f + 1), f == 0 ? 3 : -1});
    for (int i = 0; i < 800; i += 40)
        std::fill_n(frames[0].indices.begin() + i, 20, std::uint8_t{3});
    AuthorExtras record;
    record.title = "Harbour Collection", record.bannerFlag = record.linkFlag = 1;
    record.linkAddress = "https://example.org/", record.imageExtension = "gif", record.placement = 8;
    std::vector<publish::PackEntrySource> entries;
    std::string error;
    ASSERT_TRUE(publish::Publisher::BuildEntries(request, &entries, &summary, &error)) << error;
    entries.push_back({"_pro_options", EncodeAuthorExtras(record)});
    entries.push_back(
        {"_pro_image", MakeGif(temp.File("b.gif"), 40, 20, {0xFF0000, 0xFF, 0xFFFF00, 0}, frames)});
    ASSERT_TRUE(publish::AppendPack(request.gameProgram, entries,
                                    platform->executablePath = temp.File("X.exe"), &error))
        << error;

    ASSERT_TRUE(Start());
    EXPECT_EQ(platform->titles.at(1), "Harbour Collection");
    ASSERT_TRUE(PumpUntilLoaded());
    EXPECT_EQ(platform->WindowText(), "Harbour Collection - Boats");

    // Client 784 x 520: the banner's bottom-right corner sits at (784, 500).
    g_proOptions->timer = AppTimer([] { return 0.0; });
    g_proOptions->timer.Start();
    // The first frame is drawn at once, its transparent half showing the board, and the idle step
    // waits for the next change (its timing is the banner's own business).
    const int presents = platform->presentCount;
    IdleStep();
    EXPECT_EQ(std::tuple(platform->presentCount, FramePixel(ScrollX() + 770, ScrollY() + 490),
                         FramePixel(ScrollX() + 750, ScrollY() + 490) == 0x00FF00,
                         platform->idleDelays.back()),
              std::tuple(presents + 1, 0xFF0000u, false, 101));

    Send(WM_MOUSEMOVE, 0, MakeMouseLParam(744, 480));
    EXPECT_EQ(platform->cursor, CursorKind::PointingHand);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MakeMouseLParam(744, 480));
    EXPECT_EQ(platform->shellLog, std::vector<std::string>{"open https://example.org/"});
    EXPECT_TRUE(g_puzzle->selection.Empty());
    Send(WM_MOUSEMOVE, 0, MakeMouseLParam(743, 480));
    EXPECT_EQ(platform->cursor, CursorKind::Arrow);
}
