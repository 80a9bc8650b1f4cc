// The call of a library function with two text pointers, as the 32-bit runtime makes it: the
// two pointers are pushed, the function is called and must remove them itself (stdcall);
// the stack pointer after the return is compared with the one before the pushes. Free of
// windows.h, so that the same code also builds as an i386 Linux program for its test.
#pragma once

#include "platform/platform_services.h"

#include <cstdint>
#include <string_view>

namespace wavoro {

inline constexpr int stackErrorCode = 6;
inline constexpr std::string_view stackErrorMessage = "调用DLL命令后发现堆栈错误";

struct TwoTextCallOutcome {
    std::uint32_t result;
    bool stackBalanced; // the callee took its arguments off the stack
};

// Calls `function` with first and second, in this order, and reports whether the stack
// pointer came back to where it was before the pushes. In the 32-bit x86 build the pushes,
// the call and both readings of ESP are one piece of assembly, so that nothing the compiler
// does in between can hide a difference; the stack pointer is put back afterwards either way.
// Elsewhere there is one calling convention and nothing to check.
inline TwoTextCallOutcome callWithTwoTexts(void* function, const char* first, const char* second) {
#if defined(__i386__) && defined(__GNUC__)
    // The callee may change eax, ecx and edx; ebx, esi, edi and ebp survive in both stdcall
    // and cdecl, which is why esi and edi hold the two readings. The x87 registers (and the
    // SSE registers where the compiler uses them) are the callee's too: nothing the compiler
    // keeps there may live across the call.
    std::uintptr_t eax = reinterpret_cast<std::uintptr_t>(function);
    std::uintptr_t ecx = reinterpret_cast<std::uintptr_t>(first);
    std::uintptr_t edx = reinterpret_cast<std::uintptr_t>(second);
    std::uintptr_t before = 0;
    std::uintptr_t after = 0;
    __asm__ __volatile__("movl %%esp, %%esi\n\t"
                         "pushl %%edx\n\t"
                         "pushl %%ecx\n\t"
                         "calll *%%eax\n\t"
                         "movl %%esp, %%edi\n\t"
                         "movl %%esi, %%esp"
                         : "+a"(eax), "+c"(ecx), "+d"(edx), "=&S"(before), "=&D"(after)
                         :
                         : "memory", "cc", "st", "st(1)", "st(2)", "st(3)", "st(4)", "st(5)",
                           "st(6)", "st(7)"
#if defined(__SSE__)
                           ,
                           "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5", "xmm6", "xmm7"
#endif
    );
    return {static_cast<std::uint32_t>(eax), before == after};
#else
    using TwoTextFunction = std::uint32_t (*)(const char*, const char*);
    const auto call = reinterpret_cast<TwoTextFunction>(function);
    return {call(first, second), true};
#endif
}

// The same call, with a stack difference raised as runtime error 6 (which does not return).
inline std::uint32_t callWithTwoTextsChecked(PlatformServices& platform, void* function,
                                             const char* first, const char* second) {
    const TwoTextCallOutcome outcome = callWithTwoTexts(function, first, second);
    if (!outcome.stackBalanced) {
        platform.reportRuntimeError(stackErrorCode, stackErrorMessage);
    }
    return outcome.result;
}

} // namespace wavoro
