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

struct AboutDialogData {
    std::string text;      // the author's text
    std::string linkLabel; // caption of the link button; empty hides it
    std::string linkUrl;
};

struct ClosingDialogData {
    std::string pagePath; // the information page shown in the dialog (a local HTML file)
    int width = 0;        // the author's dialog size in pixels; 0 keeps the standard size
    int height = 0;
};
