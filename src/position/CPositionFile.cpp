#include "position/CPositionFile.h"

#include "app/Log.h"
#include "platform/FileAccess.h"
#include "platform/FileReplace.h"
#include "platform/Platform.h"
#include "play/CPiece.h"
#include "play/CPieceGroup.h"
#include "play/CPuzzle.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
// Far more than the largest puzzle writes (a few megabytes); a bigger file is refused unread.
constexpr std::size_t kMaxFileBytes = std::size_t{64} * 1024 * 1024;

class ByteWriter {
  public:
    explicit ByteWriter(std::vector<std::uint8_t>* out) : bytes(out) {}
    void Int(std::int32_t value) {
        const auto u = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8)
            bytes->push_back(static_cast<std::uint8_t>(u >> shift));
    }
    // The text, its terminator and zeros up to the field's size (the caller checked the fit).
    void Text(const std::string& text, std::size_t field) {
        bytes->insert(bytes->end(), text.begin(), text.end());
        bytes->insert(bytes->end(), field - text.size(), 0);
    }

  private:
    std::vector<std::uint8_t>* bytes;
};

class ByteReader {
  public:
    ByteReader(const std::uint8_t* bytes, std::size_t count) : data(bytes), size(count) {}
    std::size_t Remaining() const { return size - pos; }
    bool Int(std::int32_t* value) {
        if (Remaining() < 4) return false;
        const std::uint32_t u = data[pos] | data[pos + 1] << 8 | data[pos + 2] << 16 |
                                static_cast<std::uint32_t>(data[pos + 3]) << 24;
        *value = static_cast<std::int32_t>(u);
        pos += 4;
        return true;
    }
    // The text up to its terminator; false when the field holds none.
    bool Text(std::size_t field, std::string* text) {
        if (Remaining() < field) return false;
        const auto* start = data + pos;
        pos += field;
        const void* end = std::memchr(start, 0, field);
        if (!end) return false;
        text->assign(reinterpret_cast<const char*>(start), static_cast<const std::uint8_t*>(end) - start);
        return true;
    }

  private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos = 0;
};

bool Fail(std::string* why, const char* text) {
    if (why) *why = text;
    return false;
}

// A record for a cell the file has nothing usable for: every side unknown, no turn.
SavedPieceRecord BlankRecord(std::int32_t col, std::int32_t row) {
    SavedPieceRecord record;
    record.col = col;
    record.row = row;
    for (auto& side : record.sides) {
        side[0] = CPieceSide::kUnassigned;
        side[1] = CPieceSide::kUnassigned;
    }
    return record;
}
} // namespace

void CPositionFile::Capture(const CPuzzle& puzzle, std::uint32_t clockSeconds, std::int32_t rotationSetting) {
    cutName = puzzle.options.cutName;
    archivePath = puzzle.archivePath;
    columns = puzzle.cols;
    seconds = clockSeconds;
    useRotation = rotationSetting;
    percentWhole = static_cast<std::int32_t>(puzzle.percentCompleted);

    pieces.clear();
    for (std::size_t i = 0; i < puzzle.pieces.size(); ++i) {
        const CPiece* piece = puzzle.pieces[i].get();
        const auto col = static_cast<std::int32_t>(columns > 0 ? i % columns : i);
        const auto row = static_cast<std::int32_t>(columns > 0 ? i / columns : 0);
        if (!piece) {
            pieces.push_back(BlankRecord(col, row));
            continue;
        }
        SavedPieceRecord record;
        record.col = piece->col;
        record.row = piece->row;
        record.x = piece->x;
        record.y = piece->y;
        record.rotation = piece->rotation;
        for (int d = 0; d < 4; ++d) {
            record.sides[d][0] = piece->sides[d].setNumber;
            record.sides[d][1] = piece->sides[d].slot;
        }
        pieces.push_back(record);
    }

    groups.clear();
    for (const CPieceGroup* group : puzzle.groups) {
        SavedGroupRecord record;
        record.x = group->x;
        record.y = group->y;
        for (const CPiece* piece : group->pieces)
            record.cells.emplace_back(piece->col, piece->row);
        groups.push_back(std::move(record));
    }
}

bool CPositionFile::Encode(std::vector<std::uint8_t>* bytes, std::string* why) const {
    if (archivePath.size() >= kPathSize) return Fail(why, "the puzzle's path is longer than 255 characters");
    if (cutName.size() >= kCutNameSize) return Fail(why, "the cut name is longer than 63 characters");
    bytes->clear();
    ByteWriter out(bytes);
    out.Int(kMagic);
    out.Text(cutName, kCutNameSize);
    out.Text(archivePath, kPathSize);
    out.Int(columns);
    out.Int(static_cast<std::int32_t>(seconds));
    out.Int(useRotation);
    out.Int(percentWhole);

    out.Int(static_cast<std::int32_t>(pieces.size()));
    for (const SavedPieceRecord& record : pieces) {
        for (std::int32_t value : {record.col, record.row, record.x, record.y, record.rotation})
            out.Int(value);
        for (const auto& side : record.sides) {
            out.Int(side[0]);
            out.Int(side[1]);
        }
    }

    out.Int(static_cast<std::int32_t>(groups.size()));
    for (const SavedGroupRecord& record : groups) {
        out.Int(static_cast<std::int32_t>(record.cells.size()));
        out.Int(record.x);
        out.Int(record.y);
        for (const auto& [col, row] : record.cells) {
            out.Int(col);
            out.Int(row);
        }
    }
    return true;
}

bool CPositionFile::Write(const std::string& path, const CPuzzle& puzzle, std::uint32_t clockSeconds,
                          std::int32_t rotationSetting, std::string* why) {
    Capture(puzzle, clockSeconds, rotationSetting);
    std::vector<std::uint8_t> bytes;
    return Encode(&bytes, why) && ReplaceFileAtomically(path, bytes, why);
}

bool CPositionFile::Parse(const std::uint8_t* data, std::size_t size) {
    CPositionFile parsed;
    ByteReader in(data, size);
    std::int32_t magic = 0, clock = 0;
    if (size < kHeaderSize || !in.Int(&magic) || magic != kMagic) return false;
    // A text without its terminator is not the name that was meant.
    if (!in.Text(kCutNameSize, &parsed.cutName) || !in.Text(kPathSize, &parsed.archivePath)) return false;
    in.Int(&parsed.columns);
    in.Int(&clock);
    in.Int(&parsed.useRotation);
    in.Int(&parsed.percentWhole);
    parsed.seconds = static_cast<std::uint32_t>(clock);

    // The body is taken as far as it fits: counts are bounded by the bytes that follow and
    // by the grid, and records naming cells they cannot hold are left out.
    std::int32_t count = 0;
    const bool gridKnown = parsed.columns > 0 && parsed.columns <= kMaxGridSide;
    if (in.Int(&count) && count > 0) {
        const std::size_t declared = static_cast<std::size_t>(count);
        const std::size_t present = std::min(declared, in.Remaining() / kPieceRecordSize);
        const std::size_t kept =
            gridKnown ? std::min(present, static_cast<std::size_t>(parsed.columns) * kMaxGridSide) : 0;
        parsed.pieces.reserve(kept);
        for (std::size_t i = 0; i < present; ++i) {
            std::int32_t v[13];
            for (std::int32_t& value : v)
                in.Int(&value);
            if (i >= kept) continue;
            const auto col = static_cast<std::int32_t>(i % parsed.columns);
            const auto row = static_cast<std::int32_t>(i / parsed.columns);
            // A record for another cell would give its shapes to the wrong piece.
            if (v[0] != col || v[1] != row) {
                parsed.pieces.push_back(BlankRecord(col, row));
                continue;
            }
            SavedPieceRecord record;
            record.col = col;
            record.row = row;
            record.x = v[2];
            record.y = v[3];
            record.rotation = v[4];
            for (int d = 0; d < 4; ++d) {
                // A slot outside the eight a set holds names no shape: the side stays unknown.
                const std::int32_t set = v[5 + 2 * d], slot = v[6 + 2 * d];
                const bool known = set >= CPieceSide::kBorder && slot >= -1 && slot <= 7;
                record.sides[d][0] = known ? set : CPieceSide::kUnassigned;
                record.sides[d][1] = known ? slot : CPieceSide::kUnassigned;
            }
            parsed.pieces.push_back(record);
        }
        if (present < declared) count = -1; // the file ends inside the pieces
    }

    std::int32_t groupCount = 0;
    const std::size_t cellCount = parsed.pieces.size();
    if (count >= 0 && in.Int(&groupCount)) {
        for (std::int32_t g = 0; g < groupCount; ++g) {
            std::int32_t n = 0;
            SavedGroupRecord record;
            if (!in.Int(&n) || !in.Int(&record.x) || !in.Int(&record.y)) break;
            if (n < 0 || static_cast<std::size_t>(n) > in.Remaining() / kCellSize) break;
            for (std::int32_t k = 0; k < n; ++k) {
                std::int32_t col = 0, row = 0;
                in.Int(&col);
                in.Int(&row);
                if (col < 0 || row < 0 || col >= parsed.columns) continue;
                if (static_cast<std::size_t>(row) * static_cast<std::size_t>(parsed.columns) + col >= cellCount)
                    continue;
                record.cells.emplace_back(col, row);
            }
            if (!record.cells.empty()) parsed.groups.push_back(std::move(record));
        }
    }
    *this = std::move(parsed);
    return true;
}

bool CPositionFile::Read(const std::string& path, std::int32_t& rotationSetting, std::uint32_t& clockSeconds,
                         IPlatform* platform) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, kMaxFileBytes, bytes, nullptr)) return false;

    CPositionFile parsed;
    if (!parsed.Parse(bytes.data(), bytes.size())) {
        LogWrite(0, "Not a position file: %s", path.c_str());
        return false;
    }
    if (!FileExists(parsed.archivePath)) {
        LogWrite(0, "The saved position's archive is gone: %s", parsed.archivePath.c_str());
        return false;
    }

    const std::int32_t saved = parsed.useRotation != 0 ? 1 : 0;
    if (saved != (rotationSetting != 0 ? 1 : 0) && platform) {
        platform->MessageBox(saved ? "The saved position for this puzzle contains rotated pieces,\n"
                                     "therefore piece rotation will now be enabled."
                                   : "The saved position for this puzzle does not contain rotated pieces,\n"
                                     "therefore piece rotation will now be disabled.",
                             "Information", MB_OK);
    }
    rotationSetting = saved;
    clockSeconds = parsed.seconds;
    *this = std::move(parsed);
    return true;
}
