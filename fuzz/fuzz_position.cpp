// Feeds arbitrary bytes to the position-file reader. The header's archive path is pointed
// at the input file itself whenever the header is long enough, so most inputs reach the body.
#include "FuzzTempFile.h"
#include "position/CPositionFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = FuzzTempPath("position");
    std::vector<std::uint8_t> bytes(data, data + size);
    if (bytes.size() >= CPositionFile::kHeaderSize && path.size() < CPositionFile::kPathSize) {
        std::fill(bytes.begin() + 68, bytes.begin() + 68 + CPositionFile::kPathSize, 0);
        std::memcpy(bytes.data() + 68, path.data(), path.size());
    }
    if (!FuzzWriteFile(path, bytes.data(), bytes.size())) return 0;

    CPositionFile file;
    std::int32_t rotation = 0;
    std::uint32_t seconds = 0;
    if (file.Read(path, rotation, seconds, nullptr)) {
        // Whatever was kept fits the grid it was read against.
        for (std::size_t i = 0; i < file.pieces.size(); ++i) {
            const SavedPieceRecord& record = file.pieces[i];
            if (record.row * static_cast<std::size_t>(file.columns) + record.col != i) __builtin_trap();
        }
        for (const SavedGroupRecord& group : file.groups) {
            if (group.cells.empty()) __builtin_trap();
            for (const auto& [col, row] : group.cells)
                if (col < 0 || col >= file.columns || static_cast<std::size_t>(row) * file.columns + col >= file.pieces.size())
                    __builtin_trap();
        }
    }
    return 0;
}
