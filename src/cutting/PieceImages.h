#pragma once
// Piece images: for each rotation an S x S surface with the picture's pixels where the
// piece's mask is inside and transparent white elsewhere, bevelled when that applies.
// CPiece::BuildImages (in PieceImages.cpp) puts the steps together for one piece.
class CPuzzle;
struct CutContext;

// Everything the pieces need before they are cut or rebuilt: the context's mask cache
// emptied (and no piece left pointing into it) and a fresh copy of the picture's pixels.
void PreparePieceBuild(const CutContext& context, CPuzzle* puzzle);

// The masks and images of every piece, the images built on all cores; the puzzle's progress
// follows the images built. Stops early (false) when the puzzle is asked to stop; an
// exception on any thread reaches the caller once every thread has ended.
bool BuildAllPieceImages(const CutContext& context, CPuzzle* puzzle);
