#pragma once
// "Thanks for playing!": the author's information page, shown once as the game closes, at the
// size the author chose and where the player can reach its Close button.
#include "platform/DialogData.h"
#include "platform/Platform.h"

#include <cstdint>
#include <string>

struct AuthorExtras;

// The dialog's own size, used to centre it before the author's size applies.
inline constexpr int kClosingStandardWidth = 352;
inline constexpr int kClosingStandardHeight = 283;
// Below this the page and the Close button no longer fit.
inline constexpr int kClosingMinWidth = 160;
inline constexpr int kClosingMinHeight = 120;
// A page larger than this is not shown; an information page is a few kilobytes.
inline constexpr std::uintmax_t kMaxInfoPageBytes = 4u << 20;

// Centres the dialog at its standard size over the owner (when shown and not minimised) or
// else the work area, moves it inside the work area (left and top edges win), then gives it
// the author's size from that corner. An author's size is held between the minimum and the
// work area (a missing one, 0 or less, keeps the standard size), and a dialog grown past the
// work area's right or bottom edge is moved back inside, so Close always stays reachable.
void PlaceClosingDialog(ClosingDialogData& data, int authorWidth, int authorHeight,
                        const OwnerWindow& owner, const RECT& workArea);

// The whole dialog for these extras: placed over the platform's active window, showing
// `pagePath` (left out when it is no file or too large), links opened through the platform.
ClosingDialogData MakeClosingDialogData(const AuthorExtras& extras, const std::string& pagePath,
                                        IPlatform& platform);
