// Properties of expandFieldText that hold for any bytes: it never reads past its input, its
// result has the length that the replacements add up to, text without markers comes back
// unchanged, and the result equals a plain pass-by-pass rendering of the rules.
#include "hotspot/field_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace {

bool isLead(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

bool isValueLetter(char letter) {
    return letter == 's' || letter == 'd' || letter == 'f' || letter == 't' || letter == 'T';
}

// Bytes the result gains over the field text, counted character by character.
std::size_t expectedGrowth(std::string_view text) {
    std::size_t growth = 0;
    bool slotFree = true;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (isLead(byte) && i + 1 < text.size()) {
            i += 2;
        } else if (byte == '~') {
            growth += 1;
            i += 1;
        } else if (byte == '%' && i + 1 < text.size()) {
            const char letter = text[i + 1];
            if (letter == 'N') {
                growth += 2;
                i += 2;
            } else if (letter == 'n') {
                i += 2;
            } else if (isValueLetter(letter) && slotFree) {
                slotFree = false;
                growth += letter == 't' ? 4 : letter == 'T' ? 6 : 2;
                i += 2;
            } else {
                i += 1; // unchanged, including later value escapes
            }
        } else {
            i += 1;
        }
    }
    return growth;
}

// Length of the character starting at `i`: two for a lead byte with a byte after it.
std::size_t characterLength(const std::string& text, std::size_t i) {
    return isLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

// The rules applied literally: three passes, each rewriting the text in place.
std::string renderByPasses(std::string text) {
    for (std::size_t i = 0; i < text.size(); i += characterLength(text, i)) {
        if (text[i] == '`') {
            text[i] = '"';
        }
    }
    bool opening = true;
    for (std::size_t i = 0; i < text.size(); i += characterLength(text, i)) {
        if (text[i] == '~') {
            text.replace(i, 1, opening ? "\xa1\xb0" : "\xa1\xb1");
            opening = !opening;
        }
    }
    bool slotFree = true;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '%' || i + 1 == text.size()) {
            i += characterLength(text, i);
            continue;
        }
        std::string replacement;
        switch (text[i + 1]) {
        case 'n':
            replacement = "\r\n";
            break;
        case 'N':
            replacement = "\r\n\r\n";
            break;
        case 's':
        case 'd':
        case 'f':
            replacement = slotFree ? "(\xbf\xd5)" : "";
            slotFree = false;
            break;
        case 't':
            replacement = slotFree ? "\"(\xbf\xd5)\"" : "";
            slotFree = false;
            break;
        case 'T':
            replacement = slotFree ? "\xa1\xb0(\xbf\xd5)\xa1\xb1" : "";
            slotFree = false;
            break;
        default:
            break;
        }
        if (replacement.empty()) {
            i += 1;
        } else {
            text.replace(i, 2, replacement);
            i += replacement.size();
        }
    }
    return text;
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "expandFieldText: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exactly sized block, so that a read past the input is caught.
    const std::unique_ptr<char[]> input(new char[size]);
    if (size != 0) {
        std::memcpy(input.get(), data, size);
    }
    const std::string_view whole(input.get(), size);
    const std::string_view text = whole.substr(0, wavoro::textByteLength(whole));

    const wavoro::Text expanded = wavoro::expandFieldText(whole);

    if (expanded.size() != text.size() + expectedGrowth(text)) {
        fail("length is not the input length plus what the replacements add");
    }
    if (text.find_first_of("`~%") == std::string_view::npos && expanded != text) {
        fail("text without markers changed");
    }
    if (expanded != renderByPasses(std::string(text))) {
        fail("result differs from the pass-by-pass rendering");
    }
    return 0;
}
