// The preview window: owned and hidden at first, sized frame included, its bars, its close
// button and the smooth shrink of the picture.
#include "QtTestSupport.h"

#include "platform/qt/PreviewWindow.h"

TEST_F(QtWindowTest, PreviewWindowIsOwnedSizedAroundItsClientAndReportsToItsOwnProcedure) {
    ASSERT_EQ(platform->CreatePreviewWindow("Puzzle preview", 200, 200, RecordingProcedure), 2u);
    PreviewWindow* preview = platform->Preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(std::tuple(preview->parentWidget(), preview->isWindow(), preview->isVisible(), preview->windowTitle()),
              std::tuple(static_cast<QWidget*>(platform->Window()), true, false, QString("Puzzle preview")));

    const ScreenInfo s = platform->Screen();
    const int frameW = 2 * s.frameWidth, frameH = s.captionHeight + 2 * s.frameHeight;
    platform->SetPreviewMaximumSize(300 + frameW, 200 + frameH);
    platform->SetPreviewWindowSize(400 + frameW, 300 + frameH);
    platform->ShowPreviewWindow(true);
    ASSERT_TRUE(PumpUntil([&] { return preview->isVisible(); }));
    EXPECT_EQ(std::pair(platform->PreviewClientSize().width, platform->PreviewClientSize().height),
              std::pair(300, 200));

    ClearReceived();
    platform->SetPreviewScrollBar(SB_VERT, true, 50, 10);
    EXPECT_EQ(preview->ScrollBar(SB_VERT)->value(), 10);
    EXPECT_EQ(platform->PreviewClientSize().width, 300 - preview->ScrollBar(SB_VERT)->sizeHint().width());
    ASSERT_TRUE(PumpUntil([] { return !Received(WM_SIZE).empty(); }));

    preview->close();
    ASSERT_EQ(Received(WM_CLOSE).size(), 1u);
    EXPECT_TRUE(preview->isVisible()) << "the game decides what closing does";

    // A flat picture shrunk smoothly keeps its colour; the frame's own pixels are not used.
    std::vector<std::uint32_t> picture(40 * 20, 0x00336699), shrunk(10 * 5, 0);
    const FrameView source{reinterpret_cast<const std::uint8_t*>(picture.data()), 40, 20, 160, RGB32};
    const FrameView frame{reinterpret_cast<const std::uint8_t*>(shrunk.data()), 10, 5, 160, RGB32};
    platform->PresentPreview(frame, &source);
    EXPECT_EQ(std::pair(preview->Frame().size(), preview->Frame().pixel(5, 2) & 0xFFFFFF),
              std::pair(QSize(10, 5), 0x336699u));
}
