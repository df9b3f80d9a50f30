#pragma once
// One piece of the cut picture: its images and masks for each rotation, its four sides
// and where it lies on the board.
#include "play/CPieceSide.h"

#include <cstdint>

class CSurface;
class CPieceMask;
class CPieceGroup;
class CPuzzle;
class CSideList;
struct CutContext;

class CPiece {
  public:
    CPiece() = default;
    virtual ~CPiece();
    CPiece(const CPiece&) = delete;
    CPiece& operator=(const CPiece&) = delete;

    // --- Cutting (cutting/) ---------------------------------------------------------------
    // Sets the cell and the sides, assigns edge shapes drawn from the context's random
    // source (or taken from the saved position being restored) and builds the images.
    void Cut(const CutContext& context, CPuzzle* puzzle, int col, int row);
    // Gives side `side` the shape (setNumber, slot) and the neighbour's facing side its
    // partner, when both are still unassigned and the side list holds the shape.
    void AssignEdge(const CSideList& sideList, CPuzzle* puzzle, int side, std::int32_t setNumber,
                    std::int32_t slot);
    // Sets the cell and the sides and draws the edge shapes and the turn (or takes them from
    // the saved position being restored), without building images.
    void CutEdges(const CutContext& context, CPuzzle* puzzle, int col, int row);
    // Masks and images for the current settings (rotation, bevel): AssignMasks, then PaintImages.
    void BuildImages(const CutContext& context, CPuzzle* puzzle);
    // The masks from the context's cache, which is shared: one piece at a time.
    void AssignMasks(const CutContext& context, const CPuzzle& puzzle);
    // The images from the masks and the puzzle's picture copy; pieces may do this on several
    // threads at once.
    void PaintImages(const CutContext& context, const CPuzzle& puzzle);
    void ReleaseImages();

    // --- Model (play/) -------------------------------------------------------------------
    bool HitTest(int bx, int by) const;
    bool InsideRect(int l, int t, int r, int b) const;

    // --- Rotation and joining (play/) --------------------------------------------------------
    // Sets the rotation of the piece and of its four sides; a value outside 0..3 becomes 0.
    void SetRotation(int rot);
    void RotateClockwise();
    // The first piece of another group that fits beside this one (sides tried right,
    // bottom, left, top), or null.
    CPiece* FindJoinPartner(CPuzzle* puzzle);
    static int RotationToAngle(int rot);
    static int AngleToRotation(int angle);

    CSurface* images[4] = {nullptr, nullptr, nullptr, nullptr};  // owned
    CPieceMask* masks[4] = {nullptr, nullptr, nullptr, nullptr}; // shared through the mask cache
    CPieceSide sides[4];                                         // right, bottom, left, top
    std::int32_t x = 0, y = 0;                                   // board position of the image
    std::int32_t col = 0, row = 0;
    CPieceGroup* group = nullptr;
    std::int32_t bevelParams[4] = {0, 40, 1, 10};
    std::int32_t rotation = 0;
};
