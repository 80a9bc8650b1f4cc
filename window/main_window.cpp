// MainWindow: building the window and its controls from the form, and taking them down.
#include "window/main_window_element.h"

#include <commctrl.h>

#include <cstring>

namespace wavoro {

using form::ElementKind;

namespace {

DWORD edgeStyle(int borderStyle) {
    return form::controlEdge(borderStyle).border ? WS_BORDER : 0;
}

DWORD edgeExStyle(int borderStyle) {
    const form::ControlEdge edge = form::controlEdge(borderStyle);
    DWORD ex = 0;
    if (edge.clientEdge) {
        ex |= WS_EX_CLIENTEDGE;
    }
    if (edge.dialogModal) {
        ex |= WS_EX_DLGMODALFRAME;
    }
    if (edge.staticEdge) {
        ex |= WS_EX_STATICEDGE;
    }
    return ex;
}

constexpr UINT_PTR controlSubclassId = 0x57415652; // "WAVR"

} // namespace

namespace live {

HFONT createFormFont(const PropertyValue& value) {
    const auto bytes = bytesOf(value);
    if (bytes.size() != sizeof(LOGFONTA)) {
        return nullptr;
    }
    LOGFONTA font{};
    std::memcpy(&font, bytes.data(), sizeof font);
    font.lfFaceName[LF_FACESIZE - 1] = '\0';
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    return CreateFontIndirectA(&font);
}

} // namespace live

using namespace live;

// The system-class controls (edit boxes, buttons, the group frame) are watched through a
// subclass, removed again at WM_NCDESTROY: the border of a single-line field is filled with the
// field's brush before the system draws its line, and the element learns that its window is gone.
LRESULT CALLBACK MainWindow::controlSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR id, DWORD_PTR data) {
    auto* element = reinterpret_cast<Element*>(data);
    switch (message) {
    case WM_ERASEBKGND:
        // The group frame covers the area it surrounds, which the window (clipping its
        // children) leaves alone: its background colour fills it.
        if (element->kind() == ElementKind::groupBox && element->background.get() != nullptr) {
            RECT client{};
            GetClientRect(hwnd, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, element->background.get());
            return 1;
        }
        break;
    case WM_NCPAINT: {
        const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
        if (element->kind() == ElementKind::editBox &&
            form::controlEdge(static_cast<int>(element->number(element->roles.borderStyle)))
                .border &&
            (style & ES_MULTILINE) == 0 && element->background.get() != nullptr) {
            RECT window{};
            RECT client{};
            GetWindowRect(hwnd, &window);
            GetClientRect(hwnd, &client);
            MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
            OffsetRect(&client, -window.left, -window.top);
            OffsetRect(&window, -window.left, -window.top);
            const gdi::WindowDc dc(hwnd, gdi::WindowDc::Area::window);
            ExcludeClipRect(dc.get(), client.left, client.top, client.right, client.bottom);
            FillRect(dc.get(), &window, element->background.get());
        }
        break;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, controlSubclass, id);
        element->onDestroyed(hwnd);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

MainWindow::MainWindow(std::span<const form::FormElement> form,
                       const form::FormResources& resources, FormEventSink& events)
    : form_(form), resources_(resources), events_(events) {
    elements_.reserve(form.size());
    for (std::size_t i = 0; i < form.size(); ++i) {
        elements_.push_back(std::make_unique<Element>(
            *this, i, form[i], form::numberedProperties(form[i], resources_)));
    }
}

MainWindow::~MainWindow() {
    releaseForms();
}

HWND MainWindow::handle() const {
    return elements_.empty() ? nullptr : elements_[0]->hwnd;
}

HWND MainWindow::controlHandle(ElementId control) const {
    const Element* element = elementOf(control);
    return element != nullptr ? element->hwnd : nullptr;
}

MainWindow::Element* MainWindow::elementOf(ElementId id) const {
    for (const auto& element : elements_) {
        if (element->source.id == id) {
            return element.get();
        }
    }
    return nullptr;
}

MainWindow::Element* MainWindow::elementOfHandle(HWND hwnd) const {
    if (hwnd == nullptr) {
        return nullptr;
    }
    for (const auto& element : elements_) {
        if (element->hwnd == hwnd) {
            return element.get();
        }
    }
    return nullptr;
}

bool MainWindow::load() {
    if (elements_.empty() || elements_[0]->kind() != ElementKind::window || handle() != nullptr) {
        return false;
    }
    if (!buildWindow()) {
        return false;
    }
    for (std::size_t i = 1; i < elements_.size(); ++i) {
        if (!buildControl(i)) {
            releaseForms();
            return false;
        }
    }
    stackAndShowControls();

    Element& window = *elements_[0];
    raise(window, form::event::created);

    if (window.hwnd != nullptr && window.source.visible) {
        const auto start = window.number(form::prop::window::startPosition);
        const int show = start == 2   ? SW_SHOWMINIMIZED
                         : start == 3 ? SW_SHOWMAXIMIZED
                                      : SW_SHOWNORMAL;
        ShowWindow(window.hwnd, show);
    }
    return true;
}

bool MainWindow::buildWindow() {
    Element& window = *elements_[0];
    const auto& properties = std::get<form::WindowProperties>(window.source.properties);
    const form::WindowFrame frame = form::windowFrame(properties);

    DWORD style = WS_CLIPCHILDREN;
    if (frame.dialogFrame) {
        style |= WS_DLGFRAME;
    }
    if (frame.caption) {
        style |= WS_CAPTION;
    }
    if (frame.systemMenu) {
        style |= WS_SYSMENU;
    }
    if (frame.thickFrame) {
        style |= WS_THICKFRAME;
    }
    if (frame.maximiseBox) {
        style |= WS_MAXIMIZEBOX;
    }
    if (frame.minimiseBox) {
        style |= WS_MINIMIZEBOX;
    }
    if (properties.borderStyle == 0) {
        style |= WS_POPUP;
    }
    DWORD exStyle = 0;
    if (frame.toolWindow) {
        exStyle |= WS_EX_TOOLWINDOW;
    }
    if (frame.clientEdge) {
        exStyle |= WS_EX_CLIENTEDGE;
    }
    if (properties.alwaysOnTop) {
        exStyle |= WS_EX_TOPMOST;
    }

    const int width = window.source.width;
    const int height = window.source.height;
    int left = window.source.left;
    int top = window.source.top;
    if (properties.startPosition == 1) {
        left = form::centredOrigin(GetSystemMetrics(SM_CXSCREEN), width);
        top = form::centredOrigin(GetSystemMetrics(SM_CYSCREEN), height);
    }

    window.refreshBrush();
    const Text title = asText(window.value(form::prop::window::title));
    HWND hwnd = runtime::createWindow(window, exStyle, title.c_str(), style, left, top, width,
                                      height, nullptr, 0);
    if (hwnd == nullptr) {
        return false;
    }
    window.hwnd = hwnd;
    runtime::addTopLevel(hwnd, this);

    RECT outer{};
    GetWindowRect(hwnd, &outer);
    if (outer.right - outer.left != width || outer.bottom - outer.top != height) {
        SetWindowPos(hwnd, nullptr, left, top, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
    applyWindowIcons();
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    if (!properties.closable) {
        if (HMENU menu = GetSystemMenu(hwnd, FALSE)) {
            DeleteMenu(menu, SC_CLOSE, MF_BYCOMMAND);
        }
    }
    return true;
}

void MainWindow::applyWindowIcons() {
    Element& window = *elements_[0];
    const auto iconFile = bytesOf(window.value(form::prop::window::icon));
    const auto images = form::iconImages(iconFile);
    HICON big = nullptr;
    HICON small = nullptr;
    if (!images.empty()) {
        auto make = [&images](int width) -> HICON {
            const auto pick = form::pickIconImage(images, width);
            if (!pick) {
                return nullptr;
            }
            const form::IconImage& image = images[*pick];
            return CreateIconFromResourceEx(const_cast<PBYTE>(image.bytes.data()),
                                            static_cast<DWORD>(image.bytes.size()), TRUE,
                                            0x00030000, image.width, image.height, LR_DEFAULTCOLOR);
        };
        window.bigIcon.reset(make(32));
        window.smallIcon.reset(make(16));
        big = window.bigIcon.get();
        small = window.smallIcon.get();
    }
    if (big == nullptr || small == nullptr) {
        // The program's own icon.
        HINSTANCE instance = GetModuleHandleA(nullptr);
        window.bigIcon.reset(static_cast<HICON>(LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON,
                                                           GetSystemMetrics(SM_CXICON),
                                                           GetSystemMetrics(SM_CYICON), 0)));
        window.smallIcon.reset(static_cast<HICON>(LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON,
                                                             GetSystemMetrics(SM_CXSMICON),
                                                             GetSystemMetrics(SM_CYSMICON), 0)));
        big = window.bigIcon.get();
        small = window.smallIcon.get();
        if (big == nullptr) {
            big = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
        }
        if (small == nullptr) {
            small = big;
        }
    }
    SendMessageA(window.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(window.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

bool MainWindow::buildControl(std::size_t index) {
    Element& control = *elements_[index];
    const form::FormElement& f = control.source;
    HWND parent = handle();
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (f.disabled) {
        style |= WS_DISABLED;
    }
    if (f.tabStop) {
        style |= WS_TABSTOP;
    }
    DWORD exStyle = 0;
    const int id = form::childIdentifier(index - 1);
    const Text text = control.roles.text >= 0 ? asText(control.value(control.roles.text)) : Text();
    const int border = control.roles.borderStyle >= 0
                           ? static_cast<int>(control.number(control.roles.borderStyle))
                           : 0;

    control.refreshBrush();
    control.refreshFont();
    HWND hwnd = nullptr;
    auto createSystem = [&](const char* cls) {
        return CreateWindowExA(exStyle, cls, text.c_str(), style, f.left, f.top, f.width, f.height,
                               parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr);
    };
    switch (control.kind()) {
    case ElementKind::transLabel:
        exStyle |= WS_EX_TRANSPARENT;
        hwnd = runtime::createWindow(control, exStyle, text.c_str(), style, f.left, f.top, f.width,
                                     f.height, parent, id);
        break;
    case ElementKind::picBox:
        control.refreshPicture();
        hwnd = runtime::createWindow(control, exStyle | edgeExStyle(border), "",
                                     style | edgeStyle(border), f.left, f.top, f.width, f.height,
                                     parent, id);
        break;
    case ElementKind::label:
        hwnd = runtime::createWindow(control, exStyle | edgeExStyle(border), text.c_str(),
                                     style | edgeStyle(border), f.left, f.top, f.width, f.height,
                                     parent, id);
        break;
    case ElementKind::editBox: {
        style |= ES_AUTOHSCROLL | edgeStyle(border);
        exStyle |= edgeExStyle(border);
        if (!control.flag(form::prop::editBox::hideSelection)) {
            style |= ES_NOHIDESEL;
        }
        switch (control.number(form::prop::editBox::alignment)) {
        case 1:
            style |= ES_CENTER;
            break;
        case 2:
            style |= ES_RIGHT;
            break;
        default:
            break;
        }
        const auto mode = control.number(form::prop::editBox::inputMode);
        if (mode == 1) {
            style |= ES_READONLY;
        } else if (mode == 2) {
            style |= ES_PASSWORD;
        }
        switch (control.number(form::prop::editBox::caseConversion)) {
        case 1:
            style |= ES_LOWERCASE;
            break;
        case 2:
            style |= ES_UPPERCASE;
            break;
        default:
            break;
        }
        hwnd = createSystem("EDIT");
        break;
    }
    case ElementKind::button: {
        const auto type = control.number(form::prop::button::type);
        style |= (type == 1 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_MULTILINE;
        const auto h = control.number(form::prop::button::horizontalAlignment);
        const auto v = control.number(form::prop::button::verticalAlignment);
        style |= h == 0 ? BS_LEFT : h == 2 ? BS_RIGHT : BS_CENTER;
        style |= v == 0 ? BS_TOP : v == 2 ? BS_BOTTOM : BS_VCENTER;
        hwnd = createSystem("BUTTON");
        break;
    }
    case ElementKind::groupBox: {
        const auto a = control.number(form::prop::groupBox::captionAlignment);
        style |= BS_GROUPBOX | (a == 1 ? BS_CENTER : a == 2 ? BS_RIGHT : BS_LEFT);
        hwnd = createSystem("BUTTON");
        break;
    }
    case ElementKind::window:
        return false; // a window cannot sit inside the window
    }
    if (hwnd == nullptr) {
        return false;
    }
    control.hwnd = hwnd;
    if (!control.selfDrawn()) {
        SetWindowSubclass(hwnd, controlSubclass, controlSubclassId,
                          reinterpret_cast<DWORD_PTR>(&control));
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(control.textFont()), FALSE);
    }
    if (control.kind() == ElementKind::editBox) {
        // At least the height of a Chinese character plus the edges.
        const gdi::WindowDc dc(hwnd);
        const gdi::Selection font(dc.get(), control.textFont());
        SIZE extent{};
        GetTextExtentPoint32A(dc.get(), "吴", 2, &extent);
        const int needed = extent.cy + 2 * GetSystemMetrics(SM_CYEDGE);
        if (f.height < needed) {
            SetWindowPos(hwnd, nullptr, 0, 0, f.width, needed,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        const auto limit = control.number(form::prop::editBox::maximumLength);
        SendMessageA(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(limit > 0 ? limit : 0), 0);
        if (control.number(form::prop::editBox::inputMode) == 2) {
            SendMessageA(
                hwnd, EM_SETPASSWORDCHAR,
                static_cast<WPARAM>(control.number(form::prop::editBox::passwordCharacter)), 0);
        }
        const auto start = control.number(form::prop::editBox::selectionStart);
        const auto length = control.number(form::prop::editBox::selectionLength);
        SendMessageA(hwnd, EM_SETSEL, static_cast<WPARAM>(start),
                     static_cast<LPARAM>(start + length));
        SendMessageA(hwnd, EM_SCROLLCARET, 0, 0);
    }
    return true;
}

void MainWindow::stackAndShowControls() {
    HWND previous = HWND_TOP;
    for (std::size_t i = 1; i < elements_.size(); ++i) {
        HWND hwnd = elements_[i]->hwnd;
        SetWindowPos(hwnd, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = hwnd;
    }
    for (std::size_t i = 1; i < elements_.size(); ++i) {
        if (elements_[i]->source.visible) {
            ShowWindow(elements_[i]->hwnd, SW_SHOWNA);
        }
    }
}

void* MainWindow::windowHandle(ElementId window) {
    if (elements_.empty() || window != elements_[0]->source.id) {
        return nullptr;
    }
    return handle();
}

void MainWindow::releaseForms() {
    if (HWND hwnd = handle()) {
        DestroyWindow(hwnd);
    }
}

} // namespace wavoro
