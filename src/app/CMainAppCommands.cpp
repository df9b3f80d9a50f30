// The commands that belong to no other object: leaving, reset, the preview refusal,
// the background colour, the product page and the About box.
#include "app/CMainApp.h"
#include "app/Globals.h"
#include "app/WndProc.h"
#include "clock/CGameClock.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/Preferences.h"
#include "pack/CProOptions.h"
#include "pack/Loader.h"
#include "platform/Platform.h"
#include "play/CPuzzle.h"
#include "preview/CPreviewWnd.h"

namespace {
constexpr const char* kProductPage = "https://www.pictorra-vaze.example/jigsaw/";
} // namespace

bool CMainApp::CanLeave() {
    if (PuzzleLoading()) return false;
    return ConfirmSaveBeforeLeaving() != IDCANCEL;
}

int CMainApp::ConfirmSaveBeforeLeaving() {
    if (!g_puzzle || !g_puzzle->positionChanged) return 0;
    // MB_ICONWARNING is the exclamation mark.
    const int answer = Platform()->MessageBox("Would you like to save your current position first?",
                                              "Save position?", MB_YESNOCANCEL | MB_ICONWARNING);
    // A save that failed has told the player why; going on would lose the position.
    if (answer == IDYES && !SavePosition()) return IDCANCEL;
    return answer;
}

void CMainApp::ResetJigsaw() {
    if (!g_puzzle || PuzzleLoading() || g_puzzle->currentPicturePath.empty()) return;
    if (ConfirmSaveBeforeLeaving() == IDCANCEL) return;
    RecutPuzzle();
    if (g_clock) g_clock->seconds = 0;
    Render();
}

void CMainApp::PreviewCommand() {
    if (PuzzleLoading() || !g_puzzle) return;
    if (g_proOptions && g_proOptions->extras.previewForbidden) {
        Platform()->MessageBox("The puzzle author has disabled this option.", "Option disabled", MB_OK);
    } else if (g_puzzle->options.previewPermission) {
        if (previewWnd) previewWnd->Toggle();
    } else {
        Platform()->MessageBox("The puzzle author has disabled this option", "Sorry", MB_OK);
    }
}

void CMainApp::ChooseBackgroundColour() {
    if (PuzzleLoading()) return;
    COLORREF chosen = backgroundColour;
    if (!Platform()->ChooseColour(backgroundColour, chosen)) return;
    backgroundColour = chosen;
    UpdateBackgroundColour();
    Render();
}

void CMainApp::OpenProductPage() {
    Platform()->OpenUrl(kProductPage);
}

void CMainApp::ShowPreferences() {
    if (!g_puzzle || PuzzleLoading()) return;
    CPuzzle* puzzle = g_puzzle;
    const PieceWork work{[] { RecutPuzzle(); }, [puzzle] { puzzle->RebuildPieceImages(); }};
    if (ShowOptionsDialog(*Platform(), *puzzle, previewWnd, work)) Render();
}

// The About box shows the author's text and link when the pack carries them.
void CMainApp::ShowAbout() {
    IPlatform* platform = Platform();
    if (!platform) return;
    AboutDialogData data = MakeAboutDialogData(g_proOptions, *platform);
    platform->RunAboutDialog(data);
}
