#include "cutting/CSideList.h"

#include "app/Log.h"
#include "cutting/TextModeReader.h"
#include "platform/FileAccess.h"

#include <cstdint>
#include <vector>

namespace {
// A real side list is a few hundred bytes; anything far beyond is not one.
constexpr std::size_t kMaxSideListBytes = 1u << 20;

} // namespace

void CSideList::Clear() {
    shapes.clear();
    setCount = 0;
    cellSize = 0;
}

CSideShape* CSideList::FindShape(std::int32_t set, std::int32_t slot) const {
    for (const auto& shape : shapes)
        if (shape->setNumber == set && shape->slot == slot) return shape.get();
    return nullptr;
}

bool CSideList::Load(const Source& source, const std::string& cutName) {
    const std::string listFile = source.workFolder + "temp";
    if (!source.extract || !source.extract("piecedefs", listFile)) return false;
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(listFile, kMaxSideListBytes, bytes, nullptr)) {
        LogWrite(0, "Failed to load side list: %s\n", cutName.c_str());
        return false;
    }
    ReadList(std::string(bytes.begin(), bytes.end()), source);
    return true;
}

void CSideList::ReadList(const std::string& text, const Source& source) {
    Clear();
    TextModeReader reader(text);
    std::string line;
    if (!reader.ReadLine(&line)) return; // title, not interpreted
    if (!reader.ReadLine(&line)) return;
    cellSize = ParseLeadingInt(line);

    bool ended = false;
    while (!ended && reader.ReadLine(&line)) {
        ++setCount;
        ReadSet(reader, ParseLeadingInt(line), source, &ended);
    }
}

void CSideList::ReadSet(TextModeReader& reader, std::int32_t setNumber, const Source& source, bool* ended) {
    const std::string scratchBitmap = source.workFolder + "temp3";
    std::string entryName, partnerLine;
    for (std::int32_t slot = 0; slot < 8; ++slot) {
        // A list cut off inside a set keeps the shapes read so far.
        if (!reader.ReadLine(&entryName) || !reader.ReadLine(&partnerLine)) {
            *ended = true;
            return;
        }
        if (!entryName.empty() && entryName.back() == '\n') entryName.pop_back();

        // The old bitmap goes first, so a shape whose entry is missing gets no map
        // rather than the previous shape's.
        std::remove(scratchBitmap.c_str());
        if (source.extract) source.extract(entryName, scratchBitmap);

        auto shape = std::make_unique<CSideShape>(setNumber, slot, ParseLeadingInt(partnerLine));
        shape->LoadMap(source.display, scratchBitmap);
        shapes.push_back(std::move(shape));
    }
}
