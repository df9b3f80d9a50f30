#include "CuttingFixture.h"

#include "cutting/CPieceMask.h"
#include "play/CPieceSide.h"

namespace {

class MaskTest : public CuttingFixture {
  protected:
    // A mask for (set, slot) on the right, bottom, left and top; (-2, -1) is a straight border.
    CPieceMask* Mask(std::initializer_list<std::pair<int, int>> setAndSlot, int rotation = 0) {
        CPieceSide sides[4];
        int i = 0;
        for (auto [set, slot] : setAndSlot) {
            sides[i].setNumber = set;
            sides[i++].slot = slot;
        }
        return maskCache.Get(sides, rotation, Context());
    }
    static std::uint8_t At(const CPieceMask* mask, int x, int y) {
        return mask->bytes[static_cast<std::size_t>(y) * mask->width + x];
    }
    static constexpr std::pair<int, int> kBorder{-2, -1};
};

TEST_F(MaskTest, StraightEdgesGiveTheBodySquareItsBoxAndShadow) {
    cell = 48;
    CPieceMask* mask = Mask({kBorder, kBorder, kBorder, kBorder});
    ASSERT_EQ(std::pair(mask->width, mask->height), std::pair(96, 96));
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 96; ++x)
            ASSERT_EQ(At(mask, x, y), x >= 24 && x <= 71 && y >= 24 && y <= 71 ? 0 : 255) << x << "," << y;
    EXPECT_EQ((std::vector<int>{mask->left, mask->top, mask->right, mask->bottom}),
              (std::vector<int>{24, 24, 72, 72}));
    // The shadow is the black silhouette on transparent white.
    ASSERT_NE(mask->shadow, nullptr);
    EXPECT_TRUE(mask->shadow->transparent);
    EXPECT_EQ(mask->shadow->GetPixelValue(24, 24), 0u);
    EXPECT_EQ(mask->shadow->GetPixelValue(23, 24), mask->shadow->colourKey);
    EXPECT_EQ(mask->shadow->GetPixelValue(72, 50), mask->shadow->colourKey);
}

TEST_F(MaskTest, StampingThresholdsAddRemoveOrLeaveMaterial) {
    cell = 32; // h = 16, S = 64; a right-edge shape starts at (32, 16)
    CSideShape* shape = AddShape(0, 0, 2, 0);
    // Row 0 of the map lies on the body's top row (mask row 16), columns 32..47 on the body
    // and 48..63 in the margin.
    const std::uint8_t values[] = {200, 201, 199, 9, 8, 0, 255, 128};
    for (int i = 0; i < 8; ++i)
        shape->map[i] = shape->map[16 + i] = values[i];
    sideList.setCount = 1;
    CPieceMask* mask = Mask({{0, 0}, kBorder, kBorder, kBorder});
    const std::uint8_t onBody[] = {0, 0, 255, 255, 0, 0, 0, 255};
    const std::uint8_t onMargin[] = {255, 0, 255, 255, 255, 255, 0, 255};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(At(mask, 32 + i, 16), onBody[i]) << "value " << int(values[i]);
        EXPECT_EQ(At(mask, 48 + i, 16), onMargin[i]) << "value " << int(values[i]);
    }
    EXPECT_EQ(mask->right, 48 + 6 + 1); // the box reaches the tab in the margin
}

TEST_F(MaskTest, LaterDirectionsWinAndOddShapesAreClippedOrSkipped) {
    cell = 16;                      // h = 8, S = 32
    AddShape(0, 0, 2, 255, 40, 40); // right: a tab filling a map far larger than a cell
    AddShape(0, 1, 3, 100);         // bottom: cuts away everything it covers (columns 8..23, rows 16..31)
    CSideShape* empty = AddShape(0, 2, 0, 255);
    empty->map.clear();
    empty->width = empty->height = 0;
    sideList.setCount = 1;
    CPieceMask* mask = Mask({{0, 0}, {0, 1}, kBorder, kBorder});
    ASSERT_EQ(mask->bytes.size(), 32u * 32u);
    EXPECT_EQ(At(mask, 31, 8), 0);    // the right tab, clipped at the mask's edge
    EXPECT_EQ(At(mask, 31, 31), 0);   // beyond the reach of the bottom shape
    EXPECT_EQ(At(mask, 20, 20), 255); // the bottom shape, stamped after the right one
    EXPECT_EQ(At(mask, 31, 15), 0);
    EXPECT_EQ(mask->right, 32);
    EXPECT_EQ(mask->bottom, 32);

    // A shape without a map, one of a set that does not exist and a slot drawn nowhere
    // leave their edges straight.
    mask = Mask({{0, 12}, {9, 1}, {0, 2}, kBorder});
    EXPECT_EQ((std::vector<int>{mask->left, mask->right, mask->bottom, mask->key[0].direction}),
              (std::vector<int>{8, 24, 24, -1}));
}

TEST_F(MaskTest, EqualSidesShareOneMaskAndRotationsGetTheirOwn) {
    // The turned outlines themselves are checked with real shapes by the publishing cut test.
    cell = 16;
    for (int slot = 0; slot < 8; ++slot)
        AddShape(0, slot, (slot + 2) % 4 + (slot & 4), 255);
    sideList.setCount = 1;
    CPieceMask* first = Mask({{0, 0}, {0, 5}, kBorder, kBorder});
    EXPECT_EQ(Mask({{0, 0}, {0, 5}, kBorder, kBorder}), first);
    EXPECT_NE(Mask({{0, 4}, {0, 5}, kBorder, kBorder}), first);
    EXPECT_EQ(maskCache.Size(), 2u);

    EXPECT_NE(Mask({{0, 0}, {0, 5}, kBorder, kBorder}, 1), first);
    EXPECT_EQ(maskCache.Size(), 3u);
}

TEST_F(MaskTest, WithoutAShadowSurfaceTheBoxStaysEmpty) {
    cell = 16;
    CPieceSide sides[4];
    CutContext noDisplay = Context();
    noDisplay.display = nullptr;
    CPieceMask* mask = maskCache.Get(sides, 0, noDisplay);
    EXPECT_EQ(mask->shadow, nullptr);
    EXPECT_EQ(mask->left, 9999);
    EXPECT_EQ(mask->right, 0);
    EXPECT_TRUE(Logged("Failed to create shadow surface!\n"));
    // Rebuilt once the display is back, as after a lost display.
    ASSERT_TRUE(mask->BuildShadow(&display));
    EXPECT_NE(mask->shadow, nullptr);
    EXPECT_EQ(mask->right, 24);
    // A mask with nothing inside: an empty box that loops skip.
    std::fill(mask->bytes.begin(), mask->bytes.end(), 255);
    ASSERT_TRUE(mask->BuildShadow(&display));
    EXPECT_EQ(mask->left, 9999);
    EXPECT_EQ(mask->right, 1);
}

} // namespace
