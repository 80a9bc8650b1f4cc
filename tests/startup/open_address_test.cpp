// The banner press's way into the shell: the program does not carry the shell library from its
// start, and still opens an address through it on the first press.
//
// Run without arguments by CTest: checks that shell32.dll is not in the process, then opens
// its own file through WindowsPlatform::openWebAddress. The copy the shell starts (with the
// environment variable below and no arguments) writes a mark file and ends; the first one
// waits for the mark and checks that the shell library is now loaded.
#include "platform/windows_platform.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr char childVariable[] = "WAVORO_OPEN_ADDRESS_CHILD";

std::string ownPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

int fail(const char* what) {
    std::printf("FAILED: %s\n", what);
    return 1;
}

} // namespace

int main() {
    const std::string mark = ownPath() + ".opened";
    char value[8] = {};
    if (GetEnvironmentVariableA(childVariable, value, sizeof value) > 0) {
        HANDLE file = CreateFileA(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return 1;
        }
        CloseHandle(file);
        return 0;
    }

    DeleteFileA(mark.c_str());
    if (GetModuleHandleA("shell32.dll") != nullptr) {
        return fail("shell32.dll is loaded before any address was opened");
    }
    SetEnvironmentVariableA(childVariable, "1");
    {
        wavoro::WindowsPlatform platform;
        platform.openWebAddress(ownPath());
        if (GetModuleHandleA("shell32.dll") == nullptr) {
            return fail("shell32.dll was not loaded to open the address");
        }
        bool opened = false;
        for (int i = 0; i < 300 && !opened; ++i) {
            opened = GetFileAttributesA(mark.c_str()) != INVALID_FILE_ATTRIBUTES;
            if (!opened) {
                Sleep(100);
            }
        }
        if (!opened) {
            return fail("the address was not opened");
        }
    }
    DeleteFileA(mark.c_str());
    std::printf("ok\n");
    return 0;
}
