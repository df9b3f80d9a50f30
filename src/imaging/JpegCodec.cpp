#include "imaging/JpegCodec.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>
// After jpeglib.h, which it relies on.
#include <jerror.h>

namespace {

// A hostile progressive file can hold thousands of tiny scans that each cost a pass over
// the whole image; real encoders write about ten.
constexpr int kMaxScans = 500;
// Bound on the library's own working memory (whole-image coefficient buffers of
// progressive files); beyond it the library fails instead of allocating.
constexpr long kMaxLibraryMemory = 512L * 1024 * 1024;

struct ErrorManager {
    jpeg_error_mgr pub; // first, so the library's pointer is also ours
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    // The decoder needed compressed data the file does not have and filled in zeros.
    bool dataMissing = false;
};

void OnError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings (recoverable corrupt data) are counted; nothing goes to stderr. The one that
// matters is the decoder running out of data inside a scan.
void OnEmitMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return;
    ++cinfo->err->num_warnings;
    if (cinfo->err->msg_code == JWRN_HIT_MARKER)
        reinterpret_cast<ErrorManager*>(cinfo->err)->dataMissing = true;
}

void OnProgress(j_common_ptr cinfo) {
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number <= kMaxScans) return;
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::snprintf(err->message, sizeof err->message, "JPEG file has too many scans");
    std::longjmp(err->jump, 1);
}

// Reads from one memory block. Past its end the library is fed an end-of-image marker. The
// decoder reads ahead, so reaching the end is no proof of missing data: a file lacking only
// its own end marker is whole.
struct MemorySource {
    jpeg_source_mgr pub;
};

const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

void InitSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
    auto* src = reinterpret_cast<MemorySource*>(cinfo->src);
    src->pub.next_input_byte = kEndOfImage;
    src->pub.bytes_in_buffer = sizeof kEndOfImage;
    return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
    auto* src = reinterpret_cast<MemorySource*>(cinfo->src);
    if (count <= 0) return;
    if (static_cast<unsigned long>(count) >= src->pub.bytes_in_buffer) {
        FillInputBuffer(cinfo);
        return;
    }
    src->pub.next_input_byte += count;
    src->pub.bytes_in_buffer -= static_cast<std::size_t>(count);
}

void TermSource(j_decompress_ptr) {}

std::uint32_t Rgb(unsigned r, unsigned g, unsigned b) {
    return (r << 16) | (g << 8) | b;
}

// Whether every coefficient of every component received data from some scan.
bool EveryBandArrived(const jpeg_decompress_struct& cinfo) {
    if (!cinfo.coef_bits) return false;
    for (int c = 0; c < cinfo.num_components; ++c)
        for (int k = 0; k < DCTSIZE2; ++k)
            if (cinfo.coef_bits[c][k] < 0) return false;
    return true;
}

// The part that runs under the library's error jump. It holds no object with a
// destructor, so leaving it through longjmp skips nothing.
bool DecodeUnderJump(jpeg_decompress_struct& cinfo, ErrorManager& err, MemorySource& src,
                     jpeg_progress_mgr& progress, DecodedImage& out, std::size_t maxPixels) {
    if (setjmp(err.jump)) return false;

    jpeg_create_decompress(&cinfo); // clears everything but the error manager
    cinfo.src = &src.pub;
    cinfo.progress = &progress;
    cinfo.mem->max_memory_to_use = kMaxLibraryMemory;
    jpeg_read_header(&cinfo, TRUE);

    const unsigned width = cinfo.image_width;
    const unsigned height = cinfo.image_height;
    if (width == 0 || height == 0 || width > static_cast<unsigned>(kMaxPictureSide) ||
        height > static_cast<unsigned>(kMaxPictureSide) ||
        static_cast<std::size_t>(width) * height > maxPixels) {
        std::snprintf(err.message, sizeof err.message, "JPEG picture too large (%ux%u)", width, height);
        return false;
    }

    bool cmyk = false;
    switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
        cinfo.out_color_space = JCS_RGB;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo.out_color_space = JCS_CMYK;
        cmyk = true;
        break;
    default:
        std::snprintf(err.message, sizeof err.message, "JPEG colour space not supported");
        return false;
    }

    jpeg_start_decompress(&cinfo);
    // A progressive file is read whole by now. One whose data stopped between scans has
    // bands no scan ever reached: its picture would come out washed out or colourless.
    if (cinfo.progressive_mode && !EveryBandArrived(cinfo)) {
        std::snprintf(err.message, sizeof err.message, "JPEG data ends early (scans missing)");
        return false;
    }
    if (cinfo.output_width != width || cinfo.output_height != height ||
        cinfo.output_components != (cmyk ? 4 : 3)) {
        std::snprintf(err.message, sizeof err.message, "JPEG output layout not as requested");
        return false;
    }

    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.pixels.assign(static_cast<std::size_t>(width) * height, 0);

    JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                width * static_cast<unsigned>(cinfo.output_components), 1);
    // Adobe writes CMYK inverted (0 = full ink); others store it plainly.
    const bool inverted = cinfo.saw_Adobe_marker;
    while (cinfo.output_scanline < height) {
        const unsigned y = cinfo.output_scanline;
        if (jpeg_read_scanlines(&cinfo, row, 1) != 1) break;
        std::uint32_t* dst = out.pixels.data() + static_cast<std::size_t>(y) * width;
        const JSAMPLE* p = row[0];
        if (!cmyk) {
            for (unsigned x = 0; x < width; ++x, p += 3)
                dst[x] = Rgb(p[0], p[1], p[2]);
        } else {
            for (unsigned x = 0; x < width; ++x, p += 4) {
                unsigned c = p[0], m = p[1], yl = p[2], k = p[3];
                if (!inverted) c = 255 - c, m = 255 - m, yl = 255 - yl, k = 255 - k;
                dst[x] = Rgb(c * k / 255, m * k / 255, yl * k / 255);
            }
        }
        // Data that ends before the picture does leaves the rest grey; refuse it rather
        // than cut a half-blank puzzle.
        if (err.dataMissing) {
            std::snprintf(err.message, sizeof err.message, "JPEG data ends early");
            return false;
        }
    }
    if (cinfo.output_scanline < height) {
        std::snprintf(err.message, sizeof err.message, "JPEG rows missing");
        return false;
    }
    // Only trailing markers are left; their absence is no reason to refuse the picture.
    jpeg_abort_decompress(&cinfo);
    return true;
}

} // namespace

bool DecodeJpeg(const std::uint8_t* data, std::size_t size, DecodedImage& out, std::string* error,
                std::size_t maxPixels) {
    out = DecodedImage{};
    if (!data || size < 4 || data[0] != 0xFF || data[1] != 0xD8) {
        if (error) *error = "not a JPEG file";
        return false;
    }

    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.emit_message = OnEmitMessage;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = OnProgress;

    MemorySource src;
    src.pub.next_input_byte = data;
    src.pub.bytes_in_buffer = size;
    src.pub.init_source = InitSource;
    src.pub.fill_input_buffer = FillInputBuffer;
    src.pub.skip_input_data = SkipInputData;
    src.pub.resync_to_restart = jpeg_resync_to_restart;
    src.pub.term_source = TermSource;

    const bool ok = DecodeUnderJump(cinfo, err, src, progress, out, maxPixels);
    jpeg_destroy_decompress(&cinfo);
    if (!ok) {
        if (error) *error = err.message;
        out = DecodedImage{};
    }
    return ok;
}
