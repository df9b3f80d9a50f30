// The view origin and the two scroll bars. The bars' ranges are the board's extent and the
// origin may go as far, so at the far end the window shows the board's edge and background
// beyond it.
#include "app/CMainApp.h"
#include "app/WndProc.h"
#include "platform/Platform.h"

#include <algorithm>

namespace {
constexpr int kLineStep = 5;
constexpr int kPageStep = 50;

int Clamp(int value, int maximum) {
    return value < 0 ? 0 : (value > maximum ? maximum : value);
}
} // namespace

void CMainApp::SetScrollX(int x, bool updateBars, bool redraw) {
    scrollX = Clamp(x, scrollBarMax[SB_HORZ]);
    if (updateBars) SetScrollBarPositions(scrollX, scrollY);
    if (redraw) Render();
}

void CMainApp::SetScrollY(int y, bool updateBars, bool redraw) {
    scrollY = Clamp(y, scrollBarMax[SB_VERT]);
    if (updateBars) SetScrollBarPositions(scrollX, scrollY);
    if (redraw) Render();
}

void CMainApp::SetScrollRanges(int horizontalMax, int verticalMax) {
    scrollBarMax[SB_HORZ] = std::max(0, horizontalMax);
    scrollBarMax[SB_VERT] = std::max(0, verticalMax);
    if (!Platform()) return;
    Platform()->SetScrollRange(SB_HORZ, 0, scrollBarMax[SB_HORZ]);
    Platform()->SetScrollRange(SB_VERT, 0, scrollBarMax[SB_VERT]);
}

void CMainApp::SetScrollBarPositions(int x, int y) {
    // Like a scroll bar, a position outside the range stops at its end.
    scrollBarPos[SB_HORZ] = Clamp(x, scrollBarMax[SB_HORZ]);
    scrollBarPos[SB_VERT] = Clamp(y, scrollBarMax[SB_VERT]);
    if (!Platform()) return;
    Platform()->SetScrollPos(SB_HORZ, scrollBarPos[SB_HORZ]);
    Platform()->SetScrollPos(SB_VERT, scrollBarPos[SB_VERT]);
}

namespace {
// Moves one bar and returns the view origin the request asks for; false for requests
// that do not scroll.
bool ScrollRequest(int request, int thumb, int origin, std::int32_t* barPos, int barMax, int* target) {
    if (request == SB_THUMBPOSITION || request == SB_THUMBTRACK) {
        *barPos = Clamp(thumb, barMax);
        *target = thumb;
        return true;
    }
    const int step = ScrollStep(request, kLineStep, kPageStep);
    if (step == 0) return false;
    *barPos = Clamp(*barPos + step, barMax);
    *target = origin + step;
    return true;
}
} // namespace

void CMainApp::OnHScroll(int request, int thumb) {
    if (PuzzleLoading()) return;
    int target = 0;
    if (!ScrollRequest(request, thumb, scrollX, &scrollBarPos[SB_HORZ], scrollBarMax[SB_HORZ], &target))
        return;
    if (Platform()) Platform()->SetScrollPos(SB_HORZ, scrollBarPos[SB_HORZ]);
    SetScrollX(target, false, true);
}

void CMainApp::OnVScroll(int request, int thumb) {
    if (PuzzleLoading()) return;
    int target = 0;
    if (!ScrollRequest(request, thumb, scrollY, &scrollBarPos[SB_VERT], scrollBarMax[SB_VERT], &target))
        return;
    if (Platform()) Platform()->SetScrollPos(SB_VERT, scrollBarPos[SB_VERT]);
    SetScrollY(target, false, true);
}
