#pragma once
// The game's platform on Qt: the main window and every operating-system service the game
// asks for. Messages reach the game's window procedure on the GUI thread.
#include "platform/Platform.h"
#include "platform/qt/MessageSink.h"
#include "platform/qt/SettingsStore.h"
#include "platform/qt/SoundPlayer.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

class MainWindow;
class PreviewWindow;
class QEventLoop;
class QTimer;
class QUrl;

class QtPlatform : public QObject, public IPlatform, private MessageSink {
  public:
    QtPlatform();
    ~QtPlatform() override;

    // Files and process.
    std::string TempDirectory() override;
    std::string ExecutablePath() override;

    // Main window.
    HWND CreateMainWindow(const std::string& title, int width, int height,
                          WindowProcedure procedure) override;
    void ShowMaximized() override;
    void SetWindowText(const std::string& text) override;
    int ClientWidth() override;
    int ClientHeight() override;
    void SetMenuItemText(int commandId, const std::string& text) override;

    // Status bar.
    void SetStatusParts(const std::vector<int>& rightEdges) override;
    void SetStatusText(int part, const std::string& text) override;
    int StatusBarHeight() override;

    // Scroll bars.
    void SetScrollRange(int bar, int minimum, int maximum) override;
    void SetScrollPos(int bar, int position) override;
    void ShowScrollBars(bool show) override;

    // Screen and presentation.
    ScreenInfo Screen() override;
    bool Present(const FrameView& frame) override;
    bool PresentPart(const FrameView& frame, const RECT& changed) override;

    // Input helpers.
    void SetCursor(CursorKind kind) override;
    void ConfineCursor(const RECT& clientRect) override;
    void ReleaseCursor() override;

    // Messages and timers.
    void PostMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool SendMessageFromWorker(UINT message, WPARAM wParam, LPARAM lParam, int timeoutMs) override;
    void SetTimer(int id, int periodMs) override;
    void PostQuitMessage(int exitCode) override;
    int RunMessageLoop(void (*idle)()) override;
    void ScheduleIdle(int delayMs) override;

    // Dialogs.
    int MessageBox(const std::string& text, const std::string& caption, UINT style) override;
    bool ChooseColour(COLORREF initial, COLORREF& chosen) override;
    int RunOptionsDialog(OptionsDialogData& data) override;
    int RunAboutDialog(AboutDialogData& data) override;
    int RunClosingDialog(ClosingDialogData& data) override;
    OwnerWindow ActiveWindow() override;
    RECT WorkArea() override;

    // Sound and the outside world.
    void PlaySoundFile(const std::string& path) override { sounds_.Play(path); }
    int OpenUrl(const std::string& url) override;

    // Settings store.
    bool SettingsOpen() override { return settings_.Open(); }
    bool SettingsReadString(const std::string& name, std::string& value) override;
    bool SettingsWriteString(const std::string& name, const std::string& value) override;
    bool SettingsReadDword(const std::string& name, std::uint32_t& value) override;
    bool SettingsWriteDword(const std::string& name, std::uint32_t value) override;
    void SettingsClose() override { settings_.Close(); }

    // Preview window.
    HWND CreatePreviewWindow(const std::string& title, int width, int height,
                             WindowProcedure procedure) override;
    void ShowPreviewWindow(bool show) override;
    void SetPreviewWindowSize(int width, int height) override;
    void SetPreviewMaximumSize(int width, int height) override;
    ClientSize PreviewClientSize() override;
    void SetPreviewScrollBar(int bar, bool visible, int maximum, int position) override;
    void InvalidatePreview() override;
    void PresentPreview(const FrameView& frame, const FrameView* smoothSource) override;

    // The main window (null before CreateMainWindow), for tests and the entry point.
    MainWindow* Window() const { return window_.get(); }
    PreviewWindow* Preview() const { return preview_; }
    // Hands addresses to the desktop; tests replace it.
    std::function<bool(const QUrl&)> urlOpener;
    // Tests run a published puzzle from a scratch folder: when set, these replace the running
    // program's path and the per-user temporary directory (which must end in a separator).
    void SetExecutablePath(std::string path) { executablePath_ = std::move(path); }
    void SetTempDirectory(std::string directory) { tempDirectory_ = std::move(directory); }

  private:
    void Deliver(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Post(UINT message, WPARAM wParam, LPARAM lParam) override;
    void RequestPaint() override;

    std::unique_ptr<MainWindow> window_;
    PreviewWindow* preview_ = nullptr; // owned by the main window
    WindowProcedure previewProcedure_ = nullptr;
    WindowProcedure procedure_ = nullptr;
    std::map<int, QTimer*> timers_;
    QEventLoop* mainLoop_ = nullptr;
    QTimer* idleTimer_ = nullptr; // while the loop runs
    bool quitPending_ = false;
    int quitCode_ = 0;
    bool paintPending_ = false;
    SoundPlayer sounds_;
    SettingsStore settings_;
    std::string executablePath_;
    std::string tempDirectory_;
};
