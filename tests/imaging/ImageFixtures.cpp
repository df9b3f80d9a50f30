#include "ImageFixtures.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <gif_lib.h>
#include <jpeglib.h>

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes MakeJpeg(const std::string& path, int width, int height, const PixelFn& pixel, JpegOptions options) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw std::runtime_error("cannot create " + path);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = options.greyscale ? 1 : 3;
    cinfo.in_color_space = options.greyscale ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    if (options.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = static_cast<int>(cinfo.next_scanline);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = pixel(x, y);
            if (options.greyscale) {
                row[x] = static_cast<JSAMPLE>(c & 0xFF);
            } else {
                row[3 * x] = static_cast<JSAMPLE>(c >> 16);
                row[3 * x + 1] = static_cast<JSAMPLE>(c >> 8);
                row[3 * x + 2] = static_cast<JSAMPLE>(c);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(file);
    return ReadBytes(path);
}

namespace {

ColorMapObject* MakeMap(const std::vector<std::uint32_t>& palette) {
    if (palette.empty()) return nullptr;
    int count = 2;
    while (count < static_cast<int>(palette.size()))
        count *= 2;
    std::vector<GifColorType> colours(static_cast<std::size_t>(count), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < palette.size(); ++i)
        colours[i] =
            GifColorType{static_cast<GifByteType>(palette[i] >> 16),
                         static_cast<GifByteType>(palette[i] >> 8), static_cast<GifByteType>(palette[i])};
    return GifMakeMapObject(count, colours.data());
}

void Check(int result, const char* what) {
    if (result == GIF_ERROR) throw std::runtime_error(what);
}

} // namespace

Bytes MakeGif(const std::string& path, int screenWidth, int screenHeight,
              const std::vector<std::uint32_t>& globalPalette, const std::vector<GifFrameSpec>& frames) {
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif) throw std::runtime_error("EGifOpenFileName failed");
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = MakeMap(globalPalette);
    Check(EGifPutScreenDesc(gif, screenWidth, screenHeight, 8, 0, global), "screen");
    GifFreeMapObject(global);
    for (const GifFrameSpec& f : frames) {
        if (f.delayCs >= 0) {
            GraphicsControlBlock gcb{};
            gcb.DisposalMode = f.disposal;
            gcb.DelayTime = f.delayCs;
            gcb.TransparentColor = f.transparentIndex;
            GifByteType ext[4];
            EGifGCBToExtension(&gcb, ext);
            Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext), "extension");
        }
        ColorMapObject* local = MakeMap(f.localPalette);
        Check(EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlaced, local), "image");
        GifFreeMapObject(local);
        std::vector<int> order;
        if (f.interlaced) {
            const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = start[pass]; y < f.height; y += step[pass])
                    order.push_back(y);
        } else {
            for (int y = 0; y < f.height; ++y)
                order.push_back(y);
        }
        for (int y : order) {
            std::vector<GifPixelType> line(f.indices.begin() + static_cast<std::ptrdiff_t>(y) * f.width,
                                           f.indices.begin() + static_cast<std::ptrdiff_t>(y + 1) * f.width);
            Check(EGifPutLine(gif, line.data(), f.width), "line");
        }
    }
    if (EGifCloseFile(gif, &error) == GIF_ERROR) throw std::runtime_error("EGifCloseFile failed");
    return ReadBytes(path);
}

namespace {

void Put16(Bytes& b, unsigned v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

Bytes IcoBitmap(const IcoImageSpec& s) {
    if (s.png) return Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 0};
    Bytes b;
    const int colours = s.bitsPerPixel <= 8 ? static_cast<int>(s.palette.size()) : 0;
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(s.width));
    Put32(b, static_cast<std::uint32_t>(s.height * 2));
    Put16(b, 1);
    Put16(b, static_cast<unsigned>(s.bitsPerPixel));
    Put32(b, 0); // BI_RGB
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, static_cast<std::uint32_t>(colours));
    Put32(b, 0);
    for (std::uint32_t c : s.palette) {
        b.push_back(static_cast<std::uint8_t>(c));
        b.push_back(static_cast<std::uint8_t>(c >> 8));
        b.push_back(static_cast<std::uint8_t>(c >> 16));
        b.push_back(0);
    }
    const std::size_t stride = (static_cast<std::size_t>(s.width) * s.bitsPerPixel + 31) / 32 * 4;
    for (int y = s.height - 1; y >= 0; --y) {
        Bytes row(stride, 0);
        for (int x = 0; x < s.width; ++x) {
            const std::uint32_t v = s.pixels[static_cast<std::size_t>(y) * s.width + x];
            switch (s.bitsPerPixel) {
            case 1:
                row[x / 8] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8));
                break;
            case 4:
                row[x / 2] |= static_cast<std::uint8_t>((v & 0xF) << (x % 2 ? 0 : 4));
                break;
            case 8:
                row[x] = static_cast<std::uint8_t>(v);
                break;
            default:
                for (int k = 0; k < s.bitsPerPixel / 8; ++k)
                    row[x * (s.bitsPerPixel / 8) + k] = static_cast<std::uint8_t>(v >> (8 * k));
            }
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    const std::size_t maskStride = (static_cast<std::size_t>(s.width) + 31) / 32 * 4;
    for (int y = s.height - 1; y >= 0; --y) {
        Bytes row(maskStride, 0);
        for (int x = 0; x < s.width; ++x)
            if (!s.masked.empty() && s.masked[static_cast<std::size_t>(y) * s.width + x])
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

} // namespace

Bytes MakeIco(const std::vector<IcoImageSpec>& images) {
    Bytes out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(images.size()));
    std::vector<Bytes> bitmaps;
    for (const IcoImageSpec& s : images)
        bitmaps.push_back(IcoBitmap(s));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const IcoImageSpec& s = images[i];
        out.push_back(static_cast<std::uint8_t>(s.width >= 256 ? 0 : s.width));
        out.push_back(static_cast<std::uint8_t>(s.height >= 256 ? 0 : s.height));
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, static_cast<unsigned>(s.bitsPerPixel));
        Put32(out, static_cast<std::uint32_t>(bitmaps[i].size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(bitmaps[i].size());
    }
    for (const Bytes& b : bitmaps)
        out.insert(out.end(), b.begin(), b.end());
    return out;
}

Bytes MakePcx(PcxLayout s) {
    if (s.bytesPerLine == 0) s.bytesPerLine = ((s.width * s.bitsPerPixel + 7) / 8 + 1) / 2 * 2;
    Bytes out(128, 0);
    out[0] = 0x0A;
    out[1] = 5;
    out[2] = s.compressed ? 1 : 0;
    out[3] = static_cast<std::uint8_t>(s.bitsPerPixel);
    auto set16 = [&](std::size_t at, unsigned v) {
        out[at] = static_cast<std::uint8_t>(v);
        out[at + 1] = static_cast<std::uint8_t>(v >> 8);
    };
    set16(4, 10); // a window that does not start at 0
    set16(6, 20);
    set16(8, 10 + static_cast<unsigned>(s.width) - 1);
    set16(10, 20 + static_cast<unsigned>(s.height) - 1);
    for (std::size_t i = 0; i < s.headerPalette.size() && i < 16; ++i) {
        out[16 + 3 * i] = static_cast<std::uint8_t>(s.headerPalette[i] >> 16);
        out[17 + 3 * i] = static_cast<std::uint8_t>(s.headerPalette[i] >> 8);
        out[18 + 3 * i] = static_cast<std::uint8_t>(s.headerPalette[i]);
    }
    out[65] = static_cast<std::uint8_t>(s.planes);
    set16(66, static_cast<unsigned>(s.bytesPerLine));
    set16(68, 1);

    const std::size_t lineBytes = static_cast<std::size_t>(s.bytesPerLine) * s.planes;
    auto encode = [&](std::size_t from, std::size_t to) {
        std::size_t i = from;
        while (i < to) {
            const std::uint8_t v = s.planeBytes[i];
            std::size_t run = 1;
            while (i + run < to && run < 63 && s.planeBytes[i + run] == v)
                ++run;
            if (run > 1 || (v & 0xC0) == 0xC0) {
                out.push_back(static_cast<std::uint8_t>(0xC0 | run));
                out.push_back(v);
            } else {
                out.push_back(v);
            }
            i += run;
        }
    };
    if (!s.compressed) {
        out.insert(out.end(), s.planeBytes.begin(), s.planeBytes.end());
    } else if (s.crossLineRuns) {
        encode(0, s.planeBytes.size());
    } else {
        for (std::size_t y = 0; y < static_cast<std::size_t>(s.height); ++y)
            encode(y * lineBytes, (y + 1) * lineBytes);
    }
    if (!s.palette256.empty()) {
        out.push_back(0x0C);
        for (std::size_t i = 0; i < 256; ++i) {
            const std::uint32_t c = i < s.palette256.size() ? s.palette256[i] : 0;
            out.push_back(static_cast<std::uint8_t>(c >> 16));
            out.push_back(static_cast<std::uint8_t>(c >> 8));
            out.push_back(static_cast<std::uint8_t>(c));
        }
    }
    return out;
}
