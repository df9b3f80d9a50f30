#include "imaging/PictureFormat.h"
#include "pack/PuzzleOptionsReader.h"

#include <gtest/gtest.h>

#include <tuple>

static bool Parse(const std::string& text, PuzzleOptions& options) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return ParsePuzzleOptions(bytes, text.size(), options, false);
}

TEST(Options, LinesReadCleanMissingOnesReadEmptyAndTheTypeMustBeExact) {
    PuzzleOptions options;
    ASSERT_TRUE(
        Parse("gif\r\nwavy\r\nAutumn\r\nWell solved!\r\n1\r\n0\r\n0\r\n2\r\n45\r\nten\r\n\r\n0\r\n\r\n" +
                  std::string(1023, 'L') + "\r\n",
              options));
    EXPECT_EQ(std::tie(options.cutName, options.title, options.completionText),
              std::make_tuple("wavy", "Autumn", "Well solved!"));
    EXPECT_EQ((std::vector<int>{options.pictureFormat, options.ghostPermission, options.previewPermission,
                                options.targetHours, options.targetMinutes}),
              (std::vector<int>{PictureGif, 1, 0, 2, 45}));
    ASSERT_TRUE(Parse("pcx\r\nsmall\r\nShort one", options));
    EXPECT_EQ(
        std::tuple(options.title, options.completionText, options.ghostPermission, options.targetMinutes),
        std::tuple("Short one", "", 0, 0));
    // A line longer than 255 characters spills into the next field.
    ASSERT_TRUE(Parse("bmp\r\n" + std::string(300, 'c') + "\r\n", options));
    EXPECT_EQ(std::pair(options.cutName, options.title),
              std::pair(std::string(255, 'c'), std::string(45, 'c')));
    options = {};
    for (const char* bad : {"jpg\nmedium\nTitle\n", "JPG\r\nmedium\r\n", "jpg \r\nmedium\r\n", ""})
        EXPECT_FALSE(Parse(bad, options)) << bad;
    EXPECT_EQ(options.title, "");
}
