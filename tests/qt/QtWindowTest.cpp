// The main window: menu, status bar, client area, title, closing and presenting frames.
#include "QtTestSupport.h"

#include "app/Commands.h"
#include "display/PixelFormat.h"
#include "platform/qt/BoardWidget.h"
#include "platform/qt/MainWindow.h"
#include "platform/qt/StatusBarWidget.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <cstring>

TEST_F(QtWindowTest, MenuFollowsTheLayoutAndItsCommandsReachTheGame) {
    MainWindow* window = platform->Window();
    const QList<QAction*> popups = window->menuBar()->actions();
    qsizetype popupIndex = 0, itemIndex = 0;
    QList<QAction*> items;
    for (const MenuEntry& entry : MainMenuLayout()) {
        if (entry.popup) {
            ASSERT_LT(popupIndex, popups.size());
            QAction* popup = popups[popupIndex++];
            EXPECT_EQ(popup->text().toStdString(), entry.text);
            ASSERT_NE(popup->menu(), nullptr);
            items = popup->menu()->actions();
            itemIndex = 0;
            continue;
        }
        ASSERT_LT(itemIndex, items.size()) << entry.text;
        QAction* item = items[itemIndex++];
        if (entry.commandId == -1) {
            EXPECT_TRUE(item->isSeparator());
            continue;
        }
        EXPECT_EQ(item, window->Action(entry.commandId));
        EXPECT_EQ(window->MenuItemText(entry.commandId), entry.text);
        EXPECT_EQ(item->shortcut(),
                  entry.accelKey ? QKeySequence(QString("Ctrl+") + QChar(entry.accelKey)) : QKeySequence())
            << entry.text;
    }
    EXPECT_EQ(popupIndex, popups.size());

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

TEST_F(QtWindowTest, StatusPartsEndAtTheirEdgesFromTheWindowsLeftSide) {
    const std::vector<int> edges = {10, 74, 176, 282, 405, 528};
    platform->SetStatusParts(edges);
    platform->SetStatusText(2, " Total Pieces: 0");
    platform->SetStatusText(300, "beyond every part"); // dropped
    StatusBarWidget* status = platform->Window()->Status();
    ASSERT_EQ(status->PartCount(), 6);
    EXPECT_EQ(status->mapTo(platform->Window(), QPoint(0, 0)).x(), 0);
    for (int part = 0; part < 6; ++part) {
        EXPECT_EQ(status->PartRect(part).left(), part == 0 ? 0 : edges[part - 1]) << part;
        EXPECT_EQ(status->PartRect(part).right() + 1, edges[part]) << part;
    }
    EXPECT_TRUE(status->PartRect(6).isEmpty());
    EXPECT_EQ(status->Text(2), " Total Pieces: 0");

    platform->SetStatusParts({100, -1});
    EXPECT_EQ(status->PartRect(1).right() + 1, status->width());
}

TEST(StatusBarFontTest, OneTextSizeForAllPartsShrunkOnlyForTextsThatCanFit) {
    StatusBarWidget bar;
    QFont font = bar.font();
    font.setPointSizeF(11);
    bar.setFont(font);
    bar.resize(700, bar.sizeHint().height());
    bar.SetParts({10, 74, 176, 282, 405, 528});
    bar.SetText(2, "12");
    EXPECT_EQ(bar.TextFont().pointSizeF(), 11);

    bar.SetText(2, " Total Pieces: 12");
    const int width = bar.PartRect(2).width();
    auto advance = [&](const QFont& f) { return QFontMetrics(f).horizontalAdvance(bar.Text(2)); };
    ASSERT_GT(advance(bar.font()), width) << "the sample must not fit at 11 points";
    const QFont shrunk = bar.TextFont();
    EXPECT_LT(shrunk.pointSizeF(), 11);
    EXPECT_GE(shrunk.pointSizeF(), 6.5);
    EXPECT_LE(advance(shrunk), width);
    // No smaller than needed: half a point more would overrun the part's frame (7 pixels).
    QFont larger = shrunk;
    larger.setPointSizeF(shrunk.pointSizeF() + 0.5);
    EXPECT_GT(advance(larger), width - 7);

    // A text too long for any size is cut instead, leaving the others at full size.
    bar.SetText(2, "1");
    bar.SetText(4, QString(300, QLatin1Char('W')));
    EXPECT_EQ(bar.TextFont().pointSizeF(), 11);
}

TEST_F(QtWindowTest, ClientAreaTitleAndClosing) {
    MainWindow* window = platform->Window();
    EXPECT_EQ(platform->ClientWidth(), window->Board()->width());
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

namespace {
// A 3 by 2 frame in the given layout, rows padded with junk.
struct TestFrame {
    std::vector<std::uint8_t> bytes;
    FrameView view;
};
constexpr std::uint32_t kColours[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080};

TestFrame MakeFrame(PixelFormatCode code) {
    const int bpp = BytesPerPixel(code);
    TestFrame f;
    f.view = FrameView{nullptr, 3, 2, 3 * bpp + 3, code};
    f.bytes.assign(static_cast<size_t>(f.view.pitch) * 2, 0xAB);
    for (int i = 0; i < 6; ++i) {
        const std::uint32_t pixel = RgbToPixel(code, kColours[i]);
        std::memcpy(f.bytes.data() + (i / 3) * f.view.pitch + (i % 3) * bpp, &pixel,
                    static_cast<size_t>(bpp));
    }
    f.view.pixels = f.bytes.data();
    return f;
}
} // namespace

TEST_F(QtWindowTest, PresentShowsEveryLayoutOneToOneAndDropsDamagedFrames) {
    BoardWidget* board = platform->Window()->Board();
    for (PixelFormatCode code : {RGB555, RGB565, RGB24, RGB32}) {
        SCOPED_TRACE(code);
        TestFrame f = MakeFrame(code);
        ASSERT_TRUE(platform->Present(f.view));
        const QImage& shown = board->Frame();
        ASSERT_EQ(shown.size(), QSize(3, 2));
        for (int i = 0; i < 6; ++i) {
            const QColor c = QColor::fromRgb(shown.pixel(i % 3, i / 3)), want = QColor::fromRgb(kColours[i]);
            const int slack = i == 5 ? 8 : 0; // grey loses low bits in 16-bit layouts
            EXPECT_NEAR(c.red(), want.red(), slack) << i;
            EXPECT_NEAR(c.green(), want.green(), slack) << i;
            EXPECT_NEAR(c.blue(), want.blue(), slack) << i;
        }
        // Painted at the top-left corner; beyond it the window colour.
        const QImage painted = board->grab().toImage();
        EXPECT_EQ(painted.pixel(2, 0) & 0xFFFFFF, 0x0000FFu);
        EXPECT_EQ(painted.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);
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
