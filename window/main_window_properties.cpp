// MainWindow: the live properties of the window and its controls, read and set by the program,
// and shown at once.
#include "window/main_window_element.h"

#include <climits>
#include <cstdlib>
#include <string>

namespace wavoro {

using form::ElementKind;

namespace live {

bool asBool(const PropertyValue& value) {
    if (const auto* b = std::get_if<bool>(&value)) {
        return *b;
    }
    if (const auto* n = std::get_if<std::int64_t>(&value)) {
        return *n != 0;
    }
    if (const auto* t = std::get_if<Text>(&value)) {
        return !t->empty();
    }
    return false;
}

std::int64_t asNumber(const PropertyValue& value) {
    if (const auto* n = std::get_if<std::int64_t>(&value)) {
        return *n;
    }
    if (const auto* b = std::get_if<bool>(&value)) {
        return *b ? 1 : 0;
    }
    if (const auto* t = std::get_if<Text>(&value)) {
        return std::strtoll(t->c_str(), nullptr, 10);
    }
    return 0;
}

Text asText(const PropertyValue& value) {
    if (const auto* t = std::get_if<Text>(&value)) {
        return Text(t->c_str()); // up to the first zero byte
    }
    if (const auto* n = std::get_if<std::int64_t>(&value)) {
        return std::to_string(*n);
    }
    if (const auto* b = std::get_if<bool>(&value)) {
        return *b ? "1" : "0";
    }
    return {};
}

PropertyValue textValue(Text text) {
    if (text.empty()) {
        return std::monostate{};
    }
    return text;
}

int clampToInt(std::int64_t n) {
    if (n > INT_MAX) {
        return INT_MAX;
    }
    if (n < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(n);
}

std::span<const unsigned char> bytesOf(const PropertyValue& value) {
    if (const auto* t = std::get_if<Text>(&value)) {
        return {reinterpret_cast<const unsigned char*>(t->data()), t->size()};
    }
    return {};
}

Text windowText(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

} // namespace live

using namespace live;

PropertyValue MainWindow::getControlProperty(ElementId window, ElementId control,
                                             PropertyNumber property) {
    if (elements_.empty() || window != elements_[0]->source.id || property < 0) {
        return {};
    }
    Element* element = elementOf(control);
    if (element == nullptr) {
        return {};
    }
    HWND hwnd = element->hwnd;
    if (hwnd != nullptr && property <= form::prop::height) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        if (element->index != 0) {
            MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
        }
        switch (property) {
        case form::prop::left:
            return std::int64_t{r.left};
        case form::prop::top:
            return std::int64_t{r.top};
        case form::prop::width:
            return std::int64_t{r.right - r.left};
        default:
            return std::int64_t{r.bottom - r.top};
        }
    }
    if (hwnd != nullptr && property == form::prop::visible) {
        return IsWindowVisible(hwnd) != FALSE;
    }
    if (hwnd != nullptr && property == form::prop::disabled) {
        return IsWindowEnabled(hwnd) == FALSE;
    }
    if (hwnd != nullptr && property == element->roles.text) {
        return textValue(windowText(hwnd));
    }
    if (static_cast<std::size_t>(property) >= element->values.size()) {
        return {};
    }
    const PropertyValue& stored = element->values[static_cast<std::size_t>(property)];
    if (const auto* text = std::get_if<Text>(&stored); text != nullptr && text->empty()) {
        return {}; // an empty text reads as none
    }
    return stored;
}

void MainWindow::setControlProperty(ElementId window, ElementId control, PropertyNumber property,
                                    const PropertyValue& value) {
    if (elements_.empty() || window != elements_[0]->source.id || property < 0) {
        return;
    }
    Element* element = elementOf(control);
    // A number beyond the kind's properties names nothing: it is passed over, not stored.
    if (element == nullptr || static_cast<std::size_t>(property) >= element->values.size()) {
        return;
    }
    HWND hwnd = element->hwnd;
    if (property <= form::prop::height) {
        element->value(property) = asNumber(value);
        if (hwnd != nullptr) {
            RECT r{};
            GetWindowRect(hwnd, &r);
            if (element->index != 0) {
                MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
            }
            int place[4] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
            place[property] = clampToInt(asNumber(value));
            SetWindowPos(hwnd, nullptr, place[0], place[1], place[2], place[3],
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return;
    }
    if (property == form::prop::visible) {
        const bool visible = asBool(value);
        element->value(property) = visible;
        if (hwnd != nullptr) {
            ShowWindow(hwnd, visible ? (element->index == 0 ? SW_SHOW : SW_SHOWNA) : SW_HIDE);
        }
        return;
    }
    if (property == form::prop::disabled) {
        const bool disabled = asBool(value);
        element->value(property) = disabled;
        if (hwnd != nullptr) {
            EnableWindow(hwnd, disabled ? FALSE : TRUE);
        }
        return;
    }
    if (property == element->roles.text) {
        const Text text = asText(value);
        element->value(property) = textValue(text);
        if (hwnd != nullptr) {
            SetWindowTextA(hwnd, text.c_str()); // self-drawn captions repaint on WM_SETTEXT
        }
        return;
    }
    element->value(property) = value;
    propertyChanged(*element, property);
}

// A stored property took a new value: the window shows it at once.
void MainWindow::propertyChanged(Element& element, PropertyNumber property) {
    HWND hwnd = element.hwnd;
    if (hwnd == nullptr) {
        return;
    }
    if (property == element.roles.backgroundColour) {
        element.refreshBrush();
    } else if (property == element.roles.font && property >= 0) {
        element.refreshFont();
        if (!element.selfDrawn()) {
            SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(element.textFont()), TRUE);
        }
    } else if (property == element.roles.picture && property >= 0) {
        element.refreshPicture();
    } else if (element.kind() == ElementKind::editBox &&
               property == form::prop::editBox::maximumLength) {
        const auto limit = element.number(property);
        SendMessageA(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(limit > 0 ? limit : 0), 0);
    }
    if (element.kind() == ElementKind::transLabel) {
        // Nothing of its own behind the text: the window underneath is drawn again first.
        RECT r{};
        GetWindowRect(hwnd, &r);
        HWND parent = GetParent(hwnd);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        RedrawWindow(parent, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    } else {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

} // namespace wavoro
