// The main window (menu, status bar, client area, title, closing, frames) and the preview window.
#include "QtTestSupport.h"

#include "platform/qt/PreviewWindow.h"
#include "platform/qt/StatusBarWidget.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include <cstring>

TEST_F(QtWindowTest, MenuStatusBarClientAreaTitleClosingFramesAndPreview) {
    MainWindow* window = platform->Window();
    QStringList built, wanted;
    for (QAction* popup : window->menuBar()->actions()) {
        built << popup->text();
        for (QAction* item : popup->menu()->actions())
            built << (item->isSeparator() ? "-" : item->text() + "|" + item->shortcut().toString());
    }
    for (const MenuEntry& entry : MainMenuLayout()) {
        const QString text = QString::fromUtf8(entry.text).section('\t', 0, 0);
        const QString keys = entry.accelKey ? QString("Ctrl+") + QChar(entry.accelKey) : QString();
        wanted << (entry.popup ? text : entry.commandId == -1 ? "-" : text + "|" + keys);
    }
    EXPECT_EQ(built, wanted);

    // A new text keeps the accelerator, which names itself.
    platform->SetMenuItemText(ID_OPTIONS_PREVIEW, "Close preview window\tCtrl+F");
    EXPECT_EQ(std::pair(window->MenuItemText(ID_OPTIONS_PREVIEW), window->Action(ID_OPTIONS_PREVIEW)->text()),
              std::pair(std::string("Close preview window\tCtrl+F"), QString("Close preview window")));

    // Item and accelerator arrive as commands; the accelerator's letter is consumed while Ctrl
    // itself still reaches the game.
    window->Action(ID_HELP_ABOUT)->trigger();
    QTest::keyClick(window->Board(), Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([] { return Received(WM_COMMAND).size() == 2; }));
    EXPECT_EQ(Pairs({WM_COMMAND, WM_KEYDOWN}), (Messages{{WM_KEYDOWN, VK_CONTROL},
                                                        {WM_COMMAND, ID_HELP_ABOUT},
                                                        {WM_COMMAND, ID_OPTIONS_PREFERENCES}}));
    platform->SetStatusParts({10, 74, 176, 282, 405, 528});
    platform->SetStatusText(2, " Total Pieces: 0");
    platform->SetStatusText(300, "beyond every part"); // dropped
    StatusBarWidget* status = window->Status();
    std::vector<int> lefts{status->mapTo(window, QPoint(0, 0)).x()}, rights;
    for (int part = 0; part < status->PartCount(); ++part)
        lefts.push_back(status->PartRect(part).left()), rights.push_back(status->PartRect(part).right() + 1);
    EXPECT_EQ(std::pair(lefts, rights), std::pair(std::vector<int>{0, 0, 10, 74, 176, 282, 405},
                                                  std::vector<int>{10, 74, 176, 282, 405, 528}));
    EXPECT_EQ(status->Text(2), " Total Pieces: 0");
    // A text too wide for its part sets the whole bar smaller, until it is short again.
    platform->SetStatusText(2, " Total Pieces: 123456");
    EXPECT_LT(status->TextFont().pointSizeF(), status->font().pointSizeF());
    platform->SetStatusText(2, " Total Pieces: 0");
    EXPECT_EQ(status->TextFont(), status->font());
    platform->SetStatusParts({100, -1});
    EXPECT_EQ(status->PartRect(1).right() + 1, status->width());

    EXPECT_EQ(platform->ClientHeight(), window->Board()->height() + platform->StatusBarHeight());
    window->resize(640, 480);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const auto sizes = Received(WM_SIZE);
        return !sizes.empty() && LParamX(sizes.back().lParam) == window->Board()->width();
    }));
    const LPARAM resized = Received(WM_SIZE).back().lParam;
    EXPECT_EQ(std::pair(LParamX(resized), LParamY(resized)),
              std::pair(platform->ClientWidth(), platform->ClientHeight()));

    platform->SetWindowText("\x93" "Caf\xe9\x94 \x80" "5"); // a Windows-1252 title from an older pack
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("\u201CCaf\u00E9\u201D \u20AC" "5"));
    // Closing asks the game, which decides; the window stays.
    window->close();
    ASSERT_TRUE(QTest::qWaitFor([] { return !Received(WM_CLOSE).empty(); }));
    EXPECT_TRUE(window->isVisible());

    // Every pixel layout is shown one to one; damaged frames are dropped.
    BoardWidget* board = platform->Window()->Board();
    constexpr std::uint32_t kColours[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080};
    for (PixelFormatCode code : {RGB555, RGB565, RGB24, RGB32}) {
        // A 3 by 2 frame, rows padded with junk.
        const int bpp = BytesPerPixel(code);
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(3 * bpp + 3) * 2, 0xAB);
        for (int i = 0; i < 6; ++i) {
            const std::uint32_t pixel = RgbToPixel(code, kColours[i]);
            std::memcpy(bytes.data() + (i / 3) * (3 * bpp + 3) + (i % 3) * bpp, &pixel,
                        static_cast<size_t>(bpp));
        }
        ASSERT_TRUE(platform->Present({bytes.data(), 3, 2, 3 * bpp + 3, code}));
        const QImage& shown = board->Frame();
        ASSERT_EQ(shown.size(), QSize(3, 2));
        std::vector<std::uint32_t> got, want; // grey loses low bits in 16-bit layouts
        for (int i = 0; i < 6; ++i) {
            const std::uint32_t mask = i == 5 && bpp == 2 ? 0xF0F0F0 : 0xFFFFFF;
            got.push_back(shown.pixel(i % 3, i / 3) & mask), want.push_back(kColours[i] & mask);
        }
        EXPECT_EQ(got, want) << code;
        // Painted at the top-left corner; beyond it the window colour.
        const QImage painted = board->grab().toImage();
        EXPECT_EQ(std::pair(painted.pixel(2, 0) & 0xFFFFFF, painted.pixel(5, 5) & 0xFFFFFF),
                  std::pair(0x0000FFu, 0xFFFFFFu));
    }

    // A frame larger than the board is cut to it; from rows at odd addresses every pixel still
    // lands in its place, opaque.
    const QSize size = board->size();
    const int pitch = (size.width() + 50) * 4;
    std::vector<std::uint8_t> big(static_cast<size_t>(pitch) * (size.height() + 50) + 1);
    auto pattern = [](int x, int y) { return static_cast<std::uint32_t>(x * 0x010307 + y * 0x0B0D00) & 0xFFFFFF; };
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const std::uint32_t pixel = pattern(x, y);
            std::memcpy(big.data() + 1 + static_cast<size_t>(y) * pitch + x * 4, &pixel, 4);
        }
    ASSERT_TRUE(platform->Present({big.data() + 1, size.width() + 50, size.height() + 50, pitch, RGB32}));
    ASSERT_EQ(board->Frame().size(), size);
    for (const QPoint p : {QPoint(0, 0), QPoint(5, 3), QPoint(size.width() - 1, size.height() - 1)})
        EXPECT_EQ(reinterpret_cast<const std::uint32_t*>(board->Frame().constScanLine(p.y()))[p.x()],
                  0xFF000000u | pattern(p.x(), p.y())) << p.x() << "," << p.y();
    // Kept at twice the density, a frame is what Qt's own doubling of it shows.
    const FrameView strip{big.data() + 1, 37, 5, pitch, RGB32};
    QImage doubled(QSize(74, 10), QImage::Format_RGB32);
    doubled.setDevicePixelRatio(2);
    QPainter(&doubled).drawImage(0, 0, BoardWidget::FrameToImage(strip, QSize(37, 5)));
    EXPECT_EQ(BoardWidget::FrameToImage(strip, QSize(37, 5), 2), doubled);
    const QImage good = board->Frame();
    const FrameView damaged[] = {
        {nullptr, 3, 2, 12, RGB32},             // no pixels
        {big.data(), 3, 2, 11, RGB32},          // pitch shorter than a row
        {big.data(), -3, 2, 12, RGB32},         // negative width
        {big.data(), 3, 0, 12, RGB32},          // no rows
        {big.data(), 100000, 2, 400000, RGB32}, // larger than any screen
        {big.data(), 3, 2, 12, 17},             // unknown layout
    };
    for (const FrameView& bad : damaged) {
        EXPECT_TRUE(platform->Present(bad)); // nothing was lost
        EXPECT_EQ(board->Frame(), good);
    }

    // The preview window is owned, sized around its client and reports to its own procedure.
    ASSERT_EQ(platform->CreatePreviewWindow("Puzzle preview", 200, 200, RecordingProcedure), 2u);
    PreviewWindow* preview = platform->Preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(std::tuple(preview->parentWidget(), preview->isWindow(), preview->isVisible(),
                         preview->windowTitle()),
              std::tuple(static_cast<QWidget*>(platform->Window()), true, false, QString("Puzzle preview")));

    const ScreenInfo s = platform->Screen();
    const int frameW = 2 * s.frameWidth, frameH = s.captionHeight + 2 * s.frameHeight;
    platform->SetPreviewMaximumSize(300 + frameW, 200 + frameH);
    platform->SetPreviewWindowSize(400 + frameW, 300 + frameH);
    platform->ShowPreviewWindow(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return preview->isVisible(); }));
    EXPECT_EQ(std::pair(platform->PreviewClientSize().width, platform->PreviewClientSize().height),
              std::pair(300, 200));

    ClearReceived();
    platform->SetPreviewScrollBar(SB_VERT, true, 50, 10);
    EXPECT_EQ(preview->ScrollBar(SB_VERT)->value(), 10);
    EXPECT_EQ(platform->PreviewClientSize().width, 300 - preview->ScrollBar(SB_VERT)->sizeHint().width());
    ASSERT_TRUE(QTest::qWaitFor([] { return !Received(WM_SIZE).empty(); }));

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
