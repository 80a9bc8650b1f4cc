// A byte-array constant as the program stores it: a 32-bit dimension count (always 1),
// a 32-bit length n, then n bytes. Numbers are little-endian and need not be aligned.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace wavoro {

struct EmbeddedBlob {
    const unsigned char* raw = nullptr; // start of the dimension count

    // The length field read as a signed 32-bit number; 0 for a blob without storage.
    [[nodiscard]] std::int32_t length() const {
        if (raw == nullptr) {
            return 0;
        }
        std::uint32_t n = 0;
        for (int i = 3; i >= 0; --i) {
            n = (n << 8) | raw[4 + i];
        }
        return static_cast<std::int32_t>(n);
    }

    // The payload; empty when the length is 0 or less.
    [[nodiscard]] std::span<const unsigned char> bytes() const {
        const std::int32_t n = length();
        if (n <= 0) {
            return {};
        }
        return {raw + 8, static_cast<std::size_t>(n)};
    }
};

} // namespace wavoro
