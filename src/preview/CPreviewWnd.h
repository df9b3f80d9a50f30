#pragma once
// The preview window: the finished picture in a window of its own beside the board, shown
// at full size and scrolled, or shrunk to fit, as the player chose.
#include "platform/WinTypes.h"

#include <cstdint>
#include <memory>
#include <string>

class CDisplay;
class CSurface;
struct DecodedImage;
class IPlatform;

class CPreviewWnd {
  public:
    // Creates the window hidden, with no picture. `showMode`: 0 scroll, 1 resize.
    CPreviewWnd(IPlatform& platform, HWND owner, std::int32_t showMode);
    virtual ~CPreviewWnd();
    CPreviewWnd(const CPreviewWnd&) = delete;
    CPreviewWnd& operator=(const CPreviewWnd&) = delete;

    // A new puzzle's picture: a display of its size, the picture loaded into it, and the
    // window sized so its client area just holds it. False when either cannot be made.
    // `decoded`, when given, holds the file's pixels, so the file is not read again.
    bool SetPicture(const std::string& path, int pictureWidth, int pictureHeight,
                    const DecodedImage* decoded = nullptr);
    // After lost surfaces: the display and the picture again, at the stored size.
    bool ReloadPicture(const std::string& path);

    void Show();
    void LimitSize();
    void Hide();
    void Toggle();
    void UpdateMenuText();
    void ApplyShowMode();
    void UpdateScrollBars();
    void Paint();
    // A scroll bar request (SB_LINEUP ... SB_THUMBTRACK) for SB_HORZ or SB_VERT.
    void OnScroll(int bar, int request, int thumb);
    // wParam of WM_MOUSEWHEEL: key state in the low word, signed delta in the high word.
    void OnWheel(WPARAM wParam);
    void ClampScroll();
    // Largest whole-window size: the picture at its own size plus the frame.
    POINT MaxTrackSize() const;

    HWND owner = 0;
    HWND window = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t scrollX = 0;
    std::int32_t scrollY = 0;
    std::int32_t visible = 0;
    std::int32_t showMode = 1;
    // Where the scroll bars stand and how far they reach (SB_HORZ, SB_VERT); the platform's
    // bars are not read back. A hidden bar reaches nowhere.
    std::int32_t barPos[2] = {0, 0};
    std::int32_t barMax[2] = {0, 0};

  private:
    bool LoadPictureSurface(const std::string& path, const DecodedImage* decoded = nullptr);
    void SetBarPos(int bar, int position);
    void FitBar(int bar, int client, int extent);
    void SendBar(int bar, bool shown);

    IPlatform& platform_;
    std::unique_ptr<CDisplay> display_;
    std::unique_ptr<CSurface> picture_;
    bool barShown_[2] = {false, false};
};

// The preview window's procedure.
LRESULT PreviewWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
