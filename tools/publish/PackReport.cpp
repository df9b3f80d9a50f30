#include "PackReport.h"

#include "ExtrasReport.h"
#include "HeadlessCutter.h"
#include "PackWriter.h"
#include "app/Random.h"
#include "cutting/CPieceMask.h"
#include "cutting/CSideList.h"
#include "cutting/CutTable.h"
#include "cutting/PieceGrid.h"
#include "display/CDisplay.h"
#include "imaging/BmpCodec.h"
#include "imaging/PictureConverter.h"
#include "imaging/PictureDecoder.h"
#include "pack/CPackFile.h"
#include "pack/CPuzzleArchive.h"
#include "pack/Loader.h"
#include "pack/PackFormat.h"
#include "pack/PuzzleOptionsReader.h"
#include "pack/ScrambleKey.h"
#include "play/CPuzzle.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iomanip>
#include <set>
#include <sstream>
#include <thread>

namespace publish {

namespace fs = std::filesystem;

namespace {

// The seed the sheet is cut with, so two sheets of one puzzle are the same.
constexpr std::uint32_t kSheetSeed = 20240601;

// A private folder for the files the game's readers work through, removed afterwards.
class ScratchDir {
  public:
    ScratchDir() {
        std::error_code ec;
        fs::path base = fs::temp_directory_path(ec);
        auto stamp =
            static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
        for (int attempt = 0; attempt < 100 && path.empty(); ++attempt) {
            fs::path candidate = base / ("pictorra-publish-" + std::to_string(stamp + attempt));
            if (fs::create_directory(candidate, ec)) path = candidate;
        }
    }
    ~ScratchDir() {
        std::error_code ec;
        if (!path.empty()) fs::remove_all(path, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    bool Ok() const { return !path.empty(); }
    std::string File(const char* name) const { return (path / name).string(); }
    std::string Folder() const { return (path / "").string(); }

  private:
    fs::path path;
};

// Everything read back from a published program.
struct Published {
    CPackFile pack;
    CPuzzleArchive archive;
    std::vector<std::string> optionLines;
    PuzzleOptions options;
    bool optionsAccepted = false;
    std::string sideListText;
    std::string picturePath; // the archive's picture, as stored
};

bool LoadPublished(const std::string& program, const ScratchDir& dir, Published* p, std::string* error) {
    if (!dir.Ok()) {
        *error = "cannot create a scratch folder";
        return false;
    }
    if (!p->pack.OpenPackFile(program, kPackSearchOffset)) {
        *error = program + " holds no pack (not a published puzzle, or not readable)";
        return false;
    }
    const std::string archivePath = dir.File("puzzle");
    if (!p->pack.ExtractEntry("puzzlefile", archivePath)) {
        *error = "the pack has no \"puzzlefile\" entry";
        return false;
    }
    if (!p->archive.Open(archivePath)) {
        *error = "the puzzle archive is damaged (the game would not load it)";
        return false;
    }
    if (CArchiveEntry* entry = p->archive.FindEntry("options")) {
        if (entry->OpenStream()) {
            for (int line = 1; line <= 14; ++line) {
                char buffer[1024];
                int read = entry->ReadLine(buffer, line == 14 ? kOptionsLastLineBuffer : kOptionsLineBuffer);
                p->optionLines.emplace_back(buffer, static_cast<std::size_t>(std::max(read, 0)));
            }
            entry->CloseStream();
        }
        p->optionsAccepted = ReadPuzzleOptions(*entry, p->options, false);
    }
    if (CArchiveEntry* entry = p->archive.FindEntry("picture")) {
        p->picturePath = dir.File("pic");
        if (!entry->OpenStream() || !entry->ExtractTo(p->picturePath)) p->picturePath.clear();
        entry->CloseStream();
    }
    const std::string listPath = dir.File("temp");
    std::vector<std::uint8_t> listBytes;
    if (p->pack.ExtractEntry("piecedefs", listPath) && ReadFileBytes(listPath, &listBytes, nullptr))
        p->sideListText.assign(listBytes.begin(), listBytes.end());
    return true;
}

// The side list read by the game's reader into `cutter`, its bitmaps taken from the pack.
// The cell size it gives when the cut name gives none, or 0 where the game has none.
int ReadSideList(const Published& p, const ScratchDir& dir, HeadlessCutter& cutter) {
    const CPackFile& pack = p.pack;
    CSideList::Source source;
    source.extract = [&pack](const std::string& name, const std::string& out) {
        return pack.ExtractEntry(name, out);
    };
    source.display = &cutter.display;
    source.workFolder = dir.Folder();
    cutter.sideList.ReadList(p.sideListText, source);
    return IsUsableCellSize(cutter.sideList.cellSize) ? cutter.sideList.cellSize : 0;
}

} // namespace

std::string ScrambleKeyText() {
    char text[16];
    std::snprintf(text, sizeof text, "%02X %02X %02X", kArchiveScrambleKey[0], kArchiveScrambleKey[1],
                  kArchiveScrambleKey[2]);
    return text;
}

bool Inspect(const std::string& program, std::ostream& out, std::string* error) {
    ScratchDir dir;
    Published p;
    if (!LoadPublished(program, dir, &p, error)) return false;

    out << "pack: " << p.pack.directory.size() << " entries, data from offset " << p.pack.dataBase << "\n";
    // The side bitmaps are many and alike: one line for all the side list names.
    std::set<std::string> named;
    {
        std::istringstream lines(p.sideListText);
        std::string line;
        while (std::getline(lines, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            named.insert(line);
        }
    }
    std::size_t sideEntries = 0, sideBytes = 0;
    for (const CPackEntry& entry : p.pack.directory) {
        std::uint32_t size = entry.end >= entry.start ? entry.end - entry.start : 0;
        if (named.count(entry.name)) {
            ++sideEntries;
            sideBytes += size;
            continue;
        }
        out << "  " << std::left << std::setw(24) << entry.name << std::right << std::setw(10) << size
            << " bytes\n";
    }
    if (sideEntries)
        out << "  + " << sideEntries << " side bitmaps named by the side list, " << sideBytes << " bytes\n";
    for (const char* needed : {"puzzlefile", "piecedefs", "selector.bmp", "click.wav", "rotate.wav"})
        if (!p.pack.FindEntry(needed)) out << "  missing: " << needed << "\n";
    ReportAuthorExtras(p.pack, dir.File("pro_options"), out);

    out << "archive: " << p.archive.entries.size() << " entries\n";
    for (const auto& entry : p.archive.entries)
        out << "  " << std::left << std::setw(24) << entry->name << std::right << std::setw(10)
            << entry->end - entry->start << " bytes" << (entry->scrambled ? ", scrambled" : "") << "\n";

    static const char* const kLineNames[14] = {
        "picture type",       "cut",      "title",        "completion text", "ghost permission",
        "preview permission", "(unused)", "target hours", "target minutes",  "(unused)",
        "(unused)",           "(unused)", "(unused)",     "(unused)"};
    out << "options" << (p.optionsAccepted ? "" : " (REFUSED by the game)") << ":\n";
    for (std::size_t i = 0; i < p.optionLines.size(); ++i)
        out << "  " << std::setw(2) << i + 1 << " " << std::left << std::setw(20) << kLineNames[i]
            << std::right << p.optionLines[i] << "\n";

    HeadlessCutter cutter;
    const int listCell = ReadSideList(p, dir, cutter);
    const CSideList& list = cutter.sideList;
    std::set<std::pair<int, int>> sizes;
    int empty = 0, badPartners = 0;
    for (const auto& shape : list.shapes) {
        if (shape->map.empty())
            ++empty;
        else
            sizes.insert({shape->width, shape->height});
        if (shape->partnerSlot < 0 || shape->partnerSlot > 7 ||
            shape->partnerSlot % 4 != (shape->slot + 2) % 4)
            ++badPartners;
    }
    std::string title = p.sideListText.substr(0, p.sideListText.find('\n'));
    out << "side list: \"" << title << "\", fallback cell size " << list.cellSize << ", " << list.setCount
        << " sets, " << list.shapes.size() << " shapes";
    for (const auto& [w, h] : sizes)
        out << ", maps " << w << " x " << h;
    out << "\n";
    if (empty) out << "  " << empty << " shapes without a loadable bitmap (straight edges)\n";
    if (badPartners) out << "  " << badPartners << " shapes whose partner slot does not face them\n";

    DecodedImage picture;
    std::string why;
    if (p.picturePath.empty() || !p.optionsAccepted ||
        !DecodePictureFile(p.picturePath, static_cast<PictureFormat>(p.options.pictureFormat), picture,
                           &why)) {
        out << "picture: cannot be decoded" << (why.empty() ? "" : ": " + why) << "\n";
        return true;
    }
    std::int32_t style = -1, cell = listCell;
    ApplyCutName(p.options.cutName, style, cell);
    std::int32_t cols = 0, rows = 0;
    ComputeGrid(picture.width, picture.height, cell, &cols, &rows);
    out << "picture: " << picture.width << " x " << picture.height << "; cut \"" << p.options.cutName << "\""
        << (style < 0 ? " (unknown: the side list's cell size applies)" : "") << ", " << cell
        << "-pixel cells, " << cols << " x " << rows << " = " << cols * rows << " pieces\n";
    return true;
}

bool WriteSheet(const std::string& program, const std::string& sheetPath, std::string* error,
                Progress* progress) {
    ScratchDir dir;
    Published p;
    if (!LoadPublished(program, dir, &p, error)) return false;
    if (!p.optionsAccepted) {
        *error = "the game refuses the puzzle's options";
        return false;
    }
    HeadlessCutter cutter;
    std::int32_t cell = ReadSideList(p, dir, cutter);

    // The game's own steps: cut name, picture bitmap, picture surface, grid, cutting pass.
    CPuzzle puzzle;
    puzzle.options = p.options;
    ApplyCutName(p.options.cutName, puzzle.cutStyle, cell);
    const std::string bitmap = dir.File("puzzle1.bmp");
    if (p.picturePath.empty() ||
        !ConvertPictureToBitmap(p.picturePath, static_cast<PictureFormat>(p.options.pictureFormat), bitmap) ||
        cutter.display.NewSurfaceFromBitmap(&puzzle.pictureSurface, bitmap, 0, 0, false) != S_OK) {
        *error = "the puzzle's picture cannot be decoded";
        return false;
    }
    PrepareGrid(&puzzle, cell);
    if (puzzle.cols < 1 || puzzle.rows < 1) {
        *error = "the picture is smaller than one piece";
        return false;
    }
    GameSeed(kSheetSeed);
    if (!progress) {
        RunCuttingPass(cutter.Context(cell), &puzzle);
    } else {
        // The game's loader cuts on a worker and reports its share done; so does the sheet.
        progress->Step("cutting " + std::to_string(puzzle.cols * puzzle.rows) + " pieces");
        std::atomic<bool> cut{false};
        std::thread worker([&] {
            RunCuttingPass(cutter.Context(cell), &puzzle);
            cut = true;
        });
        while (!cut) {
            progress->Update(puzzle.progress / 100.0);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        worker.join();
        progress->Update(1.0);
        progress->Step("writing " + sheetPath);
    }

    // Every piece where it belongs, spread apart by a quarter cell, with the board's shadow.
    const int h = cell / 2, gap = std::max(2, cell / 4), margin = cell;
    const int width = puzzle.cols * cell + (puzzle.cols - 1) * gap + 2 * margin;
    const int height = puzzle.rows * cell + (puzzle.rows - 1) * gap + 2 * margin;
    if (cutter.display.CreateWindowedDisplay(0, width, height) != S_OK) {
        *error = "the sheet is too large";
        return false;
    }
    CSurface* sheet = cutter.display.BackBuffer();
    cutter.display.ClearBackBuffer(sheet->MatchColour(RGB(58, 66, 78)));
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& piece : puzzle.pieces) {
            int x = margin + piece->col * (cell + gap) - h, y = margin + piece->row * (cell + gap) - h;
            if (pass == 0 && piece->masks[0]) cutter.display.FillRuns(x + 1, y + 1, piece->masks[0]->insideRuns, 0);
            if (pass == 1 && piece->images[0])
                cutter.display.DrawSurface(x, y, piece->images[0], nullptr, -1, -1);
        }
    }
    DecodedImage image;
    image.width = width;
    image.height = height;
    image.pixels.reserve(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = sheet->GetPixelColour(x, y);
            image.pixels.push_back(static_cast<std::uint32_t>(GetRValue(c)) << 16 |
                                   static_cast<std::uint32_t>(GetGValue(c)) << 8 | GetBValue(c));
        }
    }
    puzzle.ClearPieces();
    if (!WriteBmpFile(sheetPath, image)) {
        *error = "cannot write " + sheetPath;
        return false;
    }
    return true;
}

} // namespace publish
