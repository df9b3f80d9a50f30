#include "CuttingFixture.h"

#include "app/Random.h"
#include "cutting/CPieceMask.h"
#include "cutting/PieceGrid.h"
#include "cutting/PieceImages.h"
#include "cutting/SideGeometry.h"
#include "display/CSurface.h"
#include "play/CPuzzle.h"

#include <cstring>

namespace {

class CutTest : public CuttingFixture {
  protected:
    void SetUp() override {
        CuttingFixture::SetUp();
        puzzle = std::make_unique<CPuzzle>();
        puzzle->beveling = 0;
        puzzle->userotation = 0;
        puzzle->cutStyle = 1;
    }
    void TearDown() override {
        puzzle.reset();
        CuttingFixture::TearDown();
    }

    // Sets 0 and 1 (or those given), slots 0..7, each slot's partner serving the opposite
    // edge. A shape is a cellSize/4 square centred along its edge: material just beyond
    // the body for slots 0-3 (a tab), cut just inside it for slots 4-7 (a hollow).
    void MakeSideList(std::initializer_list<int> sets = {0, 1}) {
        const int cell = cellSize, h = cell / 2, q = cell / 4;
        for (int set : sets) {
            ++sideList.setCount;
            for (int slot = 0; slot < 8; ++slot) {
                CSideShape* shape = AddShape(set, slot, (slot + 2) % 4 + (slot & 4), 0);
                const int dir = slot % 4;
                const bool tab = slot < 4;
                // Right and bottom shapes have the body in their first half, left and top
                // ones in their second.
                const bool bodyFirst = dir == 0 || dir == 1;
                const int across = (tab == bodyFirst) ? h : h - q;
                const int along = h - q / 2;
                for (int i = 0; i < q; ++i)
                    for (int j = 0; j < q; ++j) {
                        const int x = (dir % 2 == 0) ? across + i : along + i;
                        const int y = (dir % 2 == 0) ? along + j : across + j;
                        shape->map[y * cell + x] = tab ? 255 : 100;
                    }
            }
        }
    }

    // A picture whose every pixel is distinct, loaded into the puzzle like a real one.
    void MakePicture(int width, int height) {
        CSurface* surface = nullptr;
        ASSERT_EQ(display->NewSurface(&surface, width, height, false), S_OK);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                surface->SetPixelColour(x, y, RGB(x * 3 % 250, y * 5 % 250, (x + y) % 200));
        delete puzzle->pictureSurface;
        puzzle->pictureSurface = surface;
        PrepareGrid(puzzle.get());
    }

    // The cutting pass as the loader runs it.
    void CutAll() {
        puzzle->pieces.clear();
        for (int i = 0; i < puzzle->cols * puzzle->rows; ++i)
            puzzle->pieces.push_back(std::make_unique<CPiece>());
        PreparePieceBuild(puzzle.get());
        for (int r = 0; r < puzzle->rows; ++r)
            for (int c = 0; c < puzzle->cols; ++c)
                puzzle->pieces[r * puzzle->cols + c]->Cut(puzzle.get(), c, r);
    }

    CPiece* Piece(int c, int r) { return puzzle->pieces[r * puzzle->cols + c].get(); }

    std::uint32_t PicturePixel(int x, int y) { return puzzle->pictureSurface->GetPixelValue(x, y); }

    std::unique_ptr<CPuzzle> puzzle;
};

TEST_F(CutTest, GridKeepsWholeCellsOnlyAndNudgesWhite) {
    std::int32_t cols = -1, rows = -1;
    ComputeGrid(100, 70, 32, &cols, &rows);
    EXPECT_EQ(cols, 3);
    EXPECT_EQ(rows, 2);
    ComputeGrid(31, 70, 32, &cols, &rows);
    EXPECT_EQ(cols * rows, 0);
    ComputeGrid(100, 70, 0, &cols, &rows);
    EXPECT_EQ(cols, 0);
    ComputeGrid(100, 70, -16, &cols, &rows);
    EXPECT_EQ(rows, 0);

    struct Case {
        PixelFormatCode format;
        std::uint32_t before, after;
    };
    const Case cases[] = {
        {RGB565, 0xFFFF, 0xFFFE},        {RGB565, 0xFFDF, 0xFFDF},        {RGB555, 0x7FFF, 0x7FFE},
        {RGB555, 0xFFFF, 0xFFFE},        {RGB555, 0x7FFE, 0x7FFE},        {RGB24, 0xFFFFFF, 0xFFFFFA},
        {RGB24, 0xFFFFFE, 0xFFFFFE},     {RGB32, 0x00FFFFFF, 0x00FFFFFA}, {RGB32, 0xFFFFFFFF, 0xFFFFFFFA},
        {RGB32, 0x00FEFFFF, 0x00FEFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        SurfaceDesc desc;
        desc.dwWidth = 3;
        desc.dwHeight = 2;
        desc.pixelFormat = DescribePixelFormat(c.format);
        CSurface surface;
        ASSERT_EQ(surface.Create(desc), S_OK);
        surface.SetPixelValue(1, 1, c.before);
        NudgeWhite(&surface);
        EXPECT_EQ(surface.GetPixelValue(1, 1), c.after);
        EXPECT_EQ(surface.GetPixelValue(0, 0), 0u);
    }
}

TEST_F(CutTest, GoldenSidesForAFixedSeed) {
    cellSize = 16;
    MakeSideList();
    MakePicture(48, 40); // 3 x 2, the last 8 rows in no piece
    ASSERT_EQ(puzzle->cols, 3);
    ASSERT_EQ(puzzle->rows, 2);
    GameSeed(1234);
    CutAll();
    // (set, slot) of right, bottom, left, top for each piece, row by row.
    const int expected[6][4][2] = {
        {{1, 0}, {0, 5}, {-2, -1}, {-2, -1}}, {{0, 0}, {0, 5}, {1, 2}, {-2, -1}},
        {{-2, -1}, {1, 1}, {0, 2}, {-2, -1}}, {{0, 4}, {-2, -1}, {-2, -1}, {0, 7}},
        {{1, 4}, {-2, -1}, {0, 6}, {0, 7}},   {{-2, -1}, {-2, -1}, {1, 6}, {1, 3}},
    };
    for (int i = 0; i < 6; ++i) {
        const CPiece* piece = puzzle->pieces[i].get();
        EXPECT_EQ(piece->col, i % 3);
        EXPECT_EQ(piece->row, i / 3);
        EXPECT_EQ(piece->rotation, 0);
        for (int d = 0; d < 4; ++d) {
            SCOPED_TRACE(testing::Message() << "piece " << i << " side " << d);
            EXPECT_EQ(piece->sides[d].direction, d);
            EXPECT_EQ(piece->sides[d].setNumber, expected[i][d][0]);
            EXPECT_EQ(piece->sides[d].slot, expected[i][d][1]);
        }
    }
    EXPECT_EQ(Piece(1, 1)->sides[3].neighbourCol, 1);
    EXPECT_EQ(Piece(1, 1)->sides[3].neighbourRow, 0);
    EXPECT_EQ(Piece(1, 1)->sides[0].neighbourCol, 2);
}

TEST_F(CutTest, EightDrawsPerPieceOrNineWithRotationAndNoneWithoutSets) {
    cellSize = 16;
    MakePicture(64, 48); // 4 x 3
    auto drawsUsed = [&](int seed) {
        GameSeed(seed);
        CutAll();
        const int after = GameRand();
        GameSeed(seed);
        for (int n = 0; n < 1000; ++n)
            if (GameRand() == after) return n;
        return -1;
    };
    // Without shapes, no draws at all.
    EXPECT_EQ(drawsUsed(7), 0);
    for (const auto& piece : puzzle->pieces)
        EXPECT_EQ(piece->sides[0].slot, -1);

    MakeSideList();
    EXPECT_EQ(drawsUsed(7), 12 * 8);
    puzzle->userotation = 1;
    EXPECT_EQ(drawsUsed(7), 12 * 9);
    bool turned = false;
    for (const auto& piece : puzzle->pieces) {
        EXPECT_GE(piece->rotation, 0);
        EXPECT_LE(piece->rotation, 3);
        for (const CPieceSide& side : piece->sides)
            EXPECT_EQ(side.rotation, piece->rotation);
        turned = turned || piece->rotation != 0;
    }
    EXPECT_TRUE(turned);
}

TEST_F(CutTest, BorderEdgesStayStraightAndFacingEdgesArePartners) {
    cellSize = 16;
    MakeSideList({0, 5}); // count 2: draws of set 1 find nothing
    MakePicture(96, 96);
    GameSeed(99);
    CutAll();
    int straightInner = 0;
    for (int r = 0; r < puzzle->rows; ++r)
        for (int c = 0; c < puzzle->cols; ++c) {
            const CPiece* piece = Piece(c, r);
            for (int d = 0; d < 4; ++d) {
                const CPieceSide& side = piece->sides[d];
                const bool border =
                    (d == 0 && c == 5) || (d == 1 && r == 5) || (d == 2 && c == 0) || (d == 3 && r == 0);
                if (border) {
                    EXPECT_EQ(side.setNumber, -2);
                    EXPECT_EQ(side.slot, -1);
                    continue;
                }
                EXPECT_NE(side.setNumber, 5);
                if (side.setNumber == -1) {
                    ++straightInner;
                    continue;
                }
                const CPiece* other = Piece(side.neighbourCol, side.neighbourRow);
                const CPieceSide& facing = other->sides[(d + 2) % 4];
                EXPECT_EQ(facing.setNumber, side.setNumber);
                EXPECT_EQ(facing.slot % 4, (d + 2) % 4);
                EXPECT_EQ(facing.slot / 4, side.slot / 4);
            }
        }
    EXPECT_GT(straightInner, 0);
}

TEST_F(CutTest, RestoringTakesSavedShapesAndRotationsWithoutDrawing) {
    cellSize = 16;
    MakeSideList();
    MakePicture(32, 16); // 2 x 1
    puzzle->userotation = 1;
    puzzle->restoringPosition = 1;
    SavedPieceRecord left, right;
    left.rotation = 2;
    right.rotation = 7; // not a rotation: ignored
    const int leftSides[4][2] = {{1, 5}, {-2, -1}, {-2, -1}, {-2, -1}};
    const int rightSides[4][2] = {{-2, -1}, {-2, -1}, {1, 7}, {-2, -1}};
    std::memcpy(left.sides, leftSides, sizeof leftSides);
    std::memcpy(right.sides, rightSides, sizeof rightSides);
    puzzle->savedPosition.columns = 2;
    puzzle->savedPosition.pieces = {left, right};
    GameSeed(5);
    const int firstDraw = GameRand();
    GameSeed(5);
    CutAll();
    EXPECT_EQ(GameRand(), firstDraw);
    EXPECT_EQ(Piece(0, 0)->sides[0].setNumber, 1);
    EXPECT_EQ(Piece(0, 0)->sides[0].slot, 5);
    EXPECT_EQ(Piece(0, 0)->rotation, 2);
    EXPECT_EQ(Piece(0, 0)->sides[3].rotation, 2);
    EXPECT_EQ(Piece(1, 0)->sides[2].slot, 7);
    EXPECT_EQ(Piece(1, 0)->rotation, 0);

    // A file with fewer records than pieces leaves the others straight.
    puzzle->savedPosition.pieces.resize(1);
    CutAll();
    EXPECT_EQ(Piece(1, 0)->sides[2].setNumber, -1);
    EXPECT_NE(Piece(1, 0)->images[0], nullptr);
}

TEST_F(CutTest, ImagesShowThePictureInsideTheMaskAndWhiteElsewhere) {
    cellSize = 16;
    MakeSideList();
    MakePicture(48, 32);
    GameSeed(1234);
    CutAll();
    const int h = 8, side = 32;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c) {
            const CPiece* piece = Piece(c, r);
            const CSurface* image = piece->images[0];
            const CPieceMask* mask = piece->masks[0];
            ASSERT_NE(image, nullptr);
            ASSERT_NE(mask, nullptr);
            EXPECT_EQ(image->desc.dwWidth, side);
            EXPECT_TRUE(image->transparent);
            EXPECT_EQ(piece->images[1], nullptr);
            for (int y = 0; y < side; ++y)
                for (int x = 0; x < side; ++x) {
                    const bool inside = mask->bytes[y * side + x] == 0;
                    const std::uint32_t want =
                        inside ? PicturePixel(c * 16 - h + x, r * 16 - h + y) : image->colourKey;
                    ASSERT_EQ(image->GetPixelValue(x, y), want) << c << "," << r << " at " << x << "," << y;
                }
        }
    // Straight borders keep the corner piece within the picture: no black was sampled.
    EXPECT_NE(Piece(0, 0)->images[0]->GetPixelValue(9, 9), 0u);
}

TEST_F(CutTest, ATabOverTheBorderShowsBlack) {
    cellSize = 16;
    MakeSideList();
    MakePicture(16, 16);
    puzzle->restoringPosition = 1;
    SavedPieceRecord record;
    const int sides[4][2] = {{-2, -1}, {-2, -1}, {0, 2}, {-2, -1}}; // a left tab on the border
    std::memcpy(record.sides, sides, sizeof sides);
    puzzle->savedPosition.pieces = {record};
    CutAll();
    const CSurface* image = Piece(0, 0)->images[0];
    // The tab square covers columns 4..7 left of the body, rows 14..17.
    EXPECT_EQ(image->GetPixelValue(5, 16), 0u);
    EXPECT_EQ(image->GetPixelValue(3, 16), image->colourKey);
    EXPECT_EQ(image->GetPixelValue(9, 16), PicturePixel(1, 8));
}

TEST_F(CutTest, TurnedImagesShowTheTurnedPieceCutWithTheTurnedMask) {
    cellSize = 16;
    MakeSideList();
    MakePicture(32, 16);
    puzzle->userotation = 1;
    GameSeed(3);
    CutAll();
    const int side = 32;
    ASSERT_EQ(puzzle->scratch[0].size(), 4u * side * side);
    const CPiece* piece = Piece(0, 0); // right edge: whatever was drawn
    const CPieceMask* mask0 = piece->masks[0];
    for (int r = 0; r < 4; ++r) {
        ASSERT_NE(piece->images[r], nullptr);
        ASSERT_NE(piece->masks[r], nullptr);
        EXPECT_EQ(piece->masks[r]->key[0].slot, RotatedSlot(piece->sides[0].slot, r));
    }
    EXPECT_NE(mask0, piece->masks[1]);
    // Image 1 at (x, y) shows what image 0 shows at (y, S-1-x).
    const CSurface* image0 = piece->images[0];
    const CSurface* image1 = piece->images[1];
    int checked = 0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const int ox = y, oy = side - 1 - x;
            if (piece->masks[1]->bytes[y * side + x] != 0 || mask0->bytes[oy * side + ox] != 0) continue;
            ASSERT_EQ(image1->GetPixelValue(x, y), image0->GetPixelValue(ox, oy));
            ++checked;
        }
    EXPECT_GT(checked, 200);
    // The right-edge shape is at the bottom of image 1: a tab there is material, a hollow cut.
    const bool tab = piece->sides[0].slot < 4;
    const std::uint32_t bottomMiddle = image1->GetPixelValue(16, 27);
    EXPECT_EQ(bottomMiddle != image1->colourKey, tab);
}

TEST_F(CutTest, BevelLightensAndDarkensEdgesButNotSmallPieces) {
    cellSize = 16;
    MakePicture(16, 16); // one piece, four straight edges
    puzzle->beveling = 1;
    puzzle->bevellevel = 1;
    puzzle->cutStyle = 0; // "small"
    CutAll();
    const CSurface* image = Piece(0, 0)->images[0];
    for (int y = 8; y < 24; ++y)
        for (int x = 8; x < 24; ++x)
            ASSERT_EQ(image->GetPixelValue(x, y), PicturePixel(x - 8, y - 8));

    puzzle->cutStyle = 1;
    CutAll();
    image = Piece(0, 0)->images[0];
    EXPECT_EQ(Piece(0, 0)->bevelParams[1], 30);
    const std::uint32_t topLeft = image->GetPixelValue(8, 8), picTopLeft = PicturePixel(0, 0);
    EXPECT_GT(topLeft & 0xFF, picTopLeft & 0xFF);
    const std::uint32_t bottomRight = image->GetPixelValue(23, 23), picBottomRight = PicturePixel(15, 15);
    EXPECT_LT((bottomRight >> 8) & 0xFF, (picBottomRight >> 8) & 0xFF);
    EXPECT_EQ(image->GetPixelValue(16, 16), PicturePixel(8, 8)) << "the middle is left alone";
}

TEST_F(CutTest, PiecesAreCutInEveryDisplayLayout) {
    for (PixelFormatCode format : {RGB555, RGB565, RGB24, RGB32}) {
        SCOPED_TRACE(format);
        maskCache.Clear();
        UseFormat(format);
        cellSize = 16;
        sideList.Clear();
        MakeSideList();
        MakePicture(32, 32);
        puzzle->beveling = 1;
        puzzle->bevellevel = 2;
        puzzle->userotation = 1;
        GameSeed(11);
        CutAll();
        ASSERT_EQ(puzzle->pictureCopy.format, format);
        for (const auto& piece : puzzle->pieces)
            for (int r = 0; r < 4; ++r) {
                const CSurface* image = piece->images[r];
                ASSERT_NE(image, nullptr);
                EXPECT_EQ(image->pixelFormat, format);
                // Nothing inside the outline may turn into the transparent colour.
                const CPieceMask* mask = piece->masks[r];
                for (int y = 0; y < 32; ++y)
                    for (int x = 0; x < 32; ++x)
                        if (mask->bytes[y * 32 + x] == 0) {
                            ASSERT_NE(image->GetPixelValue(x, y), image->colourKey);
                        }
            }
    }
}

TEST_F(CutTest, ImagesThatCannotBeMadeAreLoggedAndSkipped) {
    cellSize = 16;
    MakePicture(16, 16);
    puzzle->pieces.clear();
    puzzle->pieces.push_back(std::make_unique<CPiece>());
    PreparePieceBuild(puzzle.get());
    display->ReleaseAll();
    puzzle->pieces[0]->Cut(puzzle.get(), 0, 0);
    EXPECT_EQ(puzzle->pieces[0]->images[0], nullptr);
    EXPECT_NE(LogText().find("Failed to create surface! MakeImageFromMask()\n"), std::string::npos);
}

TEST_F(CutTest, PreparingARebuildEmptiesTheCacheAndLeavesNoPieceOnAFreedMask) {
    cellSize = 16;
    MakeSideList();
    MakePicture(32, 16);
    GameSeed(1);
    CutAll();
    ASSERT_GT(maskCache.Size(), 0u);
    puzzle->userotation = 1;
    PreparePieceBuild(puzzle.get());
    EXPECT_EQ(maskCache.Size(), 0u);
    for (const auto& piece : puzzle->pieces)
        for (CPieceMask* mask : piece->masks)
            EXPECT_EQ(mask, nullptr);
    EXPECT_EQ(puzzle->scratch[1].size(), 4u * 32 * 32);
    EXPECT_EQ(puzzle->pictureCopy.width, 32);
    for (const auto& piece : puzzle->pieces)
        piece->BuildImages(puzzle.get());
    EXPECT_NE(Piece(1, 0)->images[3], nullptr);
}

} // namespace
