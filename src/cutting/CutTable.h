#pragma once
// The cuts a puzzle can name: each one's style and the side of its grid cells. The game
// reads the cut name from the puzzle's options; the publishing tool offers the same names.
#include <array>
#include <cstdint>
#include <string>

enum CutStyle : std::int32_t {
    CutSmall,
    CutMedium,
    CutLarge,
    CutHuge,
    CutSquare,
    CutAngular,
    CutWavy,
    CutJagged,
};

struct CutTableRow {
    const char* name;
    CutStyle style;
    std::int32_t cellSize;
};

// In style order.
inline constexpr std::array<CutTableRow, 8> kCutTable = {{
    {"small", CutSmall, 16},
    {"medium", CutMedium, 32},
    {"large", CutLarge, 48},
    {"huge", CutHuge, 64},
    {"square", CutSquare, 32},
    {"angular", CutAngular, 32},
    {"wavy", CutWavy, 48},
    {"jagged", CutJagged, 48},
}};

// The row with exactly this name (case matters), or null.
inline const CutTableRow* CutByName(const std::string& name) {
    for (const CutTableRow& row : kCutTable)
        if (name == row.name) return &row;
    return nullptr;
}

// The cell sizes a cut may use, whether from the table or a side list. Outside them a
// picture gives no pieces instead of a division by zero or masks of absurd size.
inline constexpr int kMinCellSize = 2;
inline constexpr int kMaxCellSize = 256;
inline constexpr bool IsUsableCellSize(int size) {
    return size >= kMinCellSize && size <= kMaxCellSize;
}
