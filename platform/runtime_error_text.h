// The text of the runtime error box.
#pragma once

#include "platform/platform_services.h"

#include <string_view>

namespace wavoro {

// Code page 936 bytes, spelled as escapes so that every compiler produces the same bytes.
// 错误
inline constexpr std::string_view runtimeErrorCaption = "\xb4\xed\xce\xf3";
// 信息：
inline constexpr std::string_view messageCaption = "\xd0\xc5\xcf\xa2\xa3\xba";

// "运行时出错!", two line breaks, for a code other than 0 "错误代码：" with the code in
// decimal and two line breaks, then "错误信息：", the message and one line break (CR LF).
[[nodiscard]] Text runtimeErrorText(int code, std::string_view message);

} // namespace wavoro
