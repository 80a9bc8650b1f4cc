#include "platform/windows_platform.h"

#include "payloads/payloads.h"
#include "platform/program_path.h"
#include "platform/runtime_error_text.h"

#include <windows.h>

#include <ole2.h>

#include <string>

namespace wavoro {

namespace {

// A zero-terminated copy of a text, cut at its first zero byte.
std::string terminated(std::string_view text) {
    return std::string(text.substr(0, textByteLength(text)));
}

std::string ownPath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) {
            return {};
        }
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (h_ != nullptr && h_ != INVALID_HANDLE_VALUE) {
            CloseHandle(h_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    [[nodiscard]] HANDLE get() const { return h_; }
    [[nodiscard]] bool valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

// ShellExecuteA, from a shell32.dll loaded at the first banner press rather than with the
// program: loading the shell and the libraries it pulls in costs every start a few
// milliseconds, and only a banner press needs them. The library stays loaded (the browser it starts
// may be talking to it); the system releases it with the process. None when it cannot be loaded.
ShellExecuteFunction shellExecute() {
    static const ShellExecuteFunction function = []() -> ShellExecuteFunction {
        HMODULE shell = LoadLibraryA("shell32.dll");
        if (shell == nullptr) {
            return nullptr;
        }
        return reinterpret_cast<ShellExecuteFunction>(
            reinterpret_cast<void (*)()>(GetProcAddress(shell, "ShellExecuteA")));
    }();
    return function;
}

} // namespace

WindowsPlatform::WindowsPlatform()
    : programDirectory_(directoryOf(ownPath())),
      skin_(payloads::skinLibraryName, payloads::skinFunctionName) {}

WindowsPlatform::~WindowsPlatform() {
    endOfProgramCleanUp();
}

void WindowsPlatform::initialiseRuntime() {
    if (!programDirectory_.empty()) {
        SetCurrentDirectoryA(programDirectory_.c_str());
    }
    oleInitialised_ = SUCCEEDED(OleInitialize(nullptr));
}

void WindowsPlatform::endOfProgramCleanUp() {
    if (cleanedUp_) {
        return;
    }
    cleanedUp_ = true;
    if (host_ != nullptr) {
        host_->releaseForms();
        host_ = nullptr;
    }
    skin_.release();
    if (oleInitialised_) {
        OleUninitialize();
        oleInitialised_ = false;
    }
}

bool WindowsPlatform::runCommandLine(std::string_view commandLine, bool wait) {
    std::string command = terminated(commandLine); // CreateProcessA may write into it
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return false;
    }
    const Handle process(info.hProcess);
    const Handle thread(info.hThread);
    if (wait) {
        WaitForSingleObject(process.get(), INFINITE);
    } else {
        WaitForInputIdle(process.get(), 1000);
    }
    return true;
}

int WindowsPlatform::showMessage(std::string_view text) {
    const std::string message = terminated(text);
    const std::string caption(messageCaption);
    return MessageBoxA(nullptr, message.c_str(), caption.c_str(), MB_OK | MB_TASKMODAL) - 1;
}

bool WindowsPlatform::writeBytesToFile(std::string_view path,
                                       std::span<const EmbeddedBlob> arrays) {
    const std::string name = terminated(path);
    if (name.empty()) {
        return false;
    }
    const Handle file(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return false;
    }
    for (const EmbeddedBlob& blob : arrays) {
        std::span<const unsigned char> bytes = blob.bytes();
        while (!bytes.empty()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
            DWORD written = 0;
            if (!WriteFile(file.get(), bytes.data(), chunk, &written, nullptr) || written == 0) {
                return false;
            }
            bytes = bytes.subspan(written);
        }
    }
    return true;
}

void WindowsPlatform::refreshWindow(ElementId window) {
    if (host_ == nullptr) {
        return;
    }
    if (auto* hwnd = static_cast<HWND>(host_->windowHandle(window))) {
        UpdateWindow(hwnd);
    }
}

void WindowsPlatform::openWebAddress(std::string_view address) {
    std::string target = terminated(address);
    if (target.empty()) {
        target = "about:blank";
    }
    HWND owner = FindWindowA(nullptr, "Microsoft Internet Explorer");
    if (const ShellExecuteFunction open = shellExecute()) {
        open(owner, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
}

PropertyValue WindowsPlatform::getControlProperty(ElementId window, ElementId control,
                                                  PropertyNumber property) {
    if (host_ == nullptr) {
        return {};
    }
    return host_->getControlProperty(window, control, property);
}

void WindowsPlatform::setControlProperty(ElementId window, ElementId control,
                                         PropertyNumber property, const PropertyValue& value) {
    if (host_ != nullptr) {
        host_->setControlProperty(window, control, property, value);
    }
}

void WindowsPlatform::attachSkin(std::string_view skinFilePath, std::string_view second) {
    const std::string first = terminated(skinFilePath);
    const std::string other = terminated(second);
    skin_.callWithTwoTexts(*this, programDirectory_, first.c_str(), other.c_str());
}

void WindowsPlatform::reportRuntimeError(int code, std::string_view message) {
    const std::string text = runtimeErrorText(code, message);
    const std::string caption(runtimeErrorCaption);
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
    endOfProgramCleanUp();
    ExitProcess(0xFFFFFFFF);
}

} // namespace wavoro
