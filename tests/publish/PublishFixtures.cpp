#include "PublishFixtures.h"

#include "JpegWriter.h"
#include "app/Random.h"
#include "cutting/PieceGrid.h"
#include "imaging/BmpCodec.h"
#include "pack/Loader.h"

std::string MakePicture(const TempDir& dir, const std::string& type, int width, int height) {
    const std::string path = dir.File("picture." + type);
    const DecodedImage image = GradientPicture(width, height);
    WriteBytes(path, type == "bmp" ? EncodeBmp24(image) : publish::EncodeJpeg(image, 90));
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

void UseSets(publish::HeadlessCutter& cutter, const publish::CutInfo& cut,
             const std::vector<publish::SideSet>& sets) {
    CSideList& sideList = cutter.sideList;
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
}

void CutGrid(publish::HeadlessCutter& cutter, const publish::CutInfo& cut, CPuzzle& puzzle, int cols,
             int rows, std::uint32_t seed) {
    delete puzzle.pictureSurface;
    puzzle.pictureSurface = nullptr;
    cutter.display.NewSurface(&puzzle.pictureSurface, cols * cut.cellSize, rows * cut.cellSize, false);
    puzzle.pictureSurface->Fill(0x336699, false);
    PrepareGrid(&puzzle, cut.cellSize);
    GameSeed(seed);
    RunCuttingPass(cutter.Context(cut.cellSize), &puzzle);
}
