// Mouse, wheel, keyboard, focus and scroll bars become the game's window messages.
#include "QtTestSupport.h"

#include "app/Commands.h"
#include "platform/qt/BoardWidget.h"
#include "platform/qt/MainWindow.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

namespace {

std::vector<ReceivedMessage> MouseMessages() {
    std::vector<ReceivedMessage> out;
    for (const ReceivedMessage& m : Received())
        if (m.message >= WM_MOUSEMOVE && m.message <= WM_MOUSEWHEEL) out.push_back(m);
    return out;
}

void ExpectMouse(const ReceivedMessage& m, UINT message, WPARAM keys, int x, int y) {
    EXPECT_EQ(m.message, message);
    EXPECT_EQ(m.wParam, keys);
    EXPECT_EQ(LParamX(m.lParam), x);
    EXPECT_EQ(LParamY(m.lParam), y);
}

void SendWheel(QWidget* target, QPoint at, int delta, Qt::KeyboardModifiers modifiers) {
    QWheelEvent wheel(QPointF(at), QPointF(target->mapToGlobal(at)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
}

} // namespace

TEST_F(QtWindowTest, LeftDragReachesTheProcedureInClientCoordinates) {
    BoardWidget* board = platform->Window()->Board();
    QTest::mousePress(board, Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
    QTest::mouseMove(board, QPoint(35, 47));
    QTest::mouseMove(board, QPoint(-5, -7)); // dragged past the top-left corner
    QTest::mouseRelease(board, Qt::LeftButton, Qt::NoModifier, QPoint(-5, -7));
    const auto m = MouseMessages();
    ASSERT_EQ(m.size(), 4u);
    ExpectMouse(m[0], WM_LBUTTONDOWN, MK_LBUTTON, 30, 40);
    ExpectMouse(m[1], WM_MOUSEMOVE, MK_LBUTTON, 35, 47);
    ExpectMouse(m[2], WM_MOUSEMOVE, MK_LBUTTON, -5, -7);
    ExpectMouse(m[3], WM_LBUTTONUP, 0, -5, -7);
    EXPECT_EQ(m[2].lParam & 0xFFFFFFFF, static_cast<LPARAM>(0xFFF9FFFB));
}

TEST_F(QtWindowTest, ButtonsKeysAndDoubleClicksCarryTheirKeyState) {
    BoardWidget* board = platform->Window()->Board();
    QTest::mousePress(board, Qt::LeftButton, Qt::ControlModifier, QPoint(10, 20));
    QTest::mouseRelease(board, Qt::LeftButton, Qt::ControlModifier, QPoint(10, 20));
    QTest::mouseDClick(board, Qt::LeftButton, Qt::NoModifier, QPoint(11, 21));
    QTest::mouseRelease(board, Qt::LeftButton, Qt::NoModifier, QPoint(11, 21));
    QTest::mousePress(board, Qt::RightButton, Qt::ShiftModifier, QPoint(12, 22));
    QTest::mouseRelease(board, Qt::RightButton, Qt::ShiftModifier, QPoint(12, 22));
    QTest::mouseDClick(board, Qt::RightButton, Qt::NoModifier, QPoint(13, 23));
    QTest::mouseRelease(board, Qt::RightButton, Qt::NoModifier, QPoint(13, 23));
    QTest::mousePress(board, Qt::MiddleButton, Qt::NoModifier, QPoint(14, 24)); // not used by the game
    QTest::mouseRelease(board, Qt::MiddleButton, Qt::NoModifier, QPoint(14, 24));
    const auto m = MouseMessages();
    ASSERT_EQ(m.size(), 8u);
    ExpectMouse(m[0], WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, 10, 20);
    ExpectMouse(m[1], WM_LBUTTONUP, MK_CONTROL, 10, 20);
    ExpectMouse(m[2], WM_LBUTTONDBLCLK, MK_LBUTTON, 11, 21);
    ExpectMouse(m[3], WM_LBUTTONUP, 0, 11, 21);
    ExpectMouse(m[4], WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, 12, 22);
    ExpectMouse(m[5], WM_RBUTTONUP, MK_SHIFT, 12, 22);
    ExpectMouse(m[6], WM_RBUTTONDBLCLK, MK_RBUTTON, 13, 23);
    ExpectMouse(m[7], WM_RBUTTONUP, 0, 13, 23);
}

TEST_F(QtWindowTest, WheelSendsSignedDeltaAndKeyState) {
    BoardWidget* board = platform->Window()->Board();
    SendWheel(board, QPoint(50, 60), 120, Qt::NoModifier);
    SendWheel(board, QPoint(50, 60), -240, Qt::ControlModifier);
    SendWheel(board, QPoint(50, 60), 119, Qt::ShiftModifier | Qt::ControlModifier);
    // Over a scroll bar the wheel still goes to the window.
    SendWheel(platform->Window()->ScrollBar(SB_VERT), QPoint(2, 2), -120, Qt::NoModifier);
    const auto m = Received(WM_MOUSEWHEEL);
    ASSERT_EQ(m.size(), 4u);
    EXPECT_EQ(static_cast<std::int16_t>(m[0].wParam >> 16), 120);
    EXPECT_EQ(m[0].wParam & 0xFFFF, 0u);
    EXPECT_EQ(LParamX(m[0].lParam), 50);
    EXPECT_EQ(LParamY(m[0].lParam), 60);
    EXPECT_EQ(static_cast<std::int16_t>(m[1].wParam >> 16), -240);
    EXPECT_EQ(m[1].wParam & 0xFFFF, MK_CONTROL);
    EXPECT_EQ(static_cast<std::int16_t>(m[2].wParam >> 16), 119);
    EXPECT_EQ(m[2].wParam & 0xFFFF, MK_CONTROL | MK_SHIFT);
    EXPECT_EQ(static_cast<std::int16_t>(m[3].wParam >> 16), -120);
    EXPECT_EQ(platform->Window()->ScrollBar(SB_VERT)->value(), 0);
}

TEST_F(QtWindowTest, ConfinementKeepsReportedPositionsInsideUntilReleased) {
    BoardWidget* board = platform->Window()->Board();
    platform->ConfineCursor(RECT{10, 10, 100, 80});
    QTest::mousePress(board, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    QTest::mouseMove(board, QPoint(300, 5));
    QTest::mouseMove(board, QPoint(-20, 200));
    QTest::mouseRelease(board, Qt::LeftButton, Qt::NoModifier, QPoint(-20, 200));
    PumpEvents();
    for (const ReceivedMessage& m : MouseMessages()) {
        EXPECT_GE(LParamX(m.lParam), 10);
        EXPECT_LE(LParamX(m.lParam), 99);
        EXPECT_GE(LParamY(m.lParam), 10);
        EXPECT_LE(LParamY(m.lParam), 79);
    }
    const auto moves = Received(WM_MOUSEMOVE);
    ASSERT_GE(moves.size(), 2u);
    EXPECT_EQ(LParamX(moves[0].lParam), 99);
    EXPECT_EQ(LParamY(moves[0].lParam), 10);

    platform->ReleaseCursor();
    ClearReceived();
    QTest::mousePress(board, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    QTest::mouseMove(board, QPoint(300, 5));
    QTest::mouseRelease(board, Qt::LeftButton, Qt::NoModifier, QPoint(300, 5));
    const auto free = Received(WM_MOUSEMOVE);
    ASSERT_FALSE(free.empty());
    EXPECT_EQ(LParamX(free[0].lParam), 300);
}

TEST_F(QtWindowTest, ShiftControlAndSpaceBecomeKeyMessages) {
    BoardWidget* board = platform->Window()->Board();
    QTest::keyPress(board, Qt::Key_Control);
    QTest::keyRelease(board, Qt::Key_Control);
    QTest::keyPress(board, Qt::Key_Shift);
    QTest::keyRelease(board, Qt::Key_Shift);
    QTest::keyClick(board, Qt::Key_Space);
    QTest::keyClick(board, Qt::Key_F5); // no use to the game
    std::vector<std::pair<UINT, WPARAM>> keys;
    for (const ReceivedMessage& m : Received())
        if (m.message == WM_KEYDOWN || m.message == WM_KEYUP) keys.emplace_back(m.message, m.wParam);
    const std::vector<std::pair<UINT, WPARAM>> expected = {{WM_KEYDOWN, VK_CONTROL}, {WM_KEYUP, VK_CONTROL},
                                                           {WM_KEYDOWN, VK_SHIFT},   {WM_KEYUP, VK_SHIFT},
                                                           {WM_KEYDOWN, VK_SPACE},   {WM_KEYUP, VK_SPACE}};
    EXPECT_EQ(keys, expected);
}

TEST_F(QtWindowTest, LosingActivationSendsKillFocus) {
    platform->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(platform->Window()));
    ClearReceived();
    QWidget other;
    other.resize(100, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ASSERT_TRUE(PumpUntil([] { return !Received(WM_KILLFOCUS).empty(); }));
}

TEST_F(QtWindowTest, ScrollBarsReportRequestsAndFollowOnlyTheGame) {
    QScrollBar* vertical = platform->Window()->ScrollBar(SB_VERT);
    QScrollBar* horizontal = platform->Window()->ScrollBar(SB_HORZ);
    platform->SetScrollRange(SB_VERT, 0, 5000);
    platform->SetScrollPos(SB_VERT, 2500);
    platform->SetScrollPos(SB_HORZ, 9000); // kept within the range
    EXPECT_EQ(horizontal->value(), 5000);
    ClearReceived();

    // The game ignores the requests: the bars stay where they are.
    vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    vertical->triggerAction(QAbstractSlider::SliderPageStepSub);
    horizontal->triggerAction(QAbstractSlider::SliderPageStepAdd);
    vertical->setSliderPosition(1234); // the thumb dragged
    EXPECT_EQ(vertical->value(), 2500);
    EXPECT_EQ(horizontal->value(), 5000);
    auto v = Received(WM_VSCROLL);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0].wParam & 0xFFFF, static_cast<WPARAM>(SB_LINEDOWN));
    EXPECT_EQ(v[1].wParam & 0xFFFF, static_cast<WPARAM>(SB_PAGEUP));
    EXPECT_EQ(v[2].wParam & 0xFFFF, static_cast<WPARAM>(SB_THUMBTRACK));
    EXPECT_EQ(v[2].wParam >> 16, 1234u);
    auto h = Received(WM_HSCROLL);
    ASSERT_EQ(h.size(), 1u);
    EXPECT_EQ(h[0].wParam & 0xFFFF, static_cast<WPARAM>(SB_PAGEDOWN));

    // A game that follows the thumb moves the bar.
    SetReaction([this](UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_VSCROLL && (wParam & 0xFFFF) == static_cast<WPARAM>(SB_THUMBTRACK))
            platform->SetScrollPos(SB_VERT, static_cast<int>(wParam >> 16));
    });
    vertical->setSliderPosition(4321);
    EXPECT_EQ(vertical->value(), 4321);
}
