// What the dressings of frames and controls share: finding a window's dressing, its text, and
// the mouse-leave tracking.
#include "skin/engine/dress.h"

namespace wavoro::skin {

WindowText::WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    if (length >= static_cast<int>(sizeof inline_)) {
        auto* heap = static_cast<char*>(
            HeapAlloc(GetProcessHeap(), 0, static_cast<std::size_t>(length) + 1));
        if (heap != nullptr) {
            text_ = heap;
        }
    }
    const int capacity = text_ == inline_ ? static_cast<int>(sizeof inline_) : length + 1;
    length_ = GetWindowTextA(hwnd, text_, capacity);
    if (length_ < 0) {
        length_ = 0;
    }
    text_[length_] = '\0';
}

WindowText::~WindowText() {
    if (text_ != inline_) {
        HeapFree(GetProcessHeap(), 0, text_);
    }
}

UINT dressingQuery() {
    static UINT message = 0;
    if (message == 0) {
        message = RegisterWindowMessageA("Wavoro.SkinDressing");
    }
    return message;
}

Dressing* dressingOf(HWND hwnd) {
    if (hwnd == nullptr || !IsWindow(hwnd) ||
        GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) {
        return nullptr;
    }
    return reinterpret_cast<Dressing*>(SendMessageA(hwnd, dressingQuery(), kQueryTag, 0));
}

void trackLeave(HWND hwnd, bool nonClient) {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE | (nonClient ? TME_NONCLIENT : 0u);
    track.hwndTrack = hwnd;
    TrackMouseEvent(&track);
}

} // namespace wavoro::skin
