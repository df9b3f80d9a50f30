#include "ExtrasReport.h"

#include "ExtrasEntries.h"
#include "PackWriter.h"
#include "pack/CPackFile.h"

namespace publish {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

void Field(std::ostream& out, const char* name, bool present, const std::string& value) {
    out << "  " << name << std::string(14 - std::string(name).size(), ' ') << (present ? value : "none") << "\n";
}

} // namespace

void ReportAuthorExtras(const CPackFile& pack, const std::string& scratchFile, std::ostream& out) {
    std::vector<std::uint8_t> bytes;
    if (!pack.FindEntry(kExtrasEntry) || !pack.ExtractEntry(kExtrasEntry, scratchFile) ||
        !ReadFileBytes(scratchFile, &bytes, nullptr)) {
        out << "author extras: none\n";
        return;
    }
    AuthorExtras e;
    const bool whole = ParseAuthorExtras(bytes, e);
    out << "author extras:" << (whole ? "" : " (record cut short: the fields after it are empty)") << "\n";
    Field(out, "title", true, Quoted(e.title));
    Field(out, "banner", e.bannerFlag != 0,
          e.imageExtension + " picture, place " + std::to_string(e.placement) +
              (e.linkFlag ? ", link " + e.linkAddress : ", no link"));
    Field(out, "exit page", e.exitPageFlag != 0, e.exitPage);
    Field(out, "info page", e.infoPageFlag != 0,
          e.infoPageName + ", dialog " + std::to_string(e.dialogWidth) + " x " + std::to_string(e.dialogHeight));
    Field(out, "About text", e.aboutTextFlag != 0, Quoted(e.aboutText));
    Field(out, "About button", e.aboutButtonFlag != 0, Quoted(e.buttonCaption) + " opens " + e.buttonTarget);
    out << "  preview       " << (e.previewForbidden ? "forbidden" : "allowed") << "\n";
    if (e.bannerFlag && !pack.FindEntry(kBannerEntry)) out << "  missing: " << kBannerEntry << "\n";
    if (e.infoPageFlag && !pack.FindEntry(kInfoPageEntry)) out << "  missing: " << kInfoPageEntry << "\n";
}

} // namespace publish
