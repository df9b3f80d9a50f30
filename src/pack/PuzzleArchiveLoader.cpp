#include "pack/PuzzleArchiveLoader.h"

#include "app/CMainApp.h"
#include "app/Globals.h"
#include "app/Log.h"
#include "app/StatusBarText.h"
#include "clock/CGameClock.h"
#include "cutting/CutTable.h"
#include "imaging/PictureConverter.h"
#include "pack/CPackFile.h"
#include "pack/CPuzzleArchive.h"
#include "pack/GameCutContext.h"
#include "pack/PuzzleOptionsReader.h"
#include "play/CPuzzle.h"
#include "preview/CPreviewWnd.h"

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

// The picture, as stored, into the temporary directory, then decoded into the bitmap the
// pieces are cut from. Returns the bitmap's path; a picture that does not decode leaves no
// bitmap there, which the cutting step reports.
std::string ExtractPicture(CArchiveEntry& picture, PictureFormat format) {
    const std::string directory = PackTempDirectory();
    const std::string picturePath = directory + kPictureTempName;
    if (picture.OpenStream()) {
        picture.ExtractTo(picturePath);
        picture.CloseStream();
    }
    const std::string bitmapPath = directory + kPictureBitmapName;
    ConvertPictureToBitmap(picturePath, format, bitmapPath);
    return bitmapPath;
}

} // namespace

bool LoadPuzzleArchive(CPuzzle& puzzle, const std::string& path) {
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

    const std::string bitmapPath =
        ExtractPicture(*picture, static_cast<PictureFormat>(puzzle.options.pictureFormat));
    puzzle.StartCutting(bitmapPath, samePath);
    if (g_mainApp && g_mainApp->previewWnd) g_mainApp->previewWnd->ApplyShowMode();
    SetPuzzleTitle();
    return true;
}
