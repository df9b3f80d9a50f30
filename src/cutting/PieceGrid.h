#pragma once
// The square grid a picture is cut on and the white nudge.
#include "display/PixelFormat.h"

#include <cstdint>

class CSurface;
class CPuzzle;

// Columns and rows of whole cells; 0 x 0 when the cell size is not usable (CutTable.h).
void ComputeGrid(int width, int height, int cell, std::int32_t* cols, std::int32_t* rows);

// Moves every pure white pixel off white, since white is the transparent colour of the
// piece images: 24/32-bit B,G,R = 255,255,255 gets blue 250; a 16-bit pixel with every
// channel bit of its layout set loses its lowest blue bit (0xFFFF -> 0xFFFE).
void NudgeWhitePixels(std::uint8_t* bits, int pitch, int width, int height, PixelFormatCode format);
void NudgeWhite(CSurface* picture);

// After the picture surface is loaded: the puzzle's cols and rows from its size and the
// cell size, and the white nudge.
void PrepareGrid(CPuzzle* puzzle, int cell);
