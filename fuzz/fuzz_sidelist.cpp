// The side list text: any bytes must parse without reading or writing out of bounds.
#include "app/Globals.h"
#include "cutting/CSideList.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string scratch =
        (std::filesystem::temp_directory_path() / "pictorra-fuzz-sidelist-temp3").string();
    CSideList list;
    // Entries cannot be extracted and there is no display: every shape stays empty.
    list.extractEntry = [](const std::string&, const std::string&) { return false; };
    list.ReadList(std::string(reinterpret_cast<const char*>(data), size), scratch);
    for (const auto& shape : list.shapes)
        if (!shape->map.empty() || list.FindShape(shape->setNumber, shape->slot) == nullptr) __builtin_trap();
    if (list.setCount < 0) __builtin_trap();
    cellSize = 32;
    return 0;
}
