#pragma once
// Piece images: for each rotation an S x S surface with the picture's pixels where the
// piece's mask is inside and transparent white elsewhere, bevelled when that applies.
// CPiece::BuildImages (in PieceImages.cpp) puts the steps together.
#include <cstdint>

class CDisplay;
class CPiece;
class CPuzzle;
struct CutContext;

// Replaces image `rotation` of the piece with a new side x side surface, transparent
// white and filled with white. False (logged) when the display cannot make it.
bool MakeImageFromMask(CDisplay* display, CPiece* piece, int rotation, int side);

// Turns an S x S image of bpp-byte pixels (no row padding) a quarter turn clockwise:
// new (x, y) = old (y, S - 1 - x) as column, row. Built in `work`, copied back whole.
void RotateScratch(std::uint8_t* image, std::uint8_t* work, int side, int bpp);

// The two scratch buffers, Bpp x S x S bytes each, for the picture's layout and the
// context's cell size.
void AllocateScratchBuffers(const CutContext& context, CPuzzle* puzzle);

// Everything the pieces need before they are cut or rebuilt: the context's mask cache
// emptied (and no piece left pointing into it), the scratch buffers when rotation is
// allowed, and a fresh copy of the picture's pixels.
void PreparePieceBuild(const CutContext& context, CPuzzle* puzzle);
