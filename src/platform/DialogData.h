#pragma once
// What the game hands to the platform's dialogs and gets back from them. The dialogs only
// show and edit these values; every rule about them stays in the core.
#include <string>

struct OptionsDialogData {
    // In: current preferences; out: what the player chose (valid when the dialog returns IDOK).
    int soundeffects = 1;
    int shadow = 1;
    int beveling = 1;
    int bevellevel = 1; // 0 low, 1 medium, 2 high
    int userotation = 0;
    int useMusic = 1;
    int showMode = 0; // preview window: 0 scroll the image, 1 resize it
};
