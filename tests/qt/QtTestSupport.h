#pragma once
// Shared pieces of the front-end tests: a window procedure that records what it receives,
// and a fixture with a live main window. The program's one QApplication (offscreen unless
// told otherwise) exists before any test runs.
#include "platform/qt/QtPlatform.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <thread>
#include <vector>

struct ReceivedMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::thread::id thread;
};

// A window procedure that records every message and then runs `reaction`, if set.
LRESULT RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void SetReaction(std::function<void(UINT, WPARAM, LPARAM)> reaction);
std::vector<ReceivedMessage> Received();
// Only the messages with the given number, in order.
std::vector<ReceivedMessage> Received(UINT message);
void ClearReceived();

// Processes Qt events until `done` holds or `timeoutMs` passes.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);
void PumpEvents();

class QtWindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<QtPlatform> platform;
};
