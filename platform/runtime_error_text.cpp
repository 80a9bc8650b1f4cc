#include "platform/runtime_error_text.h"

#include <string>

namespace wavoro {

Text runtimeErrorText(int code, std::string_view message) {
    Text text = "\xd4\xcb\xd0\xd0\xca\xb1\xb3\xf6\xb4\xed!\r\n\r\n"; // 运行时出错!
    if (code != 0) {
        text += "\xb4\xed\xce\xf3\xb4\xfa\xc2\xeb\xa3\xba"; // 错误代码：
        text += std::to_string(code);
        text += "\r\n\r\n";
    }
    text += "\xb4\xed\xce\xf3\xd0\xc5\xcf\xa2\xa3\xba"; // 错误信息：
    text += message;
    text += "\r\n";
    return text;
}

} // namespace wavoro
