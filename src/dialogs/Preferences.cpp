#include "dialogs/Preferences.h"

#include "dialogs/COptionsDlgData.h"
#include "platform/Platform.h"
#include "play/CPuzzle.h"
#include "preview/CPreviewWnd.h"

#include <string>

namespace {
std::string RotationQuestion(bool enable) {
    return std::string("You have chosen to ") + (enable ? "enable" : "disable") +
           " rotation, to do this the puzzle must be\nreset, which will lose any progress you have made on "
           "this jigsaw.\n\nAre you sure you want to do this?";
}
} // namespace

bool ShowOptionsDialog(IPlatform& platform, CPuzzle& puzzle, CPreviewWnd* preview, const PieceWork& work) {
    const std::int32_t oldBevel = puzzle.beveling;
    const std::int32_t oldAmount = puzzle.bevellevel;

    COptionsDlgData data;
    data.previewMode = preview ? preview->showMode : 1;
    data.soundEffects = puzzle.soundeffects;
    data.rotation = puzzle.userotation;
    data.shadows = puzzle.shadow;
    data.bevel = puzzle.beveling;
    data.music = puzzle.useMusic;
    data.bevelAmount = puzzle.bevellevel;

    OptionsDialogData controls;
    data.FillControls(controls);
    if (platform.RunOptionsDialog(controls) != IDOK) return false;
    data.ReadControls(controls);

    puzzle.soundeffects = data.soundEffects;
    puzzle.shadow = data.shadows;
    if (preview && preview->showMode != data.previewMode) {
        preview->showMode = data.previewMode;
        preview->ApplyShowMode();
    }
    puzzle.beveling = data.bevel;
    puzzle.bevellevel = data.bevelAmount;
    puzzle.useMusic = data.music;

    // Rotation changes how the pieces are cut, so the progress made would be lost.
    bool recut = false;
    if (data.rotation != puzzle.userotation &&
        platform.MessageBox(RotationQuestion(data.rotation != 0), "Are you sure?", MB_YESNO) == IDYES) {
        puzzle.userotation = data.rotation;
        recut = true;
    }

    // Bevelled pieces carry no shadow and flat ones always do, whatever the box said.
    if (puzzle.beveling != oldBevel || puzzle.bevellevel != oldAmount) {
        puzzle.shadow = puzzle.beveling ? 0 : 1;
        if (!recut && work.rebuildImages) work.rebuildImages();
    }
    if (recut && work.recut) work.recut();
    return true;
}
