#include "Publisher.h"

#include "ArchiveWriter.h"
#include "SelectorImage.h"
#include "SideListWriter.h"
#include "SideShapeGenerator.h"
#include "SoundGenerator.h"
#include "clock/TargetTime.h"
#include "cutting/PuzzleLimits.h"
#include "imaging/PictureDecoder.h"
#include "imaging/PictureFormat.h"

#include <cctype>
#include <filesystem>
#include <system_error>

namespace publish {

namespace fs = std::filesystem;

std::string Publisher::TypeNameFromFileName(const std::string& path) {
    std::string name = fs::path(path).filename().string();
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) return "";
    std::string type = name.substr(dot + 1);
    for (char& c : type)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return type;
}

std::string Publisher::SizeRefusal(int width, int height, int cellSize) {
    // The player may turn rotation on at any time, so the puzzle must fit with every turn cut.
    const std::string refusal = PuzzleSizeRefusal(width / cellSize, height / cellSize, cellSize, true);
    return refusal.empty() ? refusal : refusal + " Publish it smaller with --pieces N or --max-size WxH.";
}

bool Publisher::BuildEntries(const PublishRequest& request, std::vector<PackEntrySource>* entries,
                             PublishSummary* summary, std::string* error, Progress* progress) {
    const CutInfo* cut = FindCut(request.cutName);
    if (!cut) {
        *error = "unknown cut \"" + request.cutName +
                 "\" (use small, medium, large, huge, square, angular, wavy or jagged)";
        return false;
    }
    const bool prepared = !request.pictureBytes.empty();
    std::string type = prepared ? request.pictureType : TypeNameFromFileName(request.picturePath);
    PictureFormat format = PictureFormatFromName(type);
    if (format == PictureUnknown) {
        *error = "picture " + request.picturePath +
                 ": the file name must end in .bmp, .gif, .jpg, .jpeg, .ico or .pcx";
        return false;
    }
    std::vector<std::uint8_t> picture = request.pictureBytes;
    std::string why;
    if (!prepared && !ReadPictureFile(request.picturePath, picture, &why)) {
        *error = "cannot read picture " + request.picturePath + ": " + why;
        return false;
    }
    DecodedImage decoded;
    if (!DecodePicture(picture.data(), picture.size(), format, decoded, &why)) {
        *error = "picture " + request.picturePath + " does not decode as " + type + ": " + why;
        return false;
    }
    int cols = decoded.width / cut->cellSize, rows = decoded.height / cut->cellSize;
    if (cols < 1 || rows < 1) {
        *error = "picture " + request.picturePath + " (" + std::to_string(decoded.width) + " x " +
                 std::to_string(decoded.height) + ") is smaller than one " + cut->name + " piece (" +
                 std::to_string(cut->cellSize) + " pixels)";
        return false;
    }
    if (std::string refusal = SizeRefusal(decoded.width, decoded.height, cut->cellSize); !refusal.empty()) {
        *error = std::move(refusal);
        return false;
    }

    // Say which option is wrong in the author's terms rather than by line number.
    for (const auto& [text, what] :
         {std::pair{&request.title, "title"}, {&request.completionText, "completion text"}}) {
        if (text->size() > 255) {
            *error = std::string("the ") + what + " is longer than 255 characters";
            return false;
        }
        if (text->find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
            *error = std::string("the ") + what + " must be a single line";
            return false;
        }
    }
    if (request.targetGiven && (request.targetHours < 0 || request.targetHours > 999 ||
                                request.targetMinutes < 0 || request.targetMinutes > 59)) {
        *error = "the target time must be H:M with H 0 to 999 and M 0 to 59";
        return false;
    }

    ArchiveOptions options;
    options.pictureType = type;
    options.cutName = cut->name;
    options.title = request.title;
    options.completionText = request.completionText;
    options.previewPermission = request.previewAllowed ? 1 : 0;
    options.targetHours = request.targetHours;
    options.targetMinutes = request.targetMinutes;
    if (!request.targetGiven) {
        const TargetTime target = TargetTimeFor(cols * rows);
        options.targetHours = target.hours;
        options.targetMinutes = target.minutes;
    }
    std::vector<std::uint8_t> archive;
    if (!BuildPuzzleArchive(options, picture, request.scramble, &archive, &why)) {
        *error = "cannot build the puzzle archive: " + why;
        return false;
    }

    std::vector<PackEntrySource> extras;
    if (!BuildExtrasEntries(request.extras, &extras, error)) return false;

    if (progress) progress->Step("generating the " + std::string(cut->name) + " side shapes");
    std::vector<SideSet> sets = SideShapeGenerator(*cut, SideSeed(cut->style)).Generate();
    SideListFiles sides = SideListWriter::Write(*cut, sets);

    entries->clear();
    entries->push_back({"puzzlefile", std::move(archive)});
    entries->push_back({"piecedefs", std::vector<std::uint8_t>(sides.text.begin(), sides.text.end())});
    for (PackEntrySource& bitmap : sides.bitmaps)
        entries->push_back(std::move(bitmap));
    entries->push_back({"selector.bmp", SelectorImage::Bitmap()});
    entries->push_back({"click.wav", SoundGenerator::ClickWav()});
    entries->push_back({"rotate.wav", SoundGenerator::RotateWav()});
    for (PackEntrySource& extra : extras)
        entries->push_back(std::move(extra));

    if (summary) {
        summary->pictureType = type;
        summary->pictureWidth = decoded.width;
        summary->pictureHeight = decoded.height;
        summary->cellSize = cut->cellSize;
        summary->cols = cols;
        summary->rows = rows;
        summary->sets = sets.size();
        summary->entryNames.clear();
        for (const PackEntrySource& entry : *entries)
            summary->entryNames.push_back(entry.name);
    }
    return true;
}

bool Publisher::Publish(const PublishRequest& request, PublishSummary* summary, std::string* error,
                        Progress* progress) {
    std::error_code ec;
    if (request.output.empty()) {
        *error = "no output file given (-o OUTPUT)";
        return false;
    }
    if (!fs::is_regular_file(request.gameProgram, ec)) {
        *error = "game program " + request.gameProgram + " not found";
        return false;
    }
    if (fs::exists(request.output, ec) && fs::equivalent(request.gameProgram, request.output, ec)) {
        *error = "the output must not be the game program itself";
        return false;
    }
    std::vector<PackEntrySource> entries;
    if (!BuildEntries(request, &entries, summary, error, progress)) return false;
    if (progress) progress->Step("writing " + request.output);
    if (!AppendPack(request.gameProgram, entries, request.output, error)) return false;
    // The published puzzle is a program: give it the program's permissions.
    fs::permissions(request.output, fs::status(request.gameProgram, ec).permissions(), ec);
    return true;
}

} // namespace publish
