#include "Publisher.h"
#include "PackWriter.h"
#include "PublishFixtures.h"
#include "SelectorImage.h"
#include "SideListWriter.h"
#include "SoundGenerator.h"
#include "app/Globals.h"
#include "clock/TargetTime.h"
#include "imaging/BmpCodec.h"
#include "imaging/PictureDecoder.h"
#include "pack/CPuzzleArchive.h"
#include "pack/PuzzleOptionsReader.h"

#include <gtest/gtest.h>

using namespace publish;

namespace {

// Everything the game would read from a published program, read the game's way.
struct ReadPuzzle {
    PuzzleOptions options;
    bool optionsRead = false;
    std::vector<bool> scrambled;
    DecodedImage picture;
    std::int32_t setCount = 0;
    std::size_t shapesWithMaps = 0;
    std::int32_t listCell = 0;
};

ReadPuzzle ReadBack(const TempDir& dir, const std::string& program) {
    ReadPuzzle out;
    Readback back(dir);
    EXPECT_TRUE(back.Open(program));
    for (const char* name : {"puzzlefile", "piecedefs", "selector.bmp", "click.wav", "rotate.wav"})
        EXPECT_NE(back.pack.FindEntry(name), nullptr) << name;

    CPuzzleArchive archive;
    EXPECT_TRUE(archive.Open(back.EntryFile("puzzlefile")));
    for (const auto& entry : archive.entries)
        out.scrambled.push_back(entry->scrambled != 0);
    if (CArchiveEntry* options = archive.FindEntry("options"))
        out.optionsRead = ReadPuzzleOptions(*options, out.options, false);
    if (CArchiveEntry* picture = archive.FindEntry("picture")) {
        const std::string path = dir.File("picture-read");
        EXPECT_TRUE(picture->OpenStream() && picture->ExtractTo(path));
        picture->CloseStream();
        std::string error;
        EXPECT_TRUE(DecodePictureFile(path, static_cast<PictureFormat>(out.options.pictureFormat),
                                      out.picture, &error))
            << error;
    }

    HeadlessGame game;
    const CPackFile& pack = back.pack;
    game.sideList.extractEntry = [&pack](const std::string& name, const std::string& path) {
        return pack.ExtractEntry(name, path);
    };
    Bytes list = back.Entry("piecedefs");
    game.sideList.ReadList(std::string(list.begin(), list.end()), dir.File("temp3"));
    out.setCount = game.sideList.setCount;
    out.listCell = cellSize;
    for (const auto& shape : game.sideList.shapes)
        out.shapesWithMaps += !shape->map.empty();
    return out;
}

} // namespace

TEST(Publisher, EveryPictureTypeIsPublishedAndReadBackByTheGame) {
    for (const std::string type : {"bmp", "gif", "jpg", "jpeg", "ico", "pcx"}) {
        SCOPED_TRACE(type);
        TempDir dir;
        PublishRequest request =
            PublishRequestFor(MakeProgram(dir), MakePicture(dir, type, 72, 40), "small", dir.File("out"));
        request.scramble = type == "bmp";
        PublishSummary summary;
        std::string error;
        ASSERT_TRUE(Publisher::Publish(request, &summary, &error)) << error;
        EXPECT_EQ(summary.cols * summary.rows, 4 * 2);

        ReadPuzzle read = ReadBack(dir, request.output);
        ASSERT_TRUE(read.optionsRead);
        EXPECT_EQ(read.scrambled, (std::vector<bool>{request.scramble, request.scramble}));
        EXPECT_EQ(read.options.pictureFormat, PictureFormatFromName(type));
        EXPECT_EQ(read.options.title, "Test Puzzle");
        ASSERT_EQ(std::pair(read.picture.width, read.picture.height), std::pair(72, 40));
        // The lossless types keep every pixel.
        if (type == "bmp" || type == "ico" || type == "pcx") {
            EXPECT_EQ(read.picture.At(10, 20), TestPixel(10, 20));
            EXPECT_EQ(read.picture.At(71, 39), TestPixel(71, 39));
        }
        EXPECT_EQ(read.setCount, 6);
        EXPECT_EQ(read.shapesWithMaps, 48u);
    }
}

TEST(Publisher, EveryCutIsPublishedWithItsOwnSideList) {
    TempDir dir;
    const std::string picture = MakePicture(dir, "bmp", 130, 100);
    const std::string program = MakeProgram(dir);
    for (const CutInfo& cut : AllCuts()) {
        SCOPED_TRACE(cut.name);
        const std::string output = dir.File(std::string("published-") + cut.name);
        PublishSummary summary;
        std::string error;
        ASSERT_TRUE(
            Publisher::Publish(PublishRequestFor(program, picture, cut.name, output), &summary, &error))
            << error;
        EXPECT_EQ(summary.cols, 130 / cut.cellSize);
        EXPECT_EQ(summary.rows, 100 / cut.cellSize);

        ReadPuzzle read = ReadBack(dir, output);
        ASSERT_TRUE(read.optionsRead);
        EXPECT_EQ(read.options.cutName, cut.name);
        EXPECT_EQ(read.setCount, cut.setCount);
        EXPECT_EQ(read.shapesWithMaps, static_cast<std::size_t>(8 * cut.setCount));
        EXPECT_EQ(read.listCell, cut.cellSize);
    }
}

TEST(Publisher, OptionsAreFourteenCrLfLinesAndCarryTheAuthorsChoices) {
    TempDir dir;
    PublishRequest request =
        PublishRequestFor(MakeProgram(dir), MakePicture(dir, "jpeg", 64, 64), "square", "");
    request.completionText = "Bravo!";
    request.previewAllowed = false;
    request.targetGiven = true;
    request.targetHours = 1;
    request.targetMinutes = 30;
    std::vector<PackEntrySource> entries;
    std::string error;
    ASSERT_TRUE(Publisher::BuildEntries(request, &entries, nullptr, &error)) << error;
    ASSERT_EQ(entries[0].name, "puzzlefile");
    WriteBytes(dir.File("archive"), entries[0].bytes);

    CPuzzleArchive archive;
    ASSERT_TRUE(archive.Open(dir.File("archive")));
    CArchiveEntry* options = archive.FindEntry("options");
    ASSERT_NE(options, nullptr);
    ASSERT_TRUE(options->OpenStream());
    std::string text;
    for (int c = options->ReadByte(); c != CArchiveEntry::kEnd; c = options->ReadByte())
        text.push_back(static_cast<char>(c));
    options->CloseStream();
    EXPECT_EQ(text,
              "jpeg\r\nsquare\r\nTest Puzzle\r\nBravo!\r\n1\r\n0\r\n0\r\n1\r\n30\r\n\r\n\r\n0\r\n\r\n\r\n");
}

TEST(Publisher, DefaultTargetIsTheOneTheGameComputes) {
    for (int pieces = 0; pieces <= 400; ++pieces) {
        int h = -1, m = -1;
        Publisher::TargetFor(pieces, &h, &m);
        const TargetTime target = TargetTimeFor(pieces);
        ASSERT_EQ(h * 60 + m, target.hours * 60 + target.minutes) << pieces;
    }
}

TEST(Publisher, RefusesBadInputWithAReason) {
    TempDir dir;
    const std::string program = MakeProgram(dir);
    const std::string picture = MakePicture(dir, "bmp", 60, 50);
    const std::string out = dir.File("out");
    WriteBytes(dir.File("picture.png"), ReadBytes(picture));
    WriteBytes(dir.File("broken.jpg"), ReadBytes(picture)); // a bitmap named as a JPEG
    const auto with = [&](auto change) {
        PublishRequest r = PublishRequestFor(program, picture, "medium", out);
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
    };
    for (const auto& [request, reason] : refusals) {
        std::string error;
        EXPECT_FALSE(Publisher::Publish(request, nullptr, &error)) << reason;
        EXPECT_NE(error.find(reason), std::string::npos) << error;
        EXPECT_FALSE(std::filesystem::exists(out)) << "nothing is written on refusal";
    }
}

TEST(Publisher, RefusesAProgramThatAlreadyCarriesAPackAndKeepsTheProgramIntact) {
    TempDir dir;
    const std::string program = MakeProgram(dir);
    const std::string picture = MakePicture(dir, "bmp", 64, 64);
    const std::string first = dir.File("first");
    std::string error;
    ASSERT_TRUE(Publisher::Publish(PublishRequestFor(program, picture, "medium", first), nullptr, &error))
        << error;
    Bytes published = ReadBytes(first);
    EXPECT_GE(published.size(), 200000u);

    EXPECT_FALSE(
        Publisher::Publish(PublishRequestFor(first, picture, "medium", dir.File("second")), nullptr, &error));
    EXPECT_NE(error.find("already holds"), std::string::npos) << error;
    // Publishing onto the program itself would destroy the author's game.
    EXPECT_FALSE(Publisher::Publish(PublishRequestFor(program, picture, "medium", program), nullptr, &error));
    EXPECT_EQ(ReadBytes(program).size(), 4096u);
    EXPECT_EQ(ReadBytes(first), published);
}

TEST(Publisher, SoundsAreShortAudiblePcmWaves) {
    for (const Bytes& wav : {SoundGenerator::ClickWav(), SoundGenerator::RotateWav()}) {
        ASSERT_GT(wav.size(), 44u);
        // RIFF WAVE, PCM, mono, 16 bits.
        EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
        EXPECT_EQ((std::vector<int>{wav[20] | wav[21] << 8, wav[22] | wav[23] << 8, wav[34] | wav[35] << 8}),
                  (std::vector<int>{1, 1, 16}));
        const std::size_t samples = (wav.size() - 44) / 2;
        EXPECT_GT(samples, SoundGenerator::kSampleRate / 50u); // over 20 ms
        EXPECT_LT(samples, SoundGenerator::kSampleRate / 4u);  // under 250 ms
        int peak = 0;
        for (std::size_t i = 0; i < samples; ++i)
            peak = std::max(peak, std::abs(static_cast<int>(
                                      static_cast<std::int16_t>(wav[44 + 2 * i] | wav[45 + 2 * i] << 8))));
        EXPECT_GT(peak, 8000);  // audible
        EXPECT_LT(peak, 30000); // not clipped
    }
}

TEST(Publisher, SelectorIsASmallMarkerOnWhite) {
    Bytes bytes = SelectorImage::Bitmap();
    DecodedImage image;
    std::string error;
    ASSERT_TRUE(DecodeBmp(bytes.data(), bytes.size(), image, &error)) << error;
    ASSERT_EQ(image.width, SelectorImage::kSide);
    EXPECT_EQ(image.At(0, 0), 0xFFFFFFu); // transparent corners
    EXPECT_NE(image.At(4, 4), 0xFFFFFFu);
}
