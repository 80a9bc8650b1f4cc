#include "hotspot/field_text.h"

#include "hotspot/texts.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>

namespace wavoro {

namespace {

std::string_view bytesOf(std::string_view text) {
    return text.substr(0, textByteLength(text));
}

Text joinPieces(std::span<const std::string_view> pieces) {
    std::size_t length = 0;
    for (const std::string_view piece : pieces) {
        length = addTextLengths(length, piece.size());
    }
    Text joined = allocateText(length);
    char* out = joined.data();
    for (const std::string_view piece : pieces) {
        if (!piece.empty()) {
            std::memcpy(out, piece.data(), piece.size());
            out += piece.size();
        }
    }
    return joined;
}

// In code page 936 a byte from 81 to FE starts a double-byte character, whatever follows it.
// Any other byte ends a character, so the byte after it always starts one.
constexpr bool isLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

constexpr bool isMarkerByte(unsigned char byte) {
    return byte == static_cast<unsigned char>(straightQuoteMarker) ||
           byte == static_cast<unsigned char>(curlyQuoteMarker) ||
           byte == static_cast<unsigned char>(escapePrefix);
}

// Position of the first marker byte in [from, end), or end; eight bytes at a time.
std::size_t findMarkerByte(const unsigned char* text, std::size_t from, std::size_t end) {
    std::size_t at = from;
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t ones = 0x0101010101010101;
        constexpr std::uint64_t highs = 0x8080808080808080;
        // High bit set in each zero byte; bits above the lowest such byte may be wrong.
        const auto zeroBytes = [](std::uint64_t word) { return (word - ones) & ~word & highs; };
        constexpr std::uint64_t straight = ones * static_cast<unsigned char>(straightQuoteMarker);
        constexpr std::uint64_t curly = ones * static_cast<unsigned char>(curlyQuoteMarker);
        constexpr std::uint64_t escape = ones * static_cast<unsigned char>(escapePrefix);
        for (; end - at >= 8; at += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, text + at, sizeof word);
            const std::uint64_t hits =
                zeroBytes(word ^ straight) | zeroBytes(word ^ curly) | zeroBytes(word ^ escape);
            if (hits != 0) {
                return at + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
            }
        }
    }
    for (; at < end; ++at) {
        if (isMarkerByte(text[at])) {
            return at;
        }
    }
    return end;
}

// Position of the first marker in [from, end) that starts a character, or end; `from` must
// start a character. A marker byte is the second byte of a character exactly when an odd
// number of lead bytes runs up to it. Each look back stops at the previous marker at the
// latest, so the search stays linear.
std::size_t findMarker(const unsigned char* text, std::size_t from, std::size_t end) {
    // Markers often come close together: look at the first few characters one by one.
    const std::size_t near = end - from > 8 ? from + 8 : end;
    while (from < near) {
        const unsigned char byte = text[from];
        if (isMarkerByte(byte)) {
            return from;
        }
        from += isLeadByte(byte) && from + 1 < end ? 2u : 1u;
    }
    if (from >= end) {
        return end;
    }
    for (;;) {
        const std::size_t at = findMarkerByte(text, from, end);
        if (at == end) {
            return end;
        }
        std::size_t runStart = at;
        while (runStart > from && isLeadByte(text[runStart - 1])) {
            --runStart;
        }
        if ((at - runStart) % 2 == 0) {
            return at;
        }
        from = at + 1;
    }
}

// What an escape letter after % becomes; empty when the escape stays as it is.
std::string_view escapeReplacement(char letter, bool& valueSlotFree) {
    switch (letter) {
    case 'n':
        return lineBreak;
    case 'N':
        return doubleLineBreak;
    case 's':
    case 'd':
    case 'f':
    case 't':
    case 'T':
        if (!valueSlotFree) {
            return {};
        }
        valueSlotFree = false;
        return letter == 't'   ? emptyValueQuoted
               : letter == 'T' ? emptyValueCurlyQuoted
                               : emptyValueMarker;
    default:
        return {};
    }
}

// One walk over a field text hands the expanded text, in order, to the sink: once to measure
// it, once to write it.
template <class Sink>
void expandInto(std::string_view fieldText, Sink& sink) {
    const auto* text = reinterpret_cast<const unsigned char*>(fieldText.data());
    const std::size_t end = fieldText.size();
    bool valueSlotFree = true;
    bool nextCurlyOpens = true;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = findMarker(text, from, end);
        sink.append(fieldText.substr(from, at - from));
        if (at == end) {
            return;
        }
        const char marker = fieldText[at];
        from = at + 1;
        if (marker == straightQuoteMarker) {
            sink.append(std::string_view(&straightQuote, 1));
        } else if (marker == curlyQuoteMarker) {
            sink.append(nextCurlyOpens ? openingCurlyQuote : closingCurlyQuote);
            nextCurlyOpens = !nextCurlyOpens;
        } else if (at + 1 < end) {
            const std::string_view replacement =
                escapeReplacement(fieldText[at + 1], valueSlotFree);
            if (replacement.empty()) {
                // The % stays; the byte after it starts a character and may start an escape.
                sink.append(fieldText.substr(at, 1));
            } else {
                sink.append(replacement);
                from = at + 2;
            }
        } else {
            sink.append(fieldText.substr(at, 1));
        }
    }
}

// Counts without overflow checks: expandFieldText makes sure that the largest possible result
// fits before it measures.
struct LengthSink {
    std::size_t length = 0;
    void append(std::string_view piece) { length += piece.size(); }
};

struct WriteSink {
    char* out;
    void append(std::string_view piece) {
        // Most pieces between close markers are a few bytes: copy those without a call.
        if (piece.size() <= 8) {
            for (const char byte : piece) {
                *out++ = byte;
            }
        } else {
            std::memcpy(out, piece.data(), piece.size());
            out += piece.size();
        }
    }
};

} // namespace

Text joinTexts(std::string_view piece1, std::string_view piece2) {
    const std::array pieces{bytesOf(piece1), bytesOf(piece2)};
    return joinPieces(pieces);
}

Text joinTexts(std::string_view piece1, std::string_view piece2, std::string_view piece3) {
    const std::array pieces{bytesOf(piece1), bytesOf(piece2), bytesOf(piece3)};
    return joinPieces(pieces);
}

Text joinTexts(std::string_view piece1, std::string_view piece2, std::string_view piece3,
               std::string_view piece4) {
    const std::array pieces{bytesOf(piece1), bytesOf(piece2), bytesOf(piece3), bytesOf(piece4)};
    return joinPieces(pieces);
}

bool sameText(std::string_view a, std::string_view b) {
    return bytesOf(a) == bytesOf(b);
}

Text expandFieldText(std::string_view fieldText) {
    const std::string_view text = bytesOf(fieldText);
    if (text.empty()) {
        return {};
    }
    // Each byte adds at most one more (a tilde becomes two bytes, %N four), and the one value
    // escape at most six.
    (void)addTextLengths(addTextLengths(text.size(), text.size()), 6);
    LengthSink measure;
    expandInto(text, measure);
    Text expanded = allocateText(measure.length);
    WriteSink write{expanded.data()};
    expandInto(text, write);
    return expanded;
}

} // namespace wavoro
