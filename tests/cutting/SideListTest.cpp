#include "CuttingFixture.h"

#include "cutting/TextModeReader.h"
#include "display/CSurface.h"
#include "imaging/BmpCodec.h"
#include "support/PictureFiles.h"

#include <filesystem>
#include <map>

namespace {

class SideListTest : public CuttingFixture {
  protected:
    void SetUp() override {
        CuttingFixture::SetUp();
        // The pack stand-in: entry name -> bytes.
        sideList.extractEntry = [this](const std::string& name, const std::string& out) {
            requested.push_back(name);
            if (!entries.count(name)) return false;
            WriteBytes(out, entries[name]);
            return true;
        };
    }

    // A 16 x 16 side bitmap of one grey level.
    void AddBitmap(const std::string& name, int grey) {
        entries[name] = EncodeBmp24(ImageOf(16, 16, std::vector<std::uint32_t>(256, grey * 0x010101u)));
    }

    std::map<std::string, Bytes> entries;
    std::vector<std::string> requested;
};

TEST_F(SideListTest, ReadsCrLfSetsCutShortSetsAndMissingBitmaps) {
    cellSize = 0;
    std::string text = "Side list\r\n 16\r\n0\r\n";
    for (int slot = 0; slot < 8; ++slot) {
        const std::string name = slot == 1 ? "missing" : "a" + std::to_string(slot);
        if (slot != 1) AddBitmap(name, 210 + slot);
        text += name + "\r\n" + std::to_string((slot + 2) % 4 + (slot & 4)) + "\r\n";
    }
    // Set 5 has two shapes and the name of a third without its partner; every set header counts.
    text += "5\r\na0\r\n0\r\na0\r\n1\r\na0";
    entries["piecedefs"] = Bytes(text.begin(), text.end());
    ASSERT_TRUE(sideList.Load("medium"));
    EXPECT_EQ(cellSize, 16);
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
    EXPECT_FALSE(sideList.Load("medium"));
    EXPECT_FALSE(Logged("Failed to load side list"));
    // Reported as extracted, but no file to open.
    sideList.extractEntry = [](const std::string&, const std::string&) { return true; };
    std::filesystem::remove(temp.File("temp"));
    EXPECT_FALSE(sideList.Load("wavy"));
    EXPECT_EQ(sideList.shapes.size(), 1u);
    EXPECT_EQ(sideList.setCount, 1);
    EXPECT_TRUE(Logged("Failed to load side list: wavy\n\n"));
}

TEST_F(SideListTest, ReadsNumbersAndLinesLikeTheCRuntime) {
    cellSize = 48;
    sideList.ReadList("t\n0\n", temp.File("temp3"));
    EXPECT_EQ(cellSize, 48) << "a cell size of 0 would divide by zero later";
    sideList.ReadList("t\n99999999999\n", temp.File("temp3"));
    EXPECT_EQ(cellSize, 48);
    sideList.ReadList("t\n  64px\n", temp.File("temp3"));
    EXPECT_EQ(cellSize, 64);

    for (auto [text, value] : {std::pair{" \t-7x", -7},
                               {"+12", 12},
                               {"x12", 0},
                               {"", 0},
                               {"99999999999", 2147483647},
                               {"-99999999999", -2147483647 - 1}})
        EXPECT_EQ(ParseLeadingInt(text), value) << text;

    // A lone carriage return stays; one before a line feed goes. Lines longer than 63
    // characters are read in pieces.
    TextModeReader reader(std::string("a\rb\r\n") + std::string(70, 'x') + "\nz");
    std::string line;
    for (const std::string& expected :
         {std::string("a\rb\n"), std::string(63, 'x'), std::string(7, 'x') + "\n", std::string("z")}) {
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
    ASSERT_TRUE(shape.LoadMap(temp.File("side.bmp")));
    EXPECT_EQ(shape.map, (std::vector<std::uint8_t>{0xD0, 0x40}));
    EXPECT_FALSE(shape.LoadMap(temp.File("none.bmp")));
    EXPECT_TRUE(shape.map.empty());
}

} // namespace
