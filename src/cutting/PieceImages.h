#pragma once
// Piece images: for each rotation an S x S surface with the picture's pixels where the
// piece's mask is inside and transparent white elsewhere, bevelled when that applies.
// CPiece::BuildImages (in PieceImages.cpp) puts the steps together.
class CPuzzle;
struct CutContext;

// Everything the pieces need before they are cut or rebuilt: the context's mask cache
// emptied (and no piece left pointing into it), the scratch buffers when rotation is
// allowed, and a fresh copy of the picture's pixels.
void PreparePieceBuild(const CutContext& context, CPuzzle* puzzle);
