#pragma once
// A scripted platform for whole-game tests: it records what the game shows, answers
// message boxes and dialogs from queues, and runs posted messages and timers on demand,
// with no display.
#include "platform/Platform.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

struct RecordedMessageBox {
    std::string text;
    std::string caption;
    UINT style = 0;
};

struct QueuedMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class ScriptedPlatform : public IPlatform {
  public:
    // Uses `tempDir` (created when missing) as the game's working directory.
    explicit ScriptedPlatform(std::string tempDir);

    // Files and process.
    std::string TempDirectory() override { return tempDir; }
    std::string ExecutablePath() override { return executablePath; }

    // Main window.
    HWND CreateMainWindow(const std::string& title, int width, int height,
                          WindowProcedure procedure) override;
    void ShowMaximized() override {}
    void SetWindowText(const std::string& text) override;
    // The title last set.
    std::string WindowText();
    int ClientWidth() override { return clientWidth; }
    int ClientHeight() override { return clientHeight; }
    void SetMenuItemText(int commandId, const std::string& text) override { menuTexts[commandId] = text; }

    // Status bar.
    void SetStatusParts(const std::vector<int>& rightEdges) override { statusEdges = rightEdges; }
    void SetStatusText(int part, const std::string& text) override { statusTexts[part] = text; }
    int StatusBarHeight() override { return 20; }

    // Scroll bars.
    void SetScrollRange(int bar, int minimum, int maximum) override {
        scrollRanges[bar] = {minimum, maximum};
    }
    void SetScrollPos(int bar, int position) override { scrollPositions[bar] = position; }
    void ShowScrollBars(bool show) override { scrollBarsShown = show; }

    // Screen and presentation.
    ScreenInfo Screen() override { return screen; }
    bool Present(const FrameView& frame) override;

    // Input helpers.
    void SetCursor(CursorKind kind) override { cursor = kind; }
    void ConfineCursor(const RECT& clientRect) override;
    void ReleaseCursor() override { cursorConfined = false; }

    // Messages and timers.
    void PostMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool SendMessageFromWorker(UINT message, WPARAM wParam, LPARAM lParam, int timeoutMs) override;
    void SetTimer(int id, int periodMs) override { timers[id] = periodMs; }
    void PostQuitMessage(int exitCode) override;
    int RunMessageLoop(void (*idle)()) override;

    // Dialogs.
    int MessageBox(const std::string& text, const std::string& caption, UINT style) override;
    bool ChooseColour(COLORREF initial, COLORREF& chosen) override;
    int RunOptionsDialog(OptionsDialogData& data) override;

    // Sound and the outside world.
    void PlaySoundFile(const std::string& path) override { soundsPlayed.push_back(path); }
    int OpenUrl(const std::string&) override { return 42; }

    // Settings store (in memory).
    bool SettingsOpen() override;
    bool SettingsReadString(const std::string& name, std::string& value) override;
    bool SettingsWriteString(const std::string& name, const std::string& value) override;
    bool SettingsReadDword(const std::string& name, std::uint32_t& value) override;
    bool SettingsWriteDword(const std::string& name, std::uint32_t value) override;
    void SettingsClose() override { settingsOpenNow = false; }

    // Preview window: sizes are kept, the client area follows the frame and visible bars.
    HWND CreatePreviewWindow(const std::string& title, int width, int height,
                             WindowProcedure procedure) override;
    void ShowPreviewWindow(bool show) override { preview.shown = show; }
    void SetPreviewWindowSize(int width, int height) override { preview.size = {width, height}; }
    void SetPreviewMaximumSize(int width, int height) override { preview.maximum = {width, height}; }
    ClientSize PreviewClientSize() override;
    void SetPreviewScrollBar(int bar, bool visible, int maximum, int position) override {
        preview.bars[bar] = {visible, maximum, position};
    }
    void PresentPreview(const FrameView& frame, const FrameView* smoothSource) override;

    // --- Driving the game ----------------------------------------------------------------------
    // Calls the window procedure directly, as the operating system would.
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Handles every queued message (including those posted while handling); returns how many.
    int PumpMessages();
    // Pumps until `done` holds or `timeoutMs` of real time passed. Worker threads keep running.
    bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 20000);
    // Calls the preview window's procedure.
    LRESULT SendPreview(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Delivers WM_TIMER for timer `id` (when it is set).
    void FireTimer(int id);

    // --- Script and record ---------------------------------------------------------------------
    std::string tempDir;
    std::string executablePath;
    ScreenInfo screen;
    int clientWidth = 800;
    int clientHeight = 560;
    WindowProcedure procedure = nullptr;
    HWND window = 0;
    std::vector<std::string> titles; // every title set, in order
    std::map<int, std::string> menuTexts;
    std::vector<int> statusEdges;
    std::map<int, std::string> statusTexts;
    std::map<int, std::pair<int, int>> scrollRanges;
    std::map<int, int> scrollPositions;
    bool scrollBarsShown = false;
    CursorKind cursor = CursorKind::Arrow;
    bool cursorConfined = false;
    RECT cursorClip;
    std::map<int, int> timers;
    bool quitPosted = false;
    int quitCode = 0;

    int presentCount = 0;
    bool loseNextPresent = false;
    std::vector<std::uint8_t> lastFrame; // copy of the last presented frame
    FrameView lastFrameView;

    struct PreviewBar {
        bool visible = false;
        int maximum = 0;
        int position = 0;
    };
    struct PreviewRecord {
        WindowProcedure procedure = nullptr;
        bool shown = false;
        std::pair<int, int> size{0, 0}; // whole window
        std::pair<int, int> maximum{0, 0};
        PreviewBar bars[2];
        FrameView lastFrame; // pixels not kept
        bool lastSmooth = false;
    } preview;

    // Answers the options dialog by changing the buttons; empty: the dialog is cancelled.
    std::deque<std::function<void(OptionsDialogData&)>> optionsAnswers;
    std::deque<int> messageBoxAnswers; // IDOK when empty
    std::vector<RecordedMessageBox> messageBoxes;
    std::deque<COLORREF> colourAnswers;   // empty: the chooser is cancelled
    std::vector<COLORREF> colourInitials; // the colour each chooser opened with
    std::vector<std::string> soundsPlayed;

    bool settingsAvailable = true;
    bool settingsOpenNow = false;
    std::map<std::string, std::string> settingsStrings;
    std::map<std::string, std::uint32_t> settingsDwords;

  private:
    std::mutex queueMutex;
    std::condition_variable queueChanged;
    std::deque<QueuedMessage> queue;
    // Messages sent by workers, handled by the main thread while it pumps.
    struct PendingSend {
        QueuedMessage msg;
        bool done = false;
    };
    std::deque<PendingSend*> sends;
};
