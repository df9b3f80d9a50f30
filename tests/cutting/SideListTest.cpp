#include "CuttingFixture.h"

#include "cutting/CutTable.h"
#include "cutting/PieceGrid.h"
#include "cutting/TextModeReader.h"
#include "imaging/BmpCodec.h"

#include <filesystem>
#include <map>

namespace {

class SideListTest : public CuttingFixture {
  protected:
    void SetUp() override {
        CuttingFixture::SetUp();
        // The pack stand-in: entry name -> bytes.
        source.extract = [this](const std::string& name, const std::string& out) {
            requested.push_back(name);
            if (!entries.count(name)) return false;
            WriteBytes(out, entries[name]);
            return true;
        };
        source.display = &display;
        source.workFolder = temp.Str();
    }

    // A 16 x 16 side bitmap of one grey level.
    void AddBitmap(const std::string& name, int grey) {
        entries[name] = EncodeBmp24(ImageOf(16, 16, std::vector<std::uint32_t>(256, grey * 0x010101u)));
    }

    std::map<std::string, Bytes> entries;
    std::vector<std::string> requested;
    CSideList::Source source;
};

TEST_F(SideListTest, ReadsCrLfSetsCutShortSetsAndMissingBitmaps) {
    std::string text = "Side list\r\n 16\r\n0\r\n";
    for (int slot = 0; slot < 8; ++slot) {
        const std::string name = slot == 1 ? std::string("missing") : std::string{'a', char('0' + slot)};
        if (slot != 1) AddBitmap(name, 210 + slot);
        text.append(name).append("\r\n").append(std::to_string((slot + 2) % 4 + (slot & 4))).append("\r\n");
    }
    // Set 5 has two shapes and the name of a third without its partner; every set header counts.
    text += "5\r\na0\r\n0\r\na0\r\n1\r\na0";
    entries["piecedefs"] = Bytes(text.begin(), text.end());
    ASSERT_TRUE(sideList.Load(source, "medium"));
    EXPECT_EQ(sideList.cellSize, 16);
    EXPECT_EQ(sideList.setCount, 2);
    ASSERT_EQ(sideList.shapes.size(), 10u);
    EXPECT_NE(sideList.FindShape(5, 1), nullptr);
    EXPECT_EQ(sideList.FindShape(5, 2), nullptr);
    EXPECT_EQ(requested[1], "a0"); // no carriage return reaches the entry names
    for (int slot = 0; slot < 8; ++slot) {
        const CSideShape* shape = sideList.FindShape(0, slot);
        ASSERT_NE(shape, nullptr);
        EXPECT_EQ(shape->partnerSlot, (slot + 2) % 4 + (slot & 4));
        // Each shape has its own bitmap, read through the same scratch file; the missing one
        // gets no map rather than the one read before it.
        EXPECT_EQ(shape->map.size(), slot == 1 ? 0u : 16u * 16u) << slot;
        EXPECT_EQ(shape->map.empty() ? -1 : shape->map[0], slot == 1 ? -1 : 210 + slot);
    }
}

TEST_F(SideListTest, FailuresLeaveThePreviousList) {
    AddShape(0, 0, 2, 255);
    sideList.setCount = 1;
    // No entry in the pack: false, nothing logged.
    EXPECT_FALSE(sideList.Load(source, "medium"));
    EXPECT_FALSE(Logged("Failed to load side list"));
    // Reported as extracted, but no file to open.
    source.extract = [](const std::string&, const std::string&) { return true; };
    std::filesystem::remove(temp.File("temp"));
    EXPECT_FALSE(sideList.Load(source, "wavy"));
    EXPECT_EQ(sideList.shapes.size(), 1u);
    EXPECT_EQ(sideList.setCount, 1);
    EXPECT_TRUE(Logged("Failed to load side list: wavy\n\n"));
}

TEST_F(SideListTest, ReportsItsCellSizeForTheOneLimitToJudge) {
    for (auto [text, cellSize, usable] : {std::tuple{"t\n  64px\n", 64, true},
                                          {"t\n0\n", 0, false},
                                          {"t\n", 0, false},
                                          {"t\n99999999999\n", 2147483647, false}}) {
        sideList.cellSize = 48;
        sideList.ReadList(text, source);
        EXPECT_EQ(sideList.cellSize, cellSize) << text;
        EXPECT_EQ(IsUsableCellSize(sideList.cellSize), usable) << text;
    }
    // One limit for every cell size: the cuts' own and a side list's alike.
    for (const CutTableRow& cut : kCutTable)
        EXPECT_TRUE(IsUsableCellSize(cut.cellSize)) << cut.name;
    // The grid keeps whole cells only, and none of a cell size beyond the limit.
    std::int32_t cols = -1, rows = -1;
    for (auto [w, h, size, wantCols, wantRows] : {std::tuple{100, 70, 32, 3, 2},
                                                  {31, 70, 32, 0, 2},
                                                  {100, 70, 0, 0, 0},
                                                  {100, 70, -16, 0, 0},
                                                  {1024, 512, kMaxCellSize, 4, 2},
                                                  {1024, 512, kMaxCellSize + 1, 0, 0},
                                                  {9, 9, kMinCellSize - 1, 0, 0}}) {
        ComputeGrid(w, h, size, &cols, &rows);
        EXPECT_EQ(std::pair(cols, rows), std::pair(wantCols, wantRows)) << w << " " << size;
    }
}

TEST(TextModeReader, ReadsNumbersAndLinesLikeTheCRuntime) {
    for (auto [text, value] : {std::pair{" \t-7x", -7},
                               {"+12", 12},
                               {"x12", 0},
                               {"", 0},
                               {"99999999999", 2147483647},
                               {"-99999999999", -2147483647 - 1}})
        EXPECT_EQ(ParseLeadingInt(text), value) << text;

    // A lone carriage return stays; one before a line feed goes. Lines longer than 63
    // characters are read in pieces.
    std::string text = "a\rb\r\n";
    text.append(70, 'x').append("\nz");
    TextModeReader reader(text);
    std::string line;
    for (const std::string& expected :
         {std::string("a\rb\n"), std::string(63, 'x'), std::string("xxxxxxx\n"), std::string("z")}) {
        ASSERT_TRUE(reader.ReadLine(&line));
        EXPECT_EQ(line, expected);
    }
    EXPECT_FALSE(reader.ReadLine(&line));
}

TEST_F(SideListTest, MapsKeepTheRedComponentOfEachPixelLayout) {
    struct Case {
        PixelFormatCode format;
        std::uint32_t pixel;
        std::uint8_t red;
    };
    const Case cases[] = {
        {RGB565, 0xF800, 0xF8},  {RGB565, 0x07FF, 0x00},    {RGB565, 0x8000, 0x80},
        {RGB555, 0x7C00, 0xF8},  {RGB555, 0x03FF, 0x00},    {RGB16Other, 0x4000, 0x80},
        {RGB24, 0xC81020, 0xC8}, {RGB32, 0xFFC81020, 0xC8},
    };
    for (const Case& c : cases) {
        auto surface = SurfaceIn(c.format, 3, 2);
        surface->SetPixelValue(2, 1, c.pixel);
        CSideShape shape;
        ASSERT_TRUE(shape.LoadMapFromSurface(surface.get()));
        ASSERT_EQ(shape.map.size(), 6u);
        EXPECT_EQ(shape.map[5], c.red) << c.format << " " << std::hex << c.pixel;
        EXPECT_EQ(shape.map[0], 0);
    }
    // Loading goes through the display in its own layout; a missing file gives no map.
    ASSERT_TRUE(WriteBmpFile(temp.File("side.bmp"), ImageOf(2, 1, {0xD0D0D0, 0x404040})));
    UseFormat(RGB565);
    CSideShape shape;
    ASSERT_TRUE(shape.LoadMap(&display, temp.File("side.bmp")));
    EXPECT_EQ(shape.map, (std::vector<std::uint8_t>{0xD0, 0x40}));
    EXPECT_FALSE(shape.LoadMap(&display, temp.File("none.bmp")));
    EXPECT_TRUE(shape.map.empty());
}

} // namespace
