#include "CuttingFixture.h"

#include "cutting/TextModeReader.h"
#include "display/CSurface.h"
#include "imaging/BmpCodec.h"

#include <cstring>
#include <filesystem>
#include <map>

namespace {

class SideListTest : public CuttingFixture {
  protected:
    void SetUp() override {
        CuttingFixture::SetUp();
        // The pack stand-in: entry name -> file in the scratch folder.
        sideList.extractEntry = [this](const std::string& name, const std::string& out) {
            requested.push_back(name);
            auto it = entries.find(name);
            if (it == entries.end()) return false;
            std::filesystem::copy_file(it->second, out, std::filesystem::copy_options::overwrite_existing);
            return true;
        };
    }

    void AddEntryText(const std::string& name, const std::string& text) {
        const std::string path = temp.File("pack-" + name);
        std::ofstream(path, std::ios::binary) << text;
        entries[name] = path;
    }

    // A side bitmap of one grey level.
    void AddEntryBitmap(const std::string& name, int grey, int side = 16) {
        DecodedImage image;
        image.width = image.height = side;
        image.pixels.assign(static_cast<std::size_t>(side) * side,
                            static_cast<std::uint32_t>(grey) * 0x010101u);
        const std::string path = temp.File("pack-" + name + ".bmp");
        ASSERT_TRUE(WriteBmpFile(path, image));
        entries[name] = path;
    }

    // One set: entry names "<prefix><slot>", partner (slot + 2) % 8 style pairs.
    static std::string SetText(int setNumber, const std::string& prefix, const char* eol, int shapes = 8) {
        std::string text = std::to_string(setNumber) + eol;
        for (int slot = 0; slot < shapes; ++slot)
            text += prefix + std::to_string(slot) + eol + std::to_string((slot + 2) % 4 + (slot & 4)) + eol;
        return text;
    }

    std::map<std::string, std::string> entries;
    std::vector<std::string> requested;
};

TEST_F(SideListTest, ReadsSetsOfEightShapesWithCrLfLineEnds) {
    cellSize = 0;
    for (int slot = 0; slot < 8; ++slot)
        AddEntryBitmap("a" + std::to_string(slot), 210 + slot);
    AddEntryText("piecedefs", "Side list\r\n 16\r\n" + SetText(0, "a", "\r\n"));

    ASSERT_TRUE(sideList.Load("medium"));
    EXPECT_EQ(cellSize, 16);
    EXPECT_EQ(sideList.setCount, 1);
    ASSERT_EQ(sideList.shapes.size(), 8u);
    for (int slot = 0; slot < 8; ++slot) {
        const CSideShape* shape = sideList.FindShape(0, slot);
        ASSERT_NE(shape, nullptr);
        EXPECT_EQ(shape->slot, slot);
        EXPECT_EQ(shape->partnerSlot, (slot + 2) % 4 + (slot & 4));
        ASSERT_EQ(shape->width, 16);
        ASSERT_EQ(shape->height, 16);
        // Each shape has its own bitmap, read through the same scratch file.
        EXPECT_EQ(shape->map[0], 210 + slot);
    }
    // No carriage return or line feed reaches the entry names.
    EXPECT_EQ(requested[1], "a0");
    EXPECT_TRUE(std::filesystem::exists(temp.File("temp")));
    EXPECT_EQ(sideList.FindShape(1, 0), nullptr);
}

TEST_F(SideListTest, KeepsCompleteShapesOfASetCutShortAndCountsSetHeaders) {
    AddEntryBitmap("s", 255);
    // Set 0 complete; set 5 has three shapes and the name of a fourth without its partner.
    std::string text = "t\n32\n" + SetText(0, "s", "\n") + "5\ns\n0\ns\n1\ns\n2\ns";
    AddEntryText("piecedefs", text);
    ASSERT_TRUE(sideList.Load("large"));
    EXPECT_EQ(sideList.setCount, 2);
    EXPECT_EQ(sideList.shapes.size(), 11u);
    EXPECT_NE(sideList.FindShape(5, 2), nullptr);
    EXPECT_EQ(sideList.FindShape(5, 3), nullptr);
}

TEST_F(SideListTest, AShapeWhoseBitmapIsMissingGetsNoMapRatherThanTheLastOne) {
    AddEntryBitmap("a0", 250);
    std::string text = "t\n32\n0\na0\n2\nmissing\n3\n";
    AddEntryText("piecedefs", text);
    ASSERT_TRUE(sideList.Load("medium"));
    ASSERT_EQ(sideList.shapes.size(), 2u);
    EXPECT_FALSE(sideList.shapes[0]->map.empty());
    EXPECT_TRUE(sideList.shapes[1]->map.empty());
    EXPECT_EQ(sideList.shapes[1]->width, 0);
}

TEST_F(SideListTest, FailuresLeaveThePreviousList) {
    AddShape(0, 0, 2, 255);
    sideList.setCount = 1;

    // No entry in the pack: false, nothing logged.
    EXPECT_FALSE(sideList.Load("medium"));
    EXPECT_EQ(sideList.shapes.size(), 1u);
    EXPECT_EQ(LogText().find("Failed to load side list"), std::string::npos);

    // Reported as extracted, but no file to open.
    sideList.extractEntry = [](const std::string&, const std::string&) { return true; };
    std::filesystem::remove(temp.File("temp"));
    EXPECT_FALSE(sideList.Load("wavy"));
    EXPECT_EQ(sideList.shapes.size(), 1u);
    EXPECT_EQ(sideList.setCount, 1);
    EXPECT_NE(LogText().find("Failed to load side list: wavy\n\n"), std::string::npos);
}

TEST_F(SideListTest, ReadsNumbersAndLinesLikeTheCRuntime) {
    cellSize = 48;
    sideList.ReadList("t\n0\n", temp.File("temp3"));
    EXPECT_EQ(cellSize, 48) << "a cell size of 0 would divide by zero later";
    sideList.ReadList("t\n99999999999\n", temp.File("temp3"));
    EXPECT_EQ(cellSize, 48);
    sideList.ReadList("t\n  64px\n", temp.File("temp3"));
    EXPECT_EQ(cellSize, 64);
    EXPECT_EQ(sideList.setCount, 0);

    EXPECT_EQ(ParseLeadingInt(" \t-7x"), -7);
    EXPECT_EQ(ParseLeadingInt("+12"), 12);
    EXPECT_EQ(ParseLeadingInt("x12"), 0);
    EXPECT_EQ(ParseLeadingInt(""), 0);
    EXPECT_EQ(ParseLeadingInt("99999999999"), 2147483647);
    EXPECT_EQ(ParseLeadingInt("-99999999999"), -2147483647 - 1);

    // A lone carriage return stays; one before a line feed goes. Lines longer than 63
    // characters are read in pieces.
    TextModeReader reader(std::string("a\rb\r\n") + std::string(70, 'x') + "\nz");
    std::string line;
    ASSERT_TRUE(reader.ReadLine(&line));
    EXPECT_EQ(line, "a\rb\n");
    ASSERT_TRUE(reader.ReadLine(&line));
    EXPECT_EQ(line, std::string(63, 'x'));
    ASSERT_TRUE(reader.ReadLine(&line));
    EXPECT_EQ(line, std::string(7, 'x') + "\n");
    ASSERT_TRUE(reader.ReadLine(&line));
    EXPECT_EQ(line, "z");
    EXPECT_FALSE(reader.ReadLine(&line));
}

// The red component of side bitmap pixels in every layout the display can have.
TEST_F(SideListTest, MapsKeepTheRedComponentOfEachPixelLayout) {
    struct Case {
        PixelFormatCode format;
        std::uint32_t pixel;
        std::uint8_t red;
    };
    const Case cases[] = {
        {RGB565, 0xF800, 0xF8},     {RGB565, 0x07FF, 0x00},  {RGB565, 0x8000, 0x80},
        {RGB555, 0x7C00, 0xF8},     {RGB555, 0x03FF, 0x00},  {RGB555, 0x4000, 0x80},
        {RGB16Other, 0x4000, 0x80}, {RGB24, 0xC81020, 0xC8}, {RGB32, 0xFFC81020, 0xC8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        SurfaceDesc desc;
        desc.dwWidth = 3;
        desc.dwHeight = 2;
        desc.pixelFormat = DescribePixelFormat(c.format);
        CSurface surface;
        ASSERT_EQ(surface.Create(desc), S_OK);
        surface.SetPixelValue(2, 1, c.pixel);
        CSideShape shape;
        ASSERT_TRUE(shape.LoadMapFromSurface(&surface));
        ASSERT_EQ(shape.map.size(), 6u);
        EXPECT_EQ(shape.map[5], c.red);
        EXPECT_EQ(shape.map[0], 0);
    }
}

TEST_F(SideListTest, LoadMapGoesThroughTheDisplayInItsOwnLayout) {
    DecodedImage image;
    image.width = 2;
    image.height = 1;
    image.pixels = {0xD0D0D0, 0x404040};
    ASSERT_TRUE(WriteBmpFile(temp.File("side.bmp"), image));
    UseFormat(RGB565);
    CSideShape shape;
    ASSERT_TRUE(shape.LoadMap(temp.File("side.bmp")));
    ASSERT_EQ(shape.width, 2);
    EXPECT_EQ(shape.map[0], 0xD0);
    EXPECT_EQ(shape.map[1], 0x40);
    EXPECT_FALSE(shape.LoadMap(temp.File("none.bmp")));
    EXPECT_TRUE(shape.map.empty());
}

} // namespace
