#pragma once
// The board the pieces lie on: a square this many pixels wide, its origin at the top left.
inline constexpr int kBoardSize = 5000;
inline constexpr int kBoardCentre = kBoardSize / 2;
