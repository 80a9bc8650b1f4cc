// The platform operations on Windows. Message boxes and the process exit are watched from a
// second run of this program, started with a --child-... argument.
#include "platform/windows_platform.h"

#include "tests/support/win_check.h"
#include "tests/support/win_support.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace wavoro {
namespace {

using namespace test;

std::string scratch(const char* name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "wavoro-platform-" + std::to_string(GetCurrentProcessId()) + "-" +
           name;
}

// An EmbeddedBlob as the program stores it: count 1, length, bytes.
std::vector<unsigned char> blob(const std::string& bytes) {
    std::vector<unsigned char> b{1, 0, 0, 0};
    const auto n = static_cast<std::uint32_t>(bytes.size());
    for (int i = 0; i < 4; ++i) {
        b.push_back(static_cast<unsigned char>(n >> (8 * i)));
    }
    b.insert(b.end(), bytes.begin(), bytes.end());
    return b;
}

std::string contents(const std::string& path) {
    const auto bytes = readFile(path);
    return {bytes.begin(), bytes.end()};
}

TEST(WindowsPlatform, WritesEachArrayInOrderAndTruncates) {
    WindowsPlatform platform;
    const std::string path = scratch("out.bin");
    const auto a = blob("MZ\x90");
    const auto empty = blob("");
    const auto b = blob(std::string("\0.SHE", 5));
    const EmbeddedBlob arrays[] = {{a.data()}, {empty.data()}, {b.data()}};
    EXPECT_TRUE(platform.writeBytesToFile(path, arrays));
    EXPECT_EQ(contents(path), std::string("MZ\x90\0.SHE", 8)) << "no count, no length written";

    const EmbeddedBlob shorter[] = {{empty.data()}};
    EXPECT_TRUE(platform.writeBytesToFile(path, shorter));
    EXPECT_EQ(GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES, true);
    EXPECT_EQ(contents(path), "") << "an existing file is truncated";
    DeleteFileA(path.c_str());
}

TEST(WindowsPlatform, FailedWritesReturnFalse) {
    WindowsPlatform platform;
    const auto a = blob("x");
    const EmbeddedBlob arrays[] = {{a.data()}};
    EXPECT_FALSE(platform.writeBytesToFile("", arrays));
    const std::string directory = scratch("dir");
    CreateDirectoryA(directory.c_str(), nullptr);
    EXPECT_FALSE(platform.writeBytesToFile(directory, arrays)) << "a directory in the way";
    EXPECT_FALSE(platform.writeBytesToFile(scratch("missing\\out.bin"), arrays));
    RemoveDirectoryA(directory.c_str());

    // Not shared while open: a file another handle holds cannot be rewritten.
    const std::string held = scratch("held.bin");
    HANDLE h = CreateFileA(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_FALSE(platform.writeBytesToFile(held, arrays));
    CloseHandle(h);
    DeleteFileA(held.c_str());
}

TEST(WindowsPlatform, CommandLinesThatCannotStartReturnFalse) {
    WindowsPlatform platform;
    EXPECT_FALSE(platform.runCommandLine("no-such-program-anywhere.exe /x", false));
    const ULONGLONG before = GetTickCount64();
    EXPECT_TRUE(platform.runCommandLine("cmd.exe /c exit 3", false));
    EXPECT_LT(GetTickCount64() - before, 5000u);
}

TEST(WindowsPlatform, WithoutFormsPropertyOperationsDoNothing) {
    WindowsPlatform platform;
    EXPECT_EQ(platform.getControlProperty(0x52010001, 0x16010CFF, 10), PropertyValue{});
    platform.setControlProperty(0x52010001, 0x16010CFF, 10, Text("x"));
    platform.refreshWindow(0x52010001);
}

// Runs this program with the argument, answers the one message box it shows, and gives the box's
// caption and text, whether it has a Cancel button and an icon, and the exit code.
struct ChildRun {
    std::string caption;
    std::string text;
    bool cancel = false;
    bool icon = false;
    DWORD exitCode = 0;
};

struct BoxSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK findBox(HWND hwnd, LPARAM data) {
    auto* s = reinterpret_cast<BoxSearch*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == s->process && IsWindowVisible(hwnd) && std::strcmp(cls, "#32770") == 0) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

ChildRun runChild(const char* argument) {
    ChildRun run;
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" " + argument;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, "C:\\",
                        &startup, &process)) {
        run.exitCode = 12345;
        return run;
    }
    BoxSearch search{process.dwProcessId, nullptr};
    waitUntil(
        [&search] {
            search.found = nullptr;
            EnumWindows(findBox, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        10000);
    if (search.found != nullptr) {
        char buffer[512] = {};
        GetWindowTextA(search.found, buffer, sizeof buffer);
        run.caption = buffer;
        SendMessageA(GetDlgItem(search.found, 0xFFFF), WM_GETTEXT, sizeof buffer,
                     reinterpret_cast<LPARAM>(buffer));
        run.text = buffer;
        run.cancel = GetDlgItem(search.found, IDCANCEL) != nullptr;
        // The box's icon control: id 20 on Windows, 1088 (stc5) in wine's template.
        for (int id : {20, 1088}) {
            HWND icon = GetDlgItem(search.found, id);
            run.icon = run.icon || (icon != nullptr && IsWindowVisible(icon) &&
                                    SendMessageA(icon, STM_GETICON, 0, 0) != 0);
        }
        PostMessageA(search.found, WM_COMMAND, IDOK, 0);
    }
    WaitForSingleObject(process.hProcess, 10000);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return run;
}

TEST(WindowsPlatform, RuntimeErrorShowsOneBoxAndEndsWithMinusOne) {
    const ChildRun run = runChild("--child-runtime-error");
    EXPECT_EQ(run.caption, "错误");
    EXPECT_EQ(run.text,
              "运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n");
    EXPECT_TRUE(run.icon) << "the error icon";
    EXPECT_FALSE(run.cancel);
    EXPECT_EQ(run.exitCode, 0xFFFFFFFFu);
}

TEST(WindowsPlatform, MessageHasTheInformationCaptionAndOnlyOk) {
    const ChildRun run = runChild("--child-message");
    EXPECT_EQ(run.caption, "信息：");
    EXPECT_EQ(run.text, "名称不长度不能小于8位，请重新输入！");
    EXPECT_FALSE(run.cancel);
    EXPECT_FALSE(run.icon);
    EXPECT_EQ(run.exitCode, 0u) << "OK minus one";
}

TEST(WindowsPlatform, InitialisingMakesTheProgramDirectoryCurrent) {
    const ChildRun run = runChild("--child-current-directory");
    EXPECT_EQ(run.exitCode, 0u);
}

int childMain(const std::string& mode) {
    WindowsPlatform platform;
    if (mode == "--child-runtime-error") {
        platform.reportRuntimeError(6, "调用DLL命令后发现堆栈错误");
    }
    if (mode == "--child-message") {
        return platform.showMessage("名称不长度不能小于8位，请重新输入！");
    }
    if (mode == "--child-current-directory") {
        SetCurrentDirectoryA("C:\\");
        platform.initialiseRuntime();
        char current[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, current);
        const bool same = _stricmp(current, programDirectory().c_str()) == 0 &&
                          platform.programDirectory() == programDirectory();
        platform.endOfProgramCleanUp();
        return same ? 0 : 1;
    }
    return 2;
}

} // namespace
} // namespace wavoro

int main(int argc, char** argv) {
    if (argc > 1 && std::strncmp(argv[1], "--child-", 8) == 0) {
        return wavoro::childMain(argv[1]);
    }
    return wavoro::check::runAll(argc, argv);
}
