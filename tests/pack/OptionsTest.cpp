#include "PackTestFiles.h"
#include "imaging/PictureFormat.h"
#include "pack/PuzzleOptionsReader.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

namespace {

bool Parse(const std::string& text, PuzzleOptions& options) {
    return ParsePuzzleOptions(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), options,
                              false);
}

TEST(Options, FourteenCrLfLinesReadClean) {
    const std::string text =
        "gif\r\nwavy\r\nAutumn\r\nWell solved!\r\n1\r\n0\r\n0\r\n2\r\n45\r\nten\r\n\r\n0\r\n\r\n" +
        std::string(1023, 'L') + "\r\n";
    PuzzleOptions options;
    ASSERT_TRUE(Parse(text, options));
    EXPECT_EQ(std::tie(options.cutName, options.title, options.completionText),
              std::make_tuple("wavy", "Autumn", "Well solved!"));
    EXPECT_EQ((std::vector<int>{options.pictureFormat, options.ghostPermission, options.previewPermission,
                                options.targetHours, options.targetMinutes}),
              (std::vector<int>{PictureGif, 1, 0, 2, 45}));
}

TEST(Options, TheFirstLineMustNameAPictureTypeExactly) {
    PuzzleOptions options;
    EXPECT_FALSE(Parse("jpg\nmedium\nTitle\n", options)); // LF only: all one line
    EXPECT_FALSE(Parse("JPG\r\nmedium\r\n", options));
    EXPECT_FALSE(Parse("jpg \r\nmedium\r\n", options));
    EXPECT_FALSE(Parse("", options));
    EXPECT_EQ(options.title, "");
    for (const char* type : {"bmp", "jpg", "jpeg", "gif", "ico", "pcx"}) {
        EXPECT_TRUE(Parse(std::string(type) + "\r\n", options)) << type;
    }
}

TEST(Options, MissingLinesReadEmptyAndNumbersFollowTheTextRules) {
    PuzzleOptions options;
    options.ghostPermission = 5;
    ASSERT_TRUE(Parse("pcx\r\nsmall\r\nShort one", options));
    EXPECT_EQ(options.pictureFormat, PicturePcx);
    EXPECT_EQ(options.title, "Short one");
    EXPECT_EQ(options.completionText, "");
    EXPECT_EQ(options.ghostPermission, 0);
    EXPECT_EQ(options.targetMinutes, 0);

    // A line longer than 255 characters spills into the next field.
    ASSERT_TRUE(Parse("bmp\r\n" + std::string(300, 'c') + "\r\n", options));
    EXPECT_EQ(options.cutName, std::string(255, 'c'));
    EXPECT_EQ(options.title, std::string(45, 'c'));

    EXPECT_EQ(DecimalValue("  +12 apples"), 12);
    EXPECT_EQ(DecimalValue("\t-7"), -7);
    EXPECT_EQ(DecimalValue("x1"), 0);
    EXPECT_EQ(DecimalValue("-"), 0);
    EXPECT_EQ(DecimalValue("99999999999999999999"), INT_MAX);
    EXPECT_EQ(DecimalValue("-99999999999999999999"), INT_MIN);
}

TEST(Options, CutNamesSetStyleAndCellSizeOnlyWhenExact) {
    const struct {
        const char* name;
        std::int32_t style, size;
    } cuts[] = {{"Medium", 9, 40}, {"huge", 3, 64}, {"jagged", 7, 48}, {"small", 0, 16}};
    for (const auto& c : cuts) {
        std::int32_t style = 9, size = 40;
        ApplyCutName(c.name, style, size);
        EXPECT_EQ(style, c.style) << c.name;
        EXPECT_EQ(size, c.size) << c.name;
    }
}
} // namespace
