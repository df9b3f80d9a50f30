#include "PublishOptions.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>

namespace publish {

namespace {

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

// A whole number from `low` to `high` written in digits only.
bool ParseCount(const std::string& text, int low, int high, int* value) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *value = std::atoi(text.c_str());
    return *value >= low && *value <= high;
}

} // namespace

bool ParsePublishOptions(const std::vector<std::string>& args, PublishOptions* options, std::string* error) {
    PublishRequest& r = options->request;
    AuthorExtras& x = r.extras.record;
    bool titleGiven = false, linkGiven = false, placeGiven = false, infoSizeGiven = false;
    using Values = std::vector<std::string>;
    struct Option {
        int values;                                 // how many values follow it
        std::function<bool(const Values&)> apply;   // false: a value is malformed
        bool extra = false;                         // one of the author's extras
    };
    const std::map<std::string, Option> table = {
        {"--game", {1, [&](const Values& v) { return options->game = v[0], true; }}},
        {"--picture", {1, [&](const Values& v) { return r.picturePath = v[0], true; }}},
        {"--cut", {1, [&](const Values& v) { return r.cutName = v[0], true; }}},
        {"--title", {1, [&](const Values& v) { return r.title = v[0], titleGiven = true; }}},
        {"--completion-text", {1, [&](const Values& v) { return r.completionText = v[0], true; }}},
        {"-o", {1, [&](const Values& v) { return r.output = v[0], true; }}},
        {"--no-preview", {0, [&](const Values&) { return r.previewAllowed = false, true; }}},
        {"--scramble", {0, [&](const Values&) { return r.scramble = true; }}},
        {"--quiet", {0, [&](const Values&) { return options->quiet = true; }}},
        {"--target", {1, [&](const Values& v) {
             return r.targetGiven = ParseTarget(v[0], &r.targetHours, &r.targetMinutes);
         }}},
        {"--pieces", {1, [&](const Values& v) { return ParseCount(v[0], 1, 100000000, &options->size.pieces); }}},
        {"--max-size", {1, [&](const Values& v) {
             return ParseSize(v[0].c_str(), kMaxSizeSide, &options->size.maxWidth, &options->size.maxHeight);
         }}},
        {"--author-title", {1, [&](const Values& v) { return x.title = v[0], true; }, true}},
        {"--banner", {1, [&](const Values& v) { return r.extras.bannerPath = v[0], x.bannerFlag = 1, true; }, true}},
        {"--banner-link", {1, [&](const Values& v) { return x.linkAddress = v[0], x.linkFlag = 1, linkGiven = true; }, true}},
        {"--banner-place", {1, [&](const Values& v) {
             // Any number: its range is checked with the banner, so the message names it.
             const bool negative = !v[0].empty() && v[0][0] == '-';
             if (!ParseCount(negative ? v[0].substr(1) : v[0], 0, 999999, &x.placement)) return false;
             if (negative) x.placement = -x.placement;
             return placeGiven = true;
         }, true}},
        {"--exit-page", {1, [&](const Values& v) { return x.exitPage = v[0], x.exitPageFlag = 1, true; }, true}},
        {"--info-page", {1, [&](const Values& v) { return r.extras.infoPagePath = v[0], x.infoPageFlag = 1, true; }, true}},
        {"--info-size", {1, [&](const Values& v) {
             return infoSizeGiven = ParseSize(v[0].c_str(), 999999, &x.dialogWidth, &x.dialogHeight);
         }, true}},
        {"--about-text", {1, [&](const Values& v) { return x.aboutText = v[0], x.aboutTextFlag = 1, true; }, true}},
        {"--about-button", {2, [&](const Values& v) {
             return x.buttonCaption = v[0], x.buttonTarget = v[1], x.aboutButtonFlag = 1, true;
         }, true}},
        {"--forbid-preview", {0, [&](const Values&) { return x.previewForbidden = 1, true; }, true}},
    };
    const auto fail = [error](const std::string& message) { return *error = message, false; };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const auto found = table.find(args[i]);
        if (found == table.end()) return fail("unknown argument " + args[i]);
        const Option& option = found->second;
        const int count = option.values;
        if (count > 0 && i + static_cast<std::size_t>(count) >= args.size())
            return fail(args[i] + (count == 1 ? " needs a value" : " needs two values"));
        const Values values(args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                            args.begin() + static_cast<std::ptrdiff_t>(i) + 1 + count);
        i += static_cast<std::size_t>(count);
        if (!option.apply(values)) {
            const std::string name = found->first;
            if (name == "--target") return fail("--target must be H:M, for example 0:25");
            if (name == "--pieces") return fail("--pieces must be a whole number, for example 1000");
            if (name == "--banner-place") return fail("--banner-place must be a number from 0 to 8");
            const int limit = name == "--max-size" ? kMaxSizeSide : 999999;
            return fail(name + " must be WxH, for example 1600x1200 (each side 1 to " + std::to_string(limit) + ")");
        }
        r.extras.given = r.extras.given || option.extra;
    }
    if ((linkGiven || placeGiven) && !x.bannerFlag) return fail("--banner-link and --banner-place need --banner FILE");
    if (x.infoPageFlag != infoSizeGiven) return fail("--info-page FILE and --info-size WxH go together");
    if (r.picturePath.empty()) return fail("--picture FILE is required");
    if (r.output.empty()) return fail("-o OUTPUT is required");
    if (!titleGiven) r.title = std::filesystem::path(r.picturePath).stem().string();
    return true;
}

} // namespace publish
