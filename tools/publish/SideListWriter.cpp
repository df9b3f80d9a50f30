#include "SideListWriter.h"

#include "imaging/BmpCodec.h"

namespace publish {

std::string SideListWriter::BitmapName(int set, int slot) {
    return "side" + std::to_string(set) + "_" + std::to_string(slot) + ".bmp";
}

std::vector<std::uint8_t> SideListWriter::EncodeMap(const SideMap& map) {
    DecodedImage image;
    image.width = image.height = map.size;
    image.pixels.reserve(map.grey.size());
    for (std::uint8_t g : map.grey)
        image.pixels.push_back((std::uint32_t{g} << 16) | (std::uint32_t{g} << 8) | g);
    return EncodeBmp24(image);
}

SideListFiles SideListWriter::Write(const CutInfo& cut, const std::vector<SideSet>& sets) {
    SideListFiles files;
    // Plain line feeds: the game reads the list in text mode, which takes them everywhere.
    files.text = std::string("Pictorra Vaze sides: ") + cut.name + "\n";
    files.text += std::to_string(cut.cellSize) + "\n";
    for (std::size_t set = 0; set < sets.size(); ++set) {
        files.text += std::to_string(set) + "\n";
        for (int slot = 0; slot < 8; ++slot) {
            std::string name = BitmapName(static_cast<int>(set), slot);
            files.text += name + "\n" + std::to_string(sets[set].partner[slot]) + "\n";
            files.bitmaps.push_back({name, EncodeMap(sets[set].maps[slot])});
        }
    }
    return files;
}

} // namespace publish
