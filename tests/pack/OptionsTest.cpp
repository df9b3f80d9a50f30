#include "ArchiveWriter.h"
#include "PackTestFiles.h"
#include "imaging/PictureFormat.h"
#include "pack/CPuzzleArchive.h"
#include "pack/PuzzleOptionsReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

bool Parse(const std::string& text, PuzzleOptions& options, bool restoring = false) {
    return ParsePuzzleOptions(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), options,
                              restoring);
}

publish::ArchiveOptions SampleOptions() {
    publish::ArchiveOptions o;
    o.pictureType = "gif";
    o.cutName = "wavy";
    o.title = "Autumn";
    o.completionText = "Well solved!";
    o.ghostPermission = 1;
    o.previewPermission = 0;
    o.targetHours = 2;
    o.targetMinutes = 45;
    o.line10 = "ten";
    o.line14 = std::string(1023, 'L');
    return o;
}

TEST(Options, FourteenCrLfLinesReadClean) {
    std::string text, error;
    ASSERT_TRUE(publish::FormatOptions(SampleOptions(), &text, &error)) << error;
    PuzzleOptions options;
    ASSERT_TRUE(Parse(text, options));
    EXPECT_EQ(options.pictureFormat, PictureGif);
    EXPECT_EQ(options.cutName, "wavy");
    EXPECT_EQ(options.title, "Autumn");
    EXPECT_EQ(options.completionText, "Well solved!");
    EXPECT_EQ(options.ghostPermission, 1);
    EXPECT_EQ(options.previewPermission, 0);
    EXPECT_EQ(options.targetHours, 2);
    EXPECT_EQ(options.targetMinutes, 45);

    // A saved position keeps its own cut name.
    PuzzleOptions restoring;
    restoring.cutName = "huge";
    ASSERT_TRUE(Parse(text, restoring, true));
    EXPECT_EQ(restoring.cutName, "huge");
    EXPECT_EQ(restoring.title, "Autumn");
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

TEST(Options, ScrambledOptionsEqualPlainOnes) {
    TempDir dir;
    std::string error;
    PuzzleOptions results[2];
    for (int scrambled = 0; scrambled < 2; ++scrambled) {
        std::vector<std::uint8_t> archive;
        ASSERT_TRUE(
            publish::BuildPuzzleArchive(SampleOptions(), Bytes("GIF89a"), scrambled == 1, &archive, &error))
            << error;
        const std::string path = dir.File("a" + std::to_string(scrambled));
        WriteBytes(path, archive);
        CPuzzleArchive reader;
        ASSERT_TRUE(reader.Open(path));
        ASSERT_TRUE(ReadPuzzleOptions(*reader.FindEntry("options"), results[scrambled], false));
        EXPECT_EQ(reader.FindEntry("options")->file, nullptr); // stream closed again
    }
    EXPECT_EQ(results[1].title, "Autumn");
    EXPECT_EQ(results[0].title, results[1].title);
    EXPECT_EQ(results[0].cutName, results[1].cutName);
    EXPECT_EQ(results[0].completionText, results[1].completionText);
    EXPECT_EQ(results[0].targetMinutes, results[1].targetMinutes);
}

TEST(Options, CutNamesSetStyleAndCellSizeOnlyWhenExact) {
    std::int32_t style = 9, size = 40;
    ApplyCutName("Medium", style, size);
    EXPECT_EQ(style, 9);
    EXPECT_EQ(size, 40);
    ApplyCutName("huge", style, size);
    EXPECT_EQ(style, 3);
    EXPECT_EQ(size, 64);
    ApplyCutName("jagged", style, size);
    EXPECT_EQ(style, 7);
    EXPECT_EQ(size, 48);
    ApplyCutName("small", style, size);
    EXPECT_EQ(style, 0);
    EXPECT_EQ(size, 16);
}

TEST(Options, WriterRefusesLinesTheGameCouldNotReadBack) {
    std::string text, error;
    auto options = SampleOptions();
    options.title = "two\r\nlines";
    EXPECT_FALSE(publish::FormatOptions(options, &text, &error));
    options = SampleOptions();
    options.title = std::string(256, 't');
    EXPECT_FALSE(publish::FormatOptions(options, &text, &error));
    options = SampleOptions();
    options.line14 = std::string(1024, 'L');
    EXPECT_FALSE(publish::FormatOptions(options, &text, &error));
    options = SampleOptions();
    options.pictureType = "png";
    EXPECT_FALSE(publish::FormatOptions(options, &text, &error));
    EXPECT_NE(error.find("png"), std::string::npos);
}

} // namespace
