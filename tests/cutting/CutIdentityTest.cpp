// Digests of everything a cut produces (piece images, masks and their shadows as drawn) and
// of frames composed from it, recorded from a known-good build. Work on the speed of cutting
// or drawing must leave every one of these bytes as it was.
#include "app/Globals.h"
#include "app/Random.h"
#include "cutting/CMaskCache.h"
#include "cutting/CPieceMask.h"
#include "cutting/CSideList.h"
#include "cutting/CutTable.h"
#include "cutting/PieceGrid.h"
#include "display/CSurface.h"
#include "display/DisplayFixture.h"
#include "display/FrameComposition.h"
#include "pack/Loader.h"
#include "play/CMouseController.h"
#include "play/CPieceGroup.h"
#include "play/CPuzzle.h"

#include <gtest/gtest.h>

namespace {

struct Digest {
    std::uint64_t h = 1469598103934665603ull;
    void Bytes(const std::uint8_t* p, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i)
            h = (h ^ p[i]) * 1099511628211ull;
    }
    void Int(std::int64_t v) { Bytes(reinterpret_cast<const std::uint8_t*>(&v), sizeof v); }
    // The pixels only, not the padding at the end of each row.
    void Surface(const CSurface* s) {
        if (!s) return Int(-1);
        Int(s->Width()), Int(s->Height()), Int(s->transparent), Int(s->colourKey);
        const std::size_t row = static_cast<std::size_t>(s->Width()) * BytesPerPixel(s->pixelFormat);
        for (int y = 0; y < s->Height(); ++y)
            Bytes(s->Bits() + static_cast<std::size_t>(y) * s->Pitch(), row);
    }
};

struct Case {
    PixelFormatCode format;
    int width, height, cell, sets;
    bool rotation;
    int bevelLevel; // -1: no bevel
    std::uint64_t cut, frames;
};

class CutIdentity : public DisplayFixture, public ::testing::WithParamInterface<Case> {
  protected:
    ~CutIdentity() override { cellSize = 0; }

    // Round tabs and hollows, a different radius and place along the edge in every set, so
    // nearly every outline of a large cut is its own mask.
    void MakeSides(int cell, int sets) {
        const int h = cell / 2;
        for (int set = 0; set < sets; ++set) {
            ++sideList.setCount;
            const int r = cell / 6 + set % 3, along = set % 5 - 2;
            for (int slot = 0; slot < 8; ++slot) {
                auto shape = std::make_unique<CSideShape>(set, slot, (slot + 2) % 4 + (slot & 4));
                shape->width = shape->height = cell;
                shape->map.assign(static_cast<std::size_t>(cell) * cell, 0);
                // Each direction a quarter turn clockwise of the one before, as turned pieces need.
                const int dir = slot % 4, out = slot < 4 ? r : -r;
                const int ox[4] = {1, 0, -1, 0}, oy[4] = {0, 1, 0, -1};
                // Doubled coordinates: the edge runs along 2h.
                const int cx = 2 * h + 2 * (ox[dir] * out - oy[dir] * along);
                const int cy = 2 * h + 2 * (oy[dir] * out + ox[dir] * along);
                for (int y = 0; y < cell; ++y)
                    for (int x = 0; x < cell; ++x) {
                        const int dx = 2 * x + 1 - cx, dy = 2 * y + 1 - cy;
                        if (dx * dx + dy * dy <= 4 * r * r) shape->map[y * cell + x] = slot < 4 ? 255 : 100;
                    }
                sideList.shapes.push_back(std::move(shape));
            }
        }
    }

    void Cut(const Case& c) {
        Create(c.format, 800, 600);
        MakeSides(c.cell, c.sets);
        ASSERT_EQ(display.NewSurface(&puzzle.pictureSurface, c.width, c.height, false), S_OK);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                puzzle.pictureSurface->SetPixelColour(x, y, RGB(x * 7 % 256, y * 3 % 256, (x * y) % 256));
        PrepareGrid(&puzzle, c.cell);
        puzzle.cutStyle = CutMedium;
        puzzle.userotation = c.rotation;
        puzzle.beveling = c.bevelLevel >= 0;
        puzzle.bevellevel = c.bevelLevel;
        cellSize = c.cell;
        GameSeed(2024);
        RunCuttingPass({c.cell, &sideList, &maskCache, &display, GameRand}, &puzzle);
    }

    std::uint64_t CutDigest() {
        Digest d;
        d.Int(static_cast<std::int64_t>(maskCache.Size()));
        for (const auto& piece : puzzle.pieces) {
            d.Int(piece->rotation);
            for (const CPieceSide& side : piece->sides)
                d.Int(side.setNumber), d.Int(side.slot);
            for (int r = 0; r < 4; ++r) {
                d.Surface(piece->images[r]);
                const CPieceMask* mask = piece->masks[r];
                if (!mask) {
                    d.Int(-1);
                    continue;
                }
                d.Bytes(mask->bytes.data(), mask->bytes.size());
                d.Int(mask->left), d.Int(mask->top), d.Int(mask->right), d.Int(mask->bottom);
            }
        }
        return d.h;
    }

    // Every piece a group of its own, heaped over the view; a block of whole rows joined
    // into one group that is then held and dragged. Frames with and without shadows.
    std::uint64_t FrameDigest() {
        const POINT view{1000, 1000};
        CPieceGroup* block = puzzle.NewGroup();
        for (std::size_t i = 0; i < puzzle.pieces.size(); ++i) {
            CPiece* piece = puzzle.pieces[i].get();
            if (piece->row >= 2 && piece->row < 4) {
                block->AddPiece(piece);
                continue;
            }
            CPieceGroup* group = puzzle.NewGroup();
            group->AddPiece(piece);
            group->PlaceAt(view.x - 40 + static_cast<int>(i * 37 % 860), view.y - 40 + static_cast<int>(i * 53 % 660));
            puzzle.groups.Append(group);
        }
        block->PlaceAt(view.x + 100, view.y + 200);
        puzzle.groups.Append(block);
        Digest d;
        auto frame = [&] {
            ComposeFrame(display, &puzzle, 0x336699, view);
            d.Surface(display.BackBuffer());
        };
        for (int shadow : {1, 0}) {
            puzzle.shadow = shadow;
            frame();
        }
        puzzle.shadow = 1;
        puzzle.AddToSelection(block, true);
        puzzle.mouse->dragging = 1;
        for (int step = 0; step < 3; ++step) {
            puzzle.DragSelectionTo(view.x + 90 + 7 * step, view.y + 190 - 5 * step);
            frame();
        }
        // A lone piece held over the heap.
        puzzle.ClearSelection();
        puzzle.AddToSelection(*puzzle.groups.begin(), true);
        puzzle.DragSelectionTo(view.x + 300, view.y + 250);
        frame();
        puzzle.mouse->dragging = 0;
        return d.h;
    }

    CSideList sideList;
    CMaskCache maskCache;
    CPuzzle puzzle;
};

TEST_P(CutIdentity, PiecesAndFramesMatchTheRecordedDigests) {
    const Case& c = GetParam();
    Cut(c);
    const std::uint64_t cut = CutDigest(), frames = FrameDigest();
    EXPECT_EQ(cut, c.cut) << std::hex << "0x" << cut;
    EXPECT_EQ(frames, c.frames) << std::hex << "0x" << frames;
}

// A set the side list does not hold leaves an edge for a later neighbour to give a shape;
// the piece's outline must follow the edge it ends up with. And where a turned outline is
// not the turned unturned one, each image still shows only its own piece's picture.
TEST_F(CutIdentity, ImagesFollowTheFinalEdgesAndShowOnlyTheirOwnPicture) {
    Cut(Case{RGB32, 320, 160, 32, 2, false, -1, 0, 0});
    sideList.setCount = 3, puzzle.userotation = 1;
    for (auto& shape : sideList.shapes) // only right-hand shapes are drawn: turns do not match
        if (shape->slot % 4 != 0) std::fill(shape->map.begin(), shape->map.end(), 0);
    RunCuttingPass({32, &sideList, &maskCache, &display, GameRand}, &puzzle);
    for (const auto& piece : puzzle.pieces) {
        for (int i = 0; i < 4; ++i) {
            const MaskKeyEntry& key = piece->masks[0]->key[i];
            ASSERT_EQ(std::pair(key.setNumber, key.slot), std::pair(piece->sides[i].setNumber, piece->sides[i].slot));
        }
    }
    for (const auto& piece : puzzle.pieces) {
        for (int r = 0; r < 4; ++r) {
            const CPieceMask* mask = piece->masks[r];
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 64; ++x) {
                    if (mask->bytes[y * 64 + x] != 0) continue;
                    const int turned[4][2] = {{x, y}, {y, 63 - x}, {63 - x, 63 - y}, {63 - y, x}};
                    const int px = piece->col * 32 - 16 + turned[r][0], py = piece->row * 32 - 16 + turned[r][1];
                    const bool onPicture = px >= 0 && py >= 0 && px < 320 && py < 160;
                    ASSERT_EQ(piece->images[r]->GetPixelValue(x, y),
                              onPicture ? puzzle.pictureSurface->GetPixelValue(px, py) : 0u)
                        << piece->col << "," << piece->row << " turn " << r << " at " << x << "," << y;
                }
        }
    }
}

// The large case is the 2,000-piece rotated, bevelled cut the game's speed goals are set on.
INSTANTIATE_TEST_SUITE_P(
    Cuts, CutIdentity,
    ::testing::Values(
        Case{RGB32, 1600, 1280, 32, 8, true, 1, 0x718f84610b91584dull, 0xd9bba848d1374471ull},
        Case{RGB32, 200, 136, 16, 2, false, 0, 0x9de4d8858fdb0031ull, 0x7d01887d41f208c8ull},
        Case{RGB565, 330, 200, 32, 3, true, 2, 0xf634ab62f179cdb4ull, 0xda74fbb3699714c4ull},
        Case{RGB555, 260, 200, 32, 3, true, 0, 0x1647b1f9a8896aeaull, 0xab1e479cc63ddd19ull},
        Case{RGB24, 330, 200, 48, 4, true, -1, 0x6026d3c4fb84d397ull, 0xda184234c0ffd3e1ull},
        Case{RGB16Other, 200, 150, 32, 2, false, 1, 0x342951005ca0553full, 0x1ffbe468b84ef49eull}));

} // namespace
