// The side list text: any bytes must parse without reading or writing out of bounds.
#include "cutting/CSideList.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A folder of its own, never created: the old bitmap removed before each shape is not there.
    static const std::string folder =
        (std::filesystem::temp_directory_path() / "pictorra-fuzz-sidelist" / "").string();
    CSideList list;
    // Entries cannot be extracted and there is no display: every shape stays empty.
    CSideList::Source source;
    source.extract = [](const std::string&, const std::string&) { return false; };
    source.workFolder = folder;
    list.ReadList(std::string(reinterpret_cast<const char*>(data), size), source);
    for (const auto& shape : list.shapes)
        if (!shape->map.empty() || list.FindShape(shape->setNumber, shape->slot) == nullptr) __builtin_trap();
    if (list.setCount < 0) __builtin_trap();
    return 0;
}
