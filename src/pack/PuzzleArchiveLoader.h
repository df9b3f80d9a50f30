#pragma once
// Loading a puzzle archive: its options, its cut and its picture, then the cutting step.
#include <string>

class CPuzzle;

// The names of the temporary files a load leaves behind:
inline constexpr const char* kPictureTempName = "pic";
inline constexpr const char* kPictureBitmapName = "puzzle1.bmp";
// Reads the archive at `path` into `puzzle` and starts cutting its picture. False, with the
// reason logged, when the archive cannot be used; the previous puzzle then stays. A picture
// that cannot be decoded is logged by the cutting step and still counts as loaded.
bool LoadPuzzleArchive(CPuzzle& puzzle, const std::string& path);
