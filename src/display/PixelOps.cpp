#include "display/PixelOps.h"

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
// Where the compiler can build a routine for AVX2 alone, the keyed copy of 16- and 32-bit
// pixels takes 32 bytes at a time on processors that have it.
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#define PICTORRA_KEYED_AVX2 1
#endif

namespace {

// Pixels are read and written through memcpy so any row alignment is fine; compilers turn
// these into plain moves.
template <int N> std::uint32_t Load(const std::uint8_t* p) {
    std::uint32_t v = 0;
    if constexpr (N == 1) {
        v = p[0];
    } else if constexpr (N == 2) {
        std::uint16_t w;
        std::memcpy(&w, p, 2);
        v = w;
    } else if constexpr (N == 3) {
        v = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
            static_cast<std::uint32_t>(p[2]) << 16;
    } else {
        std::memcpy(&v, p, 4);
    }
    return v;
}

template <int N> void Store(std::uint8_t* p, std::uint32_t v) {
    if constexpr (N == 1) {
        p[0] = static_cast<std::uint8_t>(v);
    } else if constexpr (N == 2) {
        const auto w = static_cast<std::uint16_t>(v);
        std::memcpy(p, &w, 2);
    } else if constexpr (N == 3) {
        p[0] = static_cast<std::uint8_t>(v);
        p[1] = static_cast<std::uint8_t>(v >> 8);
        p[2] = static_cast<std::uint8_t>(v >> 16);
    } else {
        std::memcpy(p, &v, 4);
    }
}

template <int N> void FillRow(std::uint8_t* row, int count, std::uint32_t value) {
    if constexpr (N == 1) {
        std::memset(row, static_cast<int>(value & 0xFF), static_cast<std::size_t>(count));
    } else {
        for (int i = 0; i < count; ++i)
            Store<N>(row + i * N, value);
    }
}

#if defined(PICTORRA_KEYED_AVX2)
bool HasAvx2() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}

// A colour-keyed copy of `rows` rows of `count` pixels, 32 bytes at a time. The last few
// 32-bit pixels of a row are read and written through lane masks, so no pixel past the row
// is touched and a key pixel is never written; 16-bit ones go one by one.
template <int N>
__attribute__((target("avx2"))) void KeyedRowsAvx2(std::uint8_t* dst, int dstPitch, const std::uint8_t* src,
                                                   int srcPitch, int count, int rows, std::uint32_t key,
                                                   std::uint32_t mask) {
    const std::uint32_t k = key & mask;
    const __m256i keyv =
        N == 4 ? _mm256_set1_epi32(static_cast<int>(k)) : _mm256_set1_epi16(static_cast<short>(k));
    const __m256i maskv =
        N == 4 ? _mm256_set1_epi32(static_cast<int>(mask)) : _mm256_set1_epi16(static_cast<short>(mask));
    constexpr int perVector = 32 / N;
    const int whole = count - count % perVector;
    const __m256i tailLanes =
        _mm256_cmpgt_epi32(_mm256_set1_epi32(count - whole), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    for (int row = 0; row < rows; ++row, dst += dstPitch, src += srcPitch) {
        for (int i = 0; i < whole; i += perVector) {
            const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i * N));
            const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i * N));
            const __m256i masked = _mm256_and_si256(s, maskv);
            const __m256i skip = N == 4 ? _mm256_cmpeq_epi32(masked, keyv) : _mm256_cmpeq_epi16(masked, keyv);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i * N), _mm256_blendv_epi8(s, d, skip));
        }
        if (whole == count) continue;
        if constexpr (N == 4) {
            const __m256i s = _mm256_maskload_epi32(reinterpret_cast<const int*>(src + whole * N), tailLanes);
            const __m256i skip = _mm256_cmpeq_epi32(_mm256_and_si256(s, maskv), keyv);
            _mm256_maskstore_epi32(reinterpret_cast<int*>(dst + whole * N),
                                   _mm256_andnot_si256(skip, tailLanes), s);
        } else {
            for (int i = whole; i < count; ++i) {
                const std::uint32_t v = Load<N>(src + i * N);
                if ((v & mask) != k) Store<N>(dst + i * N, v);
            }
        }
    }
}
#endif

// One row of a colour-keyed copy of `count` pixels.
template <int N>
void KeyedRow(std::uint8_t* dst, const std::uint8_t* src, int count, std::uint32_t key, std::uint32_t mask) {
    int i = 0;
#if defined(__SSE2__)
    if constexpr (N == 4 || N == 2) {
        const __m128i keyv = N == 4 ? _mm_set1_epi32(static_cast<int>(key & mask))
                                    : _mm_set1_epi16(static_cast<short>(key & mask));
        const __m128i maskv =
            N == 4 ? _mm_set1_epi32(static_cast<int>(mask)) : _mm_set1_epi16(static_cast<short>(mask));
        constexpr int perVector = 16 / N;
        for (; i + perVector <= count; i += perVector) {
            const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i * N));
            const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i * N));
            const __m128i masked = _mm_and_si128(s, maskv);
            const __m128i skip = N == 4 ? _mm_cmpeq_epi32(masked, keyv) : _mm_cmpeq_epi16(masked, keyv);
            const __m128i out = _mm_or_si128(_mm_and_si128(skip, d), _mm_andnot_si128(skip, s));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i * N), out);
        }
    }
#endif
    const std::uint32_t k = key & mask;
    for (; i < count; ++i) {
        const std::uint32_t v = Load<N>(src + i * N);
        if ((v & mask) != k) Store<N>(dst + i * N, v);
    }
}

template <int N> void Fill(const PixelPlane& p, int l, int t, int r, int b, std::uint32_t value) {
    const int count = r - l;
    std::uint8_t* first = p.bits + static_cast<std::ptrdiff_t>(t) * p.pitch + l * N;
    FillRow<N>(first, count, value);
    // Every other row is a copy of the first.
    for (int y = t + 1; y < b; ++y)
        std::memcpy(p.bits + static_cast<std::ptrdiff_t>(y) * p.pitch + l * N, first,
                    static_cast<std::size_t>(count) * N);
}

template <int N>
void FillRunsAs(const PixelPlane& p, int x, int y, const PixelRun* runs, std::size_t count,
                std::uint32_t value) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::int64_t row = static_cast<std::int64_t>(y) + runs[i].y;
        if (row < 0 || row >= p.height) continue;
        const std::int64_t l = std::max<std::int64_t>(static_cast<std::int64_t>(x) + runs[i].left, 0);
        const std::int64_t r = std::min<std::int64_t>(static_cast<std::int64_t>(x) + runs[i].right, p.width);
        if (l >= r) continue;
        std::uint8_t* at = p.bits + row * p.pitch + l * N;
        if (value == 0) // shadows: every byte zero in any layout
            std::memset(at, 0, static_cast<std::size_t>(r - l) * N);
        else
            FillRow<N>(at, static_cast<int>(r - l), value);
    }
}

struct Clip {
    int x0, y0, x1, y1; // destination pixels to write, [x0, x1) x [y0, y1), in plane coordinates
};

template <int N>
void Copy(const PixelPlane& dst, const PixelPlane& src, const BlitRequest& q, const Clip& c) {
    const int count = c.x1 - c.x0;
    const bool stretched = q.dstWidth != q.srcWidth || q.dstHeight != q.srcHeight;
    if (!stretched) {
        const int sx = q.srcLeft + (c.x0 - q.dstX);
#if defined(PICTORRA_KEYED_AVX2)
        if constexpr (N == 4 || N == 2) {
            if (q.useKey && HasAvx2()) {
                const int sy = q.srcTop + (c.y0 - q.dstY);
                KeyedRowsAvx2<N>(dst.bits + static_cast<std::ptrdiff_t>(c.y0) * dst.pitch + c.x0 * N,
                                 dst.pitch, src.bits + static_cast<std::ptrdiff_t>(sy) * src.pitch + sx * N,
                                 src.pitch, count, c.y1 - c.y0, q.key, q.keyMask);
                return;
            }
        }
#endif
        for (int y = c.y0; y < c.y1; ++y) {
            const int sy = q.srcTop + (y - q.dstY);
            const std::uint8_t* s = src.bits + static_cast<std::ptrdiff_t>(sy) * src.pitch + sx * N;
            std::uint8_t* d = dst.bits + static_cast<std::ptrdiff_t>(y) * dst.pitch + c.x0 * N;
            if (q.useKey)
                KeyedRow<N>(d, s, count, q.key, q.keyMask);
            else
                std::memcpy(d, s, static_cast<std::size_t>(count) * N);
        }
        return;
    }
    // Nearest pixel: each destination pixel takes the source pixel under its centre.
    thread_local std::vector<int> columns;
    columns.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::int64_t dx = c.x0 + i - static_cast<std::int64_t>(q.dstX);
        columns[static_cast<std::size_t>(i)] =
            (q.srcLeft +
             static_cast<int>((2 * dx + 1) * q.srcWidth / (2 * static_cast<std::int64_t>(q.dstWidth)))) *
            N;
    }
    const std::uint32_t k = q.key & q.keyMask;
    for (int y = c.y0; y < c.y1; ++y) {
        const std::int64_t dy = y - static_cast<std::int64_t>(q.dstY);
        const int sy = q.srcTop + static_cast<int>((2 * dy + 1) * q.srcHeight /
                                                   (2 * static_cast<std::int64_t>(q.dstHeight)));
        const std::uint8_t* s = src.bits + static_cast<std::ptrdiff_t>(sy) * src.pitch;
        std::uint8_t* d = dst.bits + static_cast<std::ptrdiff_t>(y) * dst.pitch + c.x0 * N;
        for (int i = 0; i < count; ++i) {
            const std::uint32_t v = Load<N>(s + columns[static_cast<std::size_t>(i)]);
            if (!q.useKey || (v & q.keyMask) != k) Store<N>(d + i * N, v);
        }
    }
}

} // namespace

void FillPixels(const PixelPlane& p, int l, int t, int r, int b, std::uint32_t value) {
    if (!p.bits) return;
    l = std::max(l, 0);
    t = std::max(t, 0);
    r = std::min(r, p.width);
    b = std::min(b, p.height);
    if (l >= r || t >= b) return;
    switch (p.bytesPerPixel) {
    case 1:
        Fill<1>(p, l, t, r, b, value);
        break;
    case 2:
        Fill<2>(p, l, t, r, b, value);
        break;
    case 3:
        Fill<3>(p, l, t, r, b, value);
        break;
    default:
        Fill<4>(p, l, t, r, b, value);
        break;
    }
}

void FillRuns(const PixelPlane& p, int x, int y, const PixelRun* runs, std::size_t count,
              std::uint32_t value) {
    if (!p.bits || !runs) return;
    switch (p.bytesPerPixel) {
    case 1:
        return FillRunsAs<1>(p, x, y, runs, count, value);
    case 2:
        return FillRunsAs<2>(p, x, y, runs, count, value);
    case 3:
        return FillRunsAs<3>(p, x, y, runs, count, value);
    default:
        return FillRunsAs<4>(p, x, y, runs, count, value);
    }
}

void BlitPixels(const PixelPlane& dst, const PixelPlane& src, const BlitRequest& q) {
    if (!dst.bits || !src.bits || dst.bytesPerPixel != src.bytesPerPixel) return;
    if (q.srcWidth <= 0 || q.srcHeight <= 0 || q.dstWidth <= 0 || q.dstHeight <= 0) return;
    if (q.srcLeft < 0 || q.srcTop < 0 || static_cast<std::int64_t>(q.srcLeft) + q.srcWidth > src.width ||
        static_cast<std::int64_t>(q.srcTop) + q.srcHeight > src.height)
        return;
    // Clip in 64 bits: positions far off the plane must not wrap around.
    const std::int64_t x0 = std::max<std::int64_t>(q.dstX, 0);
    const std::int64_t y0 = std::max<std::int64_t>(q.dstY, 0);
    const std::int64_t x1 = std::min<std::int64_t>(static_cast<std::int64_t>(q.dstX) + q.dstWidth, dst.width);
    const std::int64_t y1 =
        std::min<std::int64_t>(static_cast<std::int64_t>(q.dstY) + q.dstHeight, dst.height);
    if (x0 >= x1 || y0 >= y1) return;
    const Clip c{static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1), static_cast<int>(y1)};
    switch (dst.bytesPerPixel) {
    case 1:
        Copy<1>(dst, src, q, c);
        break;
    case 2:
        Copy<2>(dst, src, q, c);
        break;
    case 3:
        Copy<3>(dst, src, q, c);
        break;
    default:
        Copy<4>(dst, src, q, c);
        break;
    }
}
