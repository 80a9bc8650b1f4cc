// Texts written as hex bytes, so that expectations do not depend on how the compiler
// converts literals.
#pragma once

#include <string>
#include <string_view>

namespace wavoro::test {

// "c4 fa 41" -> the three bytes C4 FA 41; spaces are ignored.
inline std::string fromHex(std::string_view hex) {
    const auto nibble = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
    std::string bytes;
    int high = -1;
    for (const char c : hex) {
        if (c == ' ') {
            continue;
        }
        if (high < 0) {
            high = nibble(c);
        } else {
            bytes.push_back(static_cast<char>(high * 16 + nibble(c)));
            high = -1;
        }
    }
    return bytes;
}

// The bytes as lower-case hex pairs separated by spaces, for readable failure messages.
inline std::string toHex(std::string_view bytes) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string hex;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (!hex.empty()) {
            hex.push_back(' ');
        }
        hex.push_back(digits[b >> 4]);
        hex.push_back(digits[b & 15]);
    }
    return hex;
}

} // namespace wavoro::test
