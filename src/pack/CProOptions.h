#pragma once
// The author extras a pack may carry: a window title, an animated clickable banner, a
// closing page, an About text and button, and a switch that forbids the preview. Until a
// pack supplies them the object stays empty and every operation does nothing.
#include "pack/AuthorExtras.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CSurface;

struct BannerFrame {
    std::int32_t duration = 500; // milliseconds
    std::string imageFile;       // the frame's BMP in the temporary directory
    std::unique_ptr<CSurface> surface;
};

class CProOptions {
  public:
    CProOptions();
    virtual ~CProOptions();
    CProOptions(const CProOptions&) = delete;
    CProOptions& operator=(const CProOptions&) = delete;

    // Reads the extracted record; false when the file cannot be opened.
    bool Read(const std::string& path);
    // Turns the banner picture into frames; false when no frame results.
    bool LoadBanner(const std::string& imagePath);

    // Idle step of the message loop: advances the banner animation.
    void Tick();
    void SelectFrame();
    void PlaceBanner();
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
    AuthorExtras extras;

    std::vector<BannerFrame> frames; // animation order
    BannerFrame* currentFrame = nullptr;
    float animationTime = 0.0f; // seconds into the current cycle
    std::int32_t cycleLength = 0; // milliseconds; 0: no animation
    std::int32_t bannerLeft = 0, bannerTop = 0, bannerRight = 0, bannerBottom = 0;
};
