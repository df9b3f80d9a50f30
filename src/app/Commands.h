#pragma once
// Menu commands, private messages and the menu layout the front end builds.
#include "platform/WinTypes.h"

#include <vector>

constexpr int ID_FILE_EXIT = 40001;
constexpr int ID_FILE_SAVEPOSITION = 40002;
constexpr int ID_FILE_LOADPOSITION = 40003;
constexpr int ID_FILE_RESETJIGSAW = 40006;
constexpr int ID_OPTIONS_PREVIEW = 40007;
constexpr int ID_CLOCK_RESET = 40009;
constexpr int ID_CLOCK_PAUSE = 40010;
constexpr int ID_OPTIONS_PREFERENCES = 40011;
constexpr int ID_OPTIONS_AUTOARRANGE = 40012;
constexpr int ID_OPTIONS_BACKGROUND = 40013;
constexpr int ID_HELP_ABOUT = 40014;
constexpr int ID_PRODUCT_PAGE = 40015;

// Progress of a load (wParam = percent) and the loader's end (wParam 0 cut, 1 rebuild).
constexpr UINT WM_LOADPROGRESS = WM_USER + 1;
constexpr UINT WM_LOADERDONE = WM_USER + 2;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;

// One entry of the main menu: a popup title (commandId 0, children follow until the next
// popup), an item, or a separator (commandId -1). `accelKey` is the letter that with Ctrl
// sends the command, or 0.
struct MenuEntry {
    int commandId;
    const char* text;
    char accelKey;
    bool popup;
};

const std::vector<MenuEntry>& MainMenuLayout();
