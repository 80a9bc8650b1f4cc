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

// "调用DLL命令后发现堆栈错误" in code page 936.
const std::string stackErrorMessageBytes =
    "\xb5\xf7\xd3\xc3"
    "DLL"
    "\xc3\xfc\xc1\xee\xba\xf3\xb7\xa2\xcf\xd6\xb6\xd1\xd5\xbb\xb4\xed\xce\xf3";

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

// A well-behaved stdcall callee that uses all eight x87 registers and returns with the x87
// stack empty, as the calling convention allows.
extern "C" __attribute__((stdcall, noinline)) std::uint32_t usesTheX87Stack(const char* first,
                                                                            const char* second) {
    seenFirst = first;
    seenSecond = second;
    __asm__ __volatile__("fld1\n\tfld1\n\tfld1\n\tfld1\n\tfld1\n\tfld1\n\tfld1\n\tfld1\n\t"
                         "fcompp\n\tfcompp\n\tfcompp\n\tfcompp" ::
                             : "st", "st(1)", "st(2)", "st(3)", "st(4)", "st(5)", "st(6)", "st(7)",
                               "cc");
    return 2;
}

volatile double floatingInput = 3.0;

// A floating-point value computed before the call and used after it: the compiler keeps it in
// an x87 register unless the call is known to take them all.
__attribute__((noinline)) double floatingValueAcrossTheCall(wavoro::PlatformServices& platform,
                                                            const char* first, const char* second) {
    const double kept = floatingInput * 1.5;
    const std::uint32_t result = wavoro::callWithTwoTextsChecked(
        platform, reinterpret_cast<void*>(&usesTheX87Stack), first, second);
    return kept * static_cast<double>(result) + kept;
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
        } else if (c.expectedError &&
                   (error->code != *c.expectedError || error->message != stackErrorMessageBytes)) {
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

    // What the compiler held in the x87 registers before the call is still right after it.
    {
        ErrorRecorder platform;
        const double value = floatingValueAcrossTheCall(platform, first, second);
        if (value == 13.5) {
            ++passed;
            std::printf("ok: x87 value kept across the call\n");
        } else {
            ++failed;
            std::printf("FAILED: x87 value kept across the call: %f, not 13.5\n", value);
        }
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
