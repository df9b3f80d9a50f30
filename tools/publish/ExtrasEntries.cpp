#include "ExtrasEntries.h"

#include "Publisher.h"
#include "imaging/GifAnimation.h"
#include "imaging/PictureDecoder.h"
#include "platform/OpenableAddress.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace publish {

namespace {

// Banners larger than this are not pictures a player wants over the board.
constexpr std::uintmax_t kMaxBannerBytes = 16u << 20;

bool Fails(std::string* error, const std::string& message) {
    *error = message;
    return false;
}

bool SingleLine(const std::string& text) {
    return text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

bool CheckAddress(const std::string& address, const char* what, std::string* error) {
    // The game's own rule, so an author can publish every link the game opens and no other;
    // blanks inside an address are refused here as a likely slip.
    const bool blank = std::any_of(address.begin(), address.end(), [](unsigned char c) { return c <= ' '; });
    if (!blank && address.size() <= kMaxAddress && IsOpenableAddress(address)) return true;
    return Fails(error, std::string("the ") + what + " \"" + address +
                            "\" is not an http, https or mailto address (the game opens only those)");
}

bool ReadBanner(const std::string& path, AuthorExtras& record, std::vector<std::uint8_t>* bytes,
                std::string* error) {
    const std::string type = Publisher::TypeNameFromFileName(path);
    const PictureFormat format = PictureFormatFromName(type);
    if (format != PictureGif && format != PictureJpeg && format != PictureBmp)
        return Fails(error, "banner " + path + ": the game shows .gif, .jpg, .jpeg and .bmp banners only");
    std::string why;
    if (!ReadWholeFile(path, kMaxBannerBytes, *bytes, &why)) return Fails(error, "cannot read banner " + path + ": " + why);
    DecodedImage image;
    if (!DecodePicture(bytes->data(), bytes->size(), format, image, &why))
        return Fails(error, "banner " + path + " is not a picture the game can decode: " + why);
    if (image.width > kMaxBannerSide || image.height > kMaxBannerSide)
        return Fails(error, "banner " + path + " is " + std::to_string(image.width) + " x " +
                                std::to_string(image.height) + "; a banner may be at most " +
                                std::to_string(kMaxBannerSide) + " pixels on a side");
    CGifAnimation animation;
    if (format == PictureGif && animation.Load(bytes->data(), bytes->size(), nullptr) &&
        std::int64_t{animation.FrameCount()} * animation.Width() * animation.Height() > kMaxBannerFramePixels)
        return Fails(error, "banner " + path + " has " + std::to_string(animation.FrameCount()) + " frames of " +
                                std::to_string(animation.Width()) + " x " + std::to_string(animation.Height()) +
                                "; all frames together may hold at most " +
                                std::to_string(kMaxBannerFramePixels >> 20) + " megapixels");
    record.imageExtension = type;
    return true;
}

} // namespace

bool BuildExtrasEntries(const ExtrasRequest& request, std::vector<PackEntrySource>* entries,
                        std::string* error) {
    if (!request.given) return true;
    AuthorExtras record = request.record;
    if (record.title.empty()) record.title = kDefaultAuthorTitle;
    if (record.title.size() > 255 || !SingleLine(record.title))
        return Fails(error, "the author title must be a single line of at most 255 characters");

    std::vector<PackEntrySource> added;
    if (record.bannerFlag) {
        std::vector<std::uint8_t> banner;
        if (!ReadBanner(request.bannerPath, record, &banner, error)) return false;
        if (record.placement < 0 || record.placement > 8)
            return Fails(error, "--banner-place must be 0 to 8 (0 top left ... 8 bottom right), not " +
                                    std::to_string(record.placement));
        if (record.linkFlag && !CheckAddress(record.linkAddress, "banner link", error)) return false;
        added.push_back({kBannerEntry, std::move(banner)});
    }
    if (record.exitPageFlag && !CheckAddress(record.exitPage, "exit page", error)) return false;
    if (record.infoPageFlag) {
        std::vector<std::uint8_t> page;
        std::string why;
        if (!ReadWholeFile(request.infoPagePath, kMaxInfoPageBytes, page, &why))
            return Fails(error, "cannot read the info page " + request.infoPagePath + ": " + why);
        const auto inRange = [](int side) { return side >= kMinInfoSide && side <= kMaxInfoSide; };
        if (!inRange(record.dialogWidth) || !inRange(record.dialogHeight))
            return Fails(error, "--info-size must be WxH with each side " + std::to_string(kMinInfoSide) +
                                    " to " + std::to_string(kMaxInfoSide) + " pixels");
        record.infoPageName = std::filesystem::path(request.infoPagePath).filename().string();
        added.push_back({kInfoPageEntry, std::move(page)});
    }
    if (record.aboutTextFlag && record.aboutText.size() > kMaxAboutText)
        return Fails(error, "the About text is longer than " + std::to_string(kMaxAboutText) + " characters");
    if (record.aboutButtonFlag) {
        if (record.buttonCaption.empty() || record.buttonCaption.size() > kMaxCaption ||
            !SingleLine(record.buttonCaption))
            return Fails(error, "the About button caption must be a single line of 1 to " +
                                    std::to_string(kMaxCaption) + " characters");
        if (!CheckAddress(record.buttonTarget, "About button address", error)) return false;
    }
    entries->push_back({kExtrasEntry, EncodeAuthorExtras(record)});
    for (PackEntrySource& entry : added) entries->push_back(std::move(entry));
    return true;
}

} // namespace publish
