// The main window: menu, status bar, client size, closing and presenting frames.
#include "QtTestSupport.h"

#include "app/Commands.h"
#include "display/PixelFormat.h"
#include "platform/qt/BoardWidget.h"
#include "platform/qt/MainWindow.h"
#include "platform/qt/StatusBarWidget.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QTest>

#include <cstring>

TEST_F(QtWindowTest, MenuShowsTheLayoutWithItsSeparatorsAndAccelerators) {
    MainWindow* window = platform->Window();
    const QList<QAction*> popups = window->menuBar()->actions();
    size_t popupIndex = 0;
    QList<QAction*> items;
    int itemIndex = 0;
    for (const MenuEntry& entry : MainMenuLayout()) {
        if (entry.popup) {
            ASSERT_LT(popupIndex, static_cast<size_t>(popups.size()));
            QAction* popup = popups[static_cast<int>(popupIndex++)];
            EXPECT_EQ(popup->text().toStdString(), std::string(entry.text));
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
        EXPECT_EQ(window->MenuItemText(entry.commandId), entry.text);
        EXPECT_EQ(item, window->Action(entry.commandId));
        if (entry.accelKey) {
            EXPECT_EQ(item->shortcut(), QKeySequence(QString("Ctrl+") + QChar(entry.accelKey)));
        } else {
            EXPECT_TRUE(item->shortcut().isEmpty()) << entry.text;
        }
    }
    EXPECT_EQ(popupIndex, static_cast<size_t>(popups.size()));
}

TEST_F(QtWindowTest, MenuCommandsAndAcceleratorsArriveAsCommands) {
    platform->Window()->Action(ID_HELP_ABOUT)->trigger();
    QTest::keyClick(platform->Window()->Board(), Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(PumpUntil([] { return Received(WM_COMMAND).size() == 2; }));
    const auto commands = Received(WM_COMMAND);
    EXPECT_EQ(commands[0].wParam & 0xFFFF, static_cast<WPARAM>(ID_HELP_ABOUT));
    EXPECT_EQ(commands[1].wParam & 0xFFFF, static_cast<WPARAM>(ID_OPTIONS_PREFERENCES));
    // The accelerator's letter is consumed; Ctrl itself still reaches the game.
    const auto downs = Received(WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].wParam, static_cast<WPARAM>(VK_CONTROL));
}

TEST_F(QtWindowTest, MenuTextChangesKeepTheAccelerator) {
    platform->SetMenuItemText(ID_OPTIONS_PREVIEW, "Close preview window\tCtrl+F");
    EXPECT_EQ(platform->Window()->MenuItemText(ID_OPTIONS_PREVIEW), "Close preview window\tCtrl+F");
    EXPECT_EQ(platform->Window()->Action(ID_OPTIONS_PREVIEW)->text(), "Close preview window");
    platform->SetMenuItemText(ID_CLOCK_PAUSE, "Unpause clock");
    EXPECT_EQ(platform->Window()->MenuItemText(ID_CLOCK_PAUSE), "Unpause clock");
    platform->SetMenuItemChecked(ID_CLOCK_PAUSE, true);
    EXPECT_TRUE(platform->Window()->Action(ID_CLOCK_PAUSE)->isChecked());
    // Unknown identifiers are ignored.
    platform->SetMenuItemText(12345, "nothing");
    EXPECT_EQ(platform->Window()->MenuItemText(12345), "");
}

TEST_F(QtWindowTest, StatusPartsEndAtTheirEdgesFromTheWindowsLeftSide) {
    platform->SetStatusParts({10, 74, 176, 282, 405, 528});
    platform->SetStatusText(2, " Total Pieces: 0");
    platform->SetStatusText(5, " Piece rotation: enabled");
    platform->SetStatusText(300, "beyond every part"); // dropped
    StatusBarWidget* status = platform->Window()->Status();
    ASSERT_EQ(status->PartCount(), 6);
    EXPECT_EQ(status->mapTo(platform->Window(), QPoint(0, 0)).x(), 0);
    const int edges[] = {10, 74, 176, 282, 405, 528};
    for (int part = 0; part < 6; ++part) {
        const QRect r = status->PartRect(part);
        EXPECT_EQ(r.left(), part == 0 ? 0 : edges[part - 1]) << part;
        EXPECT_EQ(r.right() + 1, edges[part]) << part;
    }
    EXPECT_TRUE(status->PartRect(6).isEmpty());
    EXPECT_EQ(status->Text(2), " Total Pieces: 0");
    EXPECT_EQ(status->Text(5), " Piece rotation: enabled");

    platform->SetStatusParts({100, -1});
    EXPECT_EQ(status->PartRect(1).right() + 1, status->width());
    EXPECT_GT(platform->StatusBarHeight(), 10);
}

TEST_F(QtWindowTest, ClientAreaIncludesTheStatusBarAndResizesAreReported) {
    MainWindow* window = platform->Window();
    EXPECT_EQ(platform->ClientWidth(), window->Board()->width());
    EXPECT_EQ(platform->ClientHeight(), window->Board()->height() + platform->StatusBarHeight());

    window->resize(640, 480);
    ASSERT_TRUE(PumpUntil([&] {
        const auto sizes = Received(WM_SIZE);
        return !sizes.empty() && LParamX(sizes.back().lParam) == window->Board()->width();
    }));
    const auto sizes = Received(WM_SIZE);
    EXPECT_EQ(LParamX(sizes.back().lParam), platform->ClientWidth());
    EXPECT_EQ(LParamY(sizes.back().lParam), platform->ClientHeight());
    EXPECT_LT(platform->ClientWidth(), 640);
    ASSERT_TRUE(PumpUntil([] { return !Received(WM_PAINT).empty(); }));
}

TEST_F(QtWindowTest, ManyRedrawRequestsBeforeTheLoopRunsGiveOnePaint) {
    std::vector<std::uint32_t> pixels(16, 0xFF00FF);
    platform->Present(FrameView{reinterpret_cast<const std::uint8_t*>(pixels.data()), 4, 4, 16, RGB32});
    PumpEvents();
    ClearReceived();
    BoardWidget* board = platform->Window()->Board();
    for (int i = 0; i < 3; ++i) {
        QResizeEvent resize(board->size(), board->size());
        QApplication::sendEvent(board, &resize);
    }
    EXPECT_EQ(Received(WM_SIZE).size(), 3u);
    EXPECT_TRUE(Received(WM_PAINT).empty());
    PumpEvents();
    EXPECT_EQ(Received(WM_PAINT).size(), 1u);
}

TEST_F(QtWindowTest, ClosingTheWindowAsksTheGameAndKeepsTheWindow) {
    platform->Window()->close();
    ASSERT_TRUE(PumpUntil([] { return !Received(WM_CLOSE).empty(); }));
    EXPECT_TRUE(platform->Window()->isVisible());
}

TEST_F(QtWindowTest, TitleIsKeptExactly) {
    EXPECT_EQ(platform->WindowText(), " ");
    platform->SetWindowText("Boats - 7 % Loaded - Please wait...");
    EXPECT_EQ(platform->WindowText(), "Boats - 7 % Loaded - Please wait...");
    EXPECT_EQ(platform->Window()->windowTitle(), "Boats - 7 % Loaded - Please wait...");
    platform->SetWindowText("Caf\xe9"); // a Latin-1 title from an older pack
    EXPECT_EQ(platform->Window()->windowTitle(), QString::fromUtf8("Caf\xc3\xa9"));
}

namespace {

// A 3 by 2 frame of red, green, blue / white, black, grey in the given layout.
struct TestFrame {
    std::vector<std::uint8_t> bytes;
    FrameView view;
};

TestFrame MakeFrame(PixelFormatCode code, int pitchPadding = 3) {
    const std::uint32_t colours[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080};
    const int bpp = BytesPerPixel(code);
    TestFrame f;
    f.view.width = 3;
    f.view.height = 2;
    f.view.pitch = 3 * bpp + pitchPadding;
    f.view.formatCode = code;
    f.bytes.assign(static_cast<size_t>(f.view.pitch) * 2, 0xAB);
    for (int i = 0; i < 6; ++i) {
        const std::uint32_t pixel = RgbToPixel(code, colours[i]);
        std::uint8_t* p = f.bytes.data() + (i / 3) * f.view.pitch + (i % 3) * bpp;
        std::memcpy(p, &pixel, static_cast<size_t>(bpp)); // little-endian layouts
    }
    f.view.pixels = f.bytes.data();
    return f;
}

} // namespace

TEST_F(QtWindowTest, PresentShowsEveryLayoutOneToOne) {
    for (PixelFormatCode code : {RGB555, RGB565, RGB24, RGB32}) {
        SCOPED_TRACE(code);
        TestFrame f = MakeFrame(code);
        ASSERT_TRUE(platform->Present(f.view));
        const QImage& shown = platform->Window()->Board()->Frame();
        ASSERT_EQ(shown.size(), QSize(3, 2));
        EXPECT_EQ(shown.pixel(0, 0) & 0xFFFFFF, 0xFF0000u);
        EXPECT_EQ(shown.pixel(1, 0) & 0xFFFFFF, 0x00FF00u);
        EXPECT_EQ(shown.pixel(2, 0) & 0xFFFFFF, 0x0000FFu);
        EXPECT_EQ(shown.pixel(0, 1) & 0xFFFFFF, 0xFFFFFFu);
        EXPECT_EQ(shown.pixel(1, 1) & 0xFFFFFF, 0x000000u);
        const QColor grey = QColor::fromRgb(shown.pixel(2, 1));
        EXPECT_NEAR(grey.red(), 0x80, 8);
        EXPECT_NEAR(grey.blue(), 0x80, 8);

        // What is painted is the frame, at the top-left corner; beyond it the window colour.
        const QImage painted = platform->Window()->Board()->grab().toImage();
        EXPECT_EQ(painted.pixel(0, 0) & 0xFFFFFF, 0xFF0000u);
        EXPECT_EQ(painted.pixel(2, 0) & 0xFFFFFF, 0x0000FFu);
        EXPECT_EQ(painted.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);
    }
}

TEST_F(QtWindowTest, PresentKeepsOnlyWhatTheBoardCanShowAndDropsDamagedFrames) {
    const QSize board = platform->Window()->Board()->size();
    std::vector<std::uint8_t> big(static_cast<size_t>(board.width() + 50) * 4 * (board.height() + 50), 0x40);
    FrameView view{big.data(), board.width() + 50, board.height() + 50, (board.width() + 50) * 4, RGB32};
    ASSERT_TRUE(platform->Present(view));
    EXPECT_EQ(platform->Window()->Board()->Frame().size(), board);
    const QImage good = platform->Window()->Board()->Frame();

    std::vector<FrameView> damaged;
    damaged.push_back({nullptr, 3, 2, 12, RGB32});             // no pixels
    damaged.push_back({big.data(), 3, 2, 11, RGB32});          // pitch shorter than a row
    damaged.push_back({big.data(), -3, 2, 12, RGB32});         // negative width
    damaged.push_back({big.data(), 3, 0, 12, RGB32});          // no rows
    damaged.push_back({big.data(), 100000, 2, 400000, RGB32}); // larger than any screen
    damaged.push_back({big.data(), 3, 2, 12, 17});             // unknown layout
    for (const FrameView& bad : damaged) {
        EXPECT_TRUE(platform->Present(bad)); // nothing was lost
        EXPECT_EQ(platform->Window()->Board()->Frame(), good);
    }
}
