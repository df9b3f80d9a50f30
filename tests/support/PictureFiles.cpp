#include "support/PictureFiles.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <utility>

#include <gif_lib.h>

namespace {

ColorMapObject* MakeMap(const std::vector<std::uint32_t>& palette) {
    if (palette.empty()) return nullptr;
    std::size_t count = 2;
    while (count < palette.size())
        count *= 2;
    std::vector<GifColorType> colours(count, GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < palette.size(); ++i)
        colours[i] = {GifByteType(palette[i] >> 16), GifByteType(palette[i] >> 8), GifByteType(palette[i])};
    return GifMakeMapObject(static_cast<int>(count), colours.data());
}

void Check(int result, const char* what) {
    if (result == GIF_ERROR) throw std::runtime_error(what);
}

// An icon image is a bitmap without its file header, twice as high: the colour rows, then
// the one-bit AND mask, both bottom-up.
Bytes IcoBitmap(const IcoImageSpec& s) {
    if (s.png) return Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 0};
    BmpLayout bmp;
    bmp.width = s.width;
    bmp.height = s.height * 2;
    bmp.bits = s.bitsPerPixel;
    if (s.bitsPerPixel <= 8) bmp.palette = s.palette;
    bmp.coloursUsed = static_cast<std::uint32_t>(bmp.palette.size());
    const int bpp = s.bitsPerPixel;
    const std::size_t stride = (static_cast<std::size_t>(s.width) * bpp + 31) / 32 * 4;
    const std::size_t maskStride = (static_cast<std::size_t>(s.width) + 31) / 32 * 4;
    Bytes mask;
    for (int y = s.height - 1; y >= 0; --y) {
        Bytes row(stride, 0), maskRow(maskStride, 0);
        for (int x = 0; x < s.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * s.width + x;
            const std::uint32_t v = s.pixels[i];
            if (bpp < 8)
                row[x * bpp / 8] |=
                    static_cast<std::uint8_t>((v & ((1u << bpp) - 1)) << (8 - bpp - x * bpp % 8));
            else
                for (int k = 0; k < bpp / 8; ++k)
                    row[x * (bpp / 8) + k] = static_cast<std::uint8_t>(v >> (8 * k));
            if (!s.masked.empty() && s.masked[i])
                maskRow[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        bmp.pixelData.insert(bmp.pixelData.end(), row.begin(), row.end());
        mask.insert(mask.end(), maskRow.begin(), maskRow.end());
    }
    bmp.pixelData.insert(bmp.pixelData.end(), mask.begin(), mask.end());
    const Bytes file = MakeBmp(bmp);
    return Bytes(file.begin() + 14, file.end());
}

// Writes `count` palette entries as RGB, zero past the end of `palette`.
void PutPalette(Bytes& out, const std::vector<std::uint32_t>& palette, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        for (int shift : {16, 8, 0})
            out.push_back(static_cast<std::uint8_t>(i < palette.size() ? palette[i] >> shift : 0));
}

} // namespace

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void PutLe(Bytes& v, std::uint32_t x, int bytes) {
    for (int i = 0; i < bytes; ++i)
        v.push_back(static_cast<std::uint8_t>(x >> (8 * i)));
}

Bytes MakeBmp(const BmpLayout& s) {
    Bytes dib;
    const int side = s.headerSize == 12 ? 2 : 4;
    PutLe(dib, static_cast<std::uint32_t>(s.headerSize), 4);
    PutLe(dib, static_cast<std::uint32_t>(s.width), side);
    PutLe(dib, static_cast<std::uint32_t>(s.height), side);
    PutLe(dib, 1, 2);
    PutLe(dib, static_cast<std::uint32_t>(s.bits), 2);
    if (s.headerSize != 12)
        for (auto v : {s.compression, std::uint32_t(s.pixelData.size()), 2835u, 2835u, s.coloursUsed, 0u})
            PutLe(dib, v, 4);
    const bool masks = s.headerSize > 40 || (s.headerSize != 12 && s.compression == 3);
    for (std::size_t i = 0; masks && i < (s.headerSize > 40 ? 3 : s.masks.size()); ++i)
        PutLe(dib, i < s.masks.size() ? s.masks[i] : 0, 4);
    if (s.headerSize > 40) dib.resize(static_cast<std::size_t>(s.headerSize), 0);
    for (std::uint32_t c : s.palette)
        PutLe(dib, c & 0xFFFFFF, s.headerSize == 12 ? 3 : 4);
    Bytes file{'B', 'M'};
    for (std::int64_t v : {static_cast<std::int64_t>(14 + dib.size() + s.pixelData.size()), std::int64_t{0},
                           s.offsetOverride >= 0 ? s.offsetOverride : static_cast<std::int64_t>(14 + dib.size())})
        PutLe(file, static_cast<std::uint32_t>(v), 4);
    file.insert(file.end(), dib.begin(), dib.end());
    file.insert(file.end(), s.pixelData.begin(), s.pixelData.end());
    return file;
}

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
        const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2}; // the four interlace passes
        for (int pass = 0; pass < (f.interlaced ? 4 : 1); ++pass)
            for (int y = f.interlaced ? start[pass] : 0; y < f.height; y += f.interlaced ? step[pass] : 1) {
                std::vector<GifPixelType> line(&f.indices[y * f.width], &f.indices[y * f.width] + f.width);
                Check(EGifPutLine(gif, line.data(), f.width), "line");
            }
    }
    if (EGifCloseFile(gif, &error) == GIF_ERROR) throw std::runtime_error("EGifCloseFile failed");
    return ReadBytes(path);
}

Bytes MakeIco(const std::vector<IcoImageSpec>& images) {
    Bytes out;
    for (std::uint32_t v : {0u, 1u, static_cast<std::uint32_t>(images.size())})
        PutLe(out, v, 2);
    std::vector<Bytes> bitmaps;
    auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const IcoImageSpec& s : images) {
        bitmaps.push_back(IcoBitmap(s));
        const auto size = static_cast<std::uint32_t>(bitmaps.back().size());
        out.push_back(static_cast<std::uint8_t>(s.width >= 256 ? 0 : s.width));
        out.push_back(static_cast<std::uint8_t>(s.height >= 256 ? 0 : s.height));
        for (std::uint32_t v : {0u, 1u, static_cast<std::uint32_t>(s.bitsPerPixel)})
            PutLe(out, v, 2);
        PutLe(out, size, 4);
        PutLe(out, std::exchange(offset, offset + size), 4);
    }
    for (const Bytes& b : bitmaps)
        out.insert(out.end(), b.begin(), b.end());
    return out;
}

Bytes MakePcx(PcxLayout s) {
    if (s.bytesPerLine == 0) s.bytesPerLine = ((s.width * s.bitsPerPixel + 7) / 8 + 1) / 2 * 2;
    // Maker 10, version 5, encoding, bits, then a window that does not start at 0.
    Bytes out{0x0A, 5, static_cast<std::uint8_t>(s.compressed ? 1 : 0),
              static_cast<std::uint8_t>(s.bitsPerPixel)};
    for (int v : {10, 20, 10 + s.width - 1, 20 + s.height - 1})
        PutLe(out, static_cast<std::uint32_t>(v), 2);
    out.resize(16, 0);
    PutPalette(out, s.headerPalette, 16);
    out.insert(out.end(), {0, static_cast<std::uint8_t>(s.planes)});
    PutLe(out, static_cast<std::uint32_t>(s.bytesPerLine | 1 << 16), 4);
    out.resize(128, 0);

    const std::size_t lineBytes = std::size_t(s.bytesPerLine) * s.planes, end = s.planeBytes.size();
    for (std::size_t i = 0; s.compressed && i < end;) {
        // Runs stop at the end of a scan line unless the test lets them cross it.
        const std::size_t lineEnd = s.crossLineRuns ? end : std::min(end, (i / lineBytes + 1) * lineBytes);
        const std::uint8_t v = s.planeBytes[i];
        std::size_t run = 1;
        while (i + run < lineEnd && run < 63 && s.planeBytes[i + run] == v)
            ++run;
        if (run > 1 || (v & 0xC0) == 0xC0) out.push_back(static_cast<std::uint8_t>(0xC0 | run));
        out.push_back(v);
        i += run;
    }
    if (!s.compressed) out.insert(out.end(), s.planeBytes.begin(), s.planeBytes.end());
    if (!s.palette256.empty()) out.push_back(0x0C), PutPalette(out, s.palette256, 256);
    return out;
}
