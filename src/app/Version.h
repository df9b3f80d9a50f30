#pragma once
// The version of the game and of its publishing tool: one number, shown by the About box and
// printed by `pictorra-publish --version`.

#define PICTORRA_VERSION_TEXT "1.03"

inline constexpr char kPictorraVersion[] = PICTORRA_VERSION_TEXT;
// The name and version as the About box shows them.
inline constexpr char kPictorraNameAndVersion[] = "Pictorra Vaze v" PICTORRA_VERSION_TEXT;
