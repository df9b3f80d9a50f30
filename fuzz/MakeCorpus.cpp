// Writes the seed corpus of every fuzz target, small valid files made by the publishing
// tool's writers and the test helpers: make_fuzz_corpus OUTPUT_DIR writes
// OUTPUT_DIR/<target>/<seed>. scripts/make-fuzz-corpus.sh runs it.
#include "ArchiveWriter.h"
#include "JpegWriter.h"
#include "PackWriter.h"
#include "SideListWriter.h"
#include "SideShapeGenerator.h"
#include "imaging/BmpCodec.h"
#include "pack/AuthorExtras.h"
#include "position/CPositionFile.h"
#include "support/PictureFiles.h"

#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

fs::path g_root;

void Put(const std::string& target, const std::string& name, const Bytes& bytes) {
    fs::create_directories(g_root / target);
    std::ofstream out(g_root / target / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s/%s\n", target.c_str(), name.c_str());
        std::exit(1);
    }
}

Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

DecodedImage Picture(int w, int h) {
    DecodedImage image{w, h, {}};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.pixels.push_back(static_cast<std::uint32_t>((x * 255 / w) << 16 | (y * 255 / h) << 8 | 0x40));
    return image;
}

void Check(bool ok, const std::string& error) {
    if (ok) return;
    std::fprintf(stderr, "%s\n", error.c_str());
    std::exit(1);
}

Bytes Png(const DecodedImage& image, std::uint8_t alpha) {
    std::vector<std::uint32_t> argb = image.pixels;
    for (auto& p : argb)
        p |= static_cast<std::uint32_t>(alpha) << 24;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_BGRA;
    png_alloc_size_t size = 0;
    Check(png_image_write_to_memory(&png, nullptr, &size, 0, argb.data(), 0, nullptr), "cannot size a PNG");
    Bytes out(size);
    Check(png_image_write_to_memory(&png, out.data(), &size, 0, argb.data(), 0, nullptr), "cannot write a PNG");
    out.resize(size);
    return out;
}

void Pictures() {
    const DecodedImage small = Picture(13, 7);
    Put("bmp", "gradient24.bmp", EncodeBmp24(small));
    BmpLayout paletted;
    paletted.width = 9;
    paletted.height = 4;
    paletted.bits = 4;
    paletted.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    paletted.coloursUsed = 4;
    paletted.pixelData.assign(4 * 8, 0x12);
    Put("bmp", "paletted4.bmp", MakeBmp(paletted));

    Put("jpeg", "baseline.jpg", publish::EncodeJpeg(small, 80, false));
    Put("jpeg", "progressive.jpg", publish::EncodeJpeg(small, 80, true));

    const fs::path gif = g_root / "gif" / "animated.gif";
    fs::create_directories(gif.parent_path());
    GifFrameSpec first{0, 0, 4, 3, std::vector<std::uint8_t>(12, 1), {}, 10, -1, 0, false};
    GifFrameSpec second{1, 1, 2, 2, {0, 2, 2, 0}, {}, 10, 0, 2, true};
    MakeGif(gif.string(), 4, 3, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF}, {first, second});

    PcxLayout pcx;
    pcx.width = 5;
    pcx.height = 3;
    pcx.bitsPerPixel = 8;
    pcx.bytesPerLine = 6;
    pcx.planeBytes.assign(3 * 6, 7);
    pcx.palette256.assign(256, 0x336699);
    Put("pcx", "paletted8.pcx", MakePcx(pcx));
    pcx.planes = 3;
    pcx.palette256.clear();
    pcx.planeBytes.assign(3 * 3 * 6, 0x80);
    Put("pcx", "rgb24.pcx", MakePcx(pcx));

    IcoImageSpec bitmap{4, 4, 24, {}, std::vector<std::uint32_t>(16, 0x102030), {}, false};
    bitmap.masked.assign(16, false);
    bitmap.masked[5] = true;
    Put("ico", "bitmap24.ico", MakeIco({bitmap}));
    // A PNG image in place of the placeholder the helper writes for one.
    IcoImageSpec placeholder{6, 5, 32, {}, std::vector<std::uint32_t>(30, 0), {}, true};
    Bytes ico = MakeIco({placeholder});
    const Bytes png = Png(Picture(6, 5), 0xC0);
    ico.resize(6 + 16);
    ico.insert(ico.end(), png.begin(), png.end());
    for (int k = 0; k < 4; ++k)
        ico[6 + 8 + k] = static_cast<std::uint8_t>(png.size() >> (8 * k));
    Put("ico", "png.ico", ico);
}

void PackAndArchive() {
    std::string error;
    publish::ArchiveOptions options;
    options.pictureType = "bmp";
    options.cutName = "small";
    options.title = "Seed";
    options.completionText = "Done";
    options.targetMinutes = 5;
    std::string optionsText;
    Check(publish::FormatOptions(options, &optionsText, &error), error);
    Put("options", "options.txt", Text(optionsText));

    Bytes archive;
    Check(publish::BuildPuzzleArchive(options, EncodeBmp24(Picture(8, 8)), false, &archive, &error), error);
    Put("archive", "plain.puz", archive);
    Check(publish::BuildPuzzleArchive(options, EncodeBmp24(Picture(8, 8)), true, &archive, &error), error);
    Put("archive", "scrambled.puz", archive);

    // The side list of a cut with one set, and one of its shapes as the side bitmap seeds.
    const publish::CutInfo* cut = publish::FindCut("small");
    Check(cut != nullptr, "no cut named small");
    std::vector<publish::SideSet> sets = publish::SideShapeGenerator(*cut, 1).Generate();
    if (sets.size() > 1) sets.resize(1);
    const publish::SideListFiles list = publish::SideListWriter::Write(*cut, sets);
    Put("sidelist", "small.txt", Text(list.text));
    Put("sidelist", "squares.txt", Text(publish::SideListWriter::Write(*cut, {}).text));
    if (!sets.empty()) {
        // The side shape target takes a cell size byte and a pixel layout byte first.
        for (int slot : {0, 5}) {
            Bytes seed = {static_cast<std::uint8_t>(cut->cellSize / 2 - 1), static_cast<std::uint8_t>(slot)};
            const Bytes bitmap = publish::SideListWriter::EncodeMap(sets[0].maps[static_cast<std::size_t>(slot)]);
            seed.insert(seed.end(), bitmap.begin(), bitmap.end());
            Put("sideshape", "slot" + std::to_string(slot) + ".bin", seed);
        }
    }

    // The pack reader scans from the start here, so the pack alone is a whole input.
    Bytes pack;
    Check(publish::BuildPack({{"puzzle", archive}, {"piecedefs", Text(list.text)}}, &pack, &error), error);
    Put("pack", "two-entries.pack", pack);
}

void Position() {
    CPositionFile file;
    file.cutName = "small";
    file.archivePath = "/tmp/seed.puz";
    file.columns = 2;
    file.seconds = 75;
    file.useRotation = 1;
    file.percentWhole = 50;
    for (std::int32_t i = 0; i < 4; ++i) {
        SavedPieceRecord record;
        record.col = i % 2;
        record.row = i / 2;
        record.rotation = i;
        for (auto& side : record.sides)
            side[0] = 0, side[1] = i;
        record.x = 40 * i;
        record.y = 30;
        file.pieces.push_back(record);
    }
    file.groups.push_back({10, 20, {{0, 0}, {1, 0}}});
    file.groups.push_back({100, 20, {{0, 1}}});
    file.groups.push_back({150, 20, {{1, 1}}});
    Bytes bytes;
    std::string why;
    Check(file.Encode(&bytes, &why), why);
    Put("position", "four-pieces.sav", bytes);
}

void Extras() {
    AuthorExtras extras;
    extras.title = "Seed author";
    Put("extras", "title-only.bin", EncodeAuthorExtras(extras));
    extras.bannerFlag = 1;
    extras.linkFlag = 1;
    extras.linkAddress = "https://example.org/";
    extras.imageExtension = "gif";
    extras.placement = 4;
    extras.exitPageFlag = 1;
    extras.exitPage = "bye.html";
    extras.infoPageFlag = 1;
    extras.infoPageName = "info.html";
    extras.dialogWidth = 320;
    extras.dialogHeight = 200;
    Put("extras", "everything.bin", EncodeAuthorExtras(extras));
}

void Titles() {
    Put("titles", "plain.txt", Text("Author NameA Puzzle Title"));
    Put("titles", "latin1.txt", Text("Caf\xe9 Owner\x93Quoted\x94 \x80 5"));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_corpus OUTPUT_DIR\n");
        return 2;
    }
    g_root = argv[1];
    Pictures();
    PackAndArchive();
    Position();
    Extras();
    Titles();
    return 0;
}
