#pragma once
// What the status bar and the window title say: clock, piece counts, rotation state,
// puzzle title and load progress.
#include <cstdint>
#include <string>

// The piece-count status fields back to their texts before any puzzle.
void ResetPieceCounts();
// Recounts the groups and shows total, loose and completed counts.
void ShowPieceCounts();
// The one-second clock timer: shows the time, then advances the clock.
void UpdateClock();
// The main window's title for a loaded puzzle.
void SetPuzzleTitle();
// Title while a puzzle is being cut.
void ShowLoadProgress(int percent);

// The texts themselves.
std::string FormatClockText(std::uint32_t seconds);
std::string FormatTotalPieces(int total);
std::string FormatLoosePieces(int loose);
std::string FormatPercentCompleted(float percent);
std::string FormatRotationState(bool enabled);
std::string FormatPuzzleTitle(const std::string& authorTitle, bool hasAuthorTitle,
                              const std::string& puzzleTitle);
std::string FormatLoadProgressTitle(const std::string& puzzleTitle, int percent);

// Status bar parts.
constexpr int kStatusPartClock = 1;
constexpr int kStatusPartTotal = 2;
constexpr int kStatusPartLoose = 3;
constexpr int kStatusPartPercent = 4;
constexpr int kStatusPartRotation = 5;
