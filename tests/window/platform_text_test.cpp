// The texts of the Windows platform that can be checked without Windows.
#include "platform/program_path.h"
#include "platform/runtime_error_text.h"

#include "tests/support/text_bytes.h"

#include <gtest/gtest.h>

namespace wavoro {
namespace {

using test::gbk;

TEST(RuntimeErrorText, WithoutCodeHasNoCodeLine) {
    const Text message = gbk(u8"无法找到指定DLL库文件“jedata.dll”中的输出命令“SkinH_AttachEx”");
    EXPECT_EQ(runtimeErrorText(0, message),
              gbk(u8"运行时出错!\r\n\r\n错误信息：") + message + "\r\n");
}

TEST(RuntimeErrorText, WithCodeHasTheCodeLineInDecimal) {
    EXPECT_EQ(
        runtimeErrorText(6, gbk(u8"调用DLL命令后发现堆栈错误")),
        gbk(u8"运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n"));
    EXPECT_EQ(runtimeErrorText(-12, ""),
              gbk(u8"运行时出错!\r\n\r\n错误代码：-12\r\n\r\n错误信息：\r\n"));
}

TEST(RuntimeErrorText, Captions) {
    EXPECT_EQ(runtimeErrorCaption, gbk(u8"错误"));
    EXPECT_EQ(messageCaption, gbk(u8"信息："));
    EXPECT_EQ(messageCaption, "\xD0\xC5\xCF\xA2\xA3\xBA");
}

TEST(ProgramPath, DirectoryPartWithoutTrailingSeparator) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Program Files\\Wavoro\\wavoro.exe", "C:\\Program Files\\Wavoro"},
        {"C:\\wavoro.exe", "C:\\"}, // the root keeps its separator to stay the root
        {"\\\\server\\share\\wavoro.exe", "\\\\server\\share"},
        {"Z:/build/win64/wavoro.exe", "Z:/build/win64"},
        {"wavoro.exe", ""},
    };
    for (const auto& [path, directory] : cases) {
        EXPECT_EQ(directoryOf(path), directory) << path;
    }
}

} // namespace
} // namespace wavoro
