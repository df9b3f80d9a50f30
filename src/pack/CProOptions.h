#pragma once
// The author extras a pack may carry: a window title, an animated clickable banner, a
// closing page and a switch that forbids the preview. Until a pack supplies them the
// object stays empty and every operation does nothing.
#include <cstdint>
#include <string>

class CProOptions {
  public:
    CProOptions();
    virtual ~CProOptions();
    CProOptions(const CProOptions&) = delete;
    CProOptions& operator=(const CProOptions&) = delete;

    // Idle step of the message loop: advances the banner animation.
    void Tick();
    // Whether a client point lies on the banner.
    bool HitTest(int x, int y) const;
    // Opens the banner's link; the shell's result, or 0 when there is none.
    int OpenLink();
    // Draws the current banner frame over the board.
    void DrawBanner();
    // Reloads the banner frames after the display lost its surfaces.
    void LoadFrameSurfaces();
    // Closing step at shutdown, while the main window still exists.
    void ShowClosingPage();

    std::int32_t present = 0; // the pack carried the extras
    std::string title;        // the author's title for the window
    std::int32_t linkFlag = 0;
    std::string linkAddress;
    std::int32_t previewForbidden = 0;
};
