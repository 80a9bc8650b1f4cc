// Code page 936 texts for the native tests, converted from UTF-8 by the C library at run time, so
// that an expected text does not depend on the compiler's literal conversion.
#pragma once

#include <iconv.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace wavoro::test {

inline std::string gbk(std::u8string_view utf8) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error("no GBK conversion");
    }
    std::string in(reinterpret_cast<const char*>(utf8.data()), utf8.size());
    std::string out(in.size() * 2 + 1, '\0');
    char* inp = in.data();
    char* outp = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t done = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1)) {
        throw std::runtime_error("text not convertible to GBK");
    }
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace wavoro::test
