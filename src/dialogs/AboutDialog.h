#pragma once
// The About box: the game's name and version and, when the puzzle's author gave them, a text
// and a link button. What is shown decides where the rest goes and how tall the box is.
#include "app/Version.h"
#include "platform/DialogData.h"

class CProOptions;
class IPlatform;

inline constexpr const char* kAboutNameLine = kPictorraNameAndVersion;
inline constexpr const char* kAboutMakerLine = "A jigsaw puzzle game";

// The box for `options` (none, or a pack without extras: the game's lines and OK only). Each
// click on the link button opens the author's target through `platform`.
AboutDialogData MakeAboutDialogData(const CProOptions* options, IPlatform& platform);
