// Starting a cut or a rebuild of the pieces and stopping the workers doing it.
#include "play/CPuzzle.h"

#include "app/CMainApp.h"
#include "app/Globals.h"
#include "cutting/PieceGrid.h"
#include "display/CSurface.h"
#include "pack/GameCutContext.h"
#include "pack/Loader.h"
#include "preview/CPreviewWnd.h"

#include <utility>

namespace {
// New pieces are scattered over this much more room than the picture takes.
constexpr double kScatterScale = 1.7;
} // namespace

bool CPuzzle::StartCutting(const std::string& picturePath, bool keepPreview, const DecodedImage* decoded) {
    // One load at a time: the pieces belong to the running loader.
    if (loaderBusy) return false;
    currentPicturePath = picturePath;

    // The reload has already moved pure white off the picture; only the grid is left.
    if (!ReloadPictureSurface(this, decoded)) return false;
    CutContext context = GameCutContext();
    ComputeGrid(pictureSurface->Width(), pictureSurface->Height(), context.cellSize, &cols, &rows);
    LoadSelectorSurface(this);

    const int pictureW = pictureSurface->Width();
    const int pictureH = pictureSurface->Height();
    SetScatterArea(static_cast<int>(pictureW * kScatterScale), static_cast<int>(pictureH * kScatterScale),
                   true);
    if (!keepPreview && g_mainApp && g_mainApp->previewWnd)
        g_mainApp->previewWnd->SetPicture(picturePath, pictureW, pictureH, decoded);

    ClearPieces();
    StartLoader(this, 0, std::move(context));
    positionChanged = 0;
    return true;
}

void CPuzzle::RebuildPieceImages() {
    if (loaderBusy) return;
    StartLoader(this, 1, GameCutContext());
}

void CPuzzle::StopWorkers() {
    stopRequested = true;
    // The loader joins the progress thread itself before it ends.
    if (loaderThread.joinable()) loaderThread.join();
    if (progressThread.joinable()) progressThread.join();
    stopRequested = false;
    loaderBusy = false;
}
