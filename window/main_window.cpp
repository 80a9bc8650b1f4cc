#include "window/main_window.h"

#include "window/control_painting.h"
#include "window/form_layout.h"
#include "window/gdi.h"
#include "window/jpeg_picture.h"

#include <commctrl.h>
#include <windowsx.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace wavoro {

static_assert(form::textFormat::centre == DT_CENTER && form::textFormat::right == DT_RIGHT &&
              form::textFormat::verticalCentre == DT_VCENTER &&
              form::textFormat::bottom == DT_BOTTOM &&
              form::textFormat::wordBreak == DT_WORDBREAK &&
              form::textFormat::singleLine == DT_SINGLELINE &&
              form::textFormat::noPrefix == DT_NOPREFIX);

namespace {

using form::ElementKind;

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

std::span<const unsigned char> bytesOf(const PropertyValue& value) {
    if (const auto* t = std::get_if<Text>(&value)) {
        return {reinterpret_cast<const unsigned char*>(t->data()), t->size()};
    }
    return {};
}

// A font value: 60 bytes holding a LOGFONTA, with the fixed fields replaced; anything else is
// absent (nullptr: DEFAULT_GUI_FONT).
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

constexpr UINT_PTR controlSubclassId = 0x57415652; // "WAVR"

} // namespace

// One element of the form as it lives: its window, its property values, and what it draws with.
class MainWindow::Element final : public WindowTarget {
public:
    Element(MainWindow& owner, std::size_t at, const form::FormElement& element,
            std::vector<PropertyValue> initial)
        : owner_(owner), index(at), source(element), roles(form::kindRoles(element.kind())),
          values(std::move(initial)) {}

    LRESULT onMessage(HWND h, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (index == 0) {
            return owner_.onWindowMessage(*this, h, message, wParam, lParam);
        }
        return owner_.onControlMessage(*this, h, message, wParam, lParam);
    }
    void onDestroyed(HWND /*hwnd*/) override { hwnd = nullptr; }

    [[nodiscard]] ElementKind kind() const { return source.kind(); }
    [[nodiscard]] bool selfDrawn() const {
        return kind() == ElementKind::window || kind() == ElementKind::label ||
               kind() == ElementKind::transLabel || kind() == ElementKind::picBox;
    }

    PropertyValue& value(PropertyNumber n) {
        const auto at = static_cast<std::size_t>(n);
        if (at >= values.size()) {
            values.resize(at + 1);
        }
        return values[at];
    }
    [[nodiscard]] std::int64_t number(PropertyNumber n) const {
        return n >= 0 && static_cast<std::size_t>(n) < values.size()
                   ? asNumber(values[static_cast<std::size_t>(n)])
                   : 0;
    }
    [[nodiscard]] bool flag(PropertyNumber n) const {
        return n >= 0 && static_cast<std::size_t>(n) < values.size() &&
               asBool(values[static_cast<std::size_t>(n)]);
    }
    [[nodiscard]] COLORREF colour(PropertyNumber n) const {
        return painting::resolveColour(n >= 0 ? number(n) : 0);
    }
    [[nodiscard]] HFONT textFont() const {
        return font.get() != nullptr ? font.get()
                                     : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }

    void refreshBrush() {
        if (roles.backgroundColour >= 0) {
            background.reset(CreateSolidBrush(colour(roles.backgroundColour)));
        }
    }
    void refreshFont() {
        if (roles.font >= 0) {
            font.reset(createFormFont(value(roles.font)));
        }
    }
    void refreshPicture() {
        picture.reset();
        if (roles.picture >= 0) {
            const auto bytes = bytesOf(value(roles.picture));
            if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8) {
                picture = decodeJpeg(bytes);
            }
        }
    }

    MainWindow& owner_;
    std::size_t index;
    const form::FormElement& source; // the element's record in the form
    form::KindRoles roles;
    std::vector<PropertyValue> values;
    HWND hwnd = nullptr;
    gdi::Brush background;
    gdi::Object<HFONT> font;
    std::optional<DecodedPicture> picture;
    gdi::Icon bigIcon;
    gdi::Icon smallIcon;
    HFONT fontHandle = nullptr; // as set with WM_SETFONT on the runtime's own windows
};

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

void MainWindow::raise(const Element& element, int eventNumber, const FormEventArgs& args) {
    if (const form::Handler* handler = form::boundHandler(element.source, eventNumber)) {
        events_.onFormEvent(*handler, args);
    }
}

LRESULT MainWindow::onWindowMessage(Element& window, HWND hwnd, UINT message, WPARAM wParam,
                                    LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the paint routine fills what it repaints
    case WM_PAINT: {
        const gdi::PaintScope paint(hwnd);
        onPaint(window, paint.dc(), paint.area());
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client{};
        GetClientRect(hwnd, &client);
        onPaint(window, reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
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
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // painted with the rest in WM_PAINT; a transparent label paints none
    case WM_PAINT: {
        const gdi::PaintScope paint(hwnd);
        onPaint(control, paint.dc(), paint.area());
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client{};
        GetClientRect(hwnd, &client);
        onPaint(control, reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
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

void MainWindow::onPaint(Element& element, HDC dc, const RECT& area) {
    RECT client{};
    GetClientRect(element.hwnd, &client);
    switch (element.kind()) {
    case ElementKind::window:
        painting::fill(dc, area, element.colour(form::prop::window::backgroundColour));
        break;
    case ElementKind::picBox:
        FillRect(dc, &client, element.background.get());
        if (element.picture) {
            painting::drawPicture(
                dc, client, *element.picture,
                static_cast<int>(element.number(form::prop::picBox::displayMode)));
        }
        break;
    case ElementKind::label:
    case ElementKind::transLabel: {
        if (element.kind() == ElementKind::label) {
            painting::fill(dc, area, element.colour(element.roles.backgroundColour));
        }
        const Text caption = windowText(element.hwnd);
        painting::Caption c;
        c.text = caption;
        c.font = element.textFont();
        c.colour = element.colour(element.roles.textColour);
        c.effect = static_cast<int>(element.number(element.roles.textEffect));
        c.format = form::labelTextFormat(
            static_cast<int>(element.number(element.roles.horizontalAlignment)),
            element.flag(element.roles.wordWrap),
            static_cast<int>(element.number(element.roles.verticalAlignment)));
        painting::drawCaption(dc, client, c);
        break;
    }
    default:
        break;
    }
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

LRESULT MainWindow::onControlColour(HDC dc, HWND control) {
    const Element* element = elementOfHandle(control);
    if (element == nullptr ||
        (element->kind() != ElementKind::editBox && element->kind() != ElementKind::groupBox)) {
        return 0;
    }
    SetTextColor(dc, element->colour(element->roles.textColour));
    SetBkColor(dc, element->colour(element->roles.backgroundColour));
    return reinterpret_cast<LRESULT>(element->background.get());
}

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
    return element->values[static_cast<std::size_t>(property)];
}

void MainWindow::setControlProperty(ElementId window, ElementId control, PropertyNumber property,
                                    const PropertyValue& value) {
    if (elements_.empty() || window != elements_[0]->source.id || property < 0) {
        return;
    }
    Element* element = elementOf(control);
    if (element == nullptr) {
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
