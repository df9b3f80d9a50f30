#include "UiFixture.h"

#include "imaging/BmpCodec.h"
#include "play/CMouseController.h"
#include "support/PictureFiles.h"

#include <utility>

namespace {

class PreviewTest : public UiFixture {
  protected:
    // A picture of that size set into the preview; the window then just holds it.
    void Picture(int w, int h, int mode) {
        const std::string path = temp.File("picture.bmp");
        ASSERT_TRUE(
            WriteBmpFile(path, ImageOf(w, h, std::vector<std::uint32_t>(std::size_t(w) * h, 0x336699))));
        preview->showMode = mode;
        ASSERT_TRUE(preview->SetPicture(path, w, h));
    }
    // Sizes the window so its client area (bars excluded) is w x h and reports the change.
    void Client(int w, int h) {
        const ScreenInfo& s = platform->screen;
        platform->preview.size = {w + 2 * s.frameWidth + (platform->preview.bars[SB_VERT].visible ? 16 : 0),
                                  h + s.captionHeight + 2 * s.frameHeight +
                                      (platform->preview.bars[SB_HORZ].visible ? 16 : 0)};
        platform->SendPreview(WM_SIZE);
    }
    std::pair<int, int> Scroll() const { return {preview->scrollX, preview->scrollY}; }
    static WPARAM Wheel(WPARAM keys, int delta) {
        return keys | static_cast<WPARAM>(static_cast<std::uint16_t>(delta)) << 16;
    }
};

TEST_F(PreviewTest, OpensAroundThePictureAndLargePicturesFirstShowAtMost640By480) {
    struct Case {
        int w, h;
        std::pair<int, int> shown;
    };
    const ScreenInfo& s = platform->screen;
    const int frameW = 2 * s.frameWidth, frameH = s.captionHeight + 2 * s.frameHeight;
    for (const Case& c : {Case{800, 600, {640, 480}}, Case{600, 800, {360, 480}},
                          Case{640, 480, {640 + frameW, 480 + frameH}}}) {
        Picture(c.w, c.h, 1);
        const std::pair<int, int> whole{c.w + frameW, c.h + frameH};
        EXPECT_EQ(platform->preview.size, whole);
        EXPECT_EQ(platform->preview.maximum, whole);
        preview->Toggle();
        EXPECT_TRUE(platform->preview.shown);
        EXPECT_EQ(platform->preview.size, c.shown) << c.w << " x " << c.h;
        EXPECT_EQ(platform->menuTexts[40007], "Close preview window\tCtrl+F");
        preview->Hide();
    }
}

TEST_F(PreviewTest, TheCloseButtonHidesTheWindowAndRelabelsTheMenu) {
    Picture(300, 200, 1);
    preview->Toggle();
    EXPECT_EQ(platform->SendPreview(WM_CLOSE), 1);
    EXPECT_FALSE(platform->preview.shown);
    EXPECT_EQ(platform->menuTexts[40007], "Show preview window\tCtrl+F");
    EXPECT_EQ(g_mainApp->previewWnd, preview);
}

TEST_F(PreviewTest, AWindowUpTo16PixelsShortOfThePictureShowsNoBarAndNeverScrollsThatWay) {
    Picture(300, 200, 0);
    preview->ApplyShowMode();
    Client(290, 150);
    EXPECT_FALSE(platform->preview.bars[SB_HORZ].visible);
    EXPECT_TRUE(platform->preview.bars[SB_VERT].visible);
    EXPECT_EQ(platform->preview.bars[SB_VERT].maximum, 50);

    platform->SendPreview(WM_MOUSEWHEEL, Wheel(MK_CONTROL, -240));
    platform->SendPreview(WM_HSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(Scroll(), std::make_pair(0, 0));
    platform->SendPreview(WM_VSCROLL, SB_PAGEDOWN);
    platform->SendPreview(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(Scroll(), std::make_pair(0, 35));
    platform->SendPreview(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(Scroll(), std::make_pair(0, 50));
    EXPECT_EQ(platform->preview.bars[SB_VERT].position, 50);

    Client(284, 150); // 16 short: still no bar; 17 short: a bar
    EXPECT_FALSE(platform->preview.bars[SB_HORZ].visible);
    Client(283, 150);
    EXPECT_TRUE(platform->preview.bars[SB_HORZ].visible);

    preview->showMode = 1;
    preview->ApplyShowMode();
    EXPECT_FALSE(platform->preview.bars[SB_HORZ].visible || platform->preview.bars[SB_VERT].visible);
    EXPECT_EQ(Scroll(), std::make_pair(0, 0));
}

TEST_F(PreviewTest, AWheelNotchScrolls20PixelsSidewaysOnlyWithExactlyCtrlOrShift) {
    Picture(400, 400, 0);
    preview->ApplyShowMode();
    Client(200, 200);
    struct Case {
        WPARAM keys;
        std::pair<int, int> after;
    };
    for (const Case& c : {Case{0, {40, 20}}, Case{MK_CONTROL, {20, 40}}, Case{MK_SHIFT, {20, 40}},
                          Case{MK_CONTROL | MK_SHIFT, {40, 20}}}) {
        platform->SendPreview(WM_HSCROLL, SB_THUMBTRACK | 40 << 16);
        platform->SendPreview(WM_VSCROLL, SB_THUMBPOSITION | 40 << 16);
        platform->SendPreview(WM_MOUSEWHEEL, Wheel(c.keys, 120));
        EXPECT_EQ(Scroll(), c.after) << c.keys;
    }
    platform->SendPreview(WM_MOUSEWHEEL, Wheel(0, 119)); // less than a notch
    EXPECT_EQ(Scroll(), std::make_pair(40, 20));
}

TEST_F(PreviewTest, PaintShrinksTheWholePictureOrShowsPartOfItAndAPointerOverItEndsABoardScroll) {
    Picture(400, 300, 1);
    Client(200, 150);
    platform->SendPreview(WM_PAINT);
    EXPECT_EQ(platform->preview.lastFrame.width, 200);
    EXPECT_EQ(platform->preview.lastFrame.height, 150);
    EXPECT_TRUE(platform->preview.lastSmooth);
    preview->showMode = 0;
    platform->SendPreview(WM_PAINT);
    EXPECT_FALSE(platform->preview.lastSmooth);

    g_puzzle->mouse->rightStart[0] = g_puzzle->mouse->rightStart[1] = 10;
    platform->SendPreview(WM_MOUSEMOVE);
    EXPECT_FALSE(g_puzzle->mouse->RightDragging());
}

} // namespace
