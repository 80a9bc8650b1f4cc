// Expected texts for the tests, made without the compiler's literal conversion: from hex bytes,
// or converted from UTF-8 to code page 936 by the C library at run time.
#pragma once

#include <iconv.h>

#include <cerrno>
#include <stdexcept>
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

// The UTF-8 text in code page 936 (GBK), as the program holds it.
inline std::string gbk(std::u8string_view utf8) {
    const iconv_t converter = iconv_open("GBK", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error("no UTF-8 to GBK converter");
    }
    std::string in(utf8.begin(), utf8.end());
    std::string out(in.size() * 2 + 1, '\0');
    char* inPointer = in.data();
    std::size_t inLeft = in.size();
    char* outPointer = out.data();
    std::size_t outLeft = out.size();
    const std::size_t converted = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    iconv_close(converter);
    if (converted == static_cast<std::size_t>(-1)) {
        throw std::runtime_error("text not convertible to GBK");
    }
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace wavoro::test
