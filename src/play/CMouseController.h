#pragma once
// The mouse on the board: picking, dragging and dropping groups, the rubber band, panning
// with the right button, the wheel and scrolling at the window edge while dragging.
#include "platform/Platform.h"
#include "platform/WinTypes.h"

#include <cstdint>

class CMainApp;
class CGameClock;
class CPuzzle;

class CMouseController {
  public:
    explicit CMouseController(CPuzzle* owner);
    virtual ~CMouseController() = default;
    CMouseController(const CMouseController&) = delete;
    CMouseController& operator=(const CMouseController&) = delete;

    // Positions are view (client) coordinates.
    void OnLeftDown(int x, int y);
    void OnLeftUp();
    void OnMouseMove(LPARAM lParam);
    void OnRightDown(int x, int y);
    void OnRightUp();
    void OnWheel(int keys, int delta);
    // The 50 ms timer: scrolls while a dragged piece is held near the window edge.
    void OnAutoScrollTimer();
    // The mouse left the board for the preview window: ends whatever is in progress.
    void Cancel();
    // A new cut takes the pieces away: a press in progress ends without a drop, so no
    // drag, band or panning outlives the load and the pointer is free again.
    void Abandon();

    bool RightDragging() const { return !(rightStart[0] == -1 && rightStart[1] == -1); }
    bool BandComplete() const { return band[0] != -1 && band[1] != -1 && band[2] != -1 && band[3] != -1; }

    CursorKind cursorOpenHand = CursorKind::OpenHand;
    CursorKind cursorPointingHand = CursorKind::PointingHand;
    CursorKind cursorArrow = CursorKind::Arrow;
    CMainApp* app = nullptr;     // not owned: scrolls the view and draws; without it nothing scrolls
    CGameClock* clock = nullptr; // not owned: stopped when the last join completes the puzzle
    std::int32_t rubberBanding = 0;
    std::int32_t band[4] = {-1, -1, -1, -1}; // x1, y1, x2, y2 in view coordinates
    std::int32_t grab[2] = {0, 0};           // press point minus the head group's origin
    std::int32_t rightStart[2] = {-1, -1};
    std::int32_t rightStartScroll[2] = {0, 0};
    std::int32_t overBanner = 0;
    std::int32_t dragging = 0;
    // The last mouse position, for the auto-scroll timer.
    LPARAM lastMouseLParam = 0;
    CPuzzle* puzzle = nullptr; // not owned

  private:
    int ScrollX() const;
    int ScrollY() const;
    void Render() const;
    bool Busy() const;
    bool SelectionEmpty() const;
    bool OverBanner(int x, int y) const;
    void ShowCursor(CursorKind kind) const;
    void ShowArrow() const;
    // The client area without the status bar.
    RECT BoardClientRect() const;
    void Confine() const;
    void ReleaseConfinement() const;
    void StartDragging(int bx, int by);
    // Drops the held groups; a join clicks and updates the counts, the last one is announced.
    void Drop();
    void AnnounceCompletion() const;
    // True when (x, y) lies within 20 pixels of an edge; with `act`, scrolls one step and
    // moves the held groups along.
    bool AutoScrollMargin(int x, int y, bool act);
};
