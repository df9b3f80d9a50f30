#include "pack/PuzzleArchiveLoader.h"

#include "app/CMainApp.h"
#include "app/Globals.h"
#include "app/Log.h"
#include "app/StatusBarText.h"
#include "clock/CGameClock.h"
#include "cutting/CutTable.h"
#include "cutting/PuzzleLimits.h"
#include "imaging/PictureConverter.h"
#include "imaging/PictureSize.h"
#include "pack/CPackFile.h"
#include "pack/CPuzzleArchive.h"
#include "pack/GameCutContext.h"
#include "pack/Loader.h"
#include "pack/PuzzleOptionsReader.h"
#include "platform/FileAccess.h"
#include "platform/Platform.h"
#include "play/CPuzzle.h"
#include "preview/CPreviewWnd.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <vector>

namespace {

// The archive's options into the puzzle. The author may forbid the ghosted preview.
bool ReadOptions(CPuzzle& puzzle, CPuzzleArchive& archive, const std::string& path) {
    CArchiveEntry* entry = archive.FindEntry("options");
    if (!entry) {
        LogWrite(0, "Failed to load options from archive: %s", path.c_str());
        return false;
    }
    if (!ReadPuzzleOptions(*entry, puzzle.options, puzzle.restoringPosition != 0)) return false;
    puzzle.completionText = puzzle.options.completionText;
    if ((puzzle.options.ghostPermission == 0 || puzzle.options.previewPermission == 0) && g_mainApp)
        g_mainApp->ghosted = 0;
    return true;
}

// The cell size and cut style the pieces are cut with. The side list sets a fallback cell
// size and the cut name the final one; without either the grid would divide by zero, and a
// side list's absurd cell size would make every piece buffer enormous.
bool ChooseCut(CPuzzle& puzzle, const std::string& path) {
    LoadGameSideList(puzzle.options.cutName, &cellSize);
    ApplyCutName(puzzle.options.cutName, puzzle.cutStyle, cellSize);
    if (IsUsableCellSize(cellSize)) return true;
    LogWrite(0, "Failed to load archive: %s", path.c_str());
    return false;
}

// The picture entry's bytes, also kept as stored in this copy's folder. Empty when the entry
// cannot be read.
std::vector<std::uint8_t> ExtractPicture(CArchiveEntry& picture) {
    std::vector<std::uint8_t> bytes;
    if (!picture.OpenStream()) return bytes;
    if (!picture.ReadAll(bytes)) bytes.clear();
    picture.CloseStream();
    const std::string picturePath = PackTempDirectory() + kPictureTempName;
    FilePtr out(std::fopen(picturePath.c_str(), "wb"));
    if (out) std::fwrite(bytes.data(), 1, bytes.size(), out.get());
    return bytes;
}

// True, with the player told the size, when the picture is larger than the game can cut
// into pieces at the chosen cell size. Rotation counts as on: it can be switched on later
// without a new load.
bool RefuseOversized(std::int64_t width, std::int64_t height) {
    if (!IsUsableCellSize(cellSize)) return false;
    const std::string refusal =
        PuzzleSizeRefusal(std::max<std::int64_t>(width, 0) / cellSize,
                          std::max<std::int64_t>(height, 0) / cellSize, cellSize, true);
    if (refusal.empty()) return false;
    LogWrite(0, "Puzzle refused: %s", refusal.c_str());
    if (IPlatform* platform = Platform()) platform->MessageBox(refusal, "Puzzle too large", MB_OK | MB_ICONERROR);
    return true;
}

bool LoadArchiveSteps(CPuzzle& puzzle, const std::string& path) {
    // Without this copy's folder every file below would land wherever the game was started.
    if (PackTempDirectory().empty()) return false;
    // Never while the loader thread still works on the pieces.
    if (puzzle.loaderBusy) return false;
    // Loading the same archive again keeps the preview's picture.
    const bool samePath = path == puzzle.archivePath;
    puzzle.archivePath = path;
    // A saved position brings its own clock.
    if (!puzzle.restoringPosition && g_clock) g_clock->seconds = 0;
    puzzle.positionChanged = 0;

    CPuzzleArchive archive;
    if (!archive.Open(path)) {
        LogWrite(0, "Failed to load archive: %s", path.c_str());
        return false;
    }
    if (!ReadOptions(puzzle, archive, path)) return false;
    CArchiveEntry* picture = archive.FindEntry("picture");
    if (!picture) {
        LogWrite(0, "Failed to load picture from archive: %s", path.c_str());
        return false;
    }
    if (!ChooseCut(puzzle, path)) return false;

    // The size is checked from the header before anything is decoded, and again on the
    // decoded picture (icons only show their size decoded).
    const auto format = static_cast<PictureFormat>(puzzle.options.pictureFormat);
    const std::vector<std::uint8_t> stored = ExtractPicture(*picture);
    PictureSize size;
    if (ReadPictureSize(stored.data(), stored.size(), format, size) && RefuseOversized(size.width, size.height))
        return false;
    // The bitmap file stays as the picture's lasting copy; the pieces are cut from the
    // decoded pixels without reading it back. A picture that does not convert leaves no
    // bitmap, which the cutting step reports.
    const std::string bitmapPath = PackTempDirectory() + kPictureBitmapName;
    DecodedImage decoded;
    ConvertPictureToBitmap(stored.data(), stored.size(), format, bitmapPath, decoded);
    if (RefuseOversized(decoded.width, decoded.height)) return false;
    puzzle.StartCutting(bitmapPath, samePath, decoded.Empty() ? nullptr : &decoded);
    if (g_mainApp && g_mainApp->previewWnd) g_mainApp->previewWnd->ApplyShowMode();
    SetPuzzleTitle();
    return true;
}

} // namespace

bool LoadPuzzleArchive(CPuzzle& puzzle, const std::string& path) {
    // Running out of memory ends this load, never the game.
    try {
        return LoadArchiveSteps(puzzle, path);
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(path);
        return false;
    }
}
