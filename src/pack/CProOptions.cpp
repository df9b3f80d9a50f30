#include "pack/CProOptions.h"

#include "display/CSurface.h"
#include "platform/FileAccess.h"

#include <utility>
#include <vector>

namespace {
// A whole record of the longest strings the reader takes stays far below this; a larger file
// is not an extras record.
constexpr std::uintmax_t kMaxRecordBytes = 16u * kMaxAuthorExtrasString;
} // namespace

CProOptions::CProOptions(AppTimer::TimeSource clock) : timer(std::move(clock)) {
    timer.Start();
}

CProOptions::~CProOptions() = default;

bool CProOptions::Read(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, kMaxRecordBytes, bytes, nullptr)) return false;
    // A record cut short keeps the fields it holds whole; the rest stay empty.
    ParseAuthorExtras(bytes, extras);
    return true;
}

