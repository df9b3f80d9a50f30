#include "AppFixture.h"

#include "imaging/BmpCodec.h"
#include "play/CMouseController.h"
#include "support/PictureFiles.h"

#include <utility>

namespace {

using Pair = std::pair<int, int>;

class PreviewTest : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        preview = MakePreview();
    }
    void Picture(int w, int h, int mode) {
        const std::string path = temp.File("picture.bmp");
        ASSERT_TRUE(
            WriteBmpFile(path, ImageOf(w, h, std::vector<std::uint32_t>(std::size_t(w) * h, 0x336699))));
        preview->showMode = mode;
        ASSERT_TRUE(preview->SetPicture(path, w, h));
        preview->ApplyShowMode();
    }
    // Sizes the window for a client area of w x h beside the bars it shows, and says so.
    void Client(int w, int h) {
        const auto& bars = platform->preview.bars;
        platform->preview.size = {w + kFrameW + (bars[SB_VERT].visible ? 16 : 0),
                                  h + kFrameH + (bars[SB_HORZ].visible ? 16 : 0)};
        platform->SendPreview(WM_SIZE);
    }
    Pair Scroll() const { return {preview->scrollX, preview->scrollY}; }
    static WPARAM Wheel(WPARAM keys, int delta) { return keys | WPARAM(std::uint16_t(delta)) << 16; }

    CPreviewWnd* preview = nullptr;
    const int kFrameW = 2 * ScreenInfo{}.frameWidth;
    const int kFrameH = ScreenInfo{}.captionHeight + 2 * ScreenInfo{}.frameHeight;
};

TEST_F(PreviewTest, OpensAroundThePictureShowsLargeOnesAtMost640By480AndItsCloseButtonHidesIt) {
    for (const auto& [w, h, shown] :
         {std::tuple{800, 600, Pair{640, 480}}, std::tuple{600, 800, Pair{360, 480}},
          std::tuple{700, 700, Pair{480, 480}}, std::tuple{640, 480, Pair{640 + kFrameW, 480 + kFrameH}}}) {
        Picture(w, h, 1);
        EXPECT_EQ(std::pair(platform->preview.size, platform->preview.maximum),
                  std::pair(Pair(w + kFrameW, h + kFrameH), Pair(w + kFrameW, h + kFrameH)));
        preview->Toggle();
        EXPECT_EQ(std::pair(platform->preview.size, platform->menuTexts[40007]),
                  std::pair(shown, std::string("Close preview window\tCtrl+F")))
            << w << " x " << h;
        EXPECT_EQ(
            std::tuple(platform->SendPreview(WM_CLOSE), platform->preview.shown, platform->menuTexts[40007]),
            std::tuple(1, false, "Show preview window\tCtrl+F"));
    }
}

TEST_F(PreviewTest, AWindowUpTo16PixelsShortOfThePictureShowsNoBarAndAWheelNotchScrolls20Pixels) {
    Picture(300, 200, 0);
    Client(284, 150);
    EXPECT_TRUE(!platform->preview.bars[SB_HORZ].visible && platform->preview.bars[SB_VERT].visible);
    platform->SendPreview(WM_MOUSEWHEEL, Wheel(MK_CONTROL, -240));
    platform->SendPreview(WM_HSCROLL, SB_PAGEDOWN);
    platform->SendPreview(WM_VSCROLL, SB_PAGEDOWN);
    platform->SendPreview(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(Scroll(), Pair(0, 35));
    platform->SendPreview(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(Scroll(), Pair(0, 50));
    Client(283, 150);
    EXPECT_TRUE(platform->preview.bars[SB_HORZ].visible);

    // A wheel notch scrolls 20 pixels, sideways only with exactly Ctrl or Shift.
    Picture(400, 400, 0);
    Client(200, 200);
    for (const auto& [keys, after] :
         {std::pair{WPARAM(0), Pair{40, 20}}, std::pair{MK_CONTROL, Pair{20, 40}},
          std::pair{MK_SHIFT, Pair{20, 40}}, std::pair{MK_CONTROL | MK_SHIFT, Pair{40, 20}}}) {
        platform->SendPreview(WM_HSCROLL, SB_THUMBTRACK | 40 << 16);
        platform->SendPreview(WM_VSCROLL, SB_THUMBPOSITION | 40 << 16);
        platform->SendPreview(WM_MOUSEWHEEL, Wheel(keys, 120));
        EXPECT_EQ(Scroll(), after) << keys;
    }
}

TEST_F(PreviewTest, ResizeModeShrinksTheWholePictureIntoTheWindowAndAPointerOverItEndsABoardScroll) {
    Picture(400, 300, 1);
    Client(200, 150);
    platform->SendPreview(WM_PAINT);
    EXPECT_EQ(std::tuple(platform->preview.lastFrame.width, platform->preview.lastFrame.height,
                         platform->preview.lastSmooth),
              std::tuple(200, 150, true));
    platform->preview.lastFrame = {};
    EXPECT_TRUE(preview->ReloadPicture(temp.File("picture.bmp"))); // after lost surfaces
    EXPECT_EQ(platform->preview.lastFrame.width, 200);
    EXPECT_FALSE(preview->ReloadPicture(temp.File("gone.bmp")));

    g_puzzle->mouse->rightStart[0] = g_puzzle->mouse->rightStart[1] = 10;
    platform->SendPreview(WM_MOUSEMOVE);
    EXPECT_FALSE(g_puzzle->mouse->RightDragging());
}

} // namespace
