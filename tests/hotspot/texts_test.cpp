// The fixed texts must reach netsh and the controls as code page 936 bytes.
#include "hotspot/texts.h"
#include "tests/hotspot/hex.h"

#include <gtest/gtest.h>

namespace wavoro {
namespace {

using test::fromHex;
using test::toHex;

struct FixedText {
    const char* name;
    std::string_view text;
    std::size_t length;
    const char* hex; // nullptr for plain ASCII texts, checked by length and content alone
};

TEST(FixedTexts, AreTheExactCodePage936Bytes) {
    const FixedText table[] = {
        {"createCommandHead", createCommandHead, 45, nullptr},
        {"closeCommandHead", closeCommandHead, 48, nullptr},
        {"keySeparator", keySeparator, 6, "20 20 6b 65 79 3d"},
        {"startCommand", startCommand, 30, nullptr},
        {"stopCommand", stopCommand, 29, nullptr},
        {"createdLineHead", createdLineHead, 8, "c4 fa d2 d1 b4 b4 bd a8"},
        {"createdLineTail", createdLineTail, 8, "ce de cf df c8 c8 b5 e3"},
        {"passwordLineHead", passwordLineHead, 12, "c8 c8 b5 e3 c3 dc c2 eb ce aa a3 ba"},
        {"createHotspotCaption", createHotspotCaption, 12, "b4 b4 bd a8 ce de cf df c8 c8 b5 e3"},
        {"closeHotspotCaption", closeHotspotCaption, 12, "b9 d8 b1 d5 ce de cf df c8 c8 b5 e3"},
        {"wifiReadyCaption", wifiReadyCaption, 8, "c6 f4 b6 af 57 49 46 49"},
        {"wifiClosedCaption", wifiClosedCaption, 8, "cd a3 d6 b9 57 49 46 49"},
        {"stopWifiCaption", stopWifiCaption, 4, "cd a3 d6 b9"},
        {"startWifiCaption", startWifiCaption, 4, "c6 f4 b6 af"},
        {"closedNameCaption", closedNameCaption, 16,
         "ce de cf df c8 c8 b5 e3 d2 d1 b9 d8 b1 d5 a3 a1"},
        {"closedPasswordCaption", closedPasswordCaption, 2, "20 20"},
        {"shortNameMessage", shortNameMessage, 35,
         "c3 fb b3 c6 b2 bb b3 a4 b6 c8 b2 bb c4 dc d0 a1 d3 da 38 ce bb a3 ac c7 eb d6 d8 d0 c2 "
         "ca e4 c8 eb a3 a1"},
        {"shortPasswordMessage", shortPasswordMessage, 33,
         "c3 dc c2 eb b3 a4 b6 c8 b2 bb c4 dc d0 a1 d3 da 38 ce bb a3 ac c7 eb d6 d8 d0 c2 ca e4 "
         "c8 eb a3 a1"},
        {"allocationFailedMessage", allocationFailedMessage, 21,
         "b7 d6 c5 e4 20 25 64 20 d7 d6 bd da c4 da b4 e6 ca a7 b0 dc 21"},
        {"openingCurlyQuote", openingCurlyQuote, 2, "a1 b0"},
        {"closingCurlyQuote", closingCurlyQuote, 2, "a1 b1"},
        {"emptyValueMarker", emptyValueMarker, 4, "28 bf d5 29"},
        {"emptyValueQuoted", emptyValueQuoted, 6, "22 28 bf d5 29 22"},
        {"emptyValueCurlyQuoted", emptyValueCurlyQuoted, 8, "a1 b0 28 bf d5 29 a1 b1"},
        {"lineBreak", lineBreak, 2, "0d 0a"},
        {"doubleLineBreak", doubleLineBreak, 4, "0d 0a 0d 0a"},
        {"escapeLetters", escapeLetters, 7, "73 64 66 74 54 6e 4e"},
    };
    for (const FixedText& row : table) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.text.size(), row.length);
        if (row.hex != nullptr) {
            EXPECT_EQ(toHex(row.text), toHex(fromHex(row.hex)));
        }
    }
    EXPECT_EQ(createCommandHead, "netsh wlan set hostednetwork mode=allow ssid=");
    EXPECT_EQ(closeCommandHead, "netsh wlan set hostednetwork mode=disallow ssid=");
    EXPECT_EQ(startCommand, "netsh wlan start hostednetwork");
    EXPECT_EQ(stopCommand, "netsh wlan stop hostednetwork");
}

TEST(FixedTexts, MarkersAndValues) {
    EXPECT_EQ(straightQuoteMarker, '\x60');
    EXPECT_EQ(straightQuote, '\x22');
    EXPECT_EQ(curlyQuoteMarker, '\x7e');
    EXPECT_EQ(escapePrefix, '\x25');
    EXPECT_EQ(statusTextColour, 0x80u);
    EXPECT_EQ(minimumFieldLength, 8u);
}

} // namespace
} // namespace wavoro
