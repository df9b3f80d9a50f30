// Feeds arbitrary bytes to the position-file reader: header and body checks, record bounds.
#include "position/CPositionFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CPositionFile file;
    if (!file.Parse(data, size)) {
        if (!file.pieces.empty() || !file.groups.empty()) __builtin_trap();
        return 0;
    }
    // Whatever was kept fits the grid it was read against.
    const auto columns = static_cast<std::size_t>(file.columns);
    for (std::size_t i = 0; i < file.pieces.size(); ++i) {
        const SavedPieceRecord& record = file.pieces[i];
        if (record.row < 0 || record.col < 0 || static_cast<std::size_t>(record.row) * columns + record.col != i)
            __builtin_trap();
        for (const auto& side : record.sides)
            if (side[0] < -2 || side[1] < -1 || side[1] > 7) __builtin_trap();
    }
    for (const SavedGroupRecord& group : file.groups) {
        if (group.cells.empty()) __builtin_trap();
        for (const auto& [col, row] : group.cells)
            if (col < 0 || row < 0 || static_cast<std::size_t>(col) >= columns ||
                static_cast<std::size_t>(row) * columns + col >= file.pieces.size())
                __builtin_trap();
    }
    return 0;
}
