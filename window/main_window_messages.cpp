// MainWindow: the messages of the window and its self-drawn controls, and the form events they
// raise.
#include "window/main_window_element.h"

#include <windowsx.h>

namespace wavoro {

using form::ElementKind;

namespace {

int eventOfMouseMessage(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
        return form::event::leftButtonDown;
    case WM_LBUTTONUP:
        return form::event::leftButtonUp;
    case WM_LBUTTONDBLCLK:
        return form::event::leftDoubleClick;
    case WM_RBUTTONDOWN:
        return form::event::rightButtonDown;
    case WM_RBUTTONUP:
        return form::event::rightButtonUp;
    case WM_MOUSEMOVE:
        return form::event::mouseMove;
    default:
        return 1; // not a mouse event
    }
}

// WM_PAINT and WM_PRINTCLIENT: `paint` draws into the DC the message gives, the area to repaint
// or the whole client area. Whether the message was one of them.
template <class Paint>
bool paintMessage(HWND hwnd, UINT message, WPARAM wParam, const Paint& paint) {
    if (message == WM_PAINT) {
        const gdi::PaintScope scope(hwnd);
        paint(scope.dc(), scope.area());
        return true;
    }
    if (message == WM_PRINTCLIENT) {
        RECT client{};
        GetClientRect(hwnd, &client);
        paint(reinterpret_cast<HDC>(wParam), client);
        return true;
    }
    return false;
}

} // namespace

void MainWindow::raise(const Element& element, int eventNumber, const FormEventArgs& args) {
    if (const form::Handler* handler = form::boundHandler(element.source, eventNumber)) {
        events_.onFormEvent(*handler, args);
    }
}

LRESULT MainWindow::onWindowMessage(Element& window, HWND hwnd, UINT message, WPARAM wParam,
                                    LPARAM lParam) {
    if (paintMessage(hwnd, message, wParam,
                     [&](HDC dc, const RECT& area) { onPaint(window, dc, area); })) {
        return 0;
    }
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the paint routine fills what it repaints
    case WM_COMMAND:
        onCommand(wParam, lParam);
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        const LRESULT brush =
            onControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        if (brush != 0) {
            return brush;
        }
        break;
    }
    case WM_ACTIVATE:
        onActivate(wParam);
        return 0;
    case WM_SETFOCUS:
        restoreFocus();
        return 0;
    case WM_SETFONT:
        window.fontHandle = reinterpret_cast<HFONT>(wParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(window.fontHandle);
    case WM_SYSCOLORCHANGE:
        for (const auto& element : elements_) {
            element->refreshBrush();
        }
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
    default:
        if (onMouse(window, message, wParam, lParam)) {
            return 0;
        }
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT MainWindow::onControlMessage(Element& control, HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam) {
    if (paintMessage(hwnd, message, wParam,
                     [&](HDC dc, const RECT& area) { onPaint(control, dc, area); })) {
        return 0;
    }
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // painted with the rest in WM_PAINT; a transparent label paints none
    case WM_SETTEXT: {
        // The window text is the caption: a new one is drawn at once.
        const LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
        propertyChanged(control, control.roles.text);
        return result;
    }
    default:
        if (onMouse(control, message, wParam, lParam)) {
            return 0;
        }
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void MainWindow::onCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return;
    }
    const Element* element = elementOfHandle(reinterpret_cast<HWND>(lParam));
    if (element != nullptr && element->kind() == ElementKind::button) {
        raise(*element, form::event::clicked);
    }
}

bool MainWindow::onMouse(Element& element, UINT message, WPARAM wParam, LPARAM lParam) {
    const int eventNumber = eventOfMouseMessage(message);
    if (eventNumber > 0) {
        return false;
    }
    FormEventArgs args;
    args.x = GET_X_LPARAM(lParam);
    args.y = GET_Y_LPARAM(lParam);
    args.modifierKeys = ((wParam & MK_CONTROL) != 0 ? form::modifier::ctrl : 0) +
                        ((wParam & MK_SHIFT) != 0 ? form::modifier::shift : 0) +
                        (GetKeyState(VK_MENU) < 0 ? form::modifier::alt : 0);
    raise(element, eventNumber, args);
    return false; // the default handling goes on
}

} // namespace wavoro
