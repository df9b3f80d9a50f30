// Picking, selecting, dragging and dropping groups.
#include "play/CPuzzle.h"

#include <algorithm>
#include <vector>

int CPuzzle::PickSelected(int bx, int by, bool ctrl) {
    for (CPieceGroup* group : selection) {
        if (!group->HitTest(bx, by)) continue;
        if (!ctrl) return 1;
        Deselect(group);
        UpdateSelectionOffsets();
        return 2;
    }
    return 0;
}

bool CPuzzle::Pick(int bx, int by, bool ctrl, bool /*shift*/) {
    if (groups.Empty()) return false;
    if (!ctrl) ClearSelection();
    CPieceGroup* hit = nullptr;
    for (CPieceGroup* group : groups) {
        if (group->HitTest(bx, by)) {
            hit = group;
            break;
        }
    }
    if (!hit) return false;
    if (!hit->selected) {
        AddToSelection(hit, true);
    } else if (ctrl) {
        Deselect(hit);
        UpdateSelectionOffsets();
    }
    return true;
}

void CPuzzle::AddToSelection(CPieceGroup* group, bool bringToFront) {
    // Each group is in the selection at most once.
    if (!group || group->selected) return;
    if (CPieceGroup* head = selection.Head()) {
        group->offsetX = group->x - head->x;
        group->offsetY = group->y - head->y;
    } else {
        group->offsetX = 0;
        group->offsetY = 0;
    }
    group->selected = 1;
    selection.Append(group);
    if (bringToFront) BringSelectionToFront();
}

void CPuzzle::Deselect(CPieceGroup* group) {
    if (!group) return;
    group->selected = 0;
    selection.Remove(group);
}

void CPuzzle::ClearSelection() {
    for (CPieceGroup* group : selection)
        group->selected = 0;
    selection.Clear();
}

void CPuzzle::BringSelectionToFront() {
    // The last group of the selection ends on top.
    for (CPieceGroup* group : selection)
        groups.MoveToHead(group);
}

void CPuzzle::UpdateSelectionOffsets() {
    const CPieceGroup* head = selection.Head();
    if (!head) return;
    for (CPieceGroup* group : selection) {
        group->offsetX = group->x - head->x;
        group->offsetY = group->y - head->y;
    }
}

void CPuzzle::DragSelectionTo(int bx, int by) {
    for (CPieceGroup* group : selection)
        group->PlaceAtOffset(bx, by);
}

void CPuzzle::SelectInRect(int x1, int y1, int x2, int y2) {
    const int l = std::min(x1, x2), r = std::max(x1, x2);
    const int t = std::min(y1, y2), b = std::max(y1, y2);
    if (groups.Empty()) return;
    for (auto it = groups.rbegin(); it != groups.rend(); ++it) {
        if ((*it)->InsideRect(l, t, r, b)) AddToSelection(*it, false);
    }
    BringSelectionToFront();
}

DropResult CPuzzle::DropSelection() {
    // Walk a copy: a join empties groups of the selection.
    const std::vector<CPieceGroup*> dropped(selection.begin(), selection.end());
    bool joined = false;
    for (CPieceGroup* group : dropped)
        joined = group->TryJoin() || joined;
    if (!joined) return DropResult::Nothing;
    CountGroups();
    return percentCompleted == 100.0f ? DropResult::Completed : DropResult::Joined;
}

bool CPuzzle::RotateSelection() {
    if (loaderBusy || !userotation || selection.Empty()) return false;
    for (CPieceGroup* group : selection)
        group->RotateClockwise();
    positionChanged = 1;
    return true;
}
