#include "QtTestSupport.h"

#include "platform/qt/MainWindow.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <mutex>

namespace {
std::mutex g_mutex;
std::vector<ReceivedMessage> g_received;
std::function<void(UINT, WPARAM, LPARAM)> g_reaction;

// Every test of this program needs the application object, whichever test runs first
// (ctest runs them one at a time).
class TestAppEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_qt";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv); // lives for the whole test program
        QApplication::setQuitOnLastWindowClosed(false);
    }
};
[[maybe_unused]] ::testing::Environment* const g_testApp =
    ::testing::AddGlobalTestEnvironment(new TestAppEnvironment);
} // namespace

LRESULT RecordingProcedure(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    std::function<void(UINT, WPARAM, LPARAM)> reaction;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_received.push_back({message, wParam, lParam, std::this_thread::get_id()});
        reaction = g_reaction;
    }
    if (reaction) reaction(message, wParam, lParam);
    return 0;
}

void SetReaction(std::function<void(UINT, WPARAM, LPARAM)> reaction) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_reaction = std::move(reaction);
}

std::vector<ReceivedMessage> Received() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_received;
}

std::vector<ReceivedMessage> Received(UINT message) {
    std::vector<ReceivedMessage> out = Received();
    std::erase_if(out, [message](const ReceivedMessage& m) { return m.message != message; });
    return out;
}

void ClearReceived() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_received.clear();
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    return QTest::qWaitFor(done, timeoutMs);
}

void PumpEvents() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

void QtWindowTest::SetUp() {
    platform = std::make_unique<QtPlatform>();
    SetPlatform(platform.get());
    ASSERT_NE(platform->CreateMainWindow(" ", 800, 600, RecordingProcedure), 0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(platform->Window()));
    PumpEvents();
    ClearReceived();
}

void QtWindowTest::TearDown() {
    SetReaction(nullptr);
    SetPlatform(nullptr);
    platform.reset();
    PumpEvents();
    ClearReceived();
}
