// Stands in for the system's netsh beside the program under test: appends its own command line,
// byte for byte and ended by a zero byte, to netsh-commands.bin in its directory.
#include <windows.h>

#include <cstring>
#include <string>

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string log(path);
    log = log.substr(0, log.find_last_of('\\') + 1) + "netsh-commands.bin";

    const char* line = GetCommandLineA();
    std::string record(line, std::strlen(line) + 1);
    HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
