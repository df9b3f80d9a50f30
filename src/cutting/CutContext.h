#pragma once
// Everything a cut works with, handed in by whoever starts it: the game's loader builds one
// from its own objects, the publishing tool from objects of its own.
#include <cstdint>
#include <functional>

class CDisplay;
class CMaskCache;
class CSideList;

struct CutContext {
    std::int32_t cellSize = 0;
    const CSideList* sideList = nullptr; // the edge shapes pieces are cut with
    CMaskCache* maskCache = nullptr;     // the outlines shared by the pieces
    CDisplay* display = nullptr;         // makes the piece images and shadows
    // Draws edge shapes and rotations: the next value in 0..32767.
    std::function<int()> random;
};
