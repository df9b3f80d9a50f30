#pragma once
// A hand-built grid of pieces, sides set and no images, owned by the game's puzzle.
#include "support/ScopedGame.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class PlayFixture : public ::testing::Test {
  protected:
    // Cuts a cols x rows grid of square pieces at rotation 0, all at (0, 0), in no group.
    void MakeGrid(int cols, int rows) {
        puzzle->ClearPieces();
        puzzle->cols = cols, puzzle->rows = rows, puzzle->totalPieces = cols * rows;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                auto piece = std::make_unique<CPiece>();
                piece->col = c, piece->row = r;
                for (int d = 0; d < 4; ++d) {
                    CPieceSide& side = piece->sides[d];
                    side.direction = d;
                    side.neighbourCol = c + (d == 0) - (d == 2);
                    side.neighbourRow = r + (d == 1) - (d == 3);
                    if (side.neighbourCol < 0 || side.neighbourCol >= cols || side.neighbourRow < 0 ||
                        side.neighbourRow >= rows)
                        side.setNumber = CPieceSide::kBorder;
                }
                puzzle->pieces.push_back(std::move(piece));
            }
    }
    CPiece* P(int c, int r) { return puzzle->PieceAt(c, r); }
    static POINT Pos(const CPiece* p) { return {p->x, p->y}; }
    static POINT Pos(const CPieceGroup* g) { return {g->x, g->y}; }
    // A group holding the given cells, laid out from the first at (x, y), appended at the tail.
    CPieceGroup* Group(std::initializer_list<std::pair<int, int>> cells, int x, int y) {
        CPieceGroup* g = puzzle->NewGroup();
        for (auto [c, r] : cells)
            g->AddPiece(P(c, r));
        g->PlaceAt(x, y);
        puzzle->groups.Append(g);
        return g;
    }
    TempDir temp;
    ScriptedPlatform platform{temp.Str()};
    ScopedGame game{platform};
    CPuzzle* puzzle = game.puzzle.get();
};
