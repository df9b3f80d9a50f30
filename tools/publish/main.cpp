// pictorra-publish: writes a puzzle pack onto a copy of the game program, and shows what a
// published program carries.
#include "DemoPicture.h"
#include "GameTemplate.h"
#include "HelpText.h"
#include "PackReport.h"
#include "PackWriter.h"
#include "Progress.h"
#include "PublishOptions.h"
#include "Publisher.h"
#include "ToolPlatform.h"
#include "SideShapeGenerator.h"
#include "platform/SystemPaths.h"
#include "qt/PictureImport.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "pictorra-publish: %s\n", message.c_str());
    return 1;
}

int UsageError(const std::string& message) {
    std::fprintf(stderr, "pictorra-publish: %s\n%s", message.c_str(), publish::UsageText().c_str());
    return 2;
}

// Takes the value after an option; false when it is missing.
bool TakeValue(const std::vector<std::string>& args, std::size_t* i, std::string* value) {
    if (*i + 1 >= args.size()) return false;
    *value = args[++*i];
    return true;
}

// Progress goes to stderr, and only to a terminal.
bool LiveProgress(bool quiet) { return !quiet && IsTerminal(stderr); }

bool FindGame(const std::string& given, bool quiet, std::string* path, std::string* error) {
    publish::GameTemplate game;
    if (!publish::FindGameTemplate(OwnExecutablePath(), given, &game, error)) return false;
    if (!quiet) std::printf("game program: %s (%s)\n", game.path.c_str(), game.how.c_str());
    *path = game.path;
    return true;
}

int RunPublish(const std::vector<std::string>& args) {
    publish::PublishOptions options;
    std::string error;
    if (!publish::ParsePublishOptions(args, &options, &error)) return UsageError(error);
    publish::PublishRequest& request = options.request;
    const publish::CutInfo* cut = publish::FindCut(request.cutName);
    if (!cut) return Fail("unknown cut \"" + request.cutName + "\" (use small, medium, large, huge, square, angular, wavy or jagged)");
    if (!FindGame(options.game, options.quiet, &request.gameProgram, &error)) return Fail(error);

    publish::Progress progress(stderr, LiveProgress(options.quiet));
    publish::ImportedPicture picture;
    if (!publish::ImportPicture(request.picturePath, cut->cellSize, options.size, &progress, &picture, &error))
        return Fail(error);
    request.pictureBytes = std::move(picture.bytes);
    request.pictureType = picture.type;

    publish::PublishSummary summary;
    if (!publish::Publisher::Publish(request, &summary, &error, &progress)) return Fail(error);
    progress.Finish();
    if (options.quiet) return 0;
    const int pieces = summary.cols * summary.rows;
    std::printf("published %s: %s picture %d x %d", request.output.c_str(), summary.pictureType.c_str(),
                summary.pictureWidth, summary.pictureHeight);
    if (picture.converted)
        std::printf(" (from %d x %d %s)", picture.originalWidth, picture.originalHeight,
                    publish::Publisher::TypeNameFromFileName(request.picturePath).c_str());
    std::printf(", cut %s (%d pixels, %zu shape sets), %d x %d = %d pieces\n", request.cutName.c_str(),
                summary.cellSize, summary.sets, summary.cols, summary.rows, pieces);
    if (options.size.pieces > 0 && std::abs(pieces - options.size.pieces) * 10 > options.size.pieces)
        std::printf("note: %d pieces were asked for; the picture, never enlarged, gives %d with the %s cut\n",
                    options.size.pieces, pieces, request.cutName.c_str());
    return 0;
}

int RunAppend(const std::vector<std::string>& args) {
    std::string game, output;
    std::vector<publish::PackEntrySource> entries;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--game" || a == "-o") {
            std::string value;
            if (!TakeValue(args, &i, &value)) return UsageError(a + " needs a value");
            (a == "--game" ? game : output) = value;
            continue;
        }
        std::size_t eq = a.find('=');
        if (eq == std::string::npos || eq == 0) return UsageError("expected NAME=FILE, got " + a);
        publish::PackEntrySource entry;
        entry.name = a.substr(0, eq);
        std::string error;
        if (!publish::ReadFileBytes(a.substr(eq + 1), &entry.bytes, &error)) return Fail(error);
        entries.push_back(std::move(entry));
    }
    if (output.empty()) return UsageError("-o OUTPUT is required");
    std::string error;
    if (!FindGame(game, false, &game, &error)) return Fail(error);
    if (!publish::AppendPack(game, entries, output, &error)) return Fail(error);
    std::printf("appended %zu entries: %s\n", entries.size(), output.c_str());
    return 0;
}

int RunInspect(const std::vector<std::string>& args) {
    std::string program, sheet;
    bool quiet = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--key") {
            std::cout << publish::ScrambleKeyText() << "\n";
            return 0;
        }
        if (a == "--sheet") {
            if (!TakeValue(args, &i, &sheet)) return UsageError("--sheet needs a file name");
        } else if (a == "--quiet") {
            quiet = true;
        } else if (program.empty() && (a.empty() || a[0] != '-')) {
            program = a;
        } else {
            return UsageError("unknown argument " + a);
        }
    }
    if (program.empty()) return UsageError("inspect needs a published program");
    std::string error;
    if (!publish::Inspect(program, std::cout, &error)) return Fail(error);
    if (!sheet.empty()) {
        std::cout.flush();
        publish::Progress progress(stderr, LiveProgress(quiet));
        if (!publish::WriteSheet(program, sheet, &error, &progress)) return Fail(error);
        progress.Finish();
        std::cout << "sheet written to " << sheet << "\n";
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::fputs(publish::UsageText().c_str(), stderr);
        return 2;
    }
    const std::string command = args[0];
    if (command == "--help" || command == "-h") {
        std::fputs(publish::HelpText().c_str(), stdout);
        return 0;
    }
    if (command == "--version") {
        std::fputs(publish::VersionText().c_str(), stdout);
        return 0;
    }
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "append") return RunAppend(rest);
    if (command == "inspect") return RunInspect(rest);
    if (command == "demo-picture") {
        if (rest.size() != 1) return UsageError("demo-picture needs one output file");
        std::string error;
        if (!publish::WriteDemoPicture(rest[0], &error)) return Fail(error);
        std::printf("demo picture written to %s\n", rest[0].c_str());
        return 0;
    }
    return RunPublish(args);
}
