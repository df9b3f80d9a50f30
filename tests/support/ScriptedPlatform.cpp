#include "support/ScriptedPlatform.h"

#include <chrono>
#include <filesystem>
#include <thread>

ScriptedPlatform::ScriptedPlatform(std::string dir) : tempDir(std::move(dir)) {
    std::filesystem::create_directories(tempDir);
    if (!tempDir.empty() && tempDir.back() != '/') tempDir += '/';
    screen.width = 1280;
    screen.height = 1024;
    screen.usableWidth = 1280;
    screen.usableHeight = 960;
}

HWND ScriptedPlatform::CreateMainWindow(const std::string& title, int width, int height,
                                        WindowProcedure proc) {
    procedure = proc;
    window = 1;
    clientWidth = width - 16;
    clientHeight = height - 80;
    SetWindowText(title);
    return window;
}

void ScriptedPlatform::SetWindowText(const std::string& text) {
    titles.push_back(text);
}

std::string ScriptedPlatform::WindowText() {
    return titles.empty() ? std::string() : titles.back();
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

void ScriptedPlatform::ConfineCursor(const RECT& clientRect) {
    cursorConfined = true;
    cursorClip = clientRect;
}

void ScriptedPlatform::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    std::lock_guard<std::mutex> lock(queueMutex);
    queue.push_back({message, wParam, lParam});
    queueChanged.notify_all();
}

bool ScriptedPlatform::SendMessageFromWorker(UINT message, WPARAM wParam, LPARAM lParam, int timeoutMs) {
    PendingSend pending{{message, wParam, lParam}, false};
    std::unique_lock<std::mutex> lock(queueMutex);
    sends.push_back(&pending);
    queueChanged.notify_all();
    bool handled =
        queueChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return pending.done; });
    if (!handled) {
        // Withdraw the request so the main thread never touches it after we return.
        for (auto it = sends.begin(); it != sends.end(); ++it) {
            if (*it == &pending) {
                sends.erase(it);
                break;
            }
        }
    }
    return handled;
}

void ScriptedPlatform::PostQuitMessage(int exitCode) {
    quitPosted = true;
    quitCode = exitCode;
}

int ScriptedPlatform::RunMessageLoop(void (*idle)()) {
    while (!quitPosted) {
        if (PumpMessages() == 0) {
            if (idle) idle();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    return quitCode;
}

LRESULT ScriptedPlatform::Send(UINT message, WPARAM wParam, LPARAM lParam) {
    return procedure ? procedure(window, message, wParam, lParam) : 0;
}

int ScriptedPlatform::PumpMessages() {
    int handled = 0;
    for (;;) {
        std::unique_lock<std::mutex> lock(queueMutex);
        if (!sends.empty()) {
            PendingSend* pending = sends.front();
            sends.pop_front();
            QueuedMessage msg = pending->msg;
            lock.unlock();
            Send(msg.message, msg.wParam, msg.lParam);
            lock.lock();
            pending->done = true;
            queueChanged.notify_all();
            ++handled;
            continue;
        }
        if (queue.empty()) break;
        QueuedMessage msg = queue.front();
        queue.pop_front();
        lock.unlock();
        Send(msg.message, msg.wParam, msg.lParam);
        ++handled;
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

void ScriptedPlatform::FireTimer(int id) {
    if (timers.count(id)) Send(WM_TIMER, static_cast<WPARAM>(id), 0);
}

int ScriptedPlatform::MessageBox(const std::string& text, const std::string& caption, UINT style) {
    messageBoxes.push_back({text, caption, style});
    if (messageBoxAnswers.empty()) return IDOK;
    int answer = messageBoxAnswers.front();
    messageBoxAnswers.pop_front();
    return answer;
}

bool ScriptedPlatform::ChooseColour(COLORREF initial, COLORREF& chosen) {
    colourInitials.push_back(initial);
    if (colourAnswers.empty()) return false;
    chosen = colourAnswers.front();
    colourAnswers.pop_front();
    return true;
}

bool ScriptedPlatform::SettingsOpen() {
    settingsOpenNow = settingsAvailable;
    return settingsAvailable;
}

bool ScriptedPlatform::SettingsReadString(const std::string& name, std::string& value) {
    if (!settingsOpenNow) return false;
    auto it = settingsStrings.find(name);
    if (it == settingsStrings.end()) return false;
    value = it->second;
    return true;
}

bool ScriptedPlatform::SettingsWriteString(const std::string& name, const std::string& value) {
    if (!settingsOpenNow) return false;
    settingsStrings[name] = value;
    return true;
}

bool ScriptedPlatform::SettingsReadDword(const std::string& name, std::uint32_t& value) {
    if (!settingsOpenNow) return false;
    auto it = settingsDwords.find(name);
    if (it == settingsDwords.end()) return false;
    value = it->second;
    return true;
}

bool ScriptedPlatform::SettingsWriteDword(const std::string& name, std::uint32_t value) {
    if (!settingsOpenNow) return false;
    settingsDwords[name] = value;
    return true;
}

HWND ScriptedPlatform::CreatePreviewWindow(const std::string&, int width, int height, WindowProcedure proc) {
    preview.procedure = proc;
    preview.size = {width, height};
    return 2;
}

ClientSize ScriptedPlatform::PreviewClientSize() {
    const int w = preview.size.first - 2 * screen.frameWidth -
                  (preview.bars[SB_VERT].visible ? screen.scrollBarWidth : 0);
    const int h = preview.size.second - screen.captionHeight - 2 * screen.frameHeight -
                  (preview.bars[SB_HORZ].visible ? screen.scrollBarWidth : 0);
    return ClientSize{w > 0 ? w : 0, h > 0 ? h : 0};
}

void ScriptedPlatform::PresentPreview(const FrameView& frame, const FrameView* smoothSource) {
    preview.lastFrame = frame;
    preview.lastFrame.pixels = nullptr;
    preview.lastSmooth = smoothSource != nullptr;
}

LRESULT ScriptedPlatform::SendPreview(UINT message, WPARAM wParam, LPARAM lParam) {
    return preview.procedure ? preview.procedure(2, message, wParam, lParam) : 0;
}

int ScriptedPlatform::RunOptionsDialog(OptionsDialogData& data) {
    if (optionsAnswers.empty()) return IDCANCEL;
    auto answer = std::move(optionsAnswers.front());
    optionsAnswers.pop_front();
    answer(data);
    return IDOK;
}
