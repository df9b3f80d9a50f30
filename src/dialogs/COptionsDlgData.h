#pragma once
// The preferences the options dialog edits, and how they map onto its buttons.
#include "platform/DialogData.h"

#include <cstdint>

struct COptionsDlgData {
    std::int32_t previewMode = 1; // 0 scroll the image, 1 resize it
    std::int32_t soundEffects = 1;
    std::int32_t rotation = 0;
    std::int32_t shadows = 1;
    std::int32_t bevel = 1;
    std::int32_t music = 1;
    std::int32_t bevelAmount = 1; // 0 low, 1 medium, 2 high

    // Sets the buttons as the dialog opens; an amount it does not know shows as Low.
    void FillControls(OptionsDialogData& controls) const;
    // Reads the buttons back after OK; a group with nothing checked reads as its first choice.
    void ReadControls(const OptionsDialogData& controls);
};
