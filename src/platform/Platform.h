#pragma once
// The one narrow interface between the game and the operating system. The core calls
// only this; the Qt front end and the scripted test platform implement it.
#include "platform/DialogData.h"
#include "platform/WinTypes.h"

#include <cstdint>
#include <string>
#include <vector>

// What the screen looks like; the display format follows it.
struct ScreenInfo {
    int width = 1024;          // whole screen
    int height = 768;
    int usableWidth = 1024;    // largest client area a window can have
    int usableHeight = 700;
    int bitsPerPixel = 32;
    int scrollBarWidth = 16;   // width of a vertical scroll bar
    // A resizable window's sizing frame (each side) and caption, for sizing a window whose
    // client area must just hold a picture.
    int frameWidth = 4, frameHeight = 4, captionHeight = 19;
    // Channel masks of a 16-bit screen (ignored for other depths).
    std::uint32_t redMask = 0xF800, greenMask = 0x07E0, blueMask = 0x001F;
};

// A frame ready to be shown: the back buffer's memory in its own layout.
struct FrameView {
    const std::uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;      // bytes per row
    int formatCode = 4; // PixelFormatCode of the pixels
};

struct ClientSize {
    int width = 0;
    int height = 0;
};

// A window a dialog may be centred over, in screen coordinates (right and bottom exclusive).
struct OwnerWindow {
    RECT frame;
    bool visible = false;
    bool minimised = false;
};

enum class CursorKind { Arrow, OpenHand, PointingHand, Wait };

// The game's window procedure, called by the platform for every message of the main window.
using WindowProcedure = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

class IPlatform {
  public:
    virtual ~IPlatform() = default;

    // --- Files and process -----------------------------------------------------------------
    // Per-user private directory for the game's working files, ending in a separator.
    virtual std::string TempDirectory() = 0;
    // Full path of the running executable.
    virtual std::string ExecutablePath() = 0;

    // --- Main window -----------------------------------------------------------------------
    // Creates the main window (hidden menu texts, status bar, scroll bars) of the given size
    // with `procedure` receiving its messages. Returns 0 on failure.
    virtual HWND CreateMainWindow(const std::string& title, int width, int height,
                                  WindowProcedure procedure) = 0;
    virtual void ShowMaximized() = 0;
    virtual void SetWindowText(const std::string& text) = 0;
    // Client-area size of the main window (the board view).
    virtual int ClientWidth() = 0;
    virtual int ClientHeight() = 0;
    // Text of the menu item with the given command identifier.
    virtual void SetMenuItemText(int commandId, const std::string& text) = 0;

    // --- Status bar --------------------------------------------------------------------------
    // Right edges of the parts in pixels (-1 reaches the window's edge).
    virtual void SetStatusParts(const std::vector<int>& rightEdges) = 0;
    virtual void SetStatusText(int part, const std::string& text) = 0;
    virtual int StatusBarHeight() = 0;

    // --- Scroll bars (SB_HORZ or SB_VERT) ------------------------------------------------------
    virtual void SetScrollRange(int bar, int minimum, int maximum) = 0;
    virtual void SetScrollPos(int bar, int position) = 0;
    virtual void ShowScrollBars(bool show) = 0;

    // --- Screen and presentation ---------------------------------------------------------
    virtual ScreenInfo Screen() = 0;
    // Copies a composed frame into the window's client area. Returns false when the
    // presentation surface was lost and must be rebuilt.
    virtual bool Present(const FrameView& frame) = 0;
    // Like Present when only `changed` (right and bottom exclusive, inside the frame) differs
    // from the frame presented before; a platform may copy just that part.
    virtual bool PresentPart(const FrameView& frame, const RECT& /*changed*/) { return Present(frame); }

    // --- Input helpers ---------------------------------------------------------------------
    virtual void SetCursor(CursorKind kind) = 0;
    // Keeps the pointer inside `clientRect` (client coordinates) until released.
    virtual void ConfineCursor(const RECT& clientRect) = 0;
    virtual void ReleaseCursor() = 0;

    // --- Messages and timers -----------------------------------------------------------------
    // Queues a message for the main window; safe from any thread.
    virtual void PostMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Delivers a message on the main thread and waits for it to be handled, from a worker
    // thread. Gives up after `timeoutMs` (returns false) so a worker never blocks forever
    // while the main thread waits for it.
    virtual bool SendMessageFromWorker(UINT message, WPARAM wParam, LPARAM lParam, int timeoutMs) = 0;
    // Timer `id` then arrives as WM_TIMER with wParam = id every `periodMs`.
    virtual void SetTimer(int id, int periodMs) = 0;
    // Ends the message loop with `exitCode` once the current message is handled.
    virtual void PostQuitMessage(int exitCode) = 0;
    // Runs the message loop until the quit message; `idle` runs whenever no message waits.
    virtual int RunMessageLoop(void (*idle)()) = 0;
    // Asked by the idle step: run it again in about `delayMs`; -1: not before a later call asks.
    virtual void ScheduleIdle(int /*delayMs*/) {}

    // --- Dialogs ---------------------------------------------------------------------------------
    // Returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int MessageBox(const std::string& text, const std::string& caption, UINT style) = 0;
    // Colour chooser preset to `initial`; true with `chosen` set when confirmed.
    virtual bool ChooseColour(COLORREF initial, COLORREF& chosen) = 0;
    virtual int RunOptionsDialog(OptionsDialogData& data) = 0;
    // Modal, owned by the main window; IDOK from OK, IDCANCEL when closed.
    virtual int RunAboutDialog(AboutDialogData& /*data*/) { return IDCANCEL; }
    // Modal, owned by the active window, at the place and size the data gives.
    virtual int RunClosingDialog(ClosingDialogData& /*data*/) { return IDCANCEL; }
    // The window that is active now (the main window when none is), frame included.
    virtual OwnerWindow ActiveWindow() { return {}; }
    // The desktop's work area: the screen without its task bars, in screen coordinates.
    virtual RECT WorkArea() {
        const ScreenInfo screen = Screen();
        return RECT{0, 0, screen.width, screen.height};
    }

    // --- Sound and the outside world -------------------------------------------------------------
    // Plays a wave file without waiting for it to end.
    virtual void PlaySoundFile(const std::string& path) = 0;
    // Opens an address in the browser; returns a value above 32 on success.
    virtual int OpenUrl(const std::string& url) = 0;

    // --- Per-user settings store (the "PT Vaze" key) -----------------------------------------
    virtual bool SettingsOpen() = 0;
    virtual bool SettingsReadString(const std::string& name, std::string& value) = 0;
    virtual bool SettingsWriteString(const std::string& name, const std::string& value) = 0;
    virtual bool SettingsReadDword(const std::string& name, std::uint32_t& value) = 0;
    virtual bool SettingsWriteDword(const std::string& name, std::uint32_t value) = 0;
    virtual void SettingsClose() = 0;

    // --- Preview window ------------------------------------------------------------------------
    // A second window, owned by the main window and created hidden, with its own scroll bars
    // and presentation; its messages go to `procedure`. Sizes are of the whole window, frame
    // included. A platform without one returns 0 and ignores the rest.
    virtual HWND CreatePreviewWindow(const std::string& /*title*/, int /*width*/, int /*height*/,
                                     WindowProcedure /*procedure*/) {
        return 0;
    }
    virtual void ShowPreviewWindow(bool /*show*/) {}
    // Keeps the window's position.
    virtual void SetPreviewWindowSize(int /*width*/, int /*height*/) {}
    // The player cannot size the window beyond this.
    virtual void SetPreviewMaximumSize(int /*width*/, int /*height*/) {}
    // What lies between the frame and the visible scroll bars.
    virtual ClientSize PreviewClientSize() { return {}; }
    // SB_HORZ or SB_VERT: visibility, range 0 .. maximum and position in one go.
    virtual void SetPreviewScrollBar(int /*bar*/, bool /*visible*/, int /*maximum*/, int /*position*/) {}
    // WM_PAINT reaches the preview's procedure soon; several requests give one paint.
    virtual void InvalidatePreview() {}
    // Shows `frame` from the client area's top-left corner. When `smoothSource` is given the
    // frame is a plain shrink of it, and a platform that can filter may draw the source
    // scaled to the frame's size instead.
    virtual void PresentPreview(const FrameView& /*frame*/, const FrameView* /*smoothSource*/) {}
};

// The platform the game runs on; set once before anything else runs.
IPlatform* Platform();
void SetPlatform(IPlatform* platform);
