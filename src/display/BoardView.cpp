// The board and the view over it: the board's extent, the scatter area in its middle and
// the conversion from board to screen coordinates.
#include "app/CMainApp.h"
#include "app/Globals.h"
#include "platform/Platform.h"
#include "play/CPuzzle.h"

#include <algorithm>

namespace {
constexpr int kBoardSize = 5000;
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

void CPuzzle::SetBoardExtent() {
    SetBoardExtent(0, 0, kBoardSize, kBoardSize);
}

void CPuzzle::SetBoardExtent(int, int, int right, int bottom) {
    boardRect = RECT{0, 0, right, bottom};
    if (g_mainApp) g_mainApp->SetScrollRanges(right, bottom);
}

void CPuzzle::SetScatterArea() {
    SetScatterArea(std::min(screenWidth, kStartScatterMaxWidth),
                   std::min(screenHeight, kStartScatterMaxHeight), true);
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

int CPuzzle::BoardToViewX(int bx) const {
    return bx - (g_mainApp ? g_mainApp->scrollX : 0);
}

int CPuzzle::BoardToViewY(int by) const {
    return by - (g_mainApp ? g_mainApp->scrollY : 0);
}
