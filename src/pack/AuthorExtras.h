#pragma once
// The author extras record a pack may carry ("_pro_options"): little-endian 32-bit integers
// and strings stored as a 32-bit length followed by that many bytes. A field that belongs to a
// flag is stored only when that flag is nonzero; the writer and the reader below share this one
// description of the layout.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct AuthorExtras {
    std::string title;

    std::int32_t bannerFlag = 0;
    std::int32_t linkFlag = 0;     // stored only with the banner
    std::string linkAddress;       // stored only with the link
    std::string imageExtension;    // stored only with the banner, e.g. "gif"
    std::int32_t placement = 0;    // stored only with the banner, 0..8

    std::int32_t exitPageFlag = 0;
    std::string exitPage;

    std::int32_t infoPageFlag = 0;
    std::string infoPageName;
    std::int32_t dialogWidth = 0;
    std::int32_t dialogHeight = 0;

    std::int32_t aboutTextFlag = 0;
    std::string aboutText;

    std::int32_t aboutButtonFlag = 0;
    std::string buttonCaption;
    std::string buttonTarget;

    std::int32_t previewForbidden = 0;

    bool operator==(const AuthorExtras&) const = default;
};

// A string longer than this is not read: no author text comes near it, and a corrupt length
// must not make the reader allocate without bound.
inline constexpr std::size_t kMaxAuthorExtrasString = 1u << 20;

std::vector<std::uint8_t> EncodeAuthorExtras(const AuthorExtras& extras);

// Reads the fields in order for as long as the bytes hold them. A record that ends early, or a
// string whose length runs past the end (or past the limit above), leaves that field and all
// later ones empty; the fields read before it are kept. Returns false when the record was cut
// short that way, true when every field it announces was read.
bool ParseAuthorExtras(std::span<const std::uint8_t> bytes, AuthorExtras& out);
