// Placing the groups: a new game's scatter, restoring saved groups and auto-arrange; and
// the end of a load.
#include "app/Globals.h"
#include "app/Random.h"
#include "clock/TargetTime.h"
#include "play/CPuzzle.h"
#include "play/SpotGrid.h"

#include <vector>

namespace {
// rand() mod span + low; an empty span (no scatter area) gives its low edge.
int DrawInRange(int low, int high) {
    const int value = GameRand();
    const int span = high - low;
    return span > 0 ? value % span + low : low;
}

// A point of the area no filed group crowds: four tested tries, x then y drawn for each; a
// crowded area takes the fifth point as it comes.
POINT FreeSpot(const RECT& area, const SpotGrid& grid) {
    POINT p;
    for (int walk = 0; walk < 4; ++walk) {
        p.x = DrawInRange(area.left, area.right);
        p.y = DrawInRange(area.top, area.bottom);
        if (!grid.Crowded(p)) return p;
    }
    p.x = DrawInRange(area.left, area.right);
    p.y = DrawInRange(area.top, area.bottom);
    return p;
}

// Moves each group to a free spot in turn; every group counts, moved or not.
template <typename Groups> void PlaceOnFreeSpots(CPuzzle* puzzle, const std::vector<CPieceGroup*>& moving, const Groups& all) {
    SpotGrid grid(puzzle->scatterArea, all);
    for (CPieceGroup* group : moving) {
        const POINT from{group->x, group->y};
        const POINT spot = FreeSpot(puzzle->scatterArea, grid);
        group->PlaceAt(spot.x, spot.y);
        grid.Moved(group, from);
    }
}
} // namespace

void CPuzzle::NewGame() {
    // Every piece gets exactly one group, however often the loader's end arrives.
    ClearGroups();
    if (restoringPosition && !savedPosition.groups.empty()) {
        if (!RestoreGroups()) {
            // The saved groups did not cover every piece: the rest goes back on the board
            // loose rather than being lost.
            std::vector<CPieceGroup*> added;
            for (auto& piece : pieces) {
                if (!piece || piece->group || IsLeftOutPiece(piece.get())) continue;
                CPieceGroup* group = NewGroup();
                group->AddPiece(piece.get());
                group->PlaceAt(piece->x, piece->y);
                groups.Append(group);
                added.push_back(group);
            }
            PlaceOnFreeSpots(this, added, groups);
        }
    } else {
        Scatter();
    }
    FinishLoad();
    const TargetTime target = TargetTimeFor(totalPieces);
    targetHours = target.hours;
    targetMinutes = target.minutes;
    restoringPosition = 0;
}

void CPuzzle::FinishLoad() {
    // The loader posted its end message as its last act, so this wait is short. It comes
    // first so that neither the count nor the caller can meet a loader still touching the
    // pieces.
    if (loaderThread.joinable()) loaderThread.join();
    loaderBusy = false;
    CountGroups();
}

void CPuzzle::Scatter() {
    for (auto& piece : pieces) {
        if (!piece || IsLeftOutPiece(piece.get())) continue;
        CPieceGroup* group = NewGroup();
        group->AddPiece(piece.get());
        group->PlaceAt(piece->x, piece->y);
        groups.Append(group);
    }
    const std::vector<CPieceGroup*> all(groups.begin(), groups.end());
    PlaceOnFreeSpots(this, all, groups);
}

POINT CPuzzle::RandomFreeSpot() {
    return FreeSpot(scatterArea, SpotGrid(scatterArea, groups));
}

bool CPuzzle::RestoreGroups() {
    bool complete = true;
    for (const SavedGroupRecord& record : savedPosition.groups) {
        CPieceGroup* group = nullptr;
        for (const auto& [col, row] : record.cells) {
            CPiece* piece = PieceAt(col, row);
            // A cell outside the grid, or one already placed, would break the one-group rule.
            if (!piece || piece->group) {
                complete = false;
                continue;
            }
            if (!group) group = NewGroup();
            group->AddPiece(piece);
        }
        if (!group) continue;
        group->PlaceAt(record.x, record.y);
        groups.Append(group);
    }
    for (auto& piece : pieces) {
        if (piece && !piece->group && !IsLeftOutPiece(piece.get())) complete = false;
    }
    return complete;
}

bool CPuzzle::AutoArrange() {
    if (loaderBusy || groups.Empty()) return false;
    const int s = cellSize;
    const int gap = s / 4;
    const int d = s + gap;
    const int pw = PictureWidth();
    const int ph = PictureHeight();
    const int left0 = kBoardCentre - pw / 2;
    const int top0 = kBoardCentre - ph / 2;
    const int right0 = left0 + pw;
    const int bottom0 = top0 + ph;

    // The first cell starts at the picture's left edge, one step above it.
    int x = left0 - s / 2;
    int y = top0 + s / 2 - 2 * s - gap;

    std::vector<CPieceGroup*> loose;
    for (CPieceGroup* group : groups) {
        if (group->pieces.Size() == 1) loose.push_back(group);
    }
    const int n = static_cast<int>(loose.size());
    std::vector<char> used(loose.size(), 0);
    int state = 0;
    int ring = 0;
    for (int i = 0; i < n; ++i) {
        int k = GameRand() % n;
        for (int retry = 0; used[k] && retry < 50; ++retry)
            k = GameRand() % n;
        if (used[k]) {
            k = -1;
            for (int j = 0; j < n; ++j) {
                if (!used[j]) {
                    k = j;
                    break;
                }
            }
            if (k < 0) break;
        }
        used[k] = 1;
        loose[k]->PlaceAt(x, y);

        // Clockwise round the picture area, one ring further out after each circuit.
        switch (state) {
        case 0:
            x += d;
            if (x + s > right0 + d * ring) state = 1;
            break;
        case 1:
            y += d;
            if (y + s > bottom0 + d * ring) state = 2;
            break;
        case 2:
            x -= d;
            if (x + s < left0 - d * ring) state = 3;
            break;
        default:
            y -= d;
            if (y + s < top0 - d * (ring + 1)) {
                state = 0;
                ++ring;
            }
            break;
        }
    }
    ClearSelection();
    positionChanged = 1;
    return true;
}
