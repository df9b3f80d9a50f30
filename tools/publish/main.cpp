// pictorra-publish: writes a puzzle pack onto a copy of the game program, and shows what a
// published program carries.
#include "DemoPicture.h"
#include "PackReport.h"
#include "PackWriter.h"
#include "Publisher.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

const char* const kUsage =
    "usage:\n"
    "  pictorra-publish --game PROGRAM --picture FILE --cut NAME --title TEXT\n"
    "                   [--completion-text TEXT] [--no-preview] [--target H:M] [--scramble]\n"
    "                   -o OUTPUT\n"
    "      publish a puzzle: the picture (.bmp .gif .jpg .jpeg .ico .pcx) cut as NAME\n"
    "      (small, medium, large, huge, square, angular, wavy, jagged)\n"
    "  pictorra-publish append --game PROGRAM -o OUTPUT NAME=FILE...\n"
    "      append a pack of the given files under the given entry names\n"
    "  pictorra-publish inspect [--sheet OUT.bmp] PROGRAM\n"
    "      list the pack, the puzzle's options and cut; --sheet also draws every piece\n"
    "  pictorra-publish inspect --key\n"
    "      print the archive scramble key\n"
    "  pictorra-publish demo-picture OUT.jpg\n"
    "      generate the bundled demo picture\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "pictorra-publish: %s\n", message.c_str());
    return 1;
}

int UsageError(const std::string& message) {
    std::fprintf(stderr, "pictorra-publish: %s\n%s", message.c_str(), kUsage);
    return 2;
}

// Takes the value after an option; false when it is missing.
bool TakeValue(const std::vector<std::string>& args, std::size_t* i, std::string* value) {
    if (*i + 1 >= args.size()) return false;
    *value = args[++*i];
    return true;
}

bool ParseTarget(const std::string& text, int* hours, int* minutes) {
    std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size()) return false;
    for (std::size_t k = 0; k < text.size(); ++k)
        if (k != colon && (text[k] < '0' || text[k] > '9')) return false;
    if (colon > 3 || text.size() - colon - 1 > 2) return false;
    *hours = std::atoi(text.substr(0, colon).c_str());
    *minutes = std::atoi(text.substr(colon + 1).c_str());
    return true;
}

int RunPublish(const std::vector<std::string>& args) {
    publish::PublishRequest request;
    bool haveCut = false, haveTitle = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string value;
        if (a == "--no-preview") {
            request.previewAllowed = false;
        } else if (a == "--scramble") {
            request.scramble = true;
        } else if (a == "--game" || a == "--picture" || a == "--cut" || a == "--title" ||
                   a == "--completion-text" || a == "--target" || a == "-o") {
            if (!TakeValue(args, &i, &value)) return UsageError(a + " needs a value");
            if (a == "--game") request.gameProgram = value;
            if (a == "--picture") request.picturePath = value;
            if (a == "--cut") request.cutName = value, haveCut = true;
            if (a == "--title") request.title = value, haveTitle = true;
            if (a == "--completion-text") request.completionText = value;
            if (a == "-o") request.output = value;
            if (a == "--target") {
                if (!ParseTarget(value, &request.targetHours, &request.targetMinutes))
                    return UsageError("--target must be H:M, for example 0:25");
                request.targetGiven = true;
            }
        } else {
            return UsageError("unknown argument " + a);
        }
    }
    if (request.gameProgram.empty()) return UsageError("--game PROGRAM is required");
    if (request.picturePath.empty()) return UsageError("--picture FILE is required");
    if (!haveCut) return UsageError("--cut NAME is required");
    if (!haveTitle) return UsageError("--title TEXT is required");
    if (request.output.empty()) return UsageError("-o OUTPUT is required");

    publish::PublishSummary summary;
    std::string error;
    if (!publish::Publisher::Publish(request, &summary, &error)) return Fail(error);
    std::printf("published %s: %s picture %d x %d, cut %s (%d pixels, %zu shape sets), %d x %d = %d pieces\n",
                request.output.c_str(), summary.pictureType.c_str(), summary.pictureWidth,
                summary.pictureHeight, request.cutName.c_str(), summary.cellSize, summary.sets, summary.cols,
                summary.rows, summary.cols * summary.rows);
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
    if (game.empty()) return UsageError("--game PROGRAM is required");
    if (output.empty()) return UsageError("-o OUTPUT is required");
    std::string error;
    if (!publish::AppendPack(game, entries, output, &error)) return Fail(error);
    std::printf("appended %zu entries: %s\n", entries.size(), output.c_str());
    return 0;
}

int RunInspect(const std::vector<std::string>& args) {
    std::string program, sheet;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--key") {
            std::cout << publish::ScrambleKeyText() << "\n";
            return 0;
        }
        if (a == "--sheet") {
            if (!TakeValue(args, &i, &sheet)) return UsageError("--sheet needs a file name");
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
        if (!publish::WriteSheet(program, sheet, &error)) return Fail(error);
        std::cout << "sheet written to " << sheet << "\n";
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    std::string command = args[0];
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
