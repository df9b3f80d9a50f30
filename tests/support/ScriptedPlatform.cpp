#include "support/ScriptedPlatform.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <utility>

ScriptedPlatform::ScriptedPlatform(std::string dir) : tempDir(std::move(dir)) {
    std::filesystem::create_directories(tempDir);
    if (!tempDir.empty() && tempDir.back() != '/') tempDir += '/';
    screen.width = screen.usableWidth = 1280;
    screen.height = 1024, screen.usableHeight = 960;
}

bool ScriptedPlatform::Present(const FrameView& frame) {
    ++presentCount;
    if (std::exchange(loseNextPresent, false)) return false;
    lastFrame.assign(frame.pixels, frame.pixels + static_cast<std::size_t>(frame.pitch) * frame.height);
    lastFrameView = frame;
    lastFrameView.pixels = lastFrame.data();
    return true;
}

void ScriptedPlatform::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    std::lock_guard<std::mutex> lock(queueMutex);
    queue.push_back({message, wParam, lParam});
    queueChanged.notify_all();
}

bool ScriptedPlatform::SendMessageFromWorker(UINT message, WPARAM wParam, LPARAM lParam, int timeoutMs) {
    bool done = false;
    std::unique_lock<std::mutex> lock(queueMutex);
    sends.push_back({message, wParam, lParam, &done});
    queueChanged.notify_all();
    if (queueChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return done; })) return true;
    // Withdrawn, so the main thread never touches it after we return.
    std::erase_if(sends, [&](const QueuedMessage& m) { return m.done == &done; });
    return false;
}

int ScriptedPlatform::PumpMessages() {
    int handled = 0;
    for (std::unique_lock<std::mutex> lock(queueMutex); !sends.empty() || !queue.empty(); ++handled) {
        std::deque<QueuedMessage>& from = sends.empty() ? queue : sends;
        const QueuedMessage msg = from.front();
        from.pop_front();
        lock.unlock();
        Send(msg.message, msg.wParam, msg.lParam);
        lock.lock();
        if (msg.done) *msg.done = true, queueChanged.notify_all();
    }
    return handled;
}

bool ScriptedPlatform::PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (PumpMessages() == 0) {
            std::unique_lock<std::mutex> lock(queueMutex);
            queueChanged.wait_for(lock, std::chrono::milliseconds(5),
                                  [&] { return !queue.empty() || !sends.empty(); });
        }
        if (std::chrono::steady_clock::now() > deadline) return done();
    }
    return true;
}

ClientSize ScriptedPlatform::PreviewClientSize() {
    const int w = preview.size.first - 2 * screen.frameWidth -
                  (preview.bars[SB_VERT].visible ? screen.scrollBarWidth : 0);
    const int h = preview.size.second - screen.captionHeight - 2 * screen.frameHeight -
                  (preview.bars[SB_HORZ].visible ? screen.scrollBarWidth : 0);
    return ClientSize{std::max(w, 0), std::max(h, 0)};
}
