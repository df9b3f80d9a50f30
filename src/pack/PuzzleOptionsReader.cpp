#include "pack/PuzzleOptionsReader.h"

#include "cutting/CutTable.h"
#include "cutting/TextModeReader.h"
#include "imaging/PictureFormat.h"
#include "pack/CArchiveEntry.h"
#include "pack/LineReader.h"

#include <cstring>

namespace {

// Reads the fourteen lines through `readLine(buffer, size)`.
template <class ReadLine>
bool ParseLines(ReadLine&& readLine, PuzzleOptions& options, bool restoringPosition) {
    char line[kOptionsLineBuffer];
    readLine(line, kOptionsLineBuffer);
    PictureFormat format = PictureFormatFromName(line);
    if (format == PictureUnknown) return false;
    options.pictureFormat = format;

    readLine(line, kOptionsLineBuffer);
    // A saved position brings its own cut name.
    if (!restoringPosition) options.cutName = line;
    readLine(line, kOptionsLineBuffer);
    options.title = line;
    readLine(line, kOptionsLineBuffer);
    options.completionText = line;
    readLine(line, kOptionsLineBuffer);
    options.ghostPermission = ParseLeadingInt(line);
    readLine(line, kOptionsLineBuffer);
    options.previewPermission = ParseLeadingInt(line);
    readLine(line, kOptionsLineBuffer); // line 7: not used
    readLine(line, kOptionsLineBuffer);
    options.targetHours = ParseLeadingInt(line);
    readLine(line, kOptionsLineBuffer);
    options.targetMinutes = ParseLeadingInt(line);
    for (int unused = 10; unused <= 13; ++unused)
        readLine(line, kOptionsLineBuffer);
    char lastLine[kOptionsLastLineBuffer];
    readLine(lastLine, kOptionsLastLineBuffer);
    return true;
}

} // namespace

bool ReadPuzzleOptions(CArchiveEntry& entry, PuzzleOptions& options, bool restoringPosition) {
    if (!entry.OpenStream()) return false;
    bool ok = ParseLines([&entry](char* buffer, int size) { return entry.ReadLine(buffer, size); }, options,
                         restoringPosition);
    entry.CloseStream();
    return ok;
}

bool ParsePuzzleOptions(const std::uint8_t* data, std::size_t size, PuzzleOptions& options,
                        bool restoringPosition) {
    std::size_t next = 0;
    auto nextByte = [&]() -> int { return next < size ? data[next++] : -1; };
    return ParseLines(
        [&](char* buffer, int bufferSize) { return ReadLineWith(nextByte, buffer, bufferSize); }, options,
        restoringPosition);
}

bool CutFromName(const std::string& cutName, std::int32_t& style, std::int32_t& size) {
    const CutTableRow* row = CutByName(cutName);
    if (!row) return false;
    style = row->style;
    size = row->cellSize;
    return true;
}

void ApplyCutName(const std::string& cutName, std::int32_t& cutStyle, std::int32_t& cellSizeValue) {
    std::int32_t style = 0, size = 0;
    if (CutFromName(cutName, style, size)) {
        cutStyle = style;
        cellSizeValue = size;
    }
}
