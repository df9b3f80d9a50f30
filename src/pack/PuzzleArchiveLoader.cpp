// Loading a puzzle archive: options, cut, picture, then the cutting step.
#include "pack/PuzzleArchiveLoader.h"

#include "app/CMainApp.h"
#include "app/Globals.h"
#include "app/Log.h"
#include "app/StatusBarText.h"
#include "clock/CGameClock.h"
#include "cutting/CSideList.h"
#include "imaging/PictureConverter.h"
#include "pack/CPackFile.h"
#include "pack/CPuzzleArchive.h"
#include "pack/PuzzleOptionsReader.h"
#include "play/CPuzzle.h"
#include "preview/CPreviewWnd.h"

bool CPuzzle::LoadPuzzleArchive(const std::string& path) {
    // 1. Never while the loader thread still works on the pieces.
    if (loaderBusy) return false;

    // 2. Loading the same archive again keeps the preview's picture.
    const bool samePath = path == archivePath;
    archivePath = path;

    // 3. A saved position brings its own clock.
    if (!restoringPosition && g_clock) g_clock->seconds = 0;
    selectionExists = 0;
    positionChanged = 0;

    // 4. to 6. The archive and its options.
    CPuzzleArchive archive;
    if (!archive.Open(path)) {
        LogWrite(0, "Failed to load archive: %s", path.c_str());
        return false;
    }
    CArchiveEntry* optionsEntry = archive.FindEntry("options");
    if (!optionsEntry) {
        LogWrite(0, "Failed to load options from archive: %s", path.c_str());
        return false;
    }
    if (!ReadPuzzleOptions(*optionsEntry, options, restoringPosition != 0)) return false;
    completionText = options.completionText;

    // 7. The author can forbid the ghosted preview.
    if ((options.ghostPermission == 0 || options.previewPermission == 0) && g_mainApp) g_mainApp->ghosted = 0;

    // 8.
    CArchiveEntry* pictureEntry = archive.FindEntry("picture");
    if (!pictureEntry) {
        LogWrite(0, "Failed to load picture from archive: %s", path.c_str());
        return false;
    }

    // 9. The side list sets the fallback cell size; its result does not matter here.
    if (g_sideList) g_sideList->Load(options.cutName);

    // 10. The cut name sets the final cell size. Without a side list and without a known
    // cut there is no cell size at all, and the grid would divide by zero; a side list's
    // absurd cell size would make every piece buffer enormous.
    ApplyCutName(options.cutName, cutStyle, cellSize);
    if (cellSize <= 0 || cellSize > kMaxCellSize) {
        LogWrite(0, "Failed to load archive: %s", path.c_str());
        return false;
    }

    // 11. The picture, as stored, into the temporary directory.
    const std::string tempDirectory = PackTempDirectory();
    const std::string picturePath = tempDirectory + kPictureTempName;
    if (pictureEntry->OpenStream()) {
        pictureEntry->ExtractTo(picturePath);
        pictureEntry->CloseStream();
    }

    // 12. Decode it into the bitmap the pieces are cut from; a failure shows up when the
    // cutting step finds no bitmap.
    const std::string bitmapPath = tempDirectory + kPictureBitmapName;
    ConvertPictureToBitmap(picturePath, static_cast<PictureFormat>(options.pictureFormat), bitmapPath);

    // 13. A picture that cannot be loaded is logged there; the title is set all the same.
    StartCutting(bitmapPath, samePath);

    if (g_mainApp && g_mainApp->previewWnd) g_mainApp->previewWnd->ApplyShowMode();
    SetPuzzleTitle();
    return true;
}
