#include "pack/AuthorExtras.h"

namespace {

class RecordWriter {
  public:
    void Int(std::int32_t value) {
        auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
    void Text(const std::string& text) {
        Int(static_cast<std::int32_t>(text.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
    }
    std::vector<std::uint8_t> bytes;
};

class RecordReader {
  public:
    explicit RecordReader(std::span<const std::uint8_t> data) : data(data) {}

    bool Int(std::int32_t& value) {
        if (data.size() - offset < 4) return false;
        std::uint32_t bits = 0;
        for (int i = 3; i >= 0; --i) bits = (bits << 8) | data[offset + static_cast<std::size_t>(i)];
        offset += 4;
        value = static_cast<std::int32_t>(bits);
        return true;
    }
    bool Text(std::string& text) {
        std::int32_t length = 0;
        if (!Int(length) || length < 0) return false;
        auto size = static_cast<std::size_t>(length);
        if (size > kMaxAuthorExtrasString || size > data.size() - offset) return false;
        text.assign(reinterpret_cast<const char*>(data.data() + offset), size);
        offset += size;
        return true;
    }

  private:
    std::span<const std::uint8_t> data;
    std::size_t offset = 0;
};

// One walk over the layout serves both directions, so the two can never disagree.
template <typename Io> bool WalkRecord(Io& io, AuthorExtras& e) {
    if (!io.Text(e.title) || !io.Int(e.bannerFlag)) return false;
    if (e.bannerFlag != 0) {
        if (!io.Int(e.linkFlag)) return false;
        if (e.linkFlag != 0 && !io.Text(e.linkAddress)) return false;
        if (!io.Text(e.imageExtension) || !io.Int(e.placement)) return false;
    }
    if (!io.Int(e.exitPageFlag)) return false;
    if (e.exitPageFlag != 0 && !io.Text(e.exitPage)) return false;
    if (!io.Int(e.infoPageFlag)) return false;
    if (e.infoPageFlag != 0 &&
        (!io.Text(e.infoPageName) || !io.Int(e.dialogWidth) || !io.Int(e.dialogHeight)))
        return false;
    if (!io.Int(e.aboutTextFlag)) return false;
    if (e.aboutTextFlag != 0 && !io.Text(e.aboutText)) return false;
    if (!io.Int(e.aboutButtonFlag)) return false;
    if (e.aboutButtonFlag != 0 && (!io.Text(e.buttonCaption) || !io.Text(e.buttonTarget))) return false;
    return io.Int(e.previewForbidden);
}

// Adapts the writer to the walk's read-style calls.
struct WriteIo {
    RecordWriter& out;
    bool Int(std::int32_t& value) {
        out.Int(value);
        return true;
    }
    bool Text(std::string& text) {
        out.Text(text);
        return true;
    }
};

} // namespace

std::vector<std::uint8_t> EncodeAuthorExtras(const AuthorExtras& extras) {
    RecordWriter writer;
    WriteIo io{writer};
    AuthorExtras copy = extras;
    WalkRecord(io, copy);
    return writer.bytes;
}

bool ParseAuthorExtras(std::span<const std::uint8_t> bytes, AuthorExtras& out) {
    RecordReader reader(bytes);
    AuthorExtras read;
    bool whole = WalkRecord(reader, read);
    out = read;
    return whole;
}
