#include "ExtrasEntries.h"
#include "GameTemplate.h"
#include "JpegWriter.h"
#include "PackReport.h"
#include "PictureSize.h"
#include "PublishOptions.h"
#include "Publisher.h"
#include "cutting/PuzzleLimits.h"
#include "imaging/BmpCodec.h"
#include "imaging/PictureDecoder.h"
#include "pack/CPackFile.h"
#include "qt/PictureImport.h"
#include "support/PictureFiles.h"
#include "support/PublishedPuzzle.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <cstdio>
#include <sstream>

using namespace publish;

namespace {

// A picture, a banner and an info page, and the publish options built on them.
struct AuthorFiles {
    TempDir dir;
    std::string game = dir.File("game"), picture = dir.File("p.bmp"), banner = dir.File("banner.jpg");
    std::string page = dir.File("thanks.html");
    AuthorFiles() {
        WriteBytes(game, Bytes(4096, 'P'));
        WriteBytes(picture, EncodeBmp24(GradientPicture(100, 70)));
        WriteBytes(banner, EncodeJpeg(GradientPicture(40, 20), 90));
        WriteBytes(dir.File("not-a-picture.gif"), ReadBytes(picture));
        WriteBytes(page, {'<', 'p', '>', 'H', 'i'});
        const GifFrameSpec dot{0, 0, 1, 1, {1}, {}, 5};
        MakeGif(
            dir.File("long.gif"), kMaxBannerSide, kMaxBannerSide, {0, 0xFFFFFF},
            std::vector<GifFrameSpec>(kMaxBannerFramePixels / (kMaxBannerSide * kMaxBannerSide) + 1, dot));
    }
    // The options of a publish run with `extra` arguments; `error` holds the refusal if any.
    bool Build(std::vector<std::string> extra, std::vector<PackEntrySource>* entries,
               std::string* error) const {
        std::vector<std::string> args = {"--picture", picture, "-o", dir.File("out")};
        args.insert(args.end(), extra.begin(), extra.end());
        PublishOptions options;
        return ParsePublishOptions(args, &options, error) &&
               Publisher::BuildEntries(options.request, entries, nullptr, error);
    }
};

const PackEntrySource* Entry(const std::vector<PackEntrySource>& entries, const std::string& name) {
    for (const PackEntrySource& e : entries)
        if (e.name == name) return &e;
    return nullptr;
}

} // namespace

TEST(AuthorExtras, EveryExtraReachesTheGameThroughItsEntries) {
    AuthorFiles f;
    const std::string about = "Photo: Ann\nLake";
    std::vector<std::string> args = {"--picture", f.picture, "-o", f.dir.File("out"), "--game", f.game};
    args.insert(args.end(), {"--author-title", "Ann's Puzzles", "--forbid-preview"});
    args.insert(args.end(),
                {"--banner", f.banner, "--banner-link", "https://example.org/", "--banner-place", "8"});
    args.insert(args.end(),
                {"--exit-page", "mailto:ann@example.org", "--info-page", f.page, "--info-size", "640x480"});
    args.insert(args.end(), {"--about-text", about, "--about-button", "Website", "HTTP://example.org"});
    PublishOptions options;
    std::string error;
    ASSERT_TRUE(ParsePublishOptions(args, &options, &error)) << error;
    options.request.gameProgram = options.game;
    ASSERT_TRUE(Publisher::Publish(options.request, nullptr, &error)) << error;
    CPackFile pack;
    ASSERT_TRUE(pack.OpenPackFile(f.dir.File("out"), 200000));
    for (const auto& [entry, source] : {std::pair{kBannerEntry, f.banner}, {kInfoPageEntry, f.page}}) {
        ASSERT_TRUE(pack.ExtractEntry(entry, f.dir.File("extracted"))) << entry;
        EXPECT_EQ(ReadBytes(f.dir.File("extracted")), ReadBytes(source)) << entry;
    }
    // The report reads every field back from the pack.
    std::ostringstream report;
    ASSERT_TRUE(Inspect(f.dir.File("out"), report, &error)) << error;
    for (const char* shown : {"\"Ann's Puzzles\"", "jpg picture, place 8, link https://example.org/",
                              "exit page     mailto:ann@example.org", "thanks.html, dialog 640 x 480",
                              "\"Website\" opens HTTP://example.org", "forbidden"})
        EXPECT_NE(report.str().find(shown), std::string::npos) << shown << "\n" << report.str();
    EXPECT_NE(report.str().find("\"" + about + "\""), std::string::npos) << report.str();

    // No extras: no record. An extra without a title: the game's own title, every flag off.
    std::vector<PackEntrySource> entries;
    AuthorExtras read;
    ASSERT_TRUE(f.Build({}, &entries, &error)) << error;
    EXPECT_EQ(Entry(entries, kExtrasEntry), nullptr);
    ASSERT_TRUE(f.Build({"--banner", f.dir.File("banner.jpg"), "--forbid-preview"}, &entries, &error))
        << error;
    ASSERT_TRUE(ParseAuthorExtras(Entry(entries, kExtrasEntry)->bytes, read));
    EXPECT_EQ(read, (AuthorExtras{kDefaultAuthorTitle, 1, 0, "", "jpg", 0, 0, "", 0, "", 0, 0, 0, "", 0, "",
                                  "", 1}));
    EXPECT_EQ(Entry(entries, kInfoPageEntry), nullptr);
}

TEST(AuthorExtras, BadValuesAreRefusedWithTheirReason) {
    AuthorFiles f;
    const std::string banner = f.banner;
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--banner", banner, "--banner-place", "9"}, "0 to 8"},
        {{"--banner", banner, "--banner-place", "-1"}, "0 to 8"},
        {{"--banner", f.dir.File("logo.png")}, ".gif, .jpg, .jpeg and .bmp"},
        {{"--banner", f.dir.File("not-a-picture.gif")}, "not a picture the game can decode"},
        {{"--banner", f.dir.File("absent.gif")}, "cannot read banner"},
        {{"--banner", f.dir.File("long.gif")}, "frames of 1024 x 1024"},
        {{"--banner", banner, "--banner-link", "ftp://example.org"},
         "banner link \"ftp://example.org\" is not"},
        {{"--exit-page", "javascript:alert(1)"}, "exit page"},
        {{"--about-button", "Go", "https://a b"}, "About button address"},
        {{"--about-button", "", "https://a"}, "caption"},
        {{"--about-button", "Go"}, "needs two values"},
        {{"--info-page", f.dir.File("absent.html"), "--info-size", "640x480"}, "cannot read the info page"},
        {{"--info-page", f.page, "--info-size", "640"}, "WxH"},
        {{"--info-page", f.page, "--info-size", "100x480"}, "200 to 4096"},
        {{"--info-page", f.page}, "go together"},
        {{"--banner-link", "https://example.org"}, "need --banner"},
        {{"--author-title", "two\nlines"}, "single line"},
        {{"--max-size", "0x100"}, "WxH"},
        {{"--pieces", "many"}, "whole number"},
    };
    for (const auto& [args, reason] : cases) {
        std::vector<PackEntrySource> entries;
        std::string error;
        EXPECT_FALSE(f.Build(args, &entries, &error)) << reason;
        EXPECT_NE(error.find(reason), std::string::npos) << reason << ": " << error;
    }
}

TEST(PictureSize, PiecesAndLargestSizeKeepTheAspectAndNeverEnlarge) {
    struct Case {
        int w, h, cell;
        PictureSizeRequest ask;
        int pieces; // about this many (within 10%); 0: `size` exactly
        PictureSize size;
    };
    const Case cases[] = {
        {6000, 4000, 32, {1000, 0, 0}, 1000, {}}, // a 24-megapixel photo
        {1000, 3000, 64, {50, 0, 0}, 50, {}},
        {6000, 4000, 32, {0, 1920, 1080}, 0, {1620, 1080}},
        {800, 600, 32, {0, 1920, 1080}, 0, {800, 600}},
        {300, 200, 32, {1000, 0, 0}, 0, {288, 192}}, // too small: as many as it gives, 9 x 6
        {6000, 4000, 32, {1000, 640, 640}, 0, {640, 427}},
    };
    for (const Case& c : cases) {
        const PictureSize size = ChoosePictureSize(c.w, c.h, c.cell, c.ask);
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + " -> " + std::to_string(size.width) +
                     "x" + std::to_string(size.height));
        EXPECT_NEAR(static_cast<double>(size.width) / size.height, static_cast<double>(c.w) / c.h,
                    static_cast<double>(c.cell) / size.height);
        if (c.pieces == 0) {
            EXPECT_EQ(size, c.size);
        } else {
            EXPECT_NEAR((size.width / c.cell) * (size.height / c.cell), c.pieces, c.pieces / 10.0);
        }
    }
    // The largest puzzle the game takes is refused with its own message.
    const int side = static_cast<int>(std::sqrt(static_cast<double>(kMaxPuzzlePieces))) + 2;
    EXPECT_EQ(
        Publisher::SizeRefusal(16 * side, 16 * side, 16).rfind(PuzzleSizeRefusal(side, side, 16, true), 0),
        0u);
    EXPECT_EQ(Publisher::SizeRefusal(16 * 100, 16 * 100, 16), "");
}

TEST(PictureImport, PngBecomesAJpegTheGameReadsAtTheChosenSize) {
    TempDir dir;
    QImage png(640, 400, QImage::Format_ARGB32);
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x)
            png.setPixel(x, y, x < 20 ? qRgba(0, 0, 0, 0) : qRgb(x * 255 / 640, y * 255 / 400, 64));
    ASSERT_TRUE(png.save(QString::fromStdString(dir.File("photo.png")), "PNG"));
    std::string error;
    ImportedPicture kept, scaled;
    ASSERT_TRUE(ImportPicture(dir.File("photo.png"), 32, {}, nullptr, &kept, &error)) << error;
    ASSERT_TRUE(ImportPicture(dir.File("photo.png"), 32, {200, 0, 0}, nullptr, &scaled, &error)) << error;
    DecodedImage image;
    ASSERT_TRUE(DecodePicture(kept.bytes.data(), kept.bytes.size(), PictureJpeg, image, &error)) << error;
    EXPECT_EQ(std::tuple(kept.type, kept.converted, image.width, image.height),
              std::tuple("jpg", true, 640, 400));
    EXPECT_GT(image.At(5, 5) & 0xFF, 0xF0u); // transparent parts laid over white
    EXPECT_NEAR(static_cast<int>(image.At(320, 200) >> 16), 127, 6);

    // Scaled: the bytes themselves give about the pieces asked for.
    ASSERT_TRUE(DecodePicture(scaled.bytes.data(), scaled.bytes.size(), PictureJpeg, image, &error)) << error;
    EXPECT_NEAR((image.width / 32) * (image.height / 32), 200, 20);

    // A BMP the game reads is kept byte for byte; a photo turned by its EXIF tag is stood upright.
    WriteBytes(dir.File("p.bmp"), EncodeBmp24(GradientPicture(64, 48)));
    ASSERT_TRUE(ImportPicture(dir.File("p.bmp"), 16, {}, nullptr, &kept, &error)) << error;
    EXPECT_EQ(std::tuple(kept.type, kept.converted, kept.bytes),
              std::tuple("bmp", false, ReadBytes(dir.File("p.bmp"))));
    Bytes jpeg = EncodeJpeg(GradientPicture(64, 32), 90);
    const Bytes exif = {0xFF, 0xE1, 0,    34, 'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0,
                        1,    0,    0x12, 1,  3,   0,   1,   0,   0, 0, 6,   0,   0,  0, 0, 0, 0, 0};
    jpeg.insert(jpeg.begin() + 2, exif.begin(), exif.end());
    WriteBytes(dir.File("turned.jpg"), jpeg);
    ASSERT_TRUE(ImportPicture(dir.File("turned.jpg"), 16, {}, nullptr, &kept, &error)) << error;
    EXPECT_EQ(std::tuple(kept.converted, kept.width, kept.height), std::tuple(true, 32, 64));

    // Refusals: a size the game does not take, before decoding; a file that is no picture.
    const int side = 16 * (static_cast<int>(std::sqrt(static_cast<double>(kMaxPuzzlePieces))) + 2);
    QImage big(side, side, QImage::Format_RGB32);
    big.fill(Qt::darkGreen);
    ASSERT_TRUE(big.save(QString::fromStdString(dir.File("big.png")), "PNG"));
    EXPECT_FALSE(ImportPicture(dir.File("big.png"), 16, {}, nullptr, &kept, &error));
    EXPECT_EQ(error, Publisher::SizeRefusal(side, side, 16));
    WriteBytes(dir.File("notes.txt"), {'h', 'i'});
    EXPECT_FALSE(ImportPicture(dir.File("notes.txt"), 16, {}, nullptr, &kept, &error));
    EXPECT_NE(error.find("not a picture"), std::string::npos) << error;
}

TEST(GameTemplate, BesideTheToolThenInstalledThenGiven) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path() / "bin");
    std::filesystem::create_directories(dir.Path() / "lib" / "pictorra-vaze");
    const std::string tool = dir.File("bin/pictorra-publish"),
                      installed = dir.File("lib/pictorra-vaze/pictorra-vaze");
    GameTemplate found;
    std::string error;
    EXPECT_FALSE(FindGameTemplate(tool, "", &found, &error));
    EXPECT_NE(error.find("lib/pictorra-vaze/pictorra-vaze"), std::string::npos) << error;
    WriteBytes(installed, {'G'});
    ASSERT_TRUE(FindGameTemplate(tool, "", &found, &error)) << error;
    EXPECT_EQ(std::tuple(found.path, found.how), std::tuple(installed, "installed with the tool"));
    WriteBytes(dir.File("bin/pictorra-vaze"), {'G'});
    ASSERT_TRUE(FindGameTemplate(tool, "", &found, &error)) << error;
    EXPECT_EQ(std::tuple(found.path, found.how),
              std::tuple(dir.File("bin/pictorra-vaze"), "found beside the tool"));
    ASSERT_TRUE(FindGameTemplate(tool, installed, &found, &error)) << error;
    EXPECT_EQ(std::tuple(found.path, found.how), std::tuple(installed, "given with --game"));
    EXPECT_FALSE(FindGameTemplate(tool, dir.File("nothing"), &found, &error));
}

TEST(Progress, RedrawsItsLineOnATerminalAndIsSilentElsewhere) {
    for (const bool live : {true, false}) {
        std::FILE* file = std::tmpfile();
        ASSERT_NE(file, nullptr);
        {
            Progress progress(file, live);
            progress.Step("cutting");
            for (double fraction : {0.0, 0.5, 0.5, 1.5})
                progress.Update(fraction);
            progress.Step("writing");
        }
        std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
        std::rewind(file);
        EXPECT_EQ(std::fread(text.data(), 1, text.size(), file), text.size());
        std::fclose(file);
        EXPECT_EQ(text,
                  live ? "cutting...\rcutting...   0%\rcutting...  50%\rcutting... 100%\nwriting...\n" : "");
    }
}
