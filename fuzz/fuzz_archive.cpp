// Feeds arbitrary bytes to the puzzle archive reader: opens it, reads the options the way
// a load does and extracts every entry.
#include "FuzzTempFile.h"
#include "pack/CPuzzleArchive.h"
#include "pack/PuzzleOptionsReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string archivePath = FuzzTempPath("archive");
    static const std::string outPath = FuzzTempPath("archive-out");
    if (!FuzzWriteFile(archivePath, data, size)) return 0;
    CPuzzleArchive archive;
    if (!archive.Open(archivePath)) return 0;
    if (CArchiveEntry* options = archive.FindEntry("options")) {
        PuzzleOptions parsed;
        (void)ReadPuzzleOptions(*options, parsed, false);
    }
    for (const auto& entry : archive.entries) {
        if (entry->end < entry->start || entry->end > size) __builtin_trap();
        if (!entry->OpenStream()) continue;
        (void)entry->ExtractTo(outPath);
        entry->CloseStream();
    }
    return 0;
}
