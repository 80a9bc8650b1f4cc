// A helper of the end-to-end tests, run under wine beside the program: it reads a message box
// the way a user sees it, holds files open as another program would, and reports whether a
// file can be written. Texts are printed as hex of their code page 936 bytes.
//
//   probe box SECONDS        waits for an error box, prints what it shows and closes it:
//                            "caption HEX", "text HEX", "main_window_visible 0|1",
//                            "library_loaded 0|1" (jedata.dll in the box's process)
//   probe hold SECONDS FILE...  opens the files for reading, sharing only reading, and keeps
//                            them open for SECONDS; prints "held" once they are open
//   probe writable FILE      prints "writable" or "locked"
//   probe windows COUNT SECONDS  waits until COUNT main windows are visible; prints
//                            "windows N" and "library_loaded 0|1" (jedata.dll in the
//                            process of the first one)
//   probe close              sends WM_CLOSE, as the close button does, to every visible main
//                            window; prints "closed N"
//   probe launch PROGRAM     starts PROGRAM, prints "visible_ms T", the time from the start
//                            until its first window is visible, then closes that window
//                            and waits for the program to end
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out.empty() ? "-" : out;
}

// The text of another program's window as the system keeps it; unlike asking for its length,
// this sends the window no message, so it works while that program is busy.
std::string windowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The visible top-level windows whose title starts with "Wavoro".
std::vector<HWND> visibleMainWindows() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND window, LPARAM result) -> BOOL {
            if (IsWindowVisible(window) && windowText(window).rfind("Wavoro", 0) == 0) {
                reinterpret_cast<std::vector<HWND>*>(result)->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// A visible top-level window of the process, or none.
HWND visibleWindowOf(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s.processId && IsWindowVisible(window)) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A top-level dialog (message box) other than our own console's, or none.
HWND messageBox() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND window, LPARAM result) -> BOOL {
            char className[64] = {};
            GetClassNameA(window, className, sizeof className);
            if (IsWindowVisible(window) && std::string(className) == "#32770") {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The longest static text of the box: its message (the icon is a static without text).
std::string boxText(HWND box) {
    std::string text;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM result) -> BOOL {
            char className[64] = {};
            GetClassNameA(child, className, sizeof className);
            std::string& best = *reinterpret_cast<std::string*>(result);
            if (std::string(className) == "Static") {
                std::string t = windowText(child);
                if (t.size() > best.size()) {
                    best = t;
                }
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

bool processHasModule(DWORD processId, const char* name) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr) {
        return false;
    }
    std::vector<HMODULE> modules(1024);
    DWORD needed = 0;
    bool found = false;
    if (EnumProcessModules(process, modules.data(),
                           static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed)) {
        const std::size_t count = needed / sizeof(HMODULE);
        for (std::size_t i = 0; i < count && i < modules.size(); ++i) {
            char base[MAX_PATH] = {};
            GetModuleBaseNameA(process, modules[i], base, MAX_PATH);
            if (lstrcmpiA(base, name) == 0) {
                found = true;
            }
        }
    }
    CloseHandle(process);
    return found;
}

int waitSeconds(const char* text) {
    return std::atoi(text) * 10;
}

int box(int tenths) {
    for (int i = 0; i < tenths; ++i) {
        if (HWND found = messageBox()) {
            Sleep(300); // let the box finish drawing its controls
            DWORD processId = 0;
            GetWindowThreadProcessId(found, &processId);
            std::printf("caption %s\n", hex(windowText(found)).c_str());
            std::printf("text %s\n", hex(boxText(found)).c_str());
            std::printf("main_window_visible %d\n", visibleMainWindows().empty() ? 0 : 1);
            std::printf("library_loaded %d\n", processHasModule(processId, "jedata.dll") ? 1 : 0);
            std::fflush(stdout);
            PostMessageA(found, WM_COMMAND, IDOK, 0);
            return 0;
        }
        Sleep(100);
    }
    std::printf("no box\n");
    return 1;
}

int hold(int tenths, int count, char** files) {
    std::vector<HANDLE> handles;
    for (int i = 0; i < count; ++i) {
        HANDLE h = CreateFileA(files[i], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            std::printf("cannot open %s\n", files[i]);
            return 1;
        }
        handles.push_back(h);
    }
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(tenths) * 100);
    for (HANDLE h : handles) {
        CloseHandle(h);
    }
    return 0;
}

int closeMainWindows() {
    const auto windows = visibleMainWindows();
    for (HWND window : windows) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    std::printf("closed %u\n", static_cast<unsigned>(windows.size()));
    return 0;
}

int writable(const char* file) {
    HANDLE h =
        CreateFileA(file, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        std::printf("locked\n");
        return 0;
    }
    CloseHandle(h);
    std::printf("writable\n");
    return 0;
}

int windows(std::size_t count, int tenths) {
    for (int i = 0; i < tenths; ++i) {
        const std::vector<HWND> found = visibleMainWindows();
        if (found.size() >= count) {
            DWORD processId = 0;
            GetWindowThreadProcessId(found.front(), &processId);
            std::printf("windows %zu\n", found.size());
            std::printf("library_loaded %d\n", processHasModule(processId, "jedata.dll") ? 1 : 0);
            return 0;
        }
        Sleep(100);
    }
    std::printf("windows %zu\n", visibleMainWindows().size());
    return 1;
}

int launch(char* program) {
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, program, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::printf("cannot start\n");
        return 1;
    }
    HWND window = nullptr;
    const ULONGLONG deadline = GetTickCount64() + 30000;
    while (window == nullptr && GetTickCount64() < deadline) {
        window = visibleWindowOf(process.dwProcessId);
        if (window == nullptr) {
            Sleep(1);
        }
    }
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    int result = 1;
    if (window != nullptr) {
        std::printf("visible_ms %.2f\n", static_cast<double>(now.QuadPart - start.QuadPart) *
                                             1000.0 / static_cast<double>(frequency.QuadPart));
        PostMessageA(window, WM_CLOSE, 0, 0);
        result = 0;
    } else {
        std::printf("no window\n");
        TerminateProcess(process.hProcess, 1);
    }
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "close") {
        return closeMainWindows();
    }
    if (command == "box" && argc > 2) {
        return box(waitSeconds(argv[2]));
    }
    if (command == "hold" && argc > 3) {
        return hold(waitSeconds(argv[2]), argc - 3, argv + 3);
    }
    if (command == "writable" && argc > 2) {
        return writable(argv[2]);
    }
    if (command == "windows" && argc > 3) {
        return windows(static_cast<std::size_t>(std::atoi(argv[2])), waitSeconds(argv[3]));
    }
    if (command == "launch" && argc > 2) {
        return launch(argv[2]);
    }
    std::fprintf(stderr, "usage: probe box|hold|writable|windows|close|launch ...\n");
    return 2;
}
