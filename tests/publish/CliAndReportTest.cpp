#include "DemoPicture.h"
#include "PackReport.h"
#include "PublishFixtures.h"
#include "Publisher.h"
#include "imaging/BmpCodec.h"
#include "imaging/PictureDecoder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

using namespace publish;

namespace {

struct ToolRun {
    int status = -1;
    std::string output; // stdout and stderr together
};

// Runs the command-line tool; skips the test when it has not been built.
ToolRun RunTool(const TempDir& dir, const std::string& arguments) {
    const std::string tool = std::string(PICTORRA_BINARY_DIR) + "/pictorra-publish";
    ToolRun run;
    if (!std::filesystem::exists(tool)) return run;
    const std::string log = dir.File("tool-output");
    const std::string command = "\"" + tool + "\" " + arguments + " > \"" + log + "\" 2>&1";
    int status = std::system(command.c_str());
    run.status = status == 0 ? 0 : 1;
    Bytes text = ReadBytes(log);
    run.output.assign(text.begin(), text.end());
    return run;
}

#define SKIP_WITHOUT_TOOL(run)                                                                               \
    if ((run).status < 0) GTEST_SKIP() << "pictorra-publish is not built"

} // namespace

TEST(Cli, PublishesInspectsAndRefuses) {
    TempDir dir;
    const std::string program = MakeProgram(dir);
    const std::string picture = MakePicture(dir, "bmp", 100, 70);
    const std::string out = dir.File("puzzle");

    ToolRun ok = RunTool(dir, "--game " + program + " --picture " + picture +
                                  " --cut medium --title \"Mountain Lake\" --scramble -o " + out);
    SKIP_WITHOUT_TOOL(ok);
    ASSERT_EQ(ok.status, 0) << ok.output;
    EXPECT_NE(ok.output.find("3 x 2 = 6 pieces"), std::string::npos) << ok.output;

    ToolRun inspect = RunTool(dir, "inspect " + out);
    ASSERT_EQ(inspect.status, 0) << inspect.output;
    for (const char* expected : {"selector.bmp", "scrambled", "Mountain Lake", "8 sets", "+ 64 side bitmaps"})
        EXPECT_NE(inspect.output.find(expected), std::string::npos) << expected << "\n" << inspect.output;

    // Argument mistakes are refused with the reason (the publisher's own refusals are tested directly).
    const std::pair<std::string, std::string> refusals[] = {
        {"--game " + program + " --picture " + picture + " --cut small -o " + dir.File("x"), "--title"},
        {"--game " + program + " --picture " + picture + " --cut small --title T --target 1h -o x",
         "--target"},
        {"inspect " + program, "holds no pack"},
        {"frobnicate", "unknown argument"},
    };
    for (const auto& [arguments, message] : refusals) {
        ToolRun bad = RunTool(dir, arguments);
        EXPECT_NE(bad.status, 0) << arguments;
        EXPECT_NE(bad.output.find(message), std::string::npos) << arguments << "\n" << bad.output;
    }
}

TEST(Cli, AppendWritesRawEntries) {
    TempDir dir;
    WriteBytes(dir.File("a.txt"), {'h', 'i'});
    WriteBytes(dir.File("empty"), {});
    const std::string out = dir.File("packed");
    ToolRun run = RunTool(dir, "append --game " + MakeProgram(dir, 250000) + " -o " + out +
                                   " click.wav=" + dir.File("a.txt") + " piecedefs=" + dir.File("empty"));
    SKIP_WITHOUT_TOOL(run);
    ASSERT_EQ(run.status, 0) << run.output;
    Readback back(dir);
    ASSERT_TRUE(back.Open(out));
    ASSERT_EQ(back.pack.directory.size(), 2u);
    EXPECT_EQ(back.Entry("click.wav"), (Bytes{'h', 'i'}));
    EXPECT_TRUE(back.Entry("piecedefs").empty());
}

// The sheet is the game's own cut: each piece's middle shows its cell's picture pixels, at
// its place in the grid, with gaps between the pieces.
TEST(Inspect, SheetShowsEveryPieceInPlace) {
    TempDir dir;
    const std::string out = dir.File("puzzle");
    std::string error;
    ASSERT_TRUE(Publisher::Publish(
        PublishRequestFor(MakeProgram(dir), MakePicture(dir, "bmp", 100, 70), "medium", out), nullptr,
        &error))
        << error;
    ASSERT_TRUE(WriteSheet(out, dir.File("sheet.bmp"), &error)) << error;

    DecodedImage sheet;
    ASSERT_TRUE(ReadBmpFile(dir.File("sheet.bmp"), sheet, &error)) << error;
    const int cell = 32, gap = 8, margin = 32;
    ASSERT_EQ(sheet.width, 3 * cell + 2 * gap + 2 * margin);
    ASSERT_EQ(sheet.height, 2 * cell + gap + 2 * margin);
    // Away from the bevelled rim each piece shows the picture unchanged.
    for (int i = 0; i < 6; ++i) {
        const int c = i % 3, r = i / 3;
        EXPECT_EQ(sheet.At(margin + c * (cell + gap) + cell / 2, margin + r * (cell + gap) + cell / 2),
                  GradientPixel(100, 70, c * cell + cell / 2, r * cell + cell / 2))
            << "piece " << c << ", " << r;
    }
    EXPECT_EQ(sheet.At(2, 2), 0x3A424Eu); // background

    std::ostringstream report;
    EXPECT_TRUE(Inspect(out, report, &error)) << error;
    EXPECT_NE(report.str().find("100 x 70"), std::string::npos) << report.str();
}

TEST(DemoPicture, TheBundledCopyDecodes) {
    DecodedImage bundled;
    std::string error;
    ASSERT_TRUE(DecodePictureFile(std::string(PICTORRA_SOURCE_DIR) + "/assets/mountain-lake.jpg", PictureJpeg,
                                  bundled, &error))
        << error;
    EXPECT_EQ(std::pair(bundled.width, bundled.height), std::pair(kDemoWidth, kDemoHeight));
}
