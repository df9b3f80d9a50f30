#pragma once
// CPuzzle::LoadPuzzleArchive (declared in play/CPuzzle.h) lives in PuzzleArchiveLoader.cpp.
// The names of the temporary files it leaves behind:
inline constexpr const char* kPictureTempName = "pic";
inline constexpr const char* kPictureBitmapName = "puzzle1.bmp";
