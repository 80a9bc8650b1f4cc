// MainWindow: the keyboard (Tab, Esc and Enter before the controls see them) and the focus, kept
// across deactivation.
#include "window/main_window_element.h"

#include <optional>

namespace wavoro {

using form::ElementKind;

void MainWindow::onActivate(WPARAM wParam) {
    HWND window = handle();
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window, focus)) {
            lastFocus_ = focus;
        }
        return;
    }
    if (HIWORD(wParam) == 0) { // not minimised
        restoreFocus();
    }
}

void MainWindow::restoreFocus() {
    HWND window = handle();
    if (lastFocus_ != nullptr && IsChild(window, lastFocus_) && IsWindowVisible(lastFocus_) &&
        IsWindowEnabled(lastFocus_)) {
        SetFocus(lastFocus_);
        return;
    }
    const auto ring = currentFocusRing();
    if (!ring.empty()) {
        SetFocus(elements_[ring.front()]->hwnd);
    }
}

std::vector<std::size_t> MainWindow::currentFocusRing() const {
    return form::focusRing(form_, [this](std::size_t i) {
        HWND hwnd = elements_[i]->hwnd;
        return hwnd != nullptr && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd);
    });
}

void MainWindow::moveFocus(bool forward) {
    const auto ring = currentFocusRing();
    std::optional<std::size_t> current;
    HWND focus = GetFocus();
    for (std::size_t i = 1; i < elements_.size(); ++i) {
        HWND hwnd = elements_[i]->hwnd;
        if (hwnd != nullptr && (hwnd == focus || IsChild(hwnd, focus))) {
            current = i;
            break;
        }
    }
    if (const auto next = form::nextInRing(ring, current, forward)) {
        SetFocus(elements_[*next]->hwnd);
    }
}

bool MainWindow::preTranslate(const MSG& message) {
    HWND window = handle();
    if (message.message != WM_KEYDOWN || window == nullptr || !IsWindowEnabled(window) ||
        GetKeyState(VK_CONTROL) < 0) {
        return false;
    }
    const Element& w = *elements_[0];
    switch (message.wParam) {
    case VK_TAB:
        moveFocus(GetKeyState(VK_SHIFT) >= 0);
        return true;
    case VK_ESCAPE:
        if (w.flag(form::prop::window::escCloses)) {
            SendMessageA(window, WM_CLOSE, 0, 0);
            return true;
        }
        return false;
    case VK_RETURN: {
        auto isDefaultButton = [](const Element& e) {
            return e.kind() == ElementKind::button && e.hwnd != nullptr &&
                   e.number(form::prop::button::type) == 1 && IsWindowEnabled(e.hwnd);
        };
        const Element* focused = elementOfHandle(GetFocus());
        if (focused != nullptr && isDefaultButton(*focused)) {
            SendMessageA(focused->hwnd, BM_CLICK, 0, 0);
        } else if (w.flag(form::prop::window::enterMovesFocus)) {
            moveFocus(true);
        } else {
            for (std::size_t i = 1; i < elements_.size(); ++i) {
                if (isDefaultButton(*elements_[i])) {
                    SendMessageA(elements_[i]->hwnd, BM_CLICK, 0, 0);
                    break;
                }
            }
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace wavoro
