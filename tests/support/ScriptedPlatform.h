#pragma once
// A platform with no display for whole-game tests: it records what the game shows, answers
// message boxes and dialogs from queues, and runs posted messages and timers on demand.
#include "platform/Platform.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

struct RecordedMessageBox {
    std::string text, caption;
    UINT style = 0;
};

class ScriptedPlatform : public IPlatform {
  public:
    // Uses `tempDir` (created when missing) as the game's working directory.
    explicit ScriptedPlatform(std::string tempDir);

    std::string TempDirectory() override { return tempDir; }
    std::string ExecutablePath() override { return executablePath; }
    HWND CreateMainWindow(const std::string& title, int width, int height, WindowProcedure proc) override {
        procedure = proc;
        clientWidth = width - 16;
        clientHeight = height - 80;
        SetWindowText(title);
        return 1;
    }
    void ShowMaximized() override {}
    void SetWindowText(const std::string& text) override { titles.push_back(text); }
    std::string WindowText() { return titles.empty() ? std::string() : titles.back(); }
    int ClientWidth() override { return clientWidth; }
    int ClientHeight() override { return clientHeight; }
    void SetMenuItemText(int commandId, const std::string& text) override { menuTexts[commandId] = text; }
    void SetStatusParts(const std::vector<int>&) override {}
    void SetStatusText(int part, const std::string& text) override { statusTexts[part] = text; }
    int StatusBarHeight() override { return 20; }
    void SetScrollRange(int bar, int minimum, int maximum) override { scrollRanges[bar] = {minimum, maximum}; }
    void SetScrollPos(int bar, int position) override { scrollPositions[bar] = position; }
    void ShowScrollBars(bool show) override { scrollBarsShown = show; }
    ScreenInfo Screen() override { return screen; }
    bool Present(const FrameView& frame) override;
    void SetCursor(CursorKind kind) override { cursor = kind; }
    void ConfineCursor(const RECT& clientRect) override { cursorConfined = true, cursorClip = clientRect; }
    void ReleaseCursor() override { cursorConfined = false; }

    void PostMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool SendMessageFromWorker(UINT message, WPARAM wParam, LPARAM lParam, int timeoutMs) override;
    void SetTimer(int id, int periodMs) override { timers[id] = periodMs; }
    void PostQuitMessage(int exitCode) override { quitPosted = true, quitCode = exitCode; }
    int RunMessageLoop(void (*)()) override { return quitCode; } // tests pump the messages themselves

    int MessageBox(const std::string& text, const std::string& caption, UINT style) override {
        messageBoxes.push_back({text, caption, style});
        return Next<int>(messageBoxAnswers, IDOK);
    }
    bool ChooseColour(COLORREF initial, COLORREF& chosen) override {
        colourInitials.push_back(initial);
        if (colourAnswers.empty()) return false;
        chosen = Next(colourAnswers, COLORREF{});
        return true;
    }
    // Answers by changing the buttons; with no answer queued the dialog is cancelled.
    int RunOptionsDialog(OptionsDialogData& data) override {
        if (optionsAnswers.empty()) return IDCANCEL;
        Next(optionsAnswers, std::function<void(OptionsDialogData&)>())(data);
        return IDOK;
    }
    // The About and closing dialogs run their scripted actions (if any) while open, then OK.
    int RunAboutDialog(AboutDialogData& data) override {
        shellLog.push_back("about"), aboutDialogs.push_back(data);
        if (!aboutActions.empty()) Next(aboutActions, {})(data);
        return IDOK;
    }
    int RunClosingDialog(ClosingDialogData& data) override {
        return shellLog.push_back("closing"), closingDialogs.push_back(data), IDOK;
    }
    void PlaySoundFile(const std::string& path) override { soundsPlayed.push_back(path); }
    int OpenUrl(const std::string& url) override { return shellLog.push_back("open " + url), 42; }
    void ScheduleIdle(int delayMs) override { idleDelays.push_back(delayMs); }

    // Settings store (in memory), readable and writable only while open.
    bool SettingsOpen() override { return settingsOpenNow = settingsAvailable; }
    bool SettingsReadString(const std::string& name, std::string& value) override { return Read(settingsStrings, name, value); }
    bool SettingsWriteString(const std::string& name, const std::string& value) override {
        return settingsOpenNow && (settingsStrings[name] = value, true);
    }
    bool SettingsReadDword(const std::string& name, std::uint32_t& value) override { return Read(settingsDwords, name, value); }
    bool SettingsWriteDword(const std::string& name, std::uint32_t value) override {
        return settingsOpenNow && (settingsDwords[name] = value, true);
    }
    void SettingsClose() override { settingsOpenNow = false; }

    // Preview window: sizes are kept, the client area follows the frame and visible bars.
    HWND CreatePreviewWindow(const std::string&, int width, int height, WindowProcedure proc) override {
        preview.procedure = proc;
        preview.size = {width, height};
        return 2;
    }
    void ShowPreviewWindow(bool show) override { preview.shown = show; }
    void SetPreviewWindowSize(int width, int height) override { preview.size = {width, height}; }
    void SetPreviewMaximumSize(int width, int height) override { preview.maximum = {width, height}; }
    ClientSize PreviewClientSize() override;
    void SetPreviewScrollBar(int bar, bool visible, int maximum, int position) override {
        preview.bars[bar] = {visible, maximum, position};
    }
    void PresentPreview(const FrameView& frame, const FrameView* smoothSource) override {
        preview.lastFrame = frame;
        preview.lastFrame.pixels = nullptr;
        preview.lastSmooth = smoothSource != nullptr;
    }

    // --- Driving the game ----------------------------------------------------------------------
    // Calls the window procedure directly, as the operating system would.
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return procedure ? procedure(1, message, wParam, lParam) : 0;
    }
    // Handles every queued message (including those posted while handling); returns how many.
    int PumpMessages();
    // Pumps until `done` holds or `timeoutMs` of real time passed. Worker threads keep running.
    bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 20000);
    LRESULT SendPreview(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return preview.procedure ? preview.procedure(2, message, wParam, lParam) : 0;
    }
    // Delivers WM_TIMER for timer `id` (when it is set).
    void FireTimer(int id) {
        if (timers.count(id)) Send(WM_TIMER, static_cast<WPARAM>(id), 0);
    }

    // --- Script and record ---------------------------------------------------------------------
    std::string tempDir, executablePath;
    ScreenInfo screen;
    int clientWidth = 800, clientHeight = 560;
    WindowProcedure procedure = nullptr;
    std::vector<std::string> titles; // every title set, in order
    std::map<int, std::string> menuTexts, statusTexts;
    std::map<int, std::pair<int, int>> scrollRanges;
    std::map<int, int> scrollPositions;
    bool scrollBarsShown = false, cursorConfined = false, quitPosted = false, loseNextPresent = false;
    CursorKind cursor = CursorKind::Arrow;
    RECT cursorClip;
    std::map<int, int> timers;
    int quitCode = 0, presentCount = 0;
    std::vector<std::uint8_t> lastFrame; // copy of the last presented frame
    FrameView lastFrameView;

    struct PreviewBar { bool visible = false; int maximum = 0, position = 0; };
    struct PreviewRecord {
        WindowProcedure procedure = nullptr;
        bool shown = false;
        std::pair<int, int> size{0, 0}, maximum{0, 0}; // whole window
        PreviewBar bars[2];
        FrameView lastFrame; // pixels not kept
        bool lastSmooth = false;
    } preview;

    std::deque<std::function<void(OptionsDialogData&)>> optionsAnswers;
    std::deque<int> messageBoxAnswers; // IDOK when empty
    std::vector<RecordedMessageBox> messageBoxes;
    std::deque<COLORREF> colourAnswers;   // empty: the chooser is cancelled
    std::vector<COLORREF> colourInitials; // the colour each chooser opened with
    std::vector<std::string> soundsPlayed;
    std::vector<int> idleDelays; // every wait the idle step asked for
    // Addresses opened ("open <address>") and dialogs run ("about", "closing"), in order.
    std::vector<std::string> shellLog;
    std::deque<std::function<void(AboutDialogData&)>> aboutActions;
    std::vector<AboutDialogData> aboutDialogs;     // as each opened
    std::vector<ClosingDialogData> closingDialogs; // as each opened

    bool settingsAvailable = true, settingsOpenNow = false;
    std::map<std::string, std::string> settingsStrings;
    std::map<std::string, std::uint32_t> settingsDwords;

  private:
    template <class T> static T Next(std::deque<T>& answers, T otherwise) {
        if (answers.empty()) return otherwise;
        T answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
    template <class T> bool Read(const std::map<std::string, T>& store, const std::string& name, T& value) {
        auto it = store.find(name);
        if (!settingsOpenNow || it == store.end()) return false;
        value = it->second;
        return true;
    }

    struct QueuedMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool* done = nullptr; // set for messages sent by workers, which are handled first
    };
    std::mutex queueMutex;
    std::condition_variable queueChanged;
    std::deque<QueuedMessage> queue, sends;
};
