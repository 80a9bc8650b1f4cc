#include "window/window_runtime.h"

#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

namespace wavoro::runtime {

namespace {

struct TopLevel {
    HWND hwnd;
    KeyFilter* filter;
};

// The state every window of the runtime shares; one thread uses it.
struct State {
    std::unordered_map<HWND, WindowTarget*> targets;
    std::vector<TopLevel> topLevels;
    WindowTarget* creating = nullptr; // until the first message names the new window
    bool loopEntered = false;
};

State& state() {
    static State s;
    return s;
}

constexpr char className[] = "WavoroForm";

void forgetTopLevel(HWND hwnd) {
    auto& tops = state().topLevels;
    const auto before = tops.size();
    std::erase_if(tops, [hwnd](const TopLevel& t) { return t.hwnd == hwnd; });
    if (tops.size() != before && tops.empty() && state().loopEntered) {
        PostQuitMessage(0);
    }
}

LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& s = state();
    auto found = s.targets.find(hwnd);
    WindowTarget* target = nullptr;
    if (found != s.targets.end()) {
        target = found->second;
    } else if (s.creating != nullptr) {
        target = std::exchange(s.creating, nullptr);
        s.targets.emplace(hwnd, target);
    }
    if (target == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        result = target->onMessage(hwnd, message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's code: the message is dropped.
        result = DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        s.targets.erase(hwnd);
        target->onDestroyed(hwnd);
        forgetTopLevel(hwnd);
    }
    return result;
}

} // namespace

const char* windowClassName() {
    static const bool registered = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = windowProcedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = nullptr;
        wc.lpszClassName = className;
        return RegisterClassExA(&wc) != 0;
    }();
    return registered ? className : nullptr;
}

HWND createWindow(WindowTarget& target, DWORD exStyle, const char* text, DWORD style, int left,
                  int top, int width, int height, HWND parent, int childId) {
    const char* cls = windowClassName();
    if (cls == nullptr) {
        return nullptr;
    }
    state().creating = &target;
    HMENU menu =
        (style & WS_CHILD) != 0 ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId)) : nullptr;
    HWND hwnd = CreateWindowExA(exStyle, cls, text, style, left, top, width, height, parent, menu,
                                GetModuleHandleA(nullptr), nullptr);
    state().creating = nullptr;
    return hwnd;
}

void addTopLevel(HWND hwnd, KeyFilter* filter) {
    state().topLevels.push_back({hwnd, filter});
}

bool preTranslate(const MSG& message) {
    if (message.hwnd == nullptr || message.message < WM_KEYFIRST || message.message > WM_KEYLAST) {
        return false;
    }
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    for (const TopLevel& top : state().topLevels) {
        if (top.hwnd == root && top.filter != nullptr) {
            return top.filter->preTranslate(message);
        }
    }
    return false;
}

int runMessageLoop() {
    state().loopEntered = true;
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(message.wParam);
        }
        if (got == -1) {
            return 0;
        }
        if (preTranslate(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void pumpWaitingMessages() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (preTranslate(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool anyTopLevelWindow() {
    return !state().topLevels.empty();
}

} // namespace wavoro::runtime
