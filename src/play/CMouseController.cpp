#include "play/CMouseController.h"

#include "app/CMainApp.h"
#include "app/CStatusBar.h"
#include "app/Globals.h"
#include "app/StatusBarText.h"
#include "clock/CGameClock.h"
#include "display/GroupDrawing.h"
#include "display/Rects.h"
#include "pack/CProOptions.h"
#include "play/CPuzzle.h"

namespace {
constexpr int kEdgeMargin = 20; // auto-scroll zone at the window edge
constexpr int kEdgeStep = 20;   // pixels per auto-scroll tick
constexpr int kWheelStep = 40;  // pixels per wheel notch
constexpr int kWheelNotch = 120;
} // namespace

CMouseController::CMouseController(CPuzzle* owner) : puzzle(owner) {}

int CMouseController::ScrollX() const {
    return app ? app->scrollX : 0;
}

int CMouseController::ScrollY() const {
    return app ? app->scrollY : 0;
}

void CMouseController::Render() const {
    if (app) app->Render();
}

bool CMouseController::Busy() const {
    return !puzzle || puzzle->loaderBusy;
}

bool CMouseController::SelectionEmpty() const {
    return puzzle->selection.Empty();
}

bool CMouseController::OverBanner(int x, int y) const {
    return g_proOptions && g_proOptions->Clickable() && g_proOptions->HitTest(x, y);
}

void CMouseController::ShowCursor(CursorKind kind) const {
    if (Platform()) Platform()->SetCursor(kind);
}

void CMouseController::ShowArrow() const {
    ShowCursor(cursorArrow);
}

RECT CMouseController::BoardClientRect() const {
    RECT r;
    if (!Platform()) return r;
    r.right = Platform()->ClientWidth();
    const int statusHeight = g_statusBar ? g_statusBar->Height() : Platform()->StatusBarHeight();
    r.bottom = Platform()->ClientHeight() - statusHeight;
    return r;
}

void CMouseController::Confine() const {
    if (!Platform()) return;
    RECT r = BoardClientRect();
    r.left += 1;
    r.top += 2;
    r.right -= Platform()->Screen().scrollBarWidth + 1;
    r.bottom -= 12;
    Platform()->ConfineCursor(r);
}

void CMouseController::ReleaseConfinement() const {
    if (Platform()) Platform()->ReleaseCursor();
}

void CMouseController::StartDragging(int bx, int by) {
    ShowCursor(cursorPointingHand);
    Confine();
    dragging = 1;
    puzzle->positionChanged = 1;
    const CPieceGroup* head = puzzle->selection.Head();
    grab[0] = bx - (head ? head->x : 0);
    grab[1] = by - (head ? head->y : 0);
}

void CMouseController::Drop() {
    const DropResult result = puzzle->DropSelection();
    if (result == DropResult::Nothing) return;
    if (puzzle->soundeffects && Platform()) Platform()->PlaySoundFile(g_tempDirectory + "temp1");
    ShowPieceCounts();
    if (result == DropResult::Completed) AnnounceCompletion();
}

void CMouseController::AnnounceCompletion() const {
    // The box is modal: the pointer must be free to reach it.
    ReleaseConfinement();
    const std::string message = puzzle->CompletionMessage(clock ? clock->seconds : 0);
    Render();
    if (clock) clock->stopped = true;
    if (Platform()) Platform()->MessageBox(message, "Well Done!", MB_OK);
}

void CMouseController::OnLeftDown(int x, int y) {
    if (Busy()) return;
    if (!rubberBanding && !dragging && OverBanner(x, y)) {
        g_proOptions->OpenLink();
        return;
    }
    // The edge timer works from the last known position; a press with no move before it
    // must not leave it at a stale point.
    lastMouseLParam = MakeMouseLParam(x, y);
    const int bx = ScrollX() + x;
    const int by = ScrollY() + y;
    const bool ctrl = app && app->ctrlDown;
    const bool shift = app && app->shiftDown;

    const int picked = puzzle->PickSelected(bx, by, ctrl);
    if (picked == 1) {
        StartDragging(bx, by);
        return;
    }
    if (picked == 2) {
        Render();
        return;
    }

    puzzle->Pick(bx, by, ctrl, shift);
    if (!SelectionEmpty()) {
        // Ctrl+press on empty board with a selection drags the whole selection from here.
        StartDragging(bx, by);
        Render();
        return;
    }
    Confine();
    rubberBanding = 1;
    band[0] = x;
    band[1] = y;
    Render();
}

bool CMouseController::AutoScrollMargin(int x, int y, bool act) {
    if (SelectionEmpty() || !dragging) return false;
    const RECT r = BoardClientRect();
    int dx = 0, dy = 0;
    if (x > r.right - kEdgeMargin) {
        dx = kEdgeStep;
    } else if (x < r.left + kEdgeMargin) {
        dx = -kEdgeStep;
    } else if (y > r.bottom - kEdgeMargin) {
        dy = kEdgeStep;
    } else if (y < r.top + kEdgeMargin) {
        dy = -kEdgeStep;
    } else {
        return false;
    }
    if (act) {
        if (app) {
            if (dx) app->SetScrollX(ScrollX() + dx, true, false);
            if (dy) app->SetScrollY(ScrollY() + dy, true, false);
        }
        puzzle->DragSelectionTo(ScrollX() + x - grab[0], ScrollY() + y - grab[1]);
        Render();
    }
    return true;
}

void CMouseController::OnMouseMove(LPARAM lParam) {
    if (Busy()) return;
    lastMouseLParam = lParam;
    const int x = LParamX(lParam);
    const int y = LParamY(lParam);

    if (!rubberBanding && !dragging && !RightDragging() && OverBanner(x, y)) {
        ShowCursor(cursorPointingHand);
        overBanner = 1;
        return;
    }
    if (overBanner) {
        ShowArrow();
        overBanner = 0;
    }

    if (!SelectionEmpty() && dragging) {
        // Near the edge the timer moves the view and the pieces together.
        if (AutoScrollMargin(x, y, false)) return;
        // The view stays put, so only where the selection was and where it is now change.
        const POINT view{ScrollX(), ScrollY()};
        const RECT before = SelectionBounds(*puzzle, true, view);
        puzzle->DragSelectionTo(view.x + x - grab[0], view.y + y - grab[1]);
        const RECT area = UniteRects(before, SelectionBounds(*puzzle, true, view));
        if (app) app->Render(&area);
    } else if (RightDragging()) {
        if (app) {
            app->SetScrollX(rightStartScroll[0] + rightStart[0] - x, true, false);
            app->SetScrollY(rightStartScroll[1] + rightStart[1] - y, true, false);
        }
        Render();
    } else if (rubberBanding) {
        band[2] = x;
        band[3] = y;
        Render();
    }
}

void CMouseController::OnLeftUp() {
    if (Busy()) return;
    dragging = 0;
    if (!SelectionEmpty()) {
        Drop();
        ReleaseConfinement();
        Render();
    }
    if (rubberBanding) {
        rubberBanding = 0;
        // A release before any move leaves a corner unset and selects nothing.
        if (BandComplete()) {
            puzzle->SelectInRect(band[0], band[1], band[2], band[3]);
            Render();
        }
        band[0] = band[1] = band[2] = band[3] = -1;
    }
    ShowArrow();
    ReleaseConfinement();
}

void CMouseController::OnRightDown(int x, int y) {
    if (Busy() || rubberBanding) return;
    rightStart[0] = x;
    rightStart[1] = y;
    rightStartScroll[0] = ScrollX();
    rightStartScroll[1] = ScrollY();
    ShowCursor(cursorOpenHand);
    Confine();
}

void CMouseController::OnRightUp() {
    if (Busy()) return;
    rightStart[0] = rightStart[1] = -1;
    ReleaseConfinement();
    ShowArrow();
}

void CMouseController::OnWheel(int keys, int delta) {
    if (Busy() || RightDragging() || rubberBanding || (!SelectionEmpty() && dragging)) return;
    if (!app) return;
    const int step = kWheelStep * (delta / kWheelNotch);
    if (keys == static_cast<int>(MK_CONTROL) || keys == static_cast<int>(MK_SHIFT)) {
        app->SetScrollX(ScrollX() + step, true, true);
    } else {
        app->SetScrollY(ScrollY() - step, true, true);
    }
}

void CMouseController::OnAutoScrollTimer() {
    if (Busy()) return;
    AutoScrollMargin(LParamX(lastMouseLParam), LParamY(lastMouseLParam), true);
}

void CMouseController::Cancel() {
    if (Busy()) return;
    if (RightDragging()) {
        rightStart[0] = rightStart[1] = -1;
        ShowArrow();
    }
    if (rubberBanding) {
        band[0] = band[1] = band[2] = band[3] = -1;
        ReleaseConfinement();
        rubberBanding = 0;
        Render();
    }
    if (!SelectionEmpty() && dragging) {
        dragging = 0;
        Drop();
        ReleaseConfinement();
        Render();
        ShowArrow();
    }
}

void CMouseController::Abandon() {
    dragging = 0;
    rubberBanding = 0;
    band[0] = band[1] = band[2] = band[3] = -1;
    rightStart[0] = rightStart[1] = -1;
    ReleaseConfinement();
}
