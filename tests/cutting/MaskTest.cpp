#include "CuttingFixture.h"

#include "cutting/CPieceMask.h"
#include "cutting/SideGeometry.h"
#include "display/CSurface.h"
#include "play/CPieceSide.h"

namespace {

TEST(SideGeometry, SlotsTurnWithinTheirHalfAndDirectionsFaceEachOther) {
    const int expected[8][4] = {
        {0, 1, 2, 3}, {1, 2, 3, 0}, {2, 3, 0, 1}, {3, 0, 1, 2},
        {4, 5, 6, 7}, {5, 6, 7, 4}, {6, 7, 4, 5}, {7, 4, 5, 6},
    };
    for (int slot = 0; slot < 8; ++slot)
        for (int turns = 0; turns < 4; ++turns)
            EXPECT_EQ(RotatedSlot(slot, turns), expected[slot][turns]);
    for (int turns = 0; turns < 4; ++turns)
        EXPECT_EQ(RotatedSlot(-1, turns), -1);
    // One clockwise turn makes a right-edge shape a bottom-edge shape.
    EXPECT_EQ(SlotDirection(RotatedSlot(0, 1)), 1);
    EXPECT_EQ(SlotDirection(RotatedSlot(4, 1)), 1);

    EXPECT_EQ(OppositeDirection(0), 2);
    EXPECT_EQ(OppositeDirection(1), 3);
    EXPECT_EQ(OppositeDirection(2), 0);
    EXPECT_EQ(OppositeDirection(3), 1);
    EXPECT_EQ(SlotDirection(-1), -1);
    EXPECT_EQ(SlotDirection(8), -1);
    EXPECT_EQ(SlotDirection(6), 2);
}

class MaskTest : public CuttingFixture {
  protected:
    static void Sides(CPieceSide sides[4], std::initializer_list<std::pair<int, int>> setAndSlot) {
        int i = 0;
        for (auto [set, slot] : setAndSlot) {
            sides[i].setNumber = set;
            sides[i].slot = slot;
            ++i;
        }
    }
    static std::uint8_t At(const CPieceMask* mask, int x, int y) {
        return mask->bytes[static_cast<std::size_t>(y) * mask->width + x];
    }
};

TEST_F(MaskTest, StraightEdgesGiveTheBodySquareAndItsBox) {
    cellSize = 48;
    CPieceSide sides[4];
    Sides(sides, {{-2, -1}, {-2, -1}, {-2, -1}, {-2, -1}});
    CPieceMask* mask = maskCache.Get(sides, 0);
    ASSERT_EQ(mask->width, 96);
    ASSERT_EQ(mask->height, 96);
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 96; ++x) {
            const bool inside = x >= 24 && x <= 71 && y >= 24 && y <= 71;
            ASSERT_EQ(At(mask, x, y), inside ? 0 : 255) << x << "," << y;
        }
    EXPECT_EQ(mask->left, 24);
    EXPECT_EQ(mask->top, 24);
    EXPECT_EQ(mask->right, 72);
    EXPECT_EQ(mask->bottom, 72);

    // The shadow is the black silhouette on transparent white.
    ASSERT_NE(mask->shadow, nullptr);
    EXPECT_EQ(mask->shadow->desc.dwWidth, 96);
    EXPECT_TRUE(mask->shadow->transparent);
    EXPECT_EQ(mask->shadow->GetPixelValue(24, 24), 0u);
    EXPECT_EQ(mask->shadow->GetPixelValue(23, 24), mask->shadow->colourKey);
    EXPECT_EQ(mask->shadow->GetPixelValue(72, 50), mask->shadow->colourKey);
}

TEST_F(MaskTest, StampingThresholdsAddRemoveOrLeaveMaterial) {
    cellSize = 32; // h = 16, S = 64; a right-edge shape starts at (32, 16)
    CSideShape* shape = AddShape(0, 0, 2, 0);
    // Row 0 of the map lies on the body's top row (mask row 16), columns 32..47 on the body
    // and 48..63 in the margin.
    const std::uint8_t values[] = {200, 201, 199, 9, 8, 0, 255, 128};
    for (int i = 0; i < 8; ++i) {
        shape->map[i] = values[i];      // over the body (inside)
        shape->map[16 + i] = values[i]; // over the margin (outside)
    }
    sideList.setCount = 1;
    CPieceSide sides[4];
    Sides(sides, {{0, 0}, {-2, -1}, {-2, -1}, {-2, -1}});
    CPieceMask* mask = maskCache.Get(sides, 0);
    const std::uint8_t onBody[] = {0, 0, 255, 255, 0, 0, 0, 255};
    const std::uint8_t onMargin[] = {255, 0, 255, 255, 255, 255, 0, 255};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(At(mask, 32 + i, 16), onBody[i]) << "value " << int(values[i]);
        EXPECT_EQ(At(mask, 48 + i, 16), onMargin[i]) << "value " << int(values[i]);
    }
    // The box reaches the tab in the margin.
    EXPECT_EQ(mask->right, 48 + 6 + 1);
    EXPECT_EQ(mask->top, 16);
}

TEST_F(MaskTest, LaterDirectionsWinAndOversizedMapsAreClipped) {
    cellSize = 16; // h = 8, S = 32
    // Right: a tab filling its whole map, 40 x 40, far larger than a cell.
    AddShape(0, 0, 2, 255, 40, 40);
    // Bottom: cuts away everything it covers (columns 8..23, rows 16..31).
    AddShape(0, 1, 3, 100);
    sideList.setCount = 1;
    CPieceSide sides[4];
    Sides(sides, {{0, 0}, {0, 1}, {-2, -1}, {-2, -1}});
    CPieceMask* mask = maskCache.Get(sides, 0);
    ASSERT_EQ(mask->bytes.size(), 32u * 32u);
    EXPECT_EQ(At(mask, 31, 8), 0);    // the right tab, clipped at the mask's edge
    EXPECT_EQ(At(mask, 31, 31), 0);   // beyond the reach of the bottom shape
    EXPECT_EQ(At(mask, 20, 20), 255); // the bottom shape, stamped after the right one
    EXPECT_EQ(At(mask, 16, 31), 255);
    EXPECT_EQ(At(mask, 31, 15), 0);
    EXPECT_EQ(mask->right, 32);
    EXPECT_EQ(mask->bottom, 32);
}

TEST_F(MaskTest, ShapesThatAreMissingOrEmptyLeaveEdgesStraight) {
    cellSize = 16;
    CSideShape* empty = AddShape(0, 0, 2, 255);
    empty->map.clear();
    empty->width = empty->height = 0;
    sideList.setCount = 1;
    CPieceSide sides[4];
    // Set 0 slot 0 has no map; set 9 slot 1 does not exist; slot 12 is drawn nowhere.
    Sides(sides, {{0, 0}, {9, 1}, {0, 12}, {-2, -1}});
    CPieceMask* mask = maskCache.Get(sides, 0);
    EXPECT_EQ(mask->left, 8);
    EXPECT_EQ(mask->right, 24);
    EXPECT_EQ(mask->key[2].direction, -1);
    EXPECT_EQ(mask->key[1].direction, 1);
}

TEST_F(MaskTest, EqualSidesShareOneMaskAndRotationsGetTheirOwn) {
    cellSize = 16;
    for (int slot = 0; slot < 8; ++slot)
        AddShape(0, slot, (slot + 2) % 4 + (slot & 4), 255);
    sideList.setCount = 1;
    CPieceSide a[4], b[4], c[4];
    Sides(a, {{0, 0}, {0, 5}, {-2, -1}, {-2, -1}});
    Sides(b, {{0, 0}, {0, 5}, {-2, -1}, {-2, -1}});
    Sides(c, {{0, 4}, {0, 5}, {-2, -1}, {-2, -1}});
    CPieceMask* first = maskCache.Get(a, 0);
    EXPECT_EQ(maskCache.Get(b, 0), first);
    EXPECT_EQ(maskCache.Size(), 1u);
    EXPECT_NE(maskCache.Get(c, 0), first);
    EXPECT_EQ(maskCache.Size(), 2u);

    // Turned once: the right tab (slot 0) is drawn at the bottom, the bottom one on the left.
    CPieceMask* turned = maskCache.Get(a, 1);
    EXPECT_EQ(turned->key[0].slot, 1);
    EXPECT_EQ(turned->key[1].slot, 6);
    EXPECT_EQ(turned->key[2].slot, -1);
    EXPECT_EQ(At(turned, 16, 31), 0);
    EXPECT_EQ(At(turned, 0, 16), 0);
    EXPECT_EQ(At(turned, 31, 16), 255);
    EXPECT_EQ(maskCache.Size(), 3u);

    maskCache.Clear();
    EXPECT_EQ(maskCache.Size(), 0u);
}

TEST_F(MaskTest, WithoutAShadowSurfaceTheBoxStaysEmpty) {
    cellSize = 16;
    g_display = nullptr;
    CPieceSide sides[4];
    CPieceMask* mask = maskCache.Get(sides, 0);
    EXPECT_EQ(mask->shadow, nullptr);
    EXPECT_EQ(mask->left, 9999);
    EXPECT_EQ(mask->top, 9999);
    EXPECT_EQ(mask->right, 0);
    EXPECT_EQ(mask->bottom, 0);
    EXPECT_NE(LogText().find("Failed to create shadow surface!\n"), std::string::npos);

    // Rebuilt once the display is back, as after a lost display.
    g_display = display.get();
    ASSERT_TRUE(mask->BuildShadow());
    EXPECT_NE(mask->shadow, nullptr);
    EXPECT_EQ(mask->right, 24);

    // A mask with nothing inside: an empty box that loops skip.
    std::fill(mask->bytes.begin(), mask->bytes.end(), 255);
    ASSERT_TRUE(mask->BuildShadow());
    EXPECT_EQ(mask->left, 9999);
    EXPECT_EQ(mask->right, 1);
    EXPECT_EQ(mask->bottom, 1);
}

} // namespace
