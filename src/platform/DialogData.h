#pragma once
// What the game hands to the platform's dialogs and gets back from them. The dialogs only
// show and edit these values; every rule about them stays in the core.
#include <string>

// The options dialog's buttons, numbered as the game's dialog numbers its controls.
enum OptionsControl {
    kScrollImage = 1000, // radio, first of its group
    kResizeImage = 1001,
    kBevelEdges = 1002,   // check box
    kSoundEffects = 1004, // check box
    kRotation = 1005,     // check box
    kShadows = 1006,      // check box
    kBevelLow = 1007,     // radio, first of its group
    kBevelMedium = 1008,
    kBevelHigh = 1009,
    kMusic = 1010, // check box
};

struct OptionsDialogData {
    static constexpr int kFirstControl = kScrollImage;
    static constexpr int kLastControl = kMusic;
    // In: how each button shows as the dialog opens; out: how the player left them (valid
    // when the dialog returns IDOK). Ids outside the dialog read as cleared.
    bool Checked(int id) const { return Has(id) && checked[id - kFirstControl]; }
    void SetChecked(int id, bool on) {
        if (Has(id)) checked[id - kFirstControl] = on;
    }
    static bool Has(int id) { return id >= kFirstControl && id <= kLastControl; }

    bool checked[kLastControl - kFirstControl + 1] = {};
};
