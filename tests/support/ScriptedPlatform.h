#pragma once
// A scripted platform for whole-game tests: it records what the game shows and answers
// message boxes from a queue, with no display.
#include "platform/Platform.h"

#include <deque>
#include <string>
#include <vector>

struct RecordedMessageBox {
    std::string text;
    std::string caption;
    UINT style = 0;
};

class ScriptedPlatform : public IPlatform {
  public:
    // Uses `tempDir` (created when missing) as the game's working directory.
    explicit ScriptedPlatform(std::string tempDir);

    std::string TempDirectory() override { return tempDir; }
    std::string ExecutablePath() override { return executablePath; }
    std::uint32_t TickCountMs() override { return nowMs; }
    std::int64_t HighResCounter() override { return static_cast<std::int64_t>(nowMs) * 1000; }
    std::int64_t HighResFrequency() override { return 1000000; }
    void SleepMs(int ms) override { nowMs += static_cast<std::uint32_t>(ms); }
    ScreenInfo Screen() override { return screen; }
    bool Present(const FrameView& frame) override;
    int MessageBox(const std::string& text, const std::string& caption, UINT style) override;

    // Script and record.
    std::string tempDir;
    std::string executablePath;
    std::uint32_t nowMs = 0;
    ScreenInfo screen;
    int presentCount = 0;
    bool loseNextPresent = false;
    std::vector<std::uint8_t> lastFrame; // copy of the last presented frame
    FrameView lastFrameView;
    std::deque<int> messageBoxAnswers; // IDOK when empty
    std::vector<RecordedMessageBox> messageBoxes;
};
