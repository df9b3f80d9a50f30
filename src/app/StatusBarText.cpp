#include "app/StatusBarText.h"

#include "app/CStatusBar.h"
#include "app/Globals.h"
#include "clock/CGameClock.h"
#include "pack/CProOptions.h"
#include "platform/Platform.h"
#include "play/CPuzzle.h"

#include <cstdio>

namespace {
constexpr std::size_t kTitleBuffer = 1024;
constexpr std::size_t kProgressTitleBuffer = 256;

void SetPart(int part, const std::string& text) {
    if (g_statusBar) g_statusBar->SetText(part, text);
}

// Cuts a composed text to fit a buffer of `size` characters with its terminator, without
// leaving half of a multi-byte character at the end.
std::string FitBuffer(std::string text, std::size_t size) {
    if (text.size() < size) return text;
    std::size_t n = size - 1;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    text.resize(n);
    return text;
}

void SetTitle(const std::string& text) {
    if (Platform()) Platform()->SetWindowText(text);
}
} // namespace

std::string FormatClockText(std::uint32_t seconds) {
    std::uint32_t hours = seconds / 3600;
    std::uint32_t minutes = (seconds - 3600 * hours) / 60;
    std::uint32_t secs = seconds - 3600 * hours - 60 * minutes;
    char text[64];
    std::snprintf(text, sizeof text, " %02u:%02u:%02u  ", hours, minutes, secs);
    return text;
}

std::string FormatTotalPieces(int total) {
    return " Total Pieces: " + std::to_string(total);
}

std::string FormatLoosePieces(int loose) {
    return " Loose Pieces: " + std::to_string(loose);
}

std::string FormatPercentCompleted(float percent) {
    char text[64];
    std::snprintf(text, sizeof text, " %3.0f percent Completed", static_cast<double>(percent));
    return text;
}

std::string FormatRotationState(bool enabled) {
    return enabled ? " Piece rotation: enabled" : " Piece rotation: disabled";
}

std::string FormatPuzzleTitle(const std::string& authorTitle, bool hasAuthorTitle,
                              const std::string& puzzleTitle) {
    std::string title = hasAuthorTitle ? authorTitle + " - " + puzzleTitle : "Pictorra Vaze - " + puzzleTitle;
    return FitBuffer(std::move(title), kTitleBuffer);
}

std::string FormatLoadProgressTitle(const std::string& puzzleTitle, int percent) {
    std::string title = puzzleTitle + " - " + std::to_string(percent) + " % Loaded - Please wait...";
    return FitBuffer(std::move(title), kProgressTitleBuffer);
}

void ResetPieceCounts() {
    SetPart(kStatusPartTotal, FormatTotalPieces(0));
    SetPart(kStatusPartLoose, FormatLoosePieces(0));
    // Not the formatted zero: before any puzzle the field carries no padding.
    SetPart(kStatusPartPercent, " 0 percent Completed");
}

void ShowPieceCounts() {
    if (!g_puzzle) return;
    g_puzzle->CountGroups();
    g_puzzle->percentWhole = static_cast<std::int32_t>(g_puzzle->percentCompleted);
    SetPart(kStatusPartTotal, FormatTotalPieces(g_puzzle->totalPieces));
    SetPart(kStatusPartLoose, FormatLoosePieces(g_puzzle->loosePieces));
    SetPart(kStatusPartPercent, FormatPercentCompleted(g_puzzle->percentCompleted));
}

void UpdateClock() {
    if (!g_clock) return;
    // The text shows the count before this second is added.
    std::string text = FormatClockText(g_clock->seconds);
    g_clock->Tick();
    SetPart(kStatusPartClock, text);
    if (g_puzzle) SetPart(kStatusPartRotation, FormatRotationState(g_puzzle->userotation != 0));
}

void SetPuzzleTitle() {
    if (!g_puzzle) return;
    bool extras = g_proOptions && g_proOptions->present;
    SetTitle(
        FormatPuzzleTitle(extras ? g_proOptions->extras.title : std::string(), extras, g_puzzle->options.title));
}

void ShowLoadProgress(int percent) {
    if (!g_puzzle) return;
    SetTitle(FormatLoadProgressTitle(g_puzzle->options.title, percent));
}
