#pragma once
// The game's own objects handed to cutting. These are the only places a load reads the
// process-wide display, side list, mask cache, cell size and random generator for it.
#include "cutting/CutContext.h"

#include <cstdint>
#include <string>

// A context over the game's objects as they are now.
CutContext GameCutContext();

// Reads the game's side list from the program's pack, its bitmaps in the display's layout.
// A usable cell size in the list replaces `cellSize`; anything else leaves it as it was.
// False when the list cannot be read; `cutName` only names the failure in the log.
bool LoadGameSideList(const std::string& cutName, std::int32_t* cellSize);
