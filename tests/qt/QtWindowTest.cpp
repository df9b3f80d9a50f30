// The main window: menu, status bar, client area, title, closing and presenting frames.
#include "QtTestSupport.h"

#include "platform/qt/StatusBarWidget.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <cstring>

TEST_F(QtWindowTest, MenuFollowsTheLayoutAndItsCommandsReachTheGame) {
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
        if (entry.commandId > 0) {
            EXPECT_EQ(window->MenuItemText(entry.commandId), entry.text);
        }
    }
    EXPECT_EQ(built, wanted);

    // A new text keeps the accelerator, which names itself.
    platform->SetMenuItemText(ID_OPTIONS_PREVIEW, "Close preview window\tCtrl+F");
    EXPECT_EQ(window->MenuItemText(ID_OPTIONS_PREVIEW), "Close preview window\tCtrl+F");
    EXPECT_EQ(window->Action(ID_OPTIONS_PREVIEW)->text(), "Close preview window");

    // Item and accelerator arrive as commands; the accelerator's letter is consumed while Ctrl
    // itself still reaches the game.
    window->Action(ID_HELP_ABOUT)->trigger();
    QTest::keyClick(window->Board(), Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(PumpUntil([] { return Received(WM_COMMAND).size() == 2; }));
    EXPECT_EQ(Received(WM_COMMAND)[0].wParam & 0xFFFF, static_cast<WPARAM>(ID_HELP_ABOUT));
    EXPECT_EQ(Received(WM_COMMAND)[1].wParam & 0xFFFF, static_cast<WPARAM>(ID_OPTIONS_PREFERENCES));
    ASSERT_EQ(Received(WM_KEYDOWN).size(), 1u);
    EXPECT_EQ(Received(WM_KEYDOWN)[0].wParam, static_cast<WPARAM>(VK_CONTROL));
}

TEST_F(QtWindowTest, StatusPartsClientAreaTitleAndClosing) {
    const std::vector<int> edges = {10, 74, 176, 282, 405, 528};
    platform->SetStatusParts(edges);
    platform->SetStatusText(2, " Total Pieces: 0");
    platform->SetStatusText(300, "beyond every part"); // dropped
    MainWindow* window = platform->Window();
    StatusBarWidget* status = window->Status();
    ASSERT_EQ(status->PartCount(), 6);
    EXPECT_EQ(status->mapTo(window, QPoint(0, 0)).x(), 0);
    for (int part = 0; part < 6; ++part)
        EXPECT_EQ(std::pair(status->PartRect(part).left(), status->PartRect(part).right() + 1),
                  std::pair(part == 0 ? 0 : edges[part - 1], edges[part]));
    EXPECT_EQ(status->Text(2), " Total Pieces: 0");
    platform->SetStatusParts({100, -1});
    EXPECT_EQ(status->PartRect(1).right() + 1, status->width());

    EXPECT_EQ(platform->ClientHeight(), window->Board()->height() + platform->StatusBarHeight());
    window->resize(640, 480);
    ASSERT_TRUE(PumpUntil([&] {
        const auto sizes = Received(WM_SIZE);
        return !sizes.empty() && LParamX(sizes.back().lParam) == window->Board()->width();
    }));
    EXPECT_EQ(LParamX(Received(WM_SIZE).back().lParam), platform->ClientWidth());
    EXPECT_EQ(LParamY(Received(WM_SIZE).back().lParam), platform->ClientHeight());

    platform->SetWindowText("Caf\xe9"); // a Latin-1 title from an older pack
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Caf\xc3\xa9"));
    // Closing asks the game, which decides; the window stays.
    window->close();
    ASSERT_TRUE(PumpUntil([] { return !Received(WM_CLOSE).empty(); }));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(QtWindowTest, PresentShowsEveryLayoutOneToOneAndDropsDamagedFrames) {
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

    // A frame larger than the board is cut to it.
    const QSize size = board->size();
    std::vector<std::uint8_t> big(static_cast<size_t>(size.width() + 50) * 4 * (size.height() + 50), 0x40);
    ASSERT_TRUE(platform->Present(
        {big.data(), size.width() + 50, size.height() + 50, (size.width() + 50) * 4, RGB32}));
    EXPECT_EQ(board->Frame().size(), size);
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
}
