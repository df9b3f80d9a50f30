#pragma once
// Scanning a line of mask bytes (0 inside, anything else outside) for where the inside
// starts or ends, eight bytes at a time where the machine stores them low byte first.
#include <bit>
#include <cstdint>
#include <cstring>

// High bit of every byte of `w` that is not zero, exactly (no carries between bytes).
inline std::uint64_t NonZeroBytes(std::uint64_t w) {
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7Full;
    return (((w & low7) + low7) | w) & ~low7;
}

inline std::uint64_t MatchingBytes(std::uint64_t w, bool zero) {
    return zero ? ~NonZeroBytes(w) & 0x8080808080808080ull : NonZeroBytes(w);
}

// First position in [i, end) whose byte is zero (`zero`) or not, else `end`.
inline int FirstWhere(const std::uint8_t* line, int i, int end, bool zero) {
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 8 <= end; i += 8) {
            std::uint64_t w;
            std::memcpy(&w, line + i, 8);
            if (const std::uint64_t found = MatchingBytes(w, zero)) return i + std::countr_zero(found) / 8;
        }
    }
    for (; i < end; ++i)
        if ((line[i] == 0) == zero) return i;
    return end;
}

// Last position in [lo, i] whose byte is zero (`zero`) or not, else lo - 1.
inline int LastWhere(const std::uint8_t* line, int lo, int i, bool zero) {
    if constexpr (std::endian::native == std::endian::little) {
        for (; i - 7 >= lo; i -= 8) {
            std::uint64_t w;
            std::memcpy(&w, line + i - 7, 8);
            if (const std::uint64_t found = MatchingBytes(w, zero))
                return i - 7 + (63 - std::countl_zero(found)) / 8;
        }
    }
    for (; i >= lo; --i)
        if ((line[i] == 0) == zero) return i;
    return lo - 1;
}
