// The banner at run time: which frame shows when, where it sits in the window, drawing it over
// the board, and its link.
#include "pack/CProOptions.h"

#include "app/CMainApp.h"
#include "display/CDisplay.h"
#include "display/CSurface.h"
#include "display/Rects.h"
#include "platform/OpenableAddress.h"
#include "platform/Platform.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {
// Keeps the banner clear of the status bar along the window's bottom edge.
constexpr int kStatusBarAllowance = 20;

// Whole milliseconds into the cycle; an absurd time (a machine woken from sleep) stays finite.
std::int64_t Milliseconds(float seconds) {
    const double ms = std::floor(static_cast<double>(seconds) * 1000.0);
    constexpr double kMost = std::numeric_limits<std::int32_t>::max();
    if (!(ms < kMost)) return static_cast<std::int64_t>(kMost);
    return ms < 0.0 ? 0 : static_cast<std::int64_t>(ms);
}

} // namespace

bool CProOptions::Tick() {
    if (cycleLength != 0) {
        animationTime += static_cast<float>(timer.Elapsed());
        if (Milliseconds(animationTime) >= cycleLength) animationTime = 0.0f;
    }
    SelectFrame();
    if (currentFrame == lastDrawnFrame) return false;
    // Only the banner changes: what the old frame covered and what the new one will.
    const bool wasPlaced = bannerPlaced;
    const RECT before{bannerLeft, bannerTop, bannerRight, bannerBottom};
    PlaceBanner();
    if (app) {
        const RECT area = UniteRects(before, RECT{bannerLeft, bannerTop, bannerRight, bannerBottom});
        if (wasPlaced && bannerPlaced)
            app->Render(&area);
        else
            app->Render();
    }
    lastDrawnFrame = currentFrame;
    return true;
}

int CProOptions::NextFrameChangeMs() const {
    if (cycleLength == 0 || frames.size() < 2 || !currentFrame) return -1;
    const std::int64_t now = Milliseconds(animationTime);
    std::int64_t end = 0;
    for (const BannerFrame& frame : frames) {
        end += frame.duration;
        if (&frame == currentFrame) break;
    }
    // The last frame gives way when the cycle starts again; any other one just after its end.
    const std::int64_t change = (currentFrame == &frames.back()) ? cycleLength : end + 1;
    return static_cast<int>(
        std::clamp<std::int64_t>(change - now, 1, std::numeric_limits<std::int32_t>::max()));
}

void CProOptions::SelectFrame() {
    if (frames.empty()) return;
    if (frames.size() == 1) {
        currentFrame = &frames.front();
        return;
    }
    const std::int64_t now = Milliseconds(animationTime);
    std::int64_t sum = 0;
    for (BannerFrame& frame : frames) {
        sum += frame.duration;
        if (sum >= now) {
            currentFrame = &frame;
            return;
        }
    }
}

void CProOptions::PlaceBanner() {
    bannerPlaced = false;
    if (!currentFrame || !currentFrame->surface || !platform) return;
    const int W = platform->ClientWidth();
    const int H = platform->ClientHeight() - kStatusBarAllowance;
    const int w = currentFrame->surface->Width();
    const int h = currentFrame->surface->Height();
    int left = w, top = w;
    if (extras.placement >= 0 && extras.placement <= 8) {
        const int column = extras.placement % 3, row = extras.placement / 3;
        left = column == 0 ? 0 : column == 1 ? W / 2 - w / 2 : W - w;
        top = row == 0 ? 0 : row == 1 ? H / 2 - h / 2 : H - h;
    }
    bannerLeft = left;
    bannerTop = top;
    bannerRight = left + w;
    bannerBottom = top + h;
    bannerPlaced = true;
}

void CProOptions::DrawBanner() {
    // A frame that is not drawn cannot be clicked either.
    PlaceBanner();
    if (!bannerPlaced || !display) return;
    display->DrawSurface(bannerLeft, bannerTop, currentFrame->surface.get(), nullptr, -1, -1);
}

bool CProOptions::HitTest(int x, int y) const {
    return currentFrame && bannerPlaced && bannerLeft <= x && x <= bannerRight && bannerTop <= y &&
           y <= bannerBottom;
}

bool CProOptions::Clickable() const {
    return extras.linkFlag && extras.linkAddress.size() >= 2;
}

int CProOptions::OpenLink() {
    if (!Clickable() || !platform) return 0;
    return IsOpenableAddress(extras.linkAddress) ? platform->OpenUrl(extras.linkAddress) : 0;
}
