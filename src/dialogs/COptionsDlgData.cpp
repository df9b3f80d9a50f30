#include "dialogs/COptionsDlgData.h"

void COptionsDlgData::FillControls(OptionsDialogData& controls) const {
    controls.SetChecked(kRotation, rotation != 0);
    controls.SetChecked(kSoundEffects, soundEffects != 0);
    controls.SetChecked(kShadows, shadows != 0);
    controls.SetChecked(kBevelEdges, bevel != 0);
    controls.SetChecked(kMusic, music != 0);
    for (int id : {kBevelLow, kBevelMedium, kBevelHigh})
        controls.SetChecked(id, false);
    controls.SetChecked(bevelAmount == 1 ? kBevelMedium : bevelAmount == 2 ? kBevelHigh : kBevelLow, true);
    controls.SetChecked(kScrollImage, previewMode == 0);
    controls.SetChecked(kResizeImage, previewMode != 0);
}

void COptionsDlgData::ReadControls(const OptionsDialogData& controls) {
    rotation = controls.Checked(kRotation) ? 1 : 0;
    soundEffects = controls.Checked(kSoundEffects) ? 1 : 0;
    shadows = controls.Checked(kShadows) ? 1 : 0;
    bevel = controls.Checked(kBevelEdges) ? 1 : 0;
    music = controls.Checked(kMusic) ? 1 : 0;
    if (controls.Checked(kBevelLow))
        bevelAmount = 0;
    else if (controls.Checked(kBevelMedium))
        bevelAmount = 1;
    else if (controls.Checked(kBevelHigh))
        bevelAmount = 2;
    else
        bevelAmount = 0;
    previewMode = controls.Checked(kScrollImage) ? 0 : 1;
}
