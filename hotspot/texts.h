// The fixed texts and values of the hotspot logic. Literals are compiled to code page 936
// (GBK), so each constant holds exactly the bytes that go into a command line or a control.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace wavoro {

// Command lines handed to netsh.
inline constexpr std::string_view createCommandHead =
    "netsh wlan set hostednetwork mode=allow ssid=";
inline constexpr std::string_view closeCommandHead =
    "netsh wlan set hostednetwork mode=disallow ssid=";
inline constexpr std::string_view keySeparator = "  key=";
inline constexpr std::string_view startCommand = "netsh wlan start hostednetwork";
inline constexpr std::string_view stopCommand = "netsh wlan stop hostednetwork";

// Status lines shown in the two labels after a hotspot has been created.
inline constexpr std::string_view createdLineHead = "您已创建";
inline constexpr std::string_view createdLineTail = "无线热点";
inline constexpr std::string_view passwordLineHead = "热点密码为：";

// createButton captions; only closeHotspotCaption selects the close procedure.
inline constexpr std::string_view createHotspotCaption = "创建无线热点";
inline constexpr std::string_view closeHotspotCaption = "关闭无线热点";

// wifiButton captions; only stopWifiCaption selects stopping.
inline constexpr std::string_view wifiReadyCaption = "启动WIFI";
inline constexpr std::string_view wifiClosedCaption = "停止WIFI";
inline constexpr std::string_view stopWifiCaption = "停止";
inline constexpr std::string_view startWifiCaption = "启动";

// Label captions after a close.
inline constexpr std::string_view closedNameCaption = "无线热点已关闭！";
inline constexpr std::string_view closedPasswordCaption = "  ";

// Messages for a refused create.
inline constexpr std::string_view shortNameMessage = "名称不长度不能小于8位，请重新输入！";
inline constexpr std::string_view shortPasswordMessage = "密码长度不能小于8位，请重新输入！";

// The fatal runtime error for exhausted memory; %d stands for the requested byte count.
inline constexpr std::string_view allocationFailedMessage = "分配 %d 字节内存失败!";

// Colour of both status labels after a create or a close: 0x00BBGGRR, a dark red.
inline constexpr std::uint32_t statusTextColour = 0x000080;

// Fewest bytes a network name or password may have, counted on the text as typed.
inline constexpr std::size_t minimumFieldLength = 8;

// Markers and replacements of the field-text transform.
inline constexpr char straightQuoteMarker = '`';
inline constexpr char straightQuote = '"';
inline constexpr char curlyQuoteMarker = '~';
inline constexpr std::string_view openingCurlyQuote = "“";
inline constexpr std::string_view closingCurlyQuote = "”";
inline constexpr char escapePrefix = '%';
inline constexpr std::string_view escapeLetters = "sdftTnN";
inline constexpr std::string_view lineBreak = "\r\n";
inline constexpr std::string_view doubleLineBreak = "\r\n\r\n";
inline constexpr std::string_view emptyValueMarker = "(空)";
// What the first value escape becomes: %s, %d and %f the bare marker, %t and %T quoted.
inline constexpr std::string_view emptyValueQuoted = "\"(空)\"";
inline constexpr std::string_view emptyValueCurlyQuoted = "“(空)”";

} // namespace wavoro
