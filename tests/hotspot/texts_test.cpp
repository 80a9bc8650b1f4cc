// The fixed texts must reach netsh and the controls as code page 936 bytes. Expected texts are
// converted from UTF-8 by the C library, not by the compiler.
#include "hotspot/texts.h"
#include "tests/support/text_bytes.h"

#include <gtest/gtest.h>

namespace wavoro {
namespace {

using test::fromHex;
using test::gbk;
using test::toHex;

struct FixedText {
    const char* name;
    std::string_view text;
    std::string expected;
    std::size_t length;
};

TEST(FixedTexts, AreTheExactCodePage936Bytes) {
    const FixedText table[] = {
        {"createCommandHead", createCommandHead,
         "netsh wlan set hostednetwork mode=allow ssid=", 45},
        {"closeCommandHead", closeCommandHead,
         "netsh wlan set hostednetwork mode=disallow ssid=", 48},
        {"keySeparator", keySeparator, fromHex("20 20 6b 65 79 3d"), 6},
        {"startCommand", startCommand, "netsh wlan start hostednetwork", 30},
        {"stopCommand", stopCommand, "netsh wlan stop hostednetwork", 29},
        {"createdLineHead", createdLineHead, gbk(u8"您已创建"), 8},
        {"createdLineTail", createdLineTail, gbk(u8"无线热点"), 8},
        {"passwordLineHead", passwordLineHead, gbk(u8"热点密码为："), 12},
        {"createHotspotCaption", createHotspotCaption, gbk(u8"创建无线热点"), 12},
        {"closeHotspotCaption", closeHotspotCaption, gbk(u8"关闭无线热点"), 12},
        {"wifiReadyCaption", wifiReadyCaption, gbk(u8"启动WIFI"), 8},
        {"wifiClosedCaption", wifiClosedCaption, gbk(u8"停止WIFI"), 8},
        {"stopWifiCaption", stopWifiCaption, gbk(u8"停止"), 4},
        {"startWifiCaption", startWifiCaption, gbk(u8"启动"), 4},
        {"closedNameCaption", closedNameCaption, gbk(u8"无线热点已关闭！"), 16},
        {"closedPasswordCaption", closedPasswordCaption, "  ", 2},
        {"shortNameMessage", shortNameMessage, gbk(u8"名称不长度不能小于8位，请重新输入！"), 35},
        {"shortPasswordMessage", shortPasswordMessage, gbk(u8"密码长度不能小于8位，请重新输入！"),
         33},
        {"allocationFailedMessage", allocationFailedMessage, gbk(u8"分配 %d 字节内存失败!"), 21},
        {"openingCurlyQuote", openingCurlyQuote, gbk(u8"“"), 2},
        {"closingCurlyQuote", closingCurlyQuote, gbk(u8"”"), 2},
        {"emptyValueMarker", emptyValueMarker, gbk(u8"(空)"), 4},
        {"emptyValueQuoted", emptyValueQuoted, gbk(u8"\"(空)\""), 6},
        {"emptyValueCurlyQuoted", emptyValueCurlyQuoted, gbk(u8"“(空)”"), 8},
        {"lineBreak", lineBreak, fromHex("0d 0a"), 2},
        {"doubleLineBreak", doubleLineBreak, fromHex("0d 0a 0d 0a"), 4},
        {"escapeLetters", escapeLetters, fromHex("73 64 66 74 54 6e 4e"), 7},
    };
    for (const FixedText& row : table) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(toHex(row.text), toHex(row.expected));
        EXPECT_EQ(row.text.size(), row.length);
    }
}

// The byte values written out in the rules of the program.
TEST(FixedTexts, HoldTheDocumentedByteValues) {
    EXPECT_EQ(toHex(passwordLineHead.substr(10)), "a3 ba"); // full-width colon
    EXPECT_EQ(toHex(openingCurlyQuote), "a1 b0");
    EXPECT_EQ(toHex(closingCurlyQuote), "a1 b1");
    EXPECT_EQ(toHex(emptyValueMarker), "28 bf d5 29");
    EXPECT_EQ(toHex(emptyValueQuoted), "22 28 bf d5 29 22");
    EXPECT_EQ(toHex(emptyValueCurlyQuoted), "a1 b0 28 bf d5 29 a1 b1");
    EXPECT_EQ(straightQuoteMarker, '\x60');
    EXPECT_EQ(straightQuote, '\x22');
    EXPECT_EQ(curlyQuoteMarker, '\x7e');
    EXPECT_EQ(escapePrefix, '\x25');
    EXPECT_EQ(statusTextColour, 0x80u);
    EXPECT_EQ(minimumFieldLength, 8u);
}

} // namespace
} // namespace wavoro
