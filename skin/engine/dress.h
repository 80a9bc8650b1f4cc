// Shared by the dressings of frames and controls (dress.cpp, dress_frame.cpp, dress_controls.cpp).
#pragma once

#include "skin/engine/engine.h"
#include "skin/engine/win32.h"

namespace wavoro::skin {

// Every dressing is a comctl32 subclass with this id; its reference data is the window's
// state, allocated with create<>() and destroyed when the dressing goes. Each state begins
// with its kind.
inline constexpr UINT_PTR kSubclassId = 0x57564B53;

enum class DressKind { Frame, Button, Group, Edit };

struct Dressing {
    explicit Dressing(DressKind k) : kind(k) {}
    DressKind kind;
};

// A dressed window answers this registered message (with wParam kQueryTag) with its state;
// anything else answers 0. (comctl32 does not export its own lookup by name everywhere.)
inline constexpr WPARAM kQueryTag = 0x57564B53;
UINT dressingQuery();

// The dressing of a window of this thread, or null.
Dressing* dressingOf(HWND hwnd);

template <class State>
State* dressingOf(HWND hwnd, DressKind kind) {
    Dressing* d = dressingOf(hwnd);
    return d != nullptr && d->kind == kind ? static_cast<State*>(d) : nullptr;
}

// Whether a subclass procedure is being asked for its state.
inline bool isQuery(UINT message, WPARAM wParam) {
    return message == dressingQuery() && wParam == kQueryTag;
}

// Undresses a window: the subclass removed and its state destroyed.
template <class State>
void removeDressing(HWND hwnd, SUBCLASSPROC proc, State* state) {
    RemoveWindowSubclass(hwnd, proc, kSubclassId);
    destroy(state);
}

// Dresses a window: `state` (from create<>(), null when that failed) becomes the reference data
// of the subclass `proc`, and the engine counts the window. Without an engine, or when the
// subclass cannot be set, the state is destroyed and nothing changes.
template <class State>
bool attachDressing(HWND hwnd, SUBCLASSPROC proc, State* state) {
    Engine* engine = Engine::current();
    if (state == nullptr || engine == nullptr) {
        destroy(state);
        return false;
    }
    if (!SetWindowSubclass(hwnd, proc, kSubclassId, reinterpret_cast<DWORD_PTR>(state))) {
        destroy(state);
        return false;
    }
    engine->windowDressed();
    return true;
}

// WM_NCDESTROY of a dressed window: undressed, the message passed on, and the engine told (it
// ends after its last window).
template <class State>
LRESULT endDressing(HWND hwnd, SUBCLASSPROC proc, State* state, UINT message, WPARAM wParam,
                    LPARAM lParam) {
    removeDressing(hwnd, proc, state);
    const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    if (Engine* engine = Engine::current()) {
        engine->windowDestroyed();
    }
    return result;
}

// For the messages on which the system draws the window its own way: the message is passed on
// first, then `redraw` puts the dressing back over it. (The message may have destroyed the
// window: `redraw` must look before it draws.)
template <class Redraw>
LRESULT passOnThenRedraw(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                         const Redraw& redraw) {
    const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    redraw();
    return result;
}

// A window's text, in a buffer of its own.
class WindowText {
public:
    explicit WindowText(HWND hwnd);
    WindowText(const WindowText&) = delete;
    WindowText& operator=(const WindowText&) = delete;
    ~WindowText();
    [[nodiscard]] const char* get() const { return text_; }
    [[nodiscard]] int length() const { return length_; }

private:
    char inline_[256];
    char* text_ = inline_;
    int length_ = 0;
};

// Asks for the mouse leaving the window (or its frame, when nonClient) once.
void trackLeave(HWND hwnd, bool nonClient);

bool dressFrame(HWND hwnd);
void undressFrame(HWND hwnd);
// Redraws a dressed frame after the skin changed.
void refreshFrame(HWND hwnd);
bool isDressedControl(HWND hwnd);
void undressControl(HWND hwnd);

LRESULT CALLBACK frameProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

} // namespace wavoro::skin
