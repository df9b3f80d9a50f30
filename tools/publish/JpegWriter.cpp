#include "JpegWriter.h"

#include "PackWriter.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace publish {

namespace {

struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void OnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

} // namespace

std::vector<std::uint8_t> EncodeJpeg(const DecodedImage& image, int quality, bool progressive,
                                     Progress* progress) {
    if (image.Empty() || image.pixels.size() != static_cast<std::size_t>(image.width) * image.height)
        return {};
    jpeg_compress_struct info{};
    ErrorTrap trap{};
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = OnError;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    std::vector<unsigned char> row(static_cast<std::size_t>(image.width) * 3);
    if (setjmp(trap.jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return {};
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < image.width; ++x) {
            std::uint32_t p = image.At(x, y);
            row[static_cast<std::size_t>(x) * 3] = static_cast<unsigned char>(p >> 16);
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<unsigned char>(p >> 8);
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<unsigned char>(p);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
        if (progress) progress->Update(static_cast<double>(y + 1) / image.height);
    }
    jpeg_finish_compress(&info);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

bool WriteJpegFile(const std::string& path, const DecodedImage& image, int quality, std::string* error) {
    std::vector<std::uint8_t> bytes = EncodeJpeg(image, quality);
    if (bytes.empty()) {
        if (error) *error = "cannot encode the picture as JPEG";
        return false;
    }
    return WriteFileBytes(path, bytes, error);
}

} // namespace publish
