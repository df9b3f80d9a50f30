#include "PublishFixtures.h"

#include "JpegWriter.h"
#include "app/Globals.h"
#include "app/Random.h"
#include "cutting/PieceGrid.h"
#include "imaging/BmpCodec.h"
#include "pack/Loader.h"

#include <map>

std::uint32_t TestPixel(int x, int y) {
    return static_cast<std::uint32_t>((x * 7) & 0xFF) << 16 |
           static_cast<std::uint32_t>((y * 5) & 0xFF) << 8 | static_cast<std::uint32_t>(((x + y) * 3) & 0xFF);
}

std::string MakePicture(const TempDir& dir, const std::string& type, int width, int height) {
    const std::string path = dir.File("picture." + type);
    DecodedImage image = ImageOf(width, height, {});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixels.push_back(TestPixel(x, y));
    if (type == "bmp") {
        WriteBytes(path, EncodeBmp24(image));
    } else if (type == "jpg" || type == "jpeg") {
        WriteBytes(path, publish::EncodeJpeg(image, 90));
    } else if (type == "gif") {
        // A 64-colour palette indexed by position is enough to tell the cells apart.
        std::vector<std::uint32_t> palette;
        for (int i = 0; i < 64; ++i)
            palette.push_back(static_cast<std::uint32_t>(i * 4) << 16 | 0x4080);
        GifFrameSpec frame;
        frame.width = width;
        frame.height = height;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                frame.indices.push_back(static_cast<std::uint8_t>((x / 4 + y) % 64));
        MakeGif(path, width, height, palette, {frame});
    } else if (type == "ico") {
        IcoImageSpec icon;
        icon.width = width;
        icon.height = height;
        icon.bitsPerPixel = 24;
        icon.pixels = image.pixels;
        WriteBytes(path, MakeIco({icon}));
    } else if (type == "pcx") {
        PcxLayout pcx;
        pcx.width = width;
        pcx.height = height;
        pcx.bitsPerPixel = 8;
        pcx.planes = 3;
        pcx.bytesPerLine = width + (width % 2);
        for (int y = 0; y < height; ++y)
            for (int plane = 0; plane < 3; ++plane)
                for (int x = 0; x < pcx.bytesPerLine; ++x)
                    pcx.planeBytes.push_back(
                        static_cast<std::uint8_t>(x < width ? TestPixel(x, y) >> (16 - 8 * plane) : 0));
        WriteBytes(path, MakePcx(pcx));
    }
    return path;
}

publish::PublishRequest PublishRequestFor(const std::string& program, const std::string& picture,
                                          const std::string& cut, const std::string& output) {
    publish::PublishRequest r;
    r.gameProgram = program;
    r.picturePath = picture;
    r.cutName = cut;
    r.title = "Test Puzzle";
    r.output = output;
    return r;
}

std::string MakeProgram(const TempDir& dir, std::size_t size) {
    static int counter = 0;
    const std::string path = dir.File("game" + std::to_string(counter++));
    Bytes program(size);
    for (std::size_t i = 0; i < size; ++i)
        program[i] = static_cast<std::uint8_t>(i * 13 % 61);
    WriteBytes(path, program);
    return path;
}

std::string Readback::EntryFile(const std::string& name) {
    const std::string path = dir.File("entry" + std::to_string(counter++));
    return pack.ExtractEntry(name, path) ? path : std::string();
}

Bytes Readback::Entry(const std::string& name) {
    std::string path = EntryFile(name);
    return path.empty() ? Bytes() : ReadBytes(path);
}

void UseSets(publish::HeadlessGame& game, const publish::CutInfo& cut,
             const std::vector<publish::SideSet>& sets) {
    CSideList& sideList = game.sideList;
    sideList.Clear();
    for (std::size_t set = 0; set < sets.size(); ++set) {
        for (int slot = 0; slot < 8; ++slot) {
            auto shape =
                std::make_unique<CSideShape>(static_cast<std::int32_t>(set), slot, sets[set].partner[slot]);
            shape->width = shape->height = cut.cellSize;
            shape->map = sets[set].maps[slot].grey;
            sideList.shapes.push_back(std::move(shape));
        }
    }
    sideList.setCount = static_cast<std::int32_t>(sets.size());
    cellSize = cut.cellSize;
}

void CutGrid(publish::HeadlessGame& game, CPuzzle& puzzle, int cols, int rows, std::uint32_t seed) {
    delete puzzle.pictureSurface;
    puzzle.pictureSurface = nullptr;
    game.display.NewSurface(&puzzle.pictureSurface, cols * cellSize, rows * cellSize, false);
    puzzle.pictureSurface->Fill(0x336699, false);
    PrepareGrid(&puzzle);
    GameSeed(seed);
    RunCuttingPass(&puzzle);
}
