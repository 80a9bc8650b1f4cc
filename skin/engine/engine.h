// The skin engine inside jedata.dll: one per process, living on the thread that attached it.
// It holds the loaded skin, the title font and the window hook that dresses every window the
// thread creates later; it ends (hook removed, font and skin freed) when the last window it
// dressed is destroyed, or when the library is released.
#pragma once

#include "skin/engine/win32.h"
#include "skin/skin_file.h"

#include <new>
#include <utility>

namespace wavoro::skin {

// Allocation without the C++ runtime's throwing operator new: the engine keeps the library
// small and never lets an exception reach a window procedure.
template <class T, class... Args>
T* create(Args&&... args) {
    void* memory = HeapAlloc(GetProcessHeap(), 0, sizeof(T));
    return memory == nullptr ? nullptr : new (memory) T(std::forward<Args>(args)...);
}

template <class T>
void destroy(T* object) {
    if (object != nullptr) {
        object->~T();
        HeapFree(GetProcessHeap(), 0, object);
    }
}

class Engine {
public:
    // SkinH_AttachEx: reads and checks the skin file, then dresses the calling thread's
    // windows. Nothing changes when the file is refused.
    static SkinError attach(const char* skinFile);
    // The library is being released: undress every window still dressed and end.
    static void release();
    // The engine, or null when none is attached.
    static Engine* current();

    [[nodiscard]] const Skin& skin() const { return loaded_.skin(); }
    [[nodiscard]] HFONT titleFont() const { return titleFont_; }

    // Bookkeeping of dressed windows; the engine ends after the last one is destroyed.
    void windowDressed() { ++dressed_; }
    void windowDestroyed();

    // Turns the desktop composition's own frame drawing off or back on for a window.
    void setOwnFrame(HWND hwnd, bool own) const;

    Engine() = default;
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;
    ~Engine();

private:
    static LRESULT CALLBACK onCbt(int code, WPARAM wParam, LPARAM lParam);
    void adopt(LoadedSkin&& loaded, HFONT font);
    // Ends the engine; from the loader (the library being released) other libraries are left
    // alone.
    static void end(bool fromLoader);

    LoadedSkin loaded_;
    HFONT titleFont_ = nullptr;
    HHOOK hook_ = nullptr;
    HMODULE dwm_ = nullptr;
    bool keepDwm_ = false;
    DWORD thread_ = 0;
    int dressed_ = 0;
};

// Dressing (dress.cpp): which windows are dressed, and the subclass procedures.
// A top-level window with a title bar and without a menu bar or scroll bars.
bool dressTopLevel(HWND hwnd, bool hasMenu);
// A push button, a group box or an edit with a border, inside a dressed top-level window.
// `created` is true from the hook, when `createStyle` is the style the window was made with.
bool dressControl(HWND hwnd, bool created, DWORD createStyle);
[[nodiscard]] bool isDressedTopLevel(HWND hwnd);
// Dresses what is not yet dressed among the thread's windows and their children, and has the
// ones already dressed redrawn (a new skin may have other metrics).
void dressThreadWindows();
// Removes every dressing of the thread's windows and restores their own look.
void undressThreadWindows();

} // namespace wavoro::skin
