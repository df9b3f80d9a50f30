#include "app/Log.h"
#include "app/Random.h"
#include "cutting/Bevel.h"
#include "cutting/CMaskCache.h"
#include "cutting/CPieceMask.h"
#include "cutting/CSideList.h"
#include "cutting/CutTable.h"
#include "cutting/PieceGrid.h"
#include "cutting/PieceImages.h"
#include "cutting/TextModeReader.h"
#include "display/CSurface.h"
#include "display/DisplayFixture.h"
#include "imaging/BmpCodec.h"
#include "pack/Loader.h"
#include "play/CPuzzle.h"
#include "support/PictureFiles.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <map>

namespace {

using Sides = std::array<std::array<int, 2>, 4>; // (set, slot) of right, bottom, left, top

// A display, side list and pack stand-in, mask cache, puzzle and log: one cutting context.
class CutTest : public DisplayFixture {
  protected:
    void SetUp() override {
        LogInit(dir.File("log"));
        Create(RGB32);
        puzzle.beveling = puzzle.userotation = 0, puzzle.cutStyle = CutMedium;
        source.extract = [this](const std::string& name, const std::string& out) {
            requested.push_back(name);
            if (entries.count(name)) WriteBytes(out, entries[name]);
            return entries.count(name) > 0;
        };
        source.display = &display, source.workFolder = dir.Str();
    }

    CutContext Context() { return {cell, &sideList, &maskCache, &display, GameRand}; }

    bool Logged(const std::string& line) const {
        const Bytes log = ReadBytes(dir.File("log"));
        return std::string(log.begin(), log.end()).find(line) != std::string::npos;
    }

    CSideShape* AddShape(int set, int slot, int partner, std::uint8_t value, int w = 0, int h = 0) {
        auto shape = std::make_unique<CSideShape>(set, slot, partner);
        shape->width = w ? w : cell, shape->height = h ? h : cell;
        shape->map.assign(static_cast<std::size_t>(shape->width) * shape->height, value);
        sideList.shapes.push_back(std::move(shape));
        return sideList.shapes.back().get();
    }

    // Sets 0 and 1 (or those given), slots 0..7 with partners; each shape a quarter-cell square
    // centred on its edge: material beyond the body for slots 0-3, cut inside it for 4-7.
    void MakeSideList(std::initializer_list<int> sets = {0, 1}) {
        const int h = cell / 2, q = cell / 4;
        for (int set : sets) {
            ++sideList.setCount;
            for (int slot = 0; slot < 8; ++slot) {
                CSideShape* shape = AddShape(set, slot, (slot + 2) % 4 + (slot & 4), 0);
                const int dir = slot % 4;
                const bool tab = slot < 4;
                const int across = (tab == (dir == 0 || dir == 1)) ? h : h - q, along = h - q / 2;
                for (int i = 0; i < q * q; ++i) {
                    const int x = (dir % 2 == 0 ? across : along) + i % q,
                              y = (dir % 2 == 0 ? along : across) + i / q;
                    shape->map[y * cell + x] = tab ? 255 : 100;
                }
            }
        }
    }

    // A picture whose every pixel is distinct, loaded into the puzzle like a real one.
    void MakePicture(int width, int height) {
        delete puzzle.pictureSurface;
        ASSERT_EQ(display.NewSurface(&puzzle.pictureSurface, width, height, false), S_OK);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                puzzle.pictureSurface->SetPixelColour(x, y, RGB(x * 3 % 250, y * 5 % 250, (x + y) % 200));
        PrepareGrid(&puzzle, cell);
    }

    void Restore(const std::vector<Sides>& sides, const std::vector<int>& rotations = {}) {
        puzzle.restoringPosition = 1;
        puzzle.savedPosition.columns = puzzle.cols;
        puzzle.savedPosition.pieces.assign(sides.size(), {});
        for (std::size_t i = 0; i < sides.size(); ++i) {
            puzzle.savedPosition.pieces[i].rotation = i < rotations.size() ? rotations[i] : 0;
            std::memcpy(puzzle.savedPosition.pieces[i].sides, sides[i].data(), sizeof(Sides));
        }
    }

    void CutAll() { RunCuttingPass(Context(), &puzzle); }
    CPiece* Piece(int c, int r) { return puzzle.pieces[r * puzzle.cols + c].get(); }
    std::uint32_t PicturePixel(int x, int y) { return puzzle.pictureSurface->GetPixelValue(x, y); }

    // A mask for (set, slot) on the right, bottom, left and top; (-2, -1) is a straight border.
    CPieceMask* Mask(std::initializer_list<std::pair<int, int>> setAndSlot, int rotation = 0) {
        CPieceSide sides[4];
        int i = 0;
        for (auto [set, slot] : setAndSlot)
            sides[i].setNumber = set, sides[i++].slot = slot;
        return maskCache.Get(sides, rotation, Context());
    }
    static std::uint8_t At(const CPieceMask* mask, int x, int y) { return mask->bytes[y * mask->width + x]; }
    static constexpr std::pair<int, int> kBorder{-2, -1};

    CSideList sideList;
    CMaskCache maskCache;
    CPuzzle puzzle;
    int cell = 16;
    std::map<std::string, Bytes> entries; // the pack a side list is read from
    std::vector<std::string> requested;
    CSideList::Source source;
};

TEST_F(CutTest, EightDrawsPerPieceOrNineWithRotationAndMissingSetsLeaveBothFacingEdgesStraight) {
    MakePicture(64, 48); // 4 x 3
    auto drawsUsed = [&] {
        GameSeed(7);
        CutAll();
        const int after = GameRand();
        GameSeed(7);
        for (int n = 0; n < 1000; ++n)
            if (GameRand() == after) return n;
        return -1;
    };
    EXPECT_EQ(drawsUsed(), 0); // no sets: no draws and straight edges
    EXPECT_EQ(Piece(1, 1)->sides[0].slot, -1);
    MakeSideList();
    EXPECT_EQ(drawsUsed(), 12 * 8);
    puzzle.userotation = 1;
    EXPECT_EQ(drawsUsed(), 12 * 9);
    bool turned = false;
    for (const auto& piece : puzzle.pieces) {
        EXPECT_TRUE(piece->rotation >= 0 && piece->rotation <= 3 &&
                    piece->sides[2].rotation == piece->rotation);
        turned = turned || piece->rotation != 0;
    }
    EXPECT_TRUE(turned);
    maskCache.Clear(), sideList.Clear();
    MakeSideList({0, 5}); // count 2: draws of set 1 find nothing
    EXPECT_EQ(drawsUsed(), 12 * 9);
    int straightInner = 0;
    for (const auto& piece : puzzle.pieces)
        for (int d = 0; d < 4; ++d) {
            const CPieceSide& side = piece->sides[d];
            EXPECT_EQ(side.direction, d);
            straightInner += side.setNumber == -1;
            if (side.setNumber == -2) continue;
            const int want = side.setNumber == -1 ? -1 : 0;
            EXPECT_EQ(std::tuple(side.setNumber,
                                 Piece(side.neighbourCol, side.neighbourRow)->sides[(d + 2) % 4].setNumber),
                      std::tuple(want, want))
                << piece->col << "," << piece->row << " side " << d;
        }
    EXPECT_GT(straightInner, 0);
}

TEST_F(CutTest, RestoringTakesSavedShapesAndRotationsWithoutDrawing) {
    MakeSideList();
    MakePicture(32, 16); // 2 x 1
    puzzle.userotation = 1;
    // The second record's rotation 7 is no rotation and is ignored.
    Restore({{{{1, 5}, {-2, -1}, {-2, -1}, {-2, -1}}}, {{{-2, -1}, {-2, -1}, {1, 7}, {-2, -1}}}}, {2, 7});
    GameSeed(5);
    const int firstDraw = GameRand();
    GameSeed(5);
    CutAll();
    EXPECT_EQ(GameRand(), firstDraw);
    const CPiece *a = Piece(0, 0), *b = Piece(1, 0);
    EXPECT_EQ((std::vector<int>{a->sides[0].setNumber, a->sides[0].slot, a->rotation, a->sides[3].rotation,
                                b->sides[2].slot, b->rotation}),
              (std::vector<int>{1, 5, 2, 2, 7, 0}));
    // A file with fewer records than pieces leaves the others straight.
    puzzle.savedPosition.pieces.resize(1);
    CutAll();
    EXPECT_EQ(Piece(1, 0)->sides[2].setNumber, -1);
    EXPECT_NE(Piece(1, 0)->images[0], nullptr);
}

// How a bevel shades is the bevel test's business and the digests'; here only who gets none.
TEST_F(CutTest, SmallPiecesAreNotBevelled) {
    MakePicture(16, 16); // one piece, four straight edges
    puzzle.beveling = puzzle.bevellevel = 1, puzzle.cutStyle = CutSmall;
    CutAll();
    for (int y = 8; y < 24; ++y)
        for (int x = 8; x < 24; ++x)
            ASSERT_EQ(Piece(0, 0)->images[0]->GetPixelValue(x, y), PicturePixel(x - 8, y - 8));
}

// What turned images show is checked on every pixel by the identity test.
TEST_F(CutTest, RebuildingEmptiesTheCacheFirstAndImagesNeedADisplay) {
    MakeSideList();
    MakePicture(32, 16);
    GameSeed(1);
    CutAll();
    ASSERT_GT(maskCache.Size(), 0u);
    puzzle.userotation = 1;
    PreparePieceBuild(Context(), &puzzle);
    EXPECT_EQ(maskCache.Size(), 0u);
    for (const auto& piece : puzzle.pieces)
        for (CPieceMask* mask : piece->masks)
            EXPECT_EQ(mask, nullptr) << "no piece is left on a freed mask";
    CPiece* piece = Piece(0, 0);
    piece->BuildImages(Context(), &puzzle);
    EXPECT_TRUE(piece->images[1] && piece->images[3] && piece->masks[1]);
    // Without a display the images cannot be made: logged and left out.
    display.ReleaseAll();
    Piece(1, 0)->BuildImages(Context(), &puzzle);
    EXPECT_EQ(Piece(1, 0)->images[0], nullptr);
    EXPECT_TRUE(Logged("Failed to create surface! MakeImageFromMask()\n"));
}

TEST_F(CutTest, StraightEdgesGiveTheBodySquareItsBoxAndRunsWithOrWithoutADisplay) {
    cell = 48;
    CPieceMask* mask = Mask({kBorder, kBorder, kBorder, kBorder});
    ASSERT_EQ(std::tuple(mask->width, mask->height), std::tuple(96, 96));
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 96; ++x)
            ASSERT_EQ(At(mask, x, y), x >= 24 && x <= 71 && y >= 24 && y <= 71 ? 0 : 255) << x << "," << y;
    EXPECT_EQ(std::tuple(mask->left, mask->top, mask->right, mask->bottom), std::tuple(24, 24, 72, 72));
    ASSERT_EQ(mask->insideRuns.size(), 48u);
    EXPECT_EQ(std::tuple(mask->insideRuns[0].y, mask->insideRuns[0].left, mask->insideRuns[47].y,
                         mask->insideRuns[47].right),
              std::tuple(24, 24, 71, 72));
    // The box needs no display.
    cell = 16;
    CutContext noDisplay = Context();
    noDisplay.display = nullptr;
    CPieceSide sides[4];
    mask = maskCache.Get(sides, 0, noDisplay);
    EXPECT_EQ(std::tuple(mask->left, mask->right), std::tuple(8, 24));
    // A hollow splits a row in two; nothing inside gives an empty box that loops skip.
    mask->bytes[10 * 32 + 12] = 255;
    mask->FindInside();
    EXPECT_EQ(std::tuple(mask->insideRuns.size(), mask->insideRuns[2].right, mask->insideRuns[3].left),
              std::tuple(17u, 12, 13));
    std::fill(mask->bytes.begin(), mask->bytes.end(), 255);
    mask->FindInside();
    EXPECT_EQ(std::tuple(mask->left, mask->right, mask->insideRuns.size()), std::tuple(9999, 1, 0u));
}

TEST_F(CutTest, StampingThresholdsAddRemoveOrLeaveMaterial) {
    cell = 32; // h = 16, S = 64; a right-edge shape starts at (32, 16)
    CSideShape* shape = AddShape(0, 0, 2, 0);
    // Map row 0 is mask row 16: columns 32..47 on the body, 48..63 in the margin.
    const std::uint8_t values[] = {200, 201, 199, 9, 8, 0, 255, 128};
    for (int i = 0; i < 8; ++i)
        shape->map[i] = shape->map[16 + i] = values[i];
    sideList.setCount = 1;
    CPieceMask* mask = Mask({{0, 0}, kBorder, kBorder, kBorder});
    std::vector<int> onBody, onMargin;
    for (int i = 0; i < 8; ++i)
        onBody.push_back(At(mask, 32 + i, 16)), onMargin.push_back(At(mask, 48 + i, 16));
    EXPECT_EQ(onBody, (std::vector<int>{0, 0, 255, 255, 0, 0, 0, 255}));
    EXPECT_EQ(onMargin, (std::vector<int>{255, 0, 255, 255, 255, 255, 0, 255}));
    EXPECT_EQ(mask->right, 48 + 6 + 1); // the box reaches the tab in the margin
}

// The turned outlines themselves are checked with real shapes by the publishing cut test.
TEST_F(CutTest, LaterDirectionsWinOddShapesAreClippedOrSkippedAndEqualSidesShareAMask) {
    AddShape(0, 0, 2, 255, 40, 40); // right: a tab filling a map far larger than a cell
    AddShape(0, 1, 3, 100);         // bottom: cuts away everything it covers (columns 8..23, rows 16..31)
    CSideShape* empty = AddShape(0, 2, 0, 255);
    empty->map.clear();
    empty->width = empty->height = 0;
    sideList.setCount = 1;
    CPieceMask* mask = Mask({{0, 0}, {0, 1}, kBorder, kBorder});
    ASSERT_EQ(mask->bytes.size(), 32u * 32u);
    // The right tab clipped at the mask's edge; the bottom shape stamped after it.
    EXPECT_EQ((std::vector<int>{At(mask, 31, 8), At(mask, 31, 31), At(mask, 20, 20), At(mask, 31, 15),
                                mask->right, mask->bottom}),
              (std::vector<int>{0, 0, 255, 0, 32, 32}));
    // No map, no such set, a slot drawn nowhere: straight edges.
    CPieceMask* straight = Mask({{0, 12}, {9, 1}, {0, 2}, kBorder});
    EXPECT_EQ(std::tuple(straight->left, straight->right, straight->bottom, straight->key[0].direction),
              std::tuple(8, 24, 24, -1));
    EXPECT_EQ(Mask({{0, 0}, {0, 1}, kBorder, kBorder}), mask);
    EXPECT_NE(Mask({{0, 0}, {0, 1}, kBorder, kBorder}, 1), mask);
    EXPECT_EQ(maskCache.Size(), 3u);
}

TEST(Bevel, PixelsShadedInEveryLayoutAndEachLevelShadesItsRuns) {
    // 24/32 bits: every byte, the fourth included, within 0..254.
    std::uint8_t p32[4] = {10, 250, 100, 0}, p24[3] = {255, 250, 3};
    ShadePixel(p32, 4, RGB32, true, 30);
    ShadePixel(p24, 3, RGB24, false, 10);
    EXPECT_EQ(std::vector<int>(p32, p32 + 4), (std::vector<int>{40, 254, 130, 30}));
    EXPECT_EQ(std::vector<int>(p24, p24 + 3), (std::vector<int>{245, 240, 0}));
    // 16 bits: channels widened, shaded, kept within 8..248 and packed back.
    const std::tuple<std::uint16_t, PixelFormatCode, bool, int, std::uint16_t> cases[] = {
        {0x8408, RGB565, true, 30, 0x9CCB}, // red, green, blue at 128, 128, 64
        {0x8408, RGB565, false, 30, 0x6304},    {0x0000, RGB565, false, 30, 0x0841}, // black darkens to 8s
        {0xFFFF, RGB565, true, 30, 0xFFDF},     {0x4210, RGB555, false, 30, 0x318C},
        {0x7BDE, RGB555, true, 30, 0x7FFE},     // 248 everywhere would be 5-5-5's transparent white
        {0x4210, RGB16Other, true, 20, 0x4A52}, // other 16-bit layouts read as 5-5-5
    };
    for (auto [before, format, lighten, amount, after] : cases) {
        std::uint16_t v = before;
        ShadePixel(reinterpret_cast<std::uint8_t*>(&v), 2, format, lighten, amount);
        EXPECT_EQ(v, after) << std::hex << before << " " << format;
    }
    // One inside run on row 2, columns 1..6, of a 10 x 4 image of 100s; rows padded.
    const int width = 10, height = 4, bpp = 3, pitch = 32;
    std::vector<std::uint8_t> mask(width * height, 255);
    std::fill(mask.begin() + 2 * width + 1, mask.begin() + 2 * width + 7, 0);
    // Rows lighten from the left, darken from the right; column runs carry the count on.
    // Low shades two pixels, medium three, anything but 0 or 1 high: four, from 40.
    for (auto [level, row] : {std::pair{0, std::vector<int>{100, 130, 120, 100, 100, 80, 70, 100, 100, 100}},
                              {1, std::vector<int>{100, 130, 120, 110, 90, 80, 70, 100, 100, 100}},
                              {7, std::vector<int>{100, 140, 128, 116, 104, 96, 84, 100, 100, 100}}}) {
        std::vector<std::uint8_t> image(pitch * height, 100);
        ApplyBevel(mask.data(), image.data(), bpp, width, height, pitch, RGB24, BevelParamsForLevel(level));
        std::vector<int> first;
        for (int x = 0; x < width; ++x)
            first.push_back(image[2 * pitch + x * bpp]);
        EXPECT_EQ(std::tuple(first, image[pitch + 3], image[30]), std::tuple(row, 100, 100)) << level;
    }
}

TEST_F(CutTest, ReadsCrLfSetsCutShortSetsAndMissingBitmapsAndFailuresKeepIt) {
    std::string text = "Side list\r\n 16\r\n0\r\n";
    for (int slot = 0; slot < 8; ++slot) {
        const std::string name = slot == 1 ? std::string("missing") : std::string{'a', char('0' + slot)};
        if (slot != 1)
            entries[name] = EncodeBmp24(ImageOf(16, 16, std::vector(256, (210u + slot) * 0x010101u)));
        text += name + "\r\n" + std::to_string((slot + 2) % 4 + (slot & 4)) + "\r\n";
    }
    // Set 5 has two shapes and the name of a third without its partner; every set header counts.
    text += "5\r\na0\r\n0\r\na0\r\n1\r\na0";
    entries["piecedefs"] = Bytes(text.begin(), text.end());
    ASSERT_TRUE(sideList.Load(source, "medium"));
    const auto& list = sideList;
    EXPECT_EQ(std::tuple(list.cellSize, list.setCount, list.shapes.size()), std::tuple(16, 2, 10u));
    EXPECT_TRUE(sideList.FindShape(5, 1) && !sideList.FindShape(5, 2));
    EXPECT_EQ(requested[1], "a0"); // no carriage return reaches the entry names
    for (int slot = 0; slot < 8; ++slot) {
        const CSideShape* shape = sideList.FindShape(0, slot);
        ASSERT_NE(shape, nullptr);
        // The missing bitmap gives no map, not the one read before it.
        EXPECT_EQ(std::tuple(shape->partnerSlot, shape->map.size(), shape->map.empty() ? -1 : shape->map[0]),
                  std::tuple((slot + 2) % 4 + (slot & 4), slot == 1 ? 0u : 256u, slot == 1 ? -1 : 210 + slot))
            << slot;
    }
    // No list in the pack: false, nothing logged. Reported as extracted but no file: logged.
    entries.clear();
    EXPECT_FALSE(sideList.Load(source, "medium"));
    EXPECT_FALSE(Logged("Failed to load side list"));
    source.extract = [](const std::string&, const std::string&) { return true; };
    std::filesystem::remove(dir.File("temp"));
    EXPECT_FALSE(sideList.Load(source, "wavy"));
    EXPECT_EQ(std::tuple(sideList.shapes.size(), sideList.setCount), std::tuple(10u, 2));
    EXPECT_TRUE(Logged("Failed to load side list: wavy\n\n"));
}

// Numbers are read like the C runtime reads them; the cell size is judged by one limit.
TEST_F(CutTest, CellSizeGridLinesWhiteNudgeAndRedMapsInEveryLayout) {
    const std::tuple<const char*, int, bool> sizes[] = {{"t\n  64px\n", 64, true},
                                                        {"t\n \t-7x\n", -7, false},
                                                        {"t\n+12\n", 12, true},
                                                        {"t\nx12\n", 0, false},
                                                        {"t\n", 0, false},
                                                        {"t\n\n", 0, false},
                                                        {"t\n99999999999\n", 2147483647, false},
                                                        {"t\n-99999999999\n", -2147483647 - 1, false}};
    for (auto [text, cellSize, usable] : sizes) {
        sideList.cellSize = 48;
        sideList.ReadList(text, source);
        EXPECT_EQ(std::tuple(sideList.cellSize, IsUsableCellSize(sideList.cellSize)),
                  std::tuple(cellSize, usable))
            << text;
    }
    std::int32_t cols = -1, rows = -1;
    const std::tuple<int, int, int, int, int> grids[] = {{100, 70, 32, 3, 2},
                                                         {31, 70, 32, 0, 2},
                                                         {100, 70, 0, 0, 0},
                                                         {100, 70, -16, 0, 0},
                                                         {1024, 512, kMaxCellSize, 4, 2},
                                                         {1024, 512, kMaxCellSize + 1, 0, 0},
                                                         {9, 9, kMinCellSize - 1, 0, 0}};
    for (auto [w, h, size, wantCols, wantRows] : grids) {
        ComputeGrid(w, h, size, &cols, &rows);
        EXPECT_EQ(std::tuple(cols, rows), std::tuple(wantCols, wantRows)) << w << " " << size;
    }
    // A lone CR stays, one before LF goes; lines over 63 characters come in pieces.
    TextModeReader reader("a\rb\r\n" + std::string(70, 'x') + "\nz");
    std::vector<std::string> lines;
    for (std::string line; reader.ReadLine(&line);)
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a\rb\n", std::string(63, 'x'), "xxxxxxx\n", "z"}));
    // White is nudged off the transparent colour; maps keep the red component in every layout.
    const std::tuple<PixelFormatCode, std::uint32_t, std::uint32_t> cases[] = {
        {RGB565, 0xFFFF, 0xFFFE},        {RGB565, 0xFFDF, 0xFFDF},        {RGB555, 0x7FFF, 0x7FFE},
        {RGB555, 0xFFFF, 0xFFFE},        {RGB24, 0xFFFFFF, 0xFFFFFA},     {RGB32, 0x00FFFFFF, 0x00FFFFFA},
        {RGB32, 0xFFFFFFFF, 0xFFFFFFFA}, {RGB32, 0x00FEFFFF, 0x00FEFFFF},
    };
    for (auto [format, before, after] : cases) {
        Create(format);
        auto surface = Surface(3, 2);
        surface->SetPixelValue(1, 1, before);
        NudgeWhite(surface.get());
        EXPECT_EQ(std::pair(surface->GetPixelValue(1, 1), surface->GetPixelValue(0, 0)), std::pair(after, 0u))
            << format << " " << std::hex << before;
    }
    const std::tuple<PixelFormatCode, std::uint32_t, int> reds[] = {
        {RGB565, 0xF800, 0xF8},  {RGB565, 0x07FF, 0x00},    {RGB565, 0x8000, 0x80},
        {RGB555, 0x7C00, 0xF8},  {RGB555, 0x03FF, 0x00},    {RGB16Other, 0x4000, 0x80},
        {RGB24, 0xC81020, 0xC8}, {RGB32, 0xFFC81020, 0xC8},
    };
    for (auto [format, pixel, red] : reds) {
        Create(format);
        auto surface = Surface(3, 2);
        surface->SetPixelValue(2, 1, pixel);
        CSideShape shape;
        ASSERT_TRUE(shape.LoadMapFromSurface(surface.get()));
        EXPECT_EQ(shape.map, (std::vector<std::uint8_t>{0, 0, 0, 0, 0, static_cast<std::uint8_t>(red)}))
            << format << " " << std::hex << pixel;
    }
}

} // namespace
