// The stack check around a library call, built as an i386 Linux program and run under
// qemu-i386-static: a callee that removes its two arguments passes, one that leaves them
// (or removes too many) raises runtime error 6.
#include "platform/stack_checked_call.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

using wavoro::ElementId;
using wavoro::EmbeddedBlob;
using wavoro::PropertyNumber;
using wavoro::PropertyValue;

struct RuntimeError {
    int code;
    std::string message;
};

// Only reportRuntimeError is reached; it throws so that the test goes on after it.
class ErrorRecorder final : public wavoro::PlatformServices {
public:
    bool runCommandLine(std::string_view, bool) override { return false; }
    int showMessage(std::string_view) override { return 0; }
    bool writeBytesToFile(std::string_view, std::span<const EmbeddedBlob>) override {
        return false;
    }
    void refreshWindow(ElementId) override {}
    void openWebAddress(std::string_view) override {}
    PropertyValue getControlProperty(ElementId, ElementId, PropertyNumber) override { return {}; }
    void setControlProperty(ElementId, ElementId, PropertyNumber, const PropertyValue&) override {}
    void attachSkin(std::string_view, std::string_view) override {}
    [[noreturn]] void reportRuntimeError(int code, std::string_view message) override {
        throw RuntimeError{code, std::string(message)};
    }
};

const char* seenFirst = nullptr;
const char* seenSecond = nullptr;

extern "C" __attribute__((stdcall, noinline)) std::uint32_t removesArguments(const char* first,
                                                                             const char* second) {
    seenFirst = first;
    seenSecond = second;
    return 0x5EED;
}

extern "C" __attribute__((cdecl, noinline)) std::uint32_t leavesArguments(const char* first,
                                                                          const char* second) {
    seenFirst = first;
    seenSecond = second;
    return 0x5EED;
}

// Declared with a third argument, so it removes twelve bytes where eight were pushed.
extern "C" __attribute__((stdcall, noinline)) std::uint32_t
removesTooMuch(const char* first, const char* second, const char* /*unused*/) {
    seenFirst = first;
    seenSecond = second;
    return 0x5EED;
}

struct Case {
    const char* name;
    void* function;
    std::optional<int> expectedError;
};

} // namespace

int main() {
    const Case cases[] = {
        {"stdcall callee", reinterpret_cast<void*>(&removesArguments), std::nullopt},
        {"cdecl callee", reinterpret_cast<void*>(&leavesArguments), wavoro::stackErrorCode},
        {"callee removing twelve bytes", reinterpret_cast<void*>(&removesTooMuch),
         wavoro::stackErrorCode},
    };
    const char first[] = "C:\\Windows\\win8.she";
    const char second[] = "";

    int passed = 0;
    int failed = 0;
    for (const Case& c : cases) {
        ErrorRecorder platform;
        seenFirst = seenSecond = nullptr;
        std::optional<RuntimeError> error;
        std::uint32_t result = 0;
        try {
            result = wavoro::callWithTwoTextsChecked(platform, c.function, first, second);
        } catch (const RuntimeError& e) {
            error = e;
        }
        std::string problem;
        if (seenFirst != first || seenSecond != second) {
            problem = "arguments arrived in the wrong order or not at all";
        } else if (!c.expectedError && error) {
            problem = "unexpected runtime error " + std::to_string(error->code);
        } else if (!c.expectedError && result != 0x5EED) {
            problem = "the callee's result was lost";
        } else if (c.expectedError && !error) {
            problem = "no runtime error";
        } else if (c.expectedError && (error->code != *c.expectedError ||
                                       error->message != wavoro::stackErrorMessage)) {
            problem = "wrong runtime error " + std::to_string(error->code);
        }
        if (problem.empty()) {
            ++passed;
            std::printf("ok: %s\n", c.name);
        } else {
            ++failed;
            std::printf("FAILED: %s: %s\n", c.name, problem.c_str());
        }
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
