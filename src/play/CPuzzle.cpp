// The play model: pieces, groups and the counts derived from them.
#include "play/CPuzzle.h"

#include "app/Globals.h"
#include "cutting/CutTable.h"
#include "app/Settings.h"
#include "display/CSurface.h"
#include "play/CMouseController.h"

CPuzzle::CPuzzle() : mouse(std::make_unique<CMouseController>(this)) {}

CPuzzle::~CPuzzle() {
    // No worker may outlive the pieces it is cutting.
    if (loaderThread.joinable() || progressThread.joinable()) StopWorkers();
    SaveSettings(*this);
    ClearPieces();
    delete pictureSurface;
    pictureSurface = nullptr;
    delete selectorSurface;
    selectorSurface = nullptr;
}

CPiece* CPuzzle::PieceAt(int col, int row) const {
    if (col < 0 || row < 0 || col >= cols || row >= rows) return nullptr;
    const std::size_t index = static_cast<std::size_t>(row) * static_cast<std::size_t>(cols) + col;
    // A cut in progress may not have built every piece yet.
    if (index >= pieces.size()) return nullptr;
    return pieces[index].get();
}

void CPuzzle::ClearGroups() {
    ClearSelection();
    groups.Clear();
    ownedGroups.clear();
    for (auto& piece : pieces) {
        if (piece) piece->group = nullptr;
    }
}

void CPuzzle::ClearPieces() {
    // The release that would end a press in progress is ignored while the new pieces are cut.
    if (mouse) mouse->Abandon();
    ClearGroups();
    pieces.clear();
}

CPieceGroup* CPuzzle::NewGroup() {
    ownedGroups.push_back(std::make_unique<CPieceGroup>(this));
    return ownedGroups.back().get();
}

bool CPuzzle::IsLeftOutPiece(const CPiece* piece) const {
    if (cutStyle != CutAngular || !piece) return false;
    for (const CPieceSide& side : piece->sides) {
        if (side.setNumber < 0 || side.slot < 4) return false;
    }
    return true;
}

int CPuzzle::PictureWidth() const {
    return pictureSurface ? pictureSurface->Width() : cols * cellSize;
}

int CPuzzle::PictureHeight() const {
    return pictureSurface ? pictureSurface->Height() : rows * cellSize;
}

void CPuzzle::CountGroups() {
    int nonEmpty = 0;
    int loose = 0;
    for (const CPieceGroup* group : groups) {
        const std::size_t n = group->pieces.Size();
        if (n > 0) ++nonEmpty;
        if (n == 1) ++loose;
    }
    loosePieces = loose;
    if (totalPieces == 0) return;
    if (nonEmpty == 1) {
        percentCompleted = 100.0f;
        return;
    }
    percentCompleted = static_cast<float>((1.0 - static_cast<double>(nonEmpty) / totalPieces) * 100.0);
}
