#include "Publisher.h"
#include "HeadlessCutter.h"
#include "JpegWriter.h"
#include "PackReport.h"
#include "SelectorImage.h"
#include "SideShapeGenerator.h"
#include "SoundGenerator.h"
#include "app/Random.h"
#include "cutting/CPieceMask.h"
#include "cutting/PieceGrid.h"
#include "imaging/BmpCodec.h"
#include "imaging/PictureDecoder.h"
#include "pack/CPackFile.h"
#include "pack/CPuzzleArchive.h"
#include "pack/Loader.h"
#include "platform/FileReplace.h"
#include "play/CPuzzle.h"
#include "support/PictureFiles.h"
#include "support/PublishedPuzzle.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

using namespace publish;

namespace {

std::string MakePicture(const TempDir& dir, const std::string& type, int w, int h) {
    const std::string path = dir.File("picture." + type);
    const DecodedImage image = GradientPicture(w, h);
    WriteBytes(path, type == "bmp" ? EncodeBmp24(image) : EncodeJpeg(image, 90));
    return path;
}

std::string MakeProgram(const TempDir& dir, std::size_t size = 4096) {
    WriteBytes(dir.File("game"), Bytes(size, 'P'));
    return dir.File("game");
}

PublishRequest Request(const std::string& g, const std::string& p, const std::string& c,
                       const std::string& o) {
    PublishRequest r;
    r.gameProgram = g, r.picturePath = p, r.cutName = c, r.title = "Test Puzzle", r.output = o;
    return r;
}

// Runs the command-line tool, stdout and stderr together; status -1 when it is not built.
std::pair<int, std::string> RunTool(const TempDir& dir, const std::string& arguments) {
    const std::string tool = std::string(PICTORRA_BINARY_DIR) + "/pictorra-publish";
    if (!std::filesystem::exists(tool)) return {-1, ""};
    const std::string command = "\"" + tool + "\" " + arguments + " > \"" + dir.File("out.txt") + "\" 2>&1";
    const int status = std::system(command.c_str()) == 0 ? 0 : 1;
    const Bytes text = ReadBytes(dir.File("out.txt"));
    return {status, std::string(text.begin(), text.end())};
}

} // namespace

// Every cut, each picture type in turn, scrambled or not, read back the game's way.
TEST(Publisher, EveryCutAndPictureTypeIsPublishedAndReadBackByTheGame) {
    TempDir dir;
    const std::string program = MakeProgram(dir);
    const char* const types[] = {"bmp", "jpg", "jpeg"};
    for (std::size_t i = 0; i < AllCuts().size(); ++i) {
        const CutInfo& cut = AllCuts()[i];
        const std::string type = types[i % 3];
        SCOPED_TRACE(std::string(cut.name) + " " + type);
        PublishRequest request =
            Request(program, MakePicture(dir, type, 130, 100), cut.name, dir.File(cut.name));
        request.scramble = i % 2 == 0, request.completionText = "Bravo!", request.previewAllowed = false;
        request.targetGiven = true, request.targetHours = 1, request.targetMinutes = 30;
        PublishSummary summary;
        std::string error;
        ASSERT_TRUE(Publisher::Publish(request, &summary, &error)) << error;
        EXPECT_EQ(std::tuple(summary.cols, summary.rows), std::tuple(130 / cut.cellSize, 100 / cut.cellSize));
        CPackFile pack;
        ASSERT_TRUE(pack.OpenPackFile(request.output, 200000));
        for (const char* name : {"selector.bmp", "click.wav", "rotate.wav"})
            EXPECT_NE(pack.FindEntry(name), nullptr) << name;
        CPuzzleArchive archive;
        ASSERT_TRUE(pack.ExtractEntry("puzzlefile", dir.File("archive")) &&
                    archive.Open(dir.File("archive")));
        EXPECT_EQ(archive.entries.size(), 2u);
        for (const auto& entry : archive.entries)
            EXPECT_EQ(entry->scrambled != 0, request.scramble);
        CArchiveEntry* optionsEntry = archive.FindEntry("options");
        std::string text;
        ASSERT_TRUE(optionsEntry && optionsEntry->OpenStream());
        for (int c = optionsEntry->ReadByte(); c != CArchiveEntry::kEnd; c = optionsEntry->ReadByte())
            text.push_back(static_cast<char>(c));
        optionsEntry->CloseStream();
        EXPECT_EQ(text, type + "\r\n" + cut.name +
                            "\r\nTest Puzzle\r\nBravo!\r\n1\r\n0\r\n0\r\n1\r\n30\r\n\r\n\r\n0\r\n\r\n\r\n");
        CArchiveEntry* picture = archive.FindEntry("picture");
        ASSERT_TRUE(picture->OpenStream() && picture->ExtractTo(dir.File("picture-read")));
        picture->CloseStream();
        DecodedImage image;
        ASSERT_TRUE(DecodePictureFile(dir.File("picture-read"), PictureFormatFromName(type), image, &error))
            << error;
        ASSERT_EQ(std::tuple(image.width, image.height), std::tuple(130, 100));
        EXPECT_TRUE(type != "bmp" || image.At(129, 99) == GradientPixel(130, 100, 129, 99));
        HeadlessCutter cutter;
        CSideList::Source source{
            [&pack](const std::string& name, const std::string& to) { return pack.ExtractEntry(name, to); },
            &cutter.display, dir.Str()};
        ASSERT_TRUE(cutter.sideList.Load(source, cut.name));
        ASSERT_EQ(
            std::tuple(cutter.sideList.setCount, cutter.sideList.shapes.size(), cutter.sideList.cellSize),
            std::tuple(cut.setCount, std::size_t(8 * cut.setCount), cut.cellSize));
        // The shapes read back use only the three greys, and cut the game's way they put every
        // picture pixel in exactly one piece and none outside.
        for (const auto& shape : cutter.sideList.shapes)
            ASSERT_TRUE(
                std::all_of(shape->map.begin(), shape->map.end(),
                            [](std::uint8_t g) { return g == kSideAdd || g == kSideCut || g == kSideKeep; }))
                << shape->setNumber << shape->slot;
        CPuzzle puzzle;
        puzzle.userotation = 1;
        puzzle.beveling = 0;
        const int cols = 6, rows = 5, cs = cut.cellSize, h = cs / 2, side = 4 * h;
        cutter.display.NewSurface(&puzzle.pictureSurface, cols * cs, rows * cs, false);
        PrepareGrid(&puzzle, cs);
        GameSeed(4242);
        RunCuttingPass(cutter.Context(cs), &puzzle);
        ASSERT_EQ(puzzle.pieces.size(), static_cast<std::size_t>(cols * rows));
        const int width = cols * cs + 2 * cs, height = rows * cs + 2 * cs; // a cell of room around
        std::vector<int> cover(static_cast<std::size_t>(width) * height, 0);
        for (const auto& piece : puzzle.pieces) {
            const CPieceMask* mask = piece->masks[0];
            ASSERT_TRUE(mask && mask->width == side);
            int inside = 0;
            for (int y = 0; y < side; ++y)
                for (int x = 0; x < side; ++x)
                    if (mask->bytes[static_cast<std::size_t>(y) * side + x] == 0) {
                        ++inside;
                        ++cover[static_cast<std::size_t>(piece->row * cs - h + y + cs) * width +
                                piece->col * cs - h + x + cs];
                    }
            EXPECT_GT(inside, 0);
        }
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const bool inPicture = x >= cs && y >= cs && x < cs + cols * cs && y < cs + rows * cs;
                ASSERT_EQ(cover[static_cast<std::size_t>(y) * width + x], inPicture ? 1 : 0)
                    << "picture pixel " << x - cs << ", " << y - cs;
            }
    }
}

TEST(Publisher, RefusesBadInputWithAReasonAndWritesNothing) {
    TempDir dir;
    const std::string program = MakeProgram(dir), picture = MakePicture(dir, "bmp", 60, 50);
    const std::string out = dir.File("out"), published = dir.File("published");
    WriteBytes(dir.File("picture.png"), ReadBytes(picture));
    WriteBytes(dir.File("broken.jpg"), ReadBytes(picture)); // a bitmap named as a JPEG
    std::string error;
    ASSERT_TRUE(Publisher::Publish(Request(program, picture, "medium", published), nullptr, &error)) << error;
    const Bytes publishedBytes = ReadBytes(published);
    EXPECT_GE(publishedBytes.size(), 200000u);
    const auto with = [&](auto change) {
        PublishRequest r = Request(program, picture, "medium", out);
        change(r);
        return r;
    };
    const std::pair<PublishRequest, const char*> refusals[] = {
        {with([](PublishRequest& r) { r.cutName = "Medium"; }), "unknown cut"},
        {with([&](PublishRequest& r) { r.picturePath = dir.File("absent.jpg"); }), "absent.jpg"},
        {with([&](PublishRequest& r) { r.picturePath = dir.File("picture.png"); }), ".bmp, .gif"},
        {with([&](PublishRequest& r) { r.picturePath = dir.File("broken.jpg"); }), "does not decode"},
        {with([](PublishRequest& r) { r.cutName = "huge"; }), "smaller than one huge piece"},
        {with([&](PublishRequest& r) { r.gameProgram = dir.File("no-game"); }), "not found"},
        {with([](PublishRequest& r) { r.output.clear(); }), "output"},
        {with([](PublishRequest& r) { r.title = std::string(256, 'x'); }), "title is longer"},
        {with([](PublishRequest& r) { r.completionText = "one\r\ntwo"; }), "single line"},
        {with([](PublishRequest& r) { r.targetGiven = true, r.targetMinutes = 75; }), "target"},
        {with([&](PublishRequest& r) { r.gameProgram = published; }), "already holds"},
        {with([&](PublishRequest& r) { r.output = program; }), "game program itself"},
    };
    for (const auto& [request, reason] : refusals) {
        EXPECT_FALSE(Publisher::Publish(request, nullptr, &error)) << reason;
        EXPECT_NE(error.find(reason), std::string::npos) << error;
        EXPECT_FALSE(std::filesystem::exists(out)) << reason;
    }
    EXPECT_EQ(std::tuple(ReadBytes(program).size(), ReadBytes(published)),
              std::tuple(std::size_t(4096), publishedBytes));
    // A write that cannot finish leaves what was there and no half-written file beside it.
    std::filesystem::create_directory(dir.File("busy"));
    WriteBytes(dir.File("busy/keep"), {'k'});
    EXPECT_FALSE(Publisher::Publish(Request(program, picture, "medium", dir.File("busy")), nullptr, &error));
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(SiblingPath(dir.File("busy"))));
    EXPECT_EQ(ReadBytes(dir.File("busy/keep")), Bytes{'k'});
}

TEST(Publisher, SoundsSelectorAndInspectionSheet) {
    for (const Bytes& wav : {SoundGenerator::ClickWav(), SoundGenerator::RotateWav()}) {
        ASSERT_GT(wav.size(), 44u);
        const auto word = [&](std::size_t at) {
            return static_cast<std::int16_t>(wav[at] | wav[at + 1] << 8);
        };
        // RIFF WAVE, PCM, mono, 16 bits; over 20 ms and under 250 ms; audible and not clipped.
        EXPECT_EQ(std::tuple(std::string(wav.begin() + 8, wav.begin() + 16), word(20), word(22), word(34)),
                  std::tuple("WAVEfmt ", 1, 1, 16));
        const std::size_t samples = (wav.size() - 44) / 2;
        int peak = 0;
        for (std::size_t i = 0; i < samples; ++i)
            peak = std::max(peak, std::abs(word(44 + 2 * i)));
        EXPECT_TRUE(samples > SoundGenerator::kSampleRate / 50u &&
                    samples < SoundGenerator::kSampleRate / 4u);
        EXPECT_TRUE(peak > 8000 && peak < 30000) << peak;
    }
    const Bytes bytes = SelectorImage::Bitmap();
    DecodedImage image;
    ASSERT_TRUE(DecodeBmp(bytes.data(), bytes.size(), image, nullptr));
    ASSERT_EQ(image.width, SelectorImage::kSide);
    EXPECT_TRUE(image.At(0, 0) == 0xFFFFFFu && image.At(4, 4) != 0xFFFFFFu); // transparent corners only
    // The sheet is the game's cut: each piece's middle shows its cell's pixels, in place, gaps between.
    TempDir dir;
    const auto out = PublishGradient(dir.Str(), 100, 70, "medium", "T", dir.File("puzzle"), nullptr).output;
    std::string error;
    ASSERT_TRUE(WriteSheet(out, dir.File("sheet.bmp"), &error)) << error;
    DecodedImage sheet;
    ASSERT_TRUE(ReadBmpFile(dir.File("sheet.bmp"), sheet, &error)) << error;
    const int cell = 32, gap = 8, margin = 32;
    ASSERT_EQ(std::tuple(sheet.width, sheet.height),
              std::tuple(3 * cell + 2 * gap + 2 * margin, 2 * cell + gap + 2 * margin));
    for (int i = 0; i < 6; ++i) {
        const int c = i % 3, r = i / 3;
        EXPECT_EQ(sheet.At(margin + c * (cell + gap) + cell / 2, margin + r * (cell + gap) + cell / 2),
                  GradientPixel(100, 70, c * cell + cell / 2, r * cell + cell / 2))
            << "piece " << c << ", " << r;
    }
    EXPECT_EQ(sheet.At(2, 2), 0x3A424Eu); // background
}

TEST(Cli, PublishesInspectsAppendsAndRefuses) {
    TempDir dir;
    const std::string program = MakeProgram(dir), picture = MakePicture(dir, "bmp", 100, 70);
    const std::string args = "--game " + program + " --picture " + picture;
    auto [status, output] =
        RunTool(dir, args + " --cut medium --title \"Mountain Lake\" --scramble -o " + dir.File("puzzle"));
    if (status < 0) GTEST_SKIP() << "pictorra-publish is not built";
    ASSERT_EQ(status, 0) << output;
    EXPECT_NE(output.find("3 x 2 = 6 pieces"), std::string::npos) << output;
    std::tie(status, output) = RunTool(dir, "inspect " + dir.File("puzzle"));
    ASSERT_EQ(status, 0) << output;
    for (const char* expected :
         {"100 x 70", "selector.bmp", "scrambled", "Mountain Lake", "8 sets", "+ 64 side bitmaps"})
        EXPECT_NE(output.find(expected), std::string::npos) << expected << "\n" << output;
    WriteBytes(dir.File("a.txt"), {'h', 'i'});
    WriteBytes(dir.File("empty"), {});
    std::tie(status, output) =
        RunTool(dir, "append --game " + MakeProgram(dir, 250000) + " -o " + dir.File("packed") +
                         " click.wav=" + dir.File("a.txt") + " piecedefs=" + dir.File("empty"));
    ASSERT_EQ(status, 0) << output;
    CPackFile pack;
    ASSERT_TRUE(pack.OpenPackFile(dir.File("packed"), 200000));
    ASSERT_EQ(pack.directory.size(), 2u);
    ASSERT_TRUE(pack.ExtractEntry("click.wav", dir.File("e1")) &&
                pack.ExtractEntry("piecedefs", dir.File("e2")));
    EXPECT_EQ(std::tuple(ReadBytes(dir.File("e1")), ReadBytes(dir.File("e2"))),
              std::tuple(Bytes{'h', 'i'}, Bytes{}));
    for (const auto& [arguments, message] :
         {std::pair<std::string, std::string>{args + " --cut small", "-o OUTPUT"},
          {args + " --cut small --title T --target 1h -o x", "--target"},
          {"inspect " + program, "holds no pack"},
          {"frobnicate", "unknown argument"},
          {"", "usage:"}}) {
        std::tie(status, output) = RunTool(dir, arguments);
        EXPECT_NE(status, 0) << arguments;
        EXPECT_NE(output.find(message), std::string::npos) << arguments << "\n" << output;
    }
}
