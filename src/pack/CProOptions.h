#pragma once
// The author extras a pack may carry: a window title, an animated clickable banner, a
// closing page, an About text and button, and a switch that forbids the preview. Until a
// pack supplies them the object stays empty and every operation does nothing.
#include "app/AppTimer.h"
#include "pack/AuthorExtras.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CDisplay;
class CMainApp;
class CSurface;
class IPlatform;

// Most pixels the banner's frames may hold together (every frame is a whole canvas); frames
// beyond it are dropped, so a hostile GIF cannot fill the disk or the memory with copies.
inline constexpr std::size_t kMaxBannerPixels = std::size_t{32} * 1024 * 1024;

struct BannerFrame {
    std::int32_t duration = 500; // milliseconds
    std::string imageFile;       // the frame's BMP in the temporary directory
    std::unique_ptr<CSurface> surface;
};

class CProOptions {
  public:
    // The banner's stopwatch starts here, on `clock` (the steady clock when none is given).
    explicit CProOptions(AppTimer::TimeSource clock = {});
    virtual ~CProOptions();
    CProOptions(const CProOptions&) = delete;
    CProOptions& operator=(const CProOptions&) = delete;

    // Reads the extracted record; false when the file cannot be opened.
    bool Read(const std::string& path);
    // Turns the banner picture into frames; false when no frame results.
    bool LoadBanner(const std::string& imagePath);

    // Idle step of the message loop: advances the banner animation and redraws the board when
    // the shown frame changed (true then).
    bool Tick();
    // Milliseconds until the shown frame next changes; -1 when it never will.
    int NextFrameChangeMs() const;
    void SelectFrame();
    // The banner's rectangle in the main window's client area for the current frame.
    void PlaceBanner();
    // Whether a client point lies on the drawn banner (edges included).
    bool HitTest(int x, int y) const;
    // The banner is drawn and carries an address to open.
    bool Clickable() const;
    // Opens the banner's link in the browser: the platform's result, or 0 when there is no
    // link or its address is not a web page or mail address.
    int OpenLink();
    // Draws the current banner frame over the board.
    void DrawBanner();
    // Reloads the banner frames after the display lost its surfaces.
    void LoadFrameSurfaces();
    // Closing step at shutdown, while the main window still exists.
    void ShowClosingPage();

    std::int32_t present = 0; // the pack carried the extras
    AuthorExtras extras;

    std::vector<BannerFrame> frames; // animation order
    BannerFrame* currentFrame = nullptr;
    float animationTime = 0.0f;   // seconds into the current cycle
    std::int32_t cycleLength = 0; // milliseconds; 0: no animation
    std::int32_t bannerLeft = 0, bannerTop = 0, bannerRight = 0, bannerBottom = 0;
    bool bannerPlaced = false; // the rectangle belongs to a frame that was drawn
    const BannerFrame* lastDrawnFrame = nullptr;
    std::size_t bannerPixelLimit = kMaxBannerPixels;

    // Not owned: where frames are drawn, who redraws the board, the window and the browser.
    CDisplay* display = nullptr;
    CMainApp* app = nullptr;
    IPlatform* platform = nullptr;
    AppTimer timer; // started with the object
};
