// The runtime's window machinery shared by every form: one window class whose procedure finds
// the object behind each window in a map, the count of the program's windows (the quit message
// goes out when the last one is gone) and the message loop with the forms' key pre-filter.
#pragma once

#include <windows.h>

namespace wavoro {

// The object behind a window made with the runtime's class.
class WindowTarget {
public:
    virtual ~WindowTarget() = default;
    virtual LRESULT onMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Called after the window's last message; the map no longer knows it.
    virtual void onDestroyed(HWND hwnd) = 0;
};

// A top-level form that looks at the keys meant for it or one of its controls first.
class KeyFilter {
public:
    virtual ~KeyFilter() = default;
    // True when the message has been handled and must not reach the control.
    virtual bool preTranslate(const MSG& message) = 0;
};

namespace runtime {

// The one window class of the runtime's windows and self-drawn controls: double-clicks,
// redraw on resizing, the arrow cursor, no background brush. Registered on first use.
[[nodiscard]] const char* windowClassName();

// Creates a window of the runtime's class for the target. The target is known from the first
// message on and forgotten after WM_NCDESTROY.
HWND createWindow(WindowTarget& target, DWORD exStyle, const char* text, DWORD style, int left,
                  int top, int width, int height, HWND parent, int childId);

// A top-level window of the program: counted until it is destroyed, and its key filter asked
// about every key message of its window tree.
void addTopLevel(HWND hwnd, KeyFilter* filter);

// Whether a message of the loop is taken by a form's key filter.
bool preTranslate(const MSG& message);

// Runs the message loop until the quit message; returns its value. Sets the loop-entered flag
// first, so that from now on destroying the last window posts the quit message.
int runMessageLoop();

// Dispatches what is waiting without blocking (for callers that run their own loop).
void pumpWaitingMessages();

// Whether a top-level window of the program still exists.
[[nodiscard]] bool anyTopLevelWindow();

} // namespace runtime

} // namespace wavoro
