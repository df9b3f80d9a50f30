// The board's extent and the scatter area in its middle, where new pieces are laid out.
#include "app/CMainApp.h"
#include "app/Globals.h"
#include "platform/Platform.h"
#include "play/CPuzzle.h"

#include <algorithm>

namespace {
constexpr int kStartScatterMaxWidth = 1024;
constexpr int kStartScatterMaxHeight = 768;
} // namespace

void CPuzzle::InitBoardView() {
    if (Platform()) {
        ScreenInfo screen = Platform()->Screen();
        screenWidth = screen.usableWidth;
        screenHeight = screen.usableHeight;
    }
    SetBoardExtent(0, 0, kBoardSize, kBoardSize);
    SetScatterArea(std::min(screenWidth, kStartScatterMaxWidth),
                   std::min(screenHeight, kStartScatterMaxHeight), true);
}

void CPuzzle::SetBoardExtent(int, int, int right, int bottom) {
    boardRect = RECT{0, 0, right, bottom};
    if (g_mainApp) g_mainApp->SetScrollRanges(right, bottom);
}

void CPuzzle::SetScatterArea(int w, int h, bool centre) {
    const int cx = (boardRect.right - boardRect.left) / 2;
    const int cy = (boardRect.bottom - boardRect.top) / 2;
    scatterArea = RECT{cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2};
    if (!centre || !g_mainApp || !Platform()) return;
    // The client height here includes the status bar, as the window reports it.
    const int clientW = Platform()->ClientWidth();
    const int clientH = Platform()->ClientHeight();
    g_mainApp->SetScrollX(cx - clientW / 2, true, true);
    g_mainApp->SetScrollY(cy - clientH / 2, true, true);
}
