#include "support/ScriptedPlatform.h"

#include <filesystem>

ScriptedPlatform::ScriptedPlatform(std::string dir) : tempDir(std::move(dir)) {
    std::filesystem::create_directories(tempDir);
    if (!tempDir.empty() && tempDir.back() != '/') tempDir += '/';
}

bool ScriptedPlatform::Present(const FrameView& frame) {
    ++presentCount;
    if (loseNextPresent) {
        loseNextPresent = false;
        return false;
    }
    lastFrameView = frame;
    lastFrame.assign(frame.pixels, frame.pixels + static_cast<std::size_t>(frame.pitch) * frame.height);
    lastFrameView.pixels = lastFrame.data();
    return true;
}

int ScriptedPlatform::MessageBox(const std::string& text, const std::string& caption, UINT style) {
    messageBoxes.push_back({text, caption, style});
    if (messageBoxAnswers.empty()) return IDOK;
    int answer = messageBoxAnswers.front();
    messageBoxAnswers.pop_front();
    return answer;
}
