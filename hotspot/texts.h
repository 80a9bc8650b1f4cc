// The fixed texts and values of the hotspot logic, as the code page 936 (GBK) bytes that go into
// a command line or a control. Chinese texts are spelled as byte escapes, the text beside them,
// so that every compiler produces the same bytes.
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
// 您已创建
inline constexpr std::string_view createdLineHead = "\xc4\xfa\xd2\xd1\xb4\xb4\xbd\xa8";
// 无线热点
inline constexpr std::string_view createdLineTail = "\xce\xde\xcf\xdf\xc8\xc8\xb5\xe3";
// 热点密码为： (ends in the full-width colon A3 BA)
inline constexpr std::string_view passwordLineHead =
    "\xc8\xc8\xb5\xe3\xc3\xdc\xc2\xeb\xce\xaa\xa3\xba";

// createButton captions; only closeHotspotCaption selects the close procedure.
// 创建无线热点
inline constexpr std::string_view createHotspotCaption =
    "\xb4\xb4\xbd\xa8\xce\xde\xcf\xdf\xc8\xc8\xb5\xe3";
// 关闭无线热点
inline constexpr std::string_view closeHotspotCaption =
    "\xb9\xd8\xb1\xd5\xce\xde\xcf\xdf\xc8\xc8\xb5\xe3";

// wifiButton captions; only stopWifiCaption selects stopping.
// 启动WIFI
inline constexpr std::string_view wifiReadyCaption = "\xc6\xf4\xb6\xaf\x57\x49\x46\x49";
// 停止WIFI
inline constexpr std::string_view wifiClosedCaption = "\xcd\xa3\xd6\xb9\x57\x49\x46\x49";
// 停止
inline constexpr std::string_view stopWifiCaption = "\xcd\xa3\xd6\xb9";
// 启动
inline constexpr std::string_view startWifiCaption = "\xc6\xf4\xb6\xaf";

// Label captions after a close.
// 无线热点已关闭！ (ends in a full-width exclamation mark)
inline constexpr std::string_view closedNameCaption =
    "\xce\xde\xcf\xdf\xc8\xc8\xb5\xe3\xd2\xd1\xb9\xd8\xb1\xd5\xa3\xa1";
inline constexpr std::string_view closedPasswordCaption = "  ";

// Messages for a refused create.
// 名称不长度不能小于8位，请重新输入！
inline constexpr std::string_view shortNameMessage =
    "\xc3\xfb\xb3\xc6\xb2\xbb\xb3\xa4\xb6\xc8\xb2\xbb\xc4\xdc\xd0\xa1\xd3\xda\x38"
    "\xce\xbb\xa3\xac\xc7\xeb\xd6\xd8\xd0\xc2\xca\xe4\xc8\xeb\xa3\xa1";
// 密码长度不能小于8位，请重新输入！
inline constexpr std::string_view shortPasswordMessage =
    "\xc3\xdc\xc2\xeb\xb3\xa4\xb6\xc8\xb2\xbb\xc4\xdc\xd0\xa1\xd3\xda\x38"
    "\xce\xbb\xa3\xac\xc7\xeb\xd6\xd8\xd0\xc2\xca\xe4\xc8\xeb\xa3\xa1";

// The fatal runtime error for exhausted memory, 分配 %d 字节内存失败! ; %d stands for the
// requested byte count.
inline constexpr std::string_view allocationFailedMessage =
    "\xb7\xd6\xc5\xe4 %d \xd7\xd6\xbd\xda\xc4\xda\xb4\xe6\xca\xa7\xb0\xdc!";

// Colour of both status labels after a create or a close: 0x00BBGGRR, a dark red.
inline constexpr std::uint32_t statusTextColour = 0x000080;

// Fewest bytes a network name or password may have, counted on the text as typed.
inline constexpr std::size_t minimumFieldLength = 8;

// Markers and replacements of the field-text transform.
inline constexpr char straightQuoteMarker = '`';
inline constexpr char straightQuote = '"';
inline constexpr char curlyQuoteMarker = '~';
inline constexpr std::string_view openingCurlyQuote = "\xa1\xb0"; // “
inline constexpr std::string_view closingCurlyQuote = "\xa1\xb1"; // ”
inline constexpr char escapePrefix = '%';
inline constexpr std::string_view escapeLetters = "sdftTnN";
inline constexpr std::string_view lineBreak = "\r\n";
inline constexpr std::string_view doubleLineBreak = "\r\n\r\n";
inline constexpr std::string_view emptyValueMarker = "(\xbf\xd5)"; // (空)
// What the first value escape becomes: %s, %d and %f the bare marker, %t and %T quoted.
inline constexpr std::string_view emptyValueQuoted = "\"(\xbf\xd5)\"";                  // "(空)"
inline constexpr std::string_view emptyValueCurlyQuoted = "\xa1\xb0(\xbf\xd5)\xa1\xb1"; // “(空)”

} // namespace wavoro
