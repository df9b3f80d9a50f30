// Mouse, wheel, keyboard, focus and scroll bars become the game's window messages.
#include "QtTestSupport.h"

#include <QWheelEvent>

TEST_F(QtWindowTest, MouseWheelScrollBarsKeysAndFocusBecomeTheGamesMessages) {
    BoardWidget* board = platform->Window()->Board();
    QTest::mousePress(board, Qt::LeftButton, Qt::ControlModifier, QPoint(30, 40));
    QTest::mouseMove(board, QPoint(-5, -7)); // dragged past the top-left corner
    QTest::mouseRelease(board, Qt::LeftButton, Qt::ControlModifier, QPoint(-5, -7));
    QTest::mouseDClick(board, Qt::LeftButton, Qt::NoModifier, QPoint(11, 21));
    QTest::mouseRelease(board, Qt::LeftButton, Qt::NoModifier, QPoint(11, 21));
    QTest::mouseClick(board, Qt::RightButton, Qt::ShiftModifier, QPoint(12, 22));
    QTest::mouseDClick(board, Qt::RightButton, Qt::ControlModifier, QPoint(13, 23));
    QTest::mouseRelease(board, Qt::RightButton, Qt::NoModifier, QPoint(13, 23));
    QTest::mouseClick(board, Qt::MiddleButton, Qt::NoModifier, QPoint(14, 24)); // not used by the game
    // While confined, reported positions stay inside the rectangle.
    platform->ConfineCursor(RECT{10, 10, 100, 80});
    QTest::mousePress(board, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    QTest::mouseMove(board, QPoint(300, 5));
    QTest::mouseMove(board, QPoint(-20, 200));
    QTest::mouseRelease(board, Qt::LeftButton, Qt::NoModifier, QPoint(-20, 200));
    platform->ReleaseCursor();
    QTest::mouseMove(board, QPoint(300, 5));
    using Mouse = std::tuple<UINT, WPARAM, int, int>; // message, key state, x, y
    std::vector<Mouse> got;
    for (const ReceivedMessage& m : Received())
        if (m.message >= WM_MOUSEMOVE && m.message <= WM_MOUSEWHEEL)
            got.emplace_back(m.message, m.wParam, LParamX(m.lParam), LParamY(m.lParam));
    const std::vector<Mouse> expected = {
        {WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, 30, 40}, {WM_MOUSEMOVE, MK_LBUTTON, -5, -7},
        {WM_LBUTTONUP, MK_CONTROL, -5, -7}, {WM_LBUTTONDBLCLK, MK_LBUTTON, 11, 21},
        {WM_LBUTTONUP, 0, 11, 21}, {WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, 12, 22},
        {WM_RBUTTONUP, MK_SHIFT, 12, 22}, {WM_RBUTTONDBLCLK, MK_RBUTTON | MK_CONTROL, 13, 23},
        {WM_RBUTTONUP, 0, 13, 23}, {WM_LBUTTONDOWN, MK_LBUTTON, 50, 50},
        {WM_MOUSEMOVE, MK_LBUTTON, 99, 10}, {WM_MOUSEMOVE, MK_LBUTTON, 10, 79},
        {WM_LBUTTONUP, 0, 10, 79}, {WM_MOUSEMOVE, 0, 300, 5}};
    EXPECT_EQ(got, expected);
    EXPECT_EQ(Received(WM_MOUSEMOVE)[0].lParam & 0xFFFFFFFF, static_cast<LPARAM>(0xFFF9FFFB));

    // The wheel sends a signed delta and the key state, even over a scroll bar.
    QScrollBar* vertical = platform->Window()->ScrollBar(SB_VERT);
    const std::tuple<QWidget*, int, Qt::KeyboardModifiers> wheels[] = {
        {board, 120, Qt::NoModifier}, {board, -240, Qt::ControlModifier},
        {board, 119, Qt::ShiftModifier | Qt::ControlModifier}, {vertical, -120, Qt::NoModifier}};
    for (const auto& [target, delta, modifiers] : wheels) {
        const QPoint at(50, 60);
        QWheelEvent wheel(QPointF(at), QPointF(target->mapToGlobal(at)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
    }
    std::vector<std::pair<int, WPARAM>> wheeled;
    for (const ReceivedMessage& m : Received(WM_MOUSEWHEEL))
        wheeled.emplace_back(static_cast<std::int16_t>(m.wParam >> 16), m.wParam & 0xFFFF);
    EXPECT_EQ(wheeled, (std::vector<std::pair<int, WPARAM>>{
                       {120, 0}, {-240, MK_CONTROL}, {119, MK_CONTROL | MK_SHIFT}, {-120, 0}}));
    EXPECT_EQ(
        std::pair(LParamX(Received(WM_MOUSEWHEEL)[0].lParam), LParamY(Received(WM_MOUSEWHEEL)[0].lParam)),
        std::pair(50, 60));
    EXPECT_EQ(vertical->value(), 0) << "the bar itself does not scroll";

    // Scroll bars report requests and follow only the game.
    platform->SetScrollRange(SB_VERT, 0, 5000);
    platform->SetScrollPos(SB_VERT, 2500);
    ClearReceived();
    // Until the game moves them, the bars stay where they are.
    vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    vertical->triggerAction(QAbstractSlider::SliderPageStepSub);
    vertical->setSliderPosition(1234); // the thumb dragged
    EXPECT_EQ(vertical->value(), 2500);
    platform->Window()->ScrollBar(SB_HORZ)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(Pairs({WM_VSCROLL, WM_HSCROLL}), (Messages{{WM_VSCROLL, SB_LINEDOWN},
                                                         {WM_VSCROLL, SB_PAGEUP},
                                                         {WM_VSCROLL, (1234u << 16) | SB_THUMBTRACK},
                                                         {WM_HSCROLL, SB_PAGEDOWN}}));
    SetReaction([this](UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_VSCROLL && (wParam & 0xFFFF) == SB_THUMBTRACK)
            platform->SetScrollPos(SB_VERT, static_cast<int>(wParam >> 16));
    });
    vertical->setSliderPosition(4321);
    EXPECT_EQ(vertical->value(), 4321);

    // Shift, Ctrl, Space and losing the focus reach the game.
    SetReaction(nullptr);
    ClearReceived();
    for (Qt::Key key : {Qt::Key_Control, Qt::Key_Shift, Qt::Key_Space, Qt::Key_F5}) // F5: no use to the game
        QTest::keyClick(board, key);
    EXPECT_EQ(Pairs({WM_KEYDOWN, WM_KEYUP}), (Messages{{WM_KEYDOWN, VK_CONTROL}, {WM_KEYUP, VK_CONTROL},
                                                      {WM_KEYDOWN, VK_SHIFT}, {WM_KEYUP, VK_SHIFT},
                                                      {WM_KEYDOWN, VK_SPACE}, {WM_KEYUP, VK_SPACE}}));

    // The game forgets a held Ctrl when another window takes over.
    platform->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(platform->Window()));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_TRUE(QTest::qWaitFor([] { return !Received(WM_KILLFOCUS).empty(); }));
}
