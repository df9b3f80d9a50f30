// Posting and sending from other threads, timers and the message loop.
#include "QtTestSupport.h"

#include <QElapsedTimer>

#include <atomic>

TEST_F(QtWindowTest, MessagesFromAWorkerAreHandledInOrderOnTheGuiThreadAndASendWaitsOrGivesUp) {
    constexpr UINT kProgress = WM_USER + 1, kDone = WM_USER + 2;
    std::thread([this] {
        for (int i = 0; i < 200; ++i)
            platform->PostMessage(kDone, static_cast<WPARAM>(i), -i);
    }).join();
    ASSERT_TRUE(QTest::qWaitFor([] { return Received(kDone).size() == 200; }));
    const auto posted = Received(kDone);
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(std::tuple(posted[i].wParam, posted[i].lParam, posted[i].thread),
                  std::tuple(static_cast<WPARAM>(i), static_cast<LPARAM>(-i), std::this_thread::get_id()));

    // A send returns only once the GUI thread has handled it.
    std::atomic<bool> handledBeforeReturn{false}, finished{false}, result{false};
    std::thread sender([&] {
        result = platform->SendMessageFromWorker(kProgress, 42, 0, 5000);
        handledBeforeReturn = !Received(kProgress).empty();
        finished = true;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.load(); }));
    sender.join();
    EXPECT_TRUE(result && handledBeforeReturn);
    ASSERT_EQ(Received(kProgress).size(), 1u);
    EXPECT_EQ(Received(kProgress)[0].thread, std::this_thread::get_id());
    EXPECT_TRUE(platform->SendMessageFromWorker(kProgress, 43, 0, 0)) << "from the GUI thread: at once";
    EXPECT_EQ(Received(kProgress).size(), 2u);

    // While the GUI thread blocks on the worker, as shutdown does, the send gives up, and the
    // abandoned message is not handled later: its sender has moved on.
    QElapsedTimer clock;
    clock.start();
    std::thread([&] { result = platform->SendMessageFromWorker(kProgress, 7, 0, 150); }).join();
    EXPECT_FALSE(result);
    EXPECT_GE(clock.elapsed(), 140);
    PumpEvents();
    EXPECT_EQ(Received(kProgress).size(), 2u);

    platform->SetTimer(3, 5);
    ASSERT_TRUE(QTest::qWaitFor([] { return Received(WM_TIMER).size() >= 2; }));
    EXPECT_EQ(Received(WM_TIMER)[1].wParam, 3u) << "timers tick with their id";

    // Quit ends the loop after the messages posted before it.
    ClearReceived();
    static std::atomic<int> idleCalls{0};
    SetReaction([this](UINT message, WPARAM wParam, LPARAM) {
        if (message == kDone && wParam == 1) {
            platform->PostMessage(kDone, 2, 0);
            platform->PostQuitMessage(3);
        }
    });
    QTimer::singleShot(60, [this] { platform->PostMessage(kDone, 1, 0); }); // the idle step runs first
    EXPECT_EQ(platform->RunMessageLoop([] { ++idleCalls; }), 3);
    ASSERT_EQ(Received(kDone).size(), 2u);
    EXPECT_EQ(Received(kDone)[1].wParam, 2u);
    EXPECT_GE(idleCalls.load(), 2);

    // A quit posted during start-up, before the loop runs, ends it at once; it can run again.
    ClearReceived();
    platform->PostMessage(kDone, 5, 0);
    platform->PostQuitMessage(0);
    EXPECT_EQ(platform->RunMessageLoop(nullptr), 0);
    EXPECT_EQ(Received(kDone).size(), 1u);
    QTimer::singleShot(10, [this] { platform->PostQuitMessage(9); });
    EXPECT_EQ(platform->RunMessageLoop(nullptr), 9);
}
