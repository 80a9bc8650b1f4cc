// MainWindow as the runtime builds and runs it from its form: the window and its nine controls,
// their live properties, painting, keyboard handling, and the events raised to the program.
// Its parts: main_window.cpp (building), main_window_messages.cpp (messages and events),
// main_window_paint.cpp, main_window_keyboard.cpp (keyboard and focus) and
// main_window_properties.cpp, sharing the live element of main_window_element.h.
#pragma once

#include "platform/control_host.h"
#include "window/form_values.h"
#include "window/window_runtime.h"

#include <windows.h>

#include <memory>
#include <span>
#include <vector>

namespace wavoro {

// The three arguments of a mouse event; zero for the others.
struct FormEventArgs {
    int x = 0;
    int y = 0;
    int modifierKeys = 0; // form::modifier values added
};

// Where the form's bound events go.
class FormEventSink {
public:
    virtual ~FormEventSink() = default;
    virtual void onFormEvent(form::Handler handler, const FormEventArgs& args) = 0;
};

class MainWindow final : public ControlHost, private KeyFilter {
public:
    // form: the window element first, then its controls in form order.
    MainWindow(std::span<const form::FormElement> form, const form::FormResources& resources,
               FormEventSink& events);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Builds the window hidden, shows its controls inside it, raises the created event and then
    // shows the window if it still exists. False when the window or a control cannot be built
    // (nothing is left behind then).
    [[nodiscard]] bool load();

    // nullptr before loading and after the window is gone.
    [[nodiscard]] HWND handle() const;
    [[nodiscard]] HWND controlHandle(ElementId control) const;

    PropertyValue getControlProperty(ElementId window, ElementId control,
                                     PropertyNumber property) override;
    void setControlProperty(ElementId window, ElementId control, PropertyNumber property,
                            const PropertyValue& value) override;
    void* windowHandle(ElementId window) override;
    void releaseForms() override;

private:
    class Element;
    friend class Element;

    bool buildWindow();
    bool buildControl(std::size_t index);
    void applyWindowIcons();
    void stackAndShowControls();

    LRESULT onWindowMessage(Element& window, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onControlMessage(Element& control, HWND hwnd, UINT message, WPARAM wParam,
                             LPARAM lParam);
    bool preTranslate(const MSG& message) override;
    static LRESULT CALLBACK controlSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR data);

    void onPaint(Element& element, HDC dc, const RECT& area);
    void onCommand(WPARAM wParam, LPARAM lParam);
    LRESULT onControlColour(HDC dc, HWND control);
    void onActivate(WPARAM wParam);
    void restoreFocus();
    bool onMouse(Element& element, UINT message, WPARAM wParam, LPARAM lParam);

    void raise(const Element& element, int eventNumber, const FormEventArgs& args = {});
    void moveFocus(bool forward);
    [[nodiscard]] std::vector<std::size_t> currentFocusRing() const;
    [[nodiscard]] Element* elementOf(ElementId id) const;
    [[nodiscard]] Element* elementOfHandle(HWND hwnd) const;
    void propertyChanged(Element& element, PropertyNumber property);

    std::span<const form::FormElement> form_;
    form::FormResources resources_;
    FormEventSink& events_;
    std::vector<std::unique_ptr<Element>> elements_; // index as in the form
    HWND lastFocus_ = nullptr;
};

} // namespace wavoro
