#include "AppFixture.h"

#include "dialogs/Preferences.h"
#include "imaging/BmpCodec.h"
#include "play/CMouseController.h"
#include "support/PictureFiles.h"

#include <utility>

namespace {

using Pair = std::pair<int, int>;
using Preferences = std::vector<int>; // sound, rotation, shadow, bevel, amount, music, preview mode

class PreviewTest : public AppFixture {
  protected:
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

    const int kFrameW = 2 * ScreenInfo{}.frameWidth;
    const int kFrameH = ScreenInfo{}.captionHeight + 2 * ScreenInfo{}.frameHeight;
};

TEST_F(PreviewTest, OpensAroundThePictureScrollsShrinksAndFollowsTheOptions) {
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

    // A window up to 16 pixels short of the picture shows no bar.
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

    // Resize mode shrinks the whole picture into the window.
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

    // The options dialog's OK applies the choices, asks about rotation and cuts or rebuilds at most once.
    struct Case {
        Preferences before;
        std::vector<int> clicked; // buttons the player flips
        int rotationAnswer;       // 0: no question
        Preferences after;
        int recuts, rebuilds;
    };
    // clang-format off
    const Case cases[] = {
        {{1, 0, 0, 1, 1, 1, 1}, {1005, 1004, 1000, 1001, 1010}, IDNO, {0, 0, 0, 1, 1, 0, 0}, 0, 0},
        {{1, 0, 0, 1, 1, 1, 1}, {1005, 1008, 1009}, IDYES, {1, 1, 0, 1, 2, 1, 1}, 1, 0}, // one cut, no rebuild
        {{1, 0, 1, 1, 0, 1, 1}, {1007, 1009}, 0, {1, 0, 0, 1, 2, 1, 1}, 0, 1},           // bevel on: no shadows
        {{1, 0, 1, 1, 1, 1, 1}, {1002, 1006}, 0, {1, 0, 1, 0, 1, 1, 1}, 0, 1},           // bevel off: shadows
        {{1, 1, 0, 1, 1, 1, 1}, {1005}, IDYES, {1, 0, 0, 1, 1, 1, 1}, 1, 0},
        {{1, 0, 0, 1, 7, 1, 1}, {}, 0, {1, 0, 0, 1, 0, 1, 1}, 0, 1},                       // unknown amount: Low
    };
    // clang-format on
    CPuzzle& z = *g_puzzle;
    auto chosen = [&] {
        return Preferences{z.soundeffects, z.userotation, z.shadow,         z.beveling,
                           z.bevellevel,   z.useMusic,    preview->showMode};
    };
    int recuts = 0, rebuilds = 0;
    auto run = [&] {
        return ShowOptionsDialog(*platform, z, preview, PieceWork{[&] { ++recuts; }, [&] { ++rebuilds; }});
    };
    for (const Case& c : cases) {
        const Preferences& p = c.before;
        z.soundeffects = p[0], z.userotation = p[1], z.shadow = p[2], z.beveling = p[3];
        z.bevellevel = p[4], z.useMusic = p[5], preview->showMode = p[6];
        recuts = rebuilds = 0;
        platform->optionsAnswers.push_back([&c](OptionsDialogData& d) {
            for (int id : c.clicked)
                d.SetChecked(id, !d.Checked(id));
        });
        if (c.rotationAnswer) platform->messageBoxAnswers.push_back(c.rotationAnswer);
        EXPECT_TRUE(run());
        EXPECT_EQ(chosen(), c.after) << &c - cases;
        EXPECT_EQ(std::make_pair(recuts, rebuilds), std::make_pair(c.recuts, c.rebuilds)) << &c - cases;
    }
    const Preferences before = chosen();
    EXPECT_FALSE(run()); // nothing scripted: the player cancels
    EXPECT_EQ(chosen(), before);

    EXPECT_EQ(platform->messageBoxes.size(), 3u) << "asked only when rotation is turned on or off";
}

} // namespace
