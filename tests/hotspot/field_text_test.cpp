// joinTexts, sameText and expandFieldText, and what happens when memory for a text runs out.
#include "hotspot/field_text.h"
#include "tests/support/text_bytes.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace wavoro {
namespace {

using test::toHex;

const std::string opening = "\xa1\xb0";      // “
const std::string closing = "\xa1\xb1";      // ”
const std::string emptyValue = "(\xbf\xd5)"; // (空)
const std::string crlf = "\r\n";

struct Expansion {
    std::string fieldText;
    std::string expanded;
};

void expectExpansions(const std::vector<Expansion>& table) {
    for (const Expansion& row : table) {
        SCOPED_TRACE("field text " + toHex(row.fieldText));
        EXPECT_EQ(toHex(expandFieldText(row.fieldText)), toHex(row.expanded));
    }
}

TEST(ExpandFieldText, ReplacesQuoteMarkersAndEscapes) {
    expectExpansions({
        {"", ""},
        {"HomeNet8", "HomeNet8"},
        {"Home`Net`", "Home\"Net\""},
        {"~Cafe~ ~Bar~", opening + "Cafe" + closing + " " + opening + "Bar" + closing},
        {"~~~", opening + closing + opening},
        {"A%nB", "A" + crlf + "B"},
        {"A%NB", "A" + crlf + crlf + "B"},
        {"Net%s%s", "Net" + emptyValue + "%s"},
        {"%d%n%f", emptyValue + crlf + "%f"},
        {"%t-%T", "\"" + emptyValue + "\"-%T"},
        {"%T-%t", opening + emptyValue + closing + "-%t"},
        {"~%t~", opening + "\"" + emptyValue + "\"" + closing},
        {"50%", "50%"},
        {"50%%n", "50%" + crlf},
        {"%x%S", "%x%S"},
        {"%%%", "%%%"},
        {"%f%f%n%N%s", emptyValue + "%f" + crlf + crlf + crlf + "%s"},
        {"`~`~`", "\"" + opening + "\"" + closing + "\""},
        {"%`s", "%\"s"}, // the quote in between keeps %s from forming
        {"%~n", "%" + opening + "n"},
    });
}

// Code page 936 is read by characters: the second byte of a double-byte character is never a
// marker, whatever its value.
TEST(ExpandFieldText, KeepsDoubleByteCharactersWhole) {
    const std::string chinese = "\xc4\xfa\xba\xc3"; // 您好
    expectExpansions({
        {chinese, chinese},
        {"\x81\x60", "\x81\x60"},
        {"\x81\x7e~", "\x81\x7e" + opening},
        {"~\x81\x7e~\xfe\x7e~", opening + "\x81\x7e" + closing + "\xfe\x7e" + opening},
        {"\x81%n", "\x81%n"}, // 81 25 is one character, the n stands alone
        {"\x81%%n", "\x81%" + crlf},
        {"%\x81n", "%\x81n"},        // n is the second byte after the lead 81
        {"\xb0\xa1`", "\xb0\xa1\""}, // even run of lead-range bytes: the marker is a character
        {"\xb0\xa1\xb0`", "\xb0\xa1\xb0`"}, // odd run: it is the second byte of B0 60
        {"\x80`\xff`", "\x80\"\xff\""},     // 80 and FF start no double-byte character
        {"A\x81", "A\x81"},                 // a lead byte at the end stands alone
        {"~\xb0", opening + "\xb0"},
        {chinese + "~" + chinese + "~", chinese + opening + chinese + closing},
    });
}

// Markers found eight bytes at a time must still be judged by the lead bytes before them,
// also when those run across several words.
TEST(ExpandFieldText, JudgesMarkersAcrossLongRunsOfLeadBytes) {
    for (std::size_t leads = 0; leads < 40; ++leads) {
        for (std::size_t prefix = 0; prefix < 9; ++prefix) {
            const std::string text = std::string(prefix, 'a') + std::string(leads, '\xb0') + "`~";
            std::string expected = std::string(prefix, 'a') + std::string(leads, '\xb0');
            expected += leads % 2 == 0 ? "\"" + opening : "`" + opening;
            SCOPED_TRACE(std::to_string(prefix) + " ASCII bytes, " + std::to_string(leads) +
                         " lead bytes");
            EXPECT_EQ(toHex(expandFieldText(text)), toHex(expected));
        }
    }
}

TEST(ExpandFieldText, EndsAtTheFirstZeroByte) {
    EXPECT_EQ(expandFieldText(std::string_view("A`\0`", 4)), "A\"");
    EXPECT_EQ(expandFieldText(std::string_view("\0~", 2)), "");
    EXPECT_EQ(expandFieldText(std::string_view()), "");
}

TEST(ExpandFieldText, LengthGrowsOnlyByTildesLongerEscapesAndTheFirstValue) {
    const std::string tildes(12, '~');
    EXPECT_EQ(expandFieldText(tildes).size(), 24u);
    EXPECT_EQ(expandFieldText("12345678").size(), 8u);
    EXPECT_EQ(expandFieldText("`%n%x%s%s").size(), 1u + 2 + 2 + 4 + 2);
    EXPECT_EQ(expandFieldText("%T%N").size(), 8u + 4);
}

TEST(JoinTexts, PutsPiecesTogetherInOrder) {
    EXPECT_EQ(joinTexts("ab", "cd"), "abcd");
    EXPECT_EQ(joinTexts("", "x", ""), "x");
    EXPECT_EQ(joinTexts(std::string_view(), "  key=", "pw", std::string_view()), "  key=pw");
    EXPECT_EQ(joinTexts("\xc4\xfa", "-", "\xba\xc3", "!"), "\xc4\xfa-\xba\xc3!");
    EXPECT_EQ(joinTexts("", ""), "");
    // Each piece ends at its first zero byte.
    EXPECT_EQ(joinTexts(std::string_view("ab\0c", 4), "d"), "abd");
}

TEST(SameText, ComparesBytesUpToTheEnd) {
    struct Row {
        std::string_view a;
        std::string_view b;
        bool same;
    };
    const Row table[] = {
        {std::string_view(), "", true},
        {"", "", true},
        {std::string_view(), "\xcd\xa3\xd6\xb9", false},     // none and 停止
        {"\xcd\xa3\xd6\xb9WIFI", "\xcd\xa3\xd6\xb9", false}, // 停止WIFI and 停止
        {"\xcd\xa3\xd6\xb9 ", "\xcd\xa3\xd6\xb9", false},    // trailing space
        {"\xcd\xa3\xd6\xb9", "\xcd\xa3\xd6\xb9", true},
        {"\xcd\xa3", "\xcd\xa4", false},
        {std::string_view("A\0B", 3), "A", true},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(toHex(row.a) + " / " + toHex(row.b));
        EXPECT_EQ(sameText(row.a, row.b), row.same);
        EXPECT_EQ(sameText(row.b, row.a), row.same);
    }
}

// The size reported is that of the whole block, terminating zero included.
TEST(TextAllocation, FailureCarriesTheRequestedBlockSize) {
    const ScopedTextAllocationFailure outOfMemory(1);
    const auto requested = [](auto build) -> std::size_t {
        try {
            build();
        } catch (const TextAllocationError& error) {
            return error.requestedBytes();
        }
        return 0;
    };
    EXPECT_EQ(requested([] { (void)expandFieldText("abc"); }), 4u);
    EXPECT_EQ(requested([] { (void)expandFieldText("~~%T"); }), 13u);
    EXPECT_EQ(requested([] { (void)joinTexts("ab", "cd", "e"); }), 6u);
    // An empty expansion needs no memory.
    EXPECT_EQ(expandFieldText(""), "");
}

TEST(TextAllocation, FailureIsOnlyForBlocksFromTheGivenSize) {
    {
        const ScopedTextAllocationFailure outOfMemory(5);
        EXPECT_EQ(joinTexts("ab", "c"), "abc");
        EXPECT_THROW((void)joinTexts("ab", "cd"), TextAllocationError);
    }
    EXPECT_EQ(joinTexts("ab", "cd"), "abcd");
}

TEST(TextAllocation, SizesThatDoNotFitFailInsteadOfWrapping) {
    constexpr std::size_t max = std::numeric_limits<std::size_t>::max();
    EXPECT_EQ(addTextLengths(max - 1, 1), max);
    try {
        (void)addTextLengths(max, 1);
        ADD_FAILURE() << "no error for an overflowing length";
    } catch (const TextAllocationError& error) {
        EXPECT_EQ(error.requestedBytes(), max);
    }
    EXPECT_THROW((void)allocateText(max), TextAllocationError);
    // Larger than any string can be: refused before memory is asked for.
    const std::size_t tooLong = Text().max_size() + 1;
    try {
        (void)allocateText(tooLong);
        ADD_FAILURE() << "no error for a text longer than max_size";
    } catch (const TextAllocationError& error) {
        EXPECT_EQ(error.requestedBytes(), tooLong + 1);
    }
}

} // namespace
} // namespace wavoro
