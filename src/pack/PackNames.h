#pragma once
// Names the pack's users derive from the program's own path.
#include <string>

// The file name without its folder and without its last extension:
// "C:\\Games\\My.Puzzle.exe" and "/opt/My.Puzzle.exe" both give "My.Puzzle".
std::string BareProgramName(const std::string& programPath);
