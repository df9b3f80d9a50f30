#pragma once
// What the game hands to the platform's dialogs and gets back from them. The dialogs only
// show and edit these values; every rule about them stays in the core.
#include <functional>
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

// A control's place in its dialog, in pixels from the client area's top-left corner.
struct DialogRect {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const DialogRect&, const DialogRect&) = default;
};

// The About box as the game lays it out. Hidden parts keep an empty rectangle.
struct AboutDialogData {
    std::string caption;
    int width = 0, height = 0; // client area
    DialogRect icon;           // the game's icon
    std::string nameLine, makerLine;
    DialogRect nameRect, makerRect;
    bool showText = false;
    std::string text; // plain text, never markup
    DialogRect textRect;
    bool showButton = false;
    std::string buttonCaption;
    DialogRect buttonRect;
    DialogRect okRect;
    // What the link button does, on every click; the dialog stays open.
    std::function<void()> onButton;
};

// The closing dialog, placed on the screen by the game.
struct ClosingDialogData {
    std::string caption, closeCaption;
    int x = 0, y = 0;          // top-left corner on the screen
    int width = 0, height = 0; // client area
    DialogRect viewRect;       // the page
    DialogRect closeRect;
    // A local HTML file; empty when there is no page to show.
    std::string pagePath;
    // Called with the address of every link the player clicks in the page; the page itself
    // never follows a link.
    std::function<void(const std::string&)> onLink;
};
