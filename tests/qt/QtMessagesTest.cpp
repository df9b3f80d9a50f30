// Posting and sending from other threads, timers and the message loop.
#include "QtTestSupport.h"

#include "platform/qt/MainWindow.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace {
constexpr UINT kProgress = WM_USER + 1;
constexpr UINT kDone = WM_USER + 2;
} // namespace

TEST_F(QtWindowTest, MessagesPostedFromAWorkerArriveInOrderOnTheGuiThread) {
    std::thread worker([this] {
        for (int i = 0; i < 200; ++i)
            platform->PostMessage(kDone, static_cast<WPARAM>(i), -i);
    });
    worker.join();
    ASSERT_TRUE(PumpUntil([] { return Received(kDone).size() == 200; }));
    const auto m = Received(kDone);
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(m[i].wParam, static_cast<WPARAM>(i));
        EXPECT_EQ(m[i].lParam, -i);
        EXPECT_EQ(m[i].thread, std::this_thread::get_id());
    }
}

TEST_F(QtWindowTest, SendFromWorkerWaitsUntilTheGuiThreadHandledIt) {
    std::atomic<bool> handledBeforeReturn{false};
    std::atomic<bool> finished{false};
    std::atomic<bool> result{false};
    std::thread worker([&] {
        result = platform->SendMessageFromWorker(kProgress, 42, 0, 5000);
        handledBeforeReturn = !Received(kProgress).empty();
        finished = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return finished.load(); }));
    worker.join();
    EXPECT_TRUE(result);
    EXPECT_TRUE(handledBeforeReturn);
    const auto m = Received(kProgress);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].wParam, 42u);
    EXPECT_EQ(m[0].thread, std::this_thread::get_id());

    // From the GUI thread itself the message is handled at once.
    EXPECT_TRUE(platform->SendMessageFromWorker(kProgress, 43, 0, 0));
    EXPECT_EQ(Received(kProgress).size(), 2u);
}

TEST_F(QtWindowTest, SendFromWorkerGivesUpWhileTheGuiThreadWaitsForTheWorker) {
    QElapsedTimer clock;
    clock.start();
    bool result = true;
    // The GUI thread blocks on the worker, as shutdown does, and pumps nothing meanwhile.
    std::thread worker([&] { result = platform->SendMessageFromWorker(kProgress, 7, 0, 150); });
    worker.join();
    EXPECT_FALSE(result);
    EXPECT_GE(clock.elapsed(), 140);
    // The abandoned message is not handled later: its sender has moved on.
    PumpEvents();
    EXPECT_TRUE(Received(kProgress).empty());
}

TEST_F(QtWindowTest, TimersTickWithTheirIdAndCanBeKilledFromTheirOwnTick) {
    int ticks = 0;
    SetReaction([&](UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_TIMER && wParam == 3 && ++ticks == 3) platform->KillTimer(3);
    });
    platform->SetTimer(3, 5);
    platform->SetTimer(4, 5);
    ASSERT_TRUE(PumpUntil([&] { return ticks == 3; }));
    platform->KillTimer(4);
    QTest::qWait(60);
    EXPECT_EQ(ticks, 3);
    for (const ReceivedMessage& m : Received(WM_TIMER)) {
        EXPECT_TRUE(m.wParam == 3 || m.wParam == 4);
        EXPECT_EQ(m.lParam, 0);
    }
    platform->KillTimer(99); // never set
}

namespace {
std::atomic<int> g_idleCalls{0};
void CountIdle() {
    ++g_idleCalls;
}
} // namespace

TEST_F(QtWindowTest, QuitEndsTheLoopAfterTheMessagesPostedBeforeIt) {
    SetReaction([this](UINT message, WPARAM wParam, LPARAM) {
        if (message == kDone && wParam == 1) {
            platform->PostMessage(kDone, 2, 0);
            platform->PostQuitMessage(3);
            platform->PostMessage(kDone, 3, 0); // after the quit: may or may not run
        }
    });
    g_idleCalls = 0;
    // Let the idle step run a few times before the first message.
    QTimer::singleShot(60, [this] { platform->PostMessage(kDone, 1, 0); });
    EXPECT_EQ(platform->RunMessageLoop(CountIdle), 3);
    const auto m = Received(kDone);
    ASSERT_GE(m.size(), 2u);
    EXPECT_EQ(m[0].wParam, 1u);
    EXPECT_EQ(m[1].wParam, 2u);
    EXPECT_GE(g_idleCalls.load(), 2);
}

TEST_F(QtWindowTest, QuitDuringStartUpEndsTheLoopAtOnce) {
    platform->PostMessage(kDone, 5, 0);
    platform->PostQuitMessage(0);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(platform->RunMessageLoop(nullptr), 0);
    EXPECT_LT(clock.elapsed(), 2000);
    ASSERT_EQ(Received(kDone).size(), 1u);

    // The loop can run again afterwards.
    QTimer::singleShot(10, [this] { platform->PostQuitMessage(9); });
    EXPECT_EQ(platform->RunMessageLoop(nullptr), 9);
}
