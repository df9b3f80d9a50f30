// Feeds arbitrary bytes to the pack reader as the program file, scanning from its start,
// and extracts every entry it lists.
#include "FuzzTempFile.h"
#include "pack/CPackFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string packPath = FuzzTempPath("pack");
    static const std::string outPath = FuzzTempPath("pack-out");
    if (!FuzzWriteFile(packPath, data, size)) return 0;
    CPackFile pack;
    // The game scans from 200000; from 0 the fuzzer reaches the directory at once.
    if (!pack.OpenPackFile(packPath, 0)) return 0;
    if (pack.directory.size() > size) __builtin_trap(); // every entry takes bytes
    for (const CPackEntry& entry : pack.directory) {
        if (entry.name.size() > 255) __builtin_trap();
        if (pack.ExtractEntry(entry.name, outPath)) {
            std::error_code ec;
            auto written = std::filesystem::file_size(outPath, ec);
            if (!ec && written > size) __builtin_trap();
        }
    }
    return 0;
}
