// Cutting one piece: its cell, its four edges and its images.
#include "cutting/CSideList.h"
#include "cutting/CutContext.h"
#include "cutting/SideGeometry.h"
#include "play/CPiece.h"
#include "play/CPuzzle.h"

namespace {
CPiece* PieceAtCell(const CPuzzle* puzzle, int c, int r) {
    if (c < 0 || r < 0 || c >= puzzle->cols || r >= puzzle->rows) return nullptr;
    const std::size_t index = static_cast<std::size_t>(r) * puzzle->cols + c;
    return index < puzzle->pieces.size() ? puzzle->pieces[index].get() : nullptr;
}

// The saved record of cell (c, r), or null when the file held none for it.
const SavedPieceRecord* SavedRecord(const CPuzzle* puzzle, int c, int r) {
    const CPositionFile& saved = puzzle->savedPosition;
    const std::int64_t columns = saved.columns > 0 ? saved.columns : puzzle->cols;
    if (c >= columns) return nullptr;
    const std::int64_t index = static_cast<std::int64_t>(r) * columns + c;
    if (index < 0 || index >= static_cast<std::int64_t>(saved.pieces.size())) return nullptr;
    return &saved.pieces[static_cast<std::size_t>(index)];
}
} // namespace

void CPiece::Cut(const CutContext& context, CPuzzle* puzzle, int c, int r) {
    CutEdges(context, puzzle, c, r);
    BuildImages(context, puzzle);
}

void CPiece::CutEdges(const CutContext& context, CPuzzle* puzzle, int c, int r) {
    col = c;
    row = r;
    const int neighbours[4][2] = {{c + 1, r}, {c, r + 1}, {c - 1, r}, {c, r - 1}};
    for (int d = 0; d < 4; ++d) {
        CPieceSide& side = sides[d];
        side.direction = d;
        side.neighbourCol = neighbours[d][0];
        side.neighbourRow = neighbours[d][1];
        const bool outside = side.neighbourCol < 0 || side.neighbourRow < 0 ||
                             side.neighbourCol >= puzzle->cols || side.neighbourRow >= puzzle->rows;
        if (outside) side.setNumber = CPieceSide::kBorder;
    }

    std::int32_t turn = 0;
    if (puzzle->restoringPosition) {
        // The saved shapes, no random numbers.
        if (const SavedPieceRecord* record = SavedRecord(puzzle, c, r)) {
            for (int d = 0; d < 4; ++d) {
                sides[d].setNumber = record->sides[d][0];
                sides[d].slot = record->sides[d][1];
            }
            // The rotation picks one of four images; anything else in the file is ignored.
            if (puzzle->userotation && record->rotation >= 0 && record->rotation <= 3)
                turn = record->rotation;
        }
    } else if (context.sideList && context.sideList->setCount >= 1 && context.random) {
        // Two draws per side, also for sides the left and top neighbours already gave a
        // shape: the sequence must not depend on what was assigned.
        for (int k = 0; k < 4; ++k) {
            const int form = context.random() % 2;
            const int set = context.random() % context.sideList->setCount;
            AssignEdge(*context.sideList, puzzle, k, set, form == 1 ? k + 4 : k);
        }
        if (puzzle->userotation) turn = context.random() % 4;
    }
    rotation = turn;
    for (CPieceSide& side : sides)
        side.rotation = turn;
}

void CPiece::AssignEdge(const CSideList& sideList, CPuzzle* puzzle, int side, std::int32_t setNumber,
                        std::int32_t slot) {
    if (side < 0 || side > 3) return;
    CPieceSide& mine = sides[side];
    if (mine.setNumber != CPieceSide::kUnassigned) return;
    CPiece* neighbour = PieceAtCell(puzzle, mine.neighbourCol, mine.neighbourRow);
    if (!neighbour) return;
    CPieceSide& facing = neighbour->sides[OppositeDirection(side)];
    if (facing.setNumber != CPieceSide::kUnassigned) return;
    // A drawn set the file does not hold leaves the edge straight.
    const CSideShape* shape = sideList.FindShape(setNumber, slot);
    if (!shape) return;
    mine.setNumber = setNumber;
    mine.slot = slot;
    facing.setNumber = setNumber;
    facing.slot = shape->partnerSlot;
}
