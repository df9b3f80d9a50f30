#pragma once
// The command line of a publish run, read into a request for the publisher.
#include "PictureSize.h"
#include "Publisher.h"

#include <string>
#include <vector>

namespace publish {

struct PublishOptions {
    PublishRequest request;
    PictureSizeRequest size;
    std::string game; // --game; empty: look for the game program
    bool quiet = false;
};

// The largest picture side --max-size accepts.
inline constexpr int kMaxSizeSide = 16384;

// Reads the options of a publish run. The title defaults to the picture's file name without its
// extension, the cut to medium. False with `error` set when an option is unknown or lacks its
// value, a value is malformed, an option is given without the one it belongs to, or the picture
// or the output is missing.
bool ParsePublishOptions(const std::vector<std::string>& args, PublishOptions* options, std::string* error);

} // namespace publish
