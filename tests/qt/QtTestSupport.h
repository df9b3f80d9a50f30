#pragma once
// A window procedure that records what it receives, and a fixture with a live main window.
// The program's one QApplication (offscreen unless told otherwise) exists before any test runs.
#include "app/Commands.h"
#include "display/PixelFormat.h"
#include "platform/qt/BoardWidget.h"
#include "platform/qt/MainWindow.h"
#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <tuple>
#include <vector>

struct ReceivedMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::thread::id thread;
};

inline std::mutex g_mutex;
inline std::vector<ReceivedMessage> g_received;
inline std::function<void(UINT, WPARAM, LPARAM)> g_reaction; // run after recording, if set

inline LRESULT RecordingProcedure(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    std::unique_lock lock(g_mutex);
    g_received.push_back({message, wParam, lParam, std::this_thread::get_id()});
    const auto reaction = g_reaction;
    lock.unlock();
    if (reaction) reaction(message, wParam, lParam);
    return 0;
}
inline void SetReaction(std::function<void(UINT, WPARAM, LPARAM)> reaction) {
    std::lock_guard lock(g_mutex);
    g_reaction = std::move(reaction);
}
// Every message, or only those with the given number, in order.
inline std::vector<ReceivedMessage> Received(UINT message = 0) {
    std::lock_guard lock(g_mutex);
    std::vector<ReceivedMessage> out = g_received;
    if (message) std::erase_if(out, [message](const ReceivedMessage& m) { return m.message != message; });
    return out;
}
// (message, wParam) of the messages of the given kinds, in order.
using Messages = std::vector<std::pair<UINT, WPARAM>>;
inline Messages Pairs(std::initializer_list<UINT> kinds) {
    Messages out;
    for (const ReceivedMessage& m : Received())
        if (std::find(kinds.begin(), kinds.end(), m.message) != kinds.end())
            out.emplace_back(m.message, m.wParam);
    return out;
}
inline void ClearReceived() {
    std::lock_guard lock(g_mutex);
    g_received.clear();
}
inline void PumpEvents() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

struct TestApp : ::testing::Environment {
    void SetUp() override {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_qt";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv); // lives for the whole test program
        QApplication::setQuitOnLastWindowClosed(false);
    }
};
inline ::testing::Environment* const g_testApp = ::testing::AddGlobalTestEnvironment(new TestApp);

class QtWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetPlatform(platform.get());
        ASSERT_NE(platform->CreateMainWindow(" ", 800, 600, RecordingProcedure), 0);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(platform->Window()));
        PumpEvents();
        ClearReceived();
    }
    void TearDown() override {
        SetReaction(nullptr);
        SetPlatform(nullptr);
        platform.reset();
        PumpEvents();
        ClearReceived();
    }
    std::unique_ptr<QtPlatform> platform = std::make_unique<QtPlatform>();
};
