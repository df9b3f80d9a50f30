#pragma once
// The author's extras as pack entries: the record ("_pro_options"), the banner picture
// ("_pro_image") and the page of the closing dialog ("_pro_info_file").
#include "PackWriter.h"
#include "pack/AuthorExtras.h"
#include "pack/CProOptions.h"

#include <cstdint>
#include <string>
#include <vector>

namespace publish {

inline constexpr char kExtrasEntry[] = "_pro_options";
inline constexpr char kBannerEntry[] = "_pro_image";
inline constexpr char kInfoPageEntry[] = "_pro_info_file";

// The window title the game shows without an author title, used when the author gives extras
// but no title of their own.
inline constexpr char kDefaultAuthorTitle[] = "Pictorra Vaze";

// Sensible bounds for what the author hands in.
inline constexpr int kMaxBannerSide = 1024;
// The game keeps only as many banner frames as fit its pixel budget; a banner over it is refused
// here rather than shown cut short.
inline constexpr auto kMaxBannerFramePixels = static_cast<std::int64_t>(kMaxBannerPixels);
inline constexpr int kMinInfoSide = 200, kMaxInfoSide = 4096;
inline constexpr std::size_t kMaxInfoPageBytes = 4u << 20;
inline constexpr std::size_t kMaxAboutText = 4096, kMaxAddress = 2048, kMaxCaption = 64;

struct ExtrasRequest {
    bool given = false;       // any extra was asked for; otherwise the pack carries none
    AuthorExtras record;      // flags, texts and numbers as the options set them
    std::string bannerPath;   // with the banner flag
    std::string infoPagePath; // with the info page flag
};

// Checks every value and appends the entries to `entries` (none when nothing was asked for).
// False with `error` saying which value is wrong and why; `entries` is then unchanged.
bool BuildExtrasEntries(const ExtrasRequest& request, std::vector<PackEntrySource>* entries,
                        std::string* error);

} // namespace publish
