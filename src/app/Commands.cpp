#include "app/Commands.h"

const std::vector<MenuEntry>& MainMenuLayout() {
    static const std::vector<MenuEntry> layout = {
        {0, "&File", 0, true},
        {ID_FILE_RESETJIGSAW, "&Reset jigsaw\tCtrl+R", 'R', false},
        {ID_FILE_SAVEPOSITION, "&Save Position\tCtrl+S", 'S', false},
        {ID_FILE_LOADPOSITION, "&Load position\tCtrl+L", 'L', false},
        {-1, "", 0, false},
        {ID_FILE_EXIT, "E&xit", 0, false},
        {0, "&Options", 0, true},
        {ID_OPTIONS_PREFERENCES, "Preferences...\tCtrl+P", 'P', false},
        {-1, "", 0, false},
        {ID_OPTIONS_PREVIEW, "&Show preview window\tCtrl+F", 'F', false},
        {-1, "", 0, false},
        {ID_OPTIONS_AUTOARRANGE, "&Auto arrange pieces\tCtrl+A", 'A', false},
        {ID_OPTIONS_BACKGROUND, "&Change background Color\tCtrl+C", 'C', false},
        {0, "&Clock", 0, true},
        {ID_CLOCK_RESET, "&Reset clock", 0, false},
        {ID_CLOCK_PAUSE, "Pause clock", 0, false},
        {0, "&Help", 0, true},
        {ID_HELP_ABOUT, "&About...", 0, false},
    };
    return layout;
}
