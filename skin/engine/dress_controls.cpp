// The dressed controls: flat push buttons, edit borders and the group frame. Each keeps its
// own behaviour (the system's window procedure still does everything but the look); the
// engine only paints over it. Which windows are dressed is decided here too.
#include "skin/engine/dress.h"
#include "skin/engine/gdi.h"

namespace wavoro::skin {

namespace {

// The painting messages of a control whose look is all ours: WM_PAINT and WM_PRINTCLIENT are
// drawn by `paint` into the DC they give, and WM_ERASEBKGND is answered without erasing (the
// paint covers everything). Whether the message was one of them, with its `result`.
template <class Paint>
bool paintsOwnLook(HWND hwnd, UINT message, WPARAM wParam, const Paint& paint, LRESULT& result) {
    switch (message) {
    case WM_PAINT: {
        const PaintDC dc(hwnd);
        paint(dc.get());
        result = 0;
        return true;
    }
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wParam));
        result = 0;
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    default:
        return false;
    }
}

// ---- push buttons --------------------------------------------------------------------------

struct ButtonState : Dressing {
    ButtonState() : Dressing(DressKind::Button) {}
    bool hover = false;
};

bool isPushButton(LONG style) {
    const LONG type = style & BS_TYPEMASK;
    return (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) &&
           (style & (BS_BITMAP | BS_ICON)) == 0;
}

HFONT fontOf(HWND hwnd) {
    auto font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
    return font != nullptr ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

UINT prefixFlag(HWND hwnd) {
    const auto ui = static_cast<UINT>(SendMessageA(hwnd, WM_QUERYUISTATE, 0, 0));
    return (ui & UISF_HIDEACCEL) != 0 ? DT_HIDEPREFIX : 0u;
}

// The caption inside `box`, aligned as the button's style says (centred by default).
void drawButtonText(HDC dc, HWND hwnd, LONG style, RECT box) {
    const WindowText text(hwnd);
    if (text.length() == 0) {
        return;
    }
    UINT format = prefixFlag(hwnd);
    switch (style & BS_CENTER) {
    case BS_LEFT:
        format |= DT_LEFT;
        break;
    case BS_RIGHT:
        format |= DT_RIGHT;
        break;
    default:
        format |= DT_CENTER;
        break;
    }
    if ((style & BS_MULTILINE) != 0) {
        RECT measured = box;
        DrawTextA(dc, text.get(), text.length(), &measured, format | DT_WORDBREAK | DT_CALCRECT);
        const int h = measured.bottom - measured.top;
        switch (style & BS_VCENTER) {
        case BS_TOP:
            break;
        case BS_BOTTOM:
            box.top = box.bottom - h;
            break;
        default:
            box.top += (box.bottom - box.top - h) / 2;
            break;
        }
        box.bottom = box.top + h;
        DrawTextA(dc, text.get(), text.length(), &box, format | DT_WORDBREAK);
        return;
    }
    switch (style & BS_VCENTER) {
    case BS_TOP:
        format |= DT_TOP;
        break;
    case BS_BOTTOM:
        format |= DT_BOTTOM;
        break;
    default:
        format |= DT_VCENTER;
        break;
    }
    DrawTextA(dc, text.get(), text.length(), &box, format | DT_SINGLELINE);
}

void paintButton(HWND hwnd, const ButtonState& state, HDC dc) {
    Engine* engine = Engine::current();
    RECT rc{};
    GetClientRect(hwnd, &rc);
    Bitmap bitmap(rc.right, rc.bottom);
    if (engine == nullptr || !bitmap.ok()) {
        return;
    }
    const Skin& skin = engine->skin();
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    const bool disabled = !IsWindowEnabled(hwnd);
    const bool pressed = (SendMessageA(hwnd, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    const bool focused = GetFocus() == hwnd;
    const bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;

    Setting face = Setting::ButtonFace;
    Setting border = Setting::ButtonBorder;
    int borderWidth = 1;
    if (disabled) {
        face = Setting::ButtonFaceDisabled;
        border = Setting::ButtonBorderDisabled;
    } else if (pressed) {
        face = Setting::ButtonFacePressed;
        border = Setting::ButtonBorderPressed;
    } else {
        if (state.hover) {
            face = Setting::ButtonFaceHover;
            border = Setting::ButtonBorderHover;
        }
        if (focused || isDefault) {
            border = Setting::ButtonBorderFocus;
        }
    }
    if (focused && !disabled) {
        borderWidth = skin.metric(Setting::FocusBorderWidth);
    }
    {
        Canvas canvas = bitmap.canvas();
        const Box all{0, 0, rc.right, rc.bottom};
        canvas.fill(all, pixelOf(skin[border]));
        canvas.fill({borderWidth, borderWidth, rc.right - borderWidth, rc.bottom - borderWidth},
                    pixelOf(skin[face]));
    }
    const HDC mem = bitmap.dc();
    {
        const Selected font(mem, fontOf(hwnd));
        SetBkMode(mem, TRANSPARENT);
        SetTextColor(mem, skin[disabled ? Setting::ButtonTextDisabled : Setting::ButtonText]);
        drawButtonText(mem, hwnd, style, {4, 2, rc.right - 4, rc.bottom - 2});
    }
    // The keyboard focus cue, shown as the window's UI state asks.
    const auto ui = static_cast<UINT>(SendMessageA(hwnd, WM_QUERYUISTATE, 0, 0));
    if (focused && (ui & UISF_HIDEFOCUS) == 0 && rc.right > 8 && rc.bottom > 8) {
        SetTextColor(mem, RGB(0, 0, 0));
        SetBkColor(mem, RGB(255, 255, 255));
        RECT cue{borderWidth + 2, borderWidth + 2, rc.right - borderWidth - 2,
                 rc.bottom - borderWidth - 2};
        DrawFocusRect(mem, &cue);
    }
    bitmap.copyTo(dc, 0, 0);
}

void repaintButton(HWND hwnd);

LRESULT CALLBACK buttonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR ref) {
    auto* state = reinterpret_cast<ButtonState*>(ref);
    if (isQuery(message, wParam)) {
        return static_cast<LRESULT>(ref);
    }
    const bool ours = isPushButton(GetWindowLongA(hwnd, GWL_STYLE));
    const auto paint = [hwnd, state](HDC dc) { paintButton(hwnd, *state, dc); };
    if (LRESULT painted = 0; ours && paintsOwnLook(hwnd, message, wParam, paint, painted)) {
        return painted;
    }
    switch (message) {
    case WM_MOUSEMOVE:
        if (!state->hover) {
            state->hover = true;
            trackLeave(hwnd, false);
            repaintButton(hwnd);
        }
        break;
    case WM_MOUSELEAVE:
        state->hover = false;
        repaintButton(hwnd);
        break;
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_CLICK:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_UPDATEUISTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
        // The system button draws itself straight away on these; ours goes over it at once.
        // The message may have destroyed the button (a click that closes its window).
        return passOnThenRedraw(hwnd, message, wParam, lParam, [hwnd] { repaintButton(hwnd); });
    case WM_NCDESTROY:
        return endDressing(hwnd, buttonProc, state, message, wParam, lParam);
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void repaintButton(HWND hwnd) {
    const auto* state = dressingOf<ButtonState>(hwnd, DressKind::Button);
    if (state == nullptr || !IsWindowVisible(hwnd) ||
        !isPushButton(GetWindowLongA(hwnd, GWL_STYLE))) {
        return;
    }
    const WindowDC dc(hwnd, WindowDC::Client);
    if (dc.get() != nullptr) {
        paintButton(hwnd, *state, dc.get());
        ValidateRect(hwnd, nullptr);
    }
}

// ---- group frames --------------------------------------------------------------------------

struct GroupState : Dressing {
    GroupState() : Dressing(DressKind::Group) {}
};

void paintGroup(HWND hwnd, HDC dc) {
    Engine* engine = Engine::current();
    if (engine == nullptr) {
        return;
    }
    const Skin& skin = engine->skin();
    RECT rc{};
    GetClientRect(hwnd, &rc);
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(hwnd, GWL_EXSTYLE);
    const int saved = SaveDC(dc);

    // Without WS_CLIPSIBLINGS the frame would paint over the controls lying on it.
    if ((style & WS_CLIPSIBLINGS) == 0) {
        for (HWND sibling = GetWindow(hwnd, GW_HWNDPREV); sibling != nullptr;
             sibling = GetWindow(sibling, GW_HWNDPREV)) {
            if (IsWindowVisible(sibling)) {
                RECT r{};
                GetWindowRect(sibling, &r);
                MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
                ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
            }
        }
    }
    // The parent's colours, as the system asks for them for a group box.
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(hwnd), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(hwnd)));
    if (brush == nullptr) {
        brush = GetSysColorBrush(COLOR_BTNFACE);
    }
    if ((exStyle & WS_EX_TRANSPARENT) == 0) {
        FillRect(dc, &rc, brush);
    }

    SelectObject(dc, fontOf(hwnd));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const WindowText text(hwnd);
    const int top = metrics.tmHeight / 2;
    int gapLeft = 0;
    int gapRight = 0;
    RECT textBox{};
    if (text.length() > 0) {
        SIZE size{};
        GetTextExtentPoint32A(dc, text.get(), text.length(), &size);
        int x = 8;
        if ((style & BS_CENTER) == BS_CENTER) {
            x = (rc.right - size.cx) / 2;
        } else if ((style & BS_CENTER) == BS_RIGHT) {
            x = rc.right - 8 - size.cx;
        }
        textBox = {x, 0, x + size.cx, metrics.tmHeight};
        gapLeft = x - 2;
        gapRight = x + size.cx + 2;
    }
    const std::uint32_t line = skin[Setting::GroupFrame];
    fillColour(dc, {0, top, 1, rc.bottom}, line);
    fillColour(dc, {rc.right - 1, top, rc.right, rc.bottom}, line);
    fillColour(dc, {0, rc.bottom - 1, rc.right, rc.bottom}, line);
    if (gapRight > gapLeft) {
        fillColour(dc, {0, top, gapLeft, top + 1}, line);
        fillColour(dc, {gapRight, top, rc.right, top + 1}, line);
        SetBkMode(dc, TRANSPARENT);
        if (!IsWindowEnabled(hwnd)) {
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        }
        DrawTextA(dc, text.get(), text.length(), &textBox,
                  DT_LEFT | DT_TOP | DT_SINGLELINE | prefixFlag(hwnd));
    } else {
        fillColour(dc, {0, top, rc.right, top + 1}, line);
    }
    RestoreDC(dc, saved);
}

LRESULT CALLBACK groupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR ref) {
    auto* state = reinterpret_cast<GroupState*>(ref);
    if (isQuery(message, wParam)) {
        return static_cast<LRESULT>(ref);
    }
    const bool ours = (GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
    const auto paint = [hwnd](HDC dc) { paintGroup(hwnd, dc); };
    if (LRESULT painted = 0; ours && paintsOwnLook(hwnd, message, wParam, paint, painted)) {
        return painted;
    }
    switch (message) {
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_SETFONT:
    case WM_UPDATEUISTATE:
        return passOnThenRedraw(hwnd, message, wParam, lParam, [hwnd, ours] {
            if (ours && IsWindow(hwnd)) {
                RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            }
        });
    case WM_NCDESTROY:
        return endDressing(hwnd, groupProc, state, message, wParam, lParam);
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// ---- edit borders --------------------------------------------------------------------------

struct EditState : Dressing {
    EditState() : Dressing(DressKind::Edit) {}
    bool hover = false;
    // The edit draws its one-pixel border inside its client area (an edit made with WS_BORDER
    // takes the style off and draws the line itself); otherwise the border is its frame.
    bool borderInClient = false;
};

constexpr LONG kEdgeStyles = WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME;

bool hasFrameBorder(HWND hwnd) {
    return (GetWindowLongA(hwnd, GWL_STYLE) & WS_BORDER) != 0 ||
           (GetWindowLongA(hwnd, GWL_EXSTYLE) & kEdgeStyles) != 0;
}

// For an edit made before the engine came: the formatting rectangle of an edit that draws its
// own border starts further in than its left margin.
bool drawsBorderInClient(HWND hwnd) {
    if (hasFrameBorder(hwnd)) {
        return false;
    }
    RECT format{};
    SendMessageA(hwnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const auto margins = static_cast<DWORD>(SendMessageA(hwnd, EM_GETMARGINS, 0, 0));
    return format.left - static_cast<LONG>(LOWORD(margins)) >= 1;
}

std::uint32_t editBorderColour(HWND hwnd, const EditState& state, const Skin& skin) {
    if (!IsWindowEnabled(hwnd)) {
        return skin[Setting::EditBorderDisabled];
    }
    if (GetFocus() == hwnd) {
        return skin[Setting::EditBorderFocus];
    }
    return skin[state.hover ? Setting::EditBorderHover : Setting::EditBorder];
}

void paintEditBorder(HWND hwnd, const EditState& state, HDC clientDC = nullptr) {
    Engine* engine = Engine::current();
    if (engine == nullptr || !IsWindowVisible(hwnd)) {
        return;
    }
    const std::uint32_t colour = editBorderColour(hwnd, state, engine->skin());
    if (hasFrameBorder(hwnd)) {
        RECT window{};
        GetWindowRect(hwnd, &window);
        POINT origin{0, 0};
        ClientToScreen(hwnd, &origin);
        const int width = window.right - window.left;
        const int height = window.bottom - window.top;
        const int edge = static_cast<int>(origin.x - window.left);
        const WindowDC dc(hwnd, WindowDC::Whole);
        if (dc.get() == nullptr) {
            return;
        }
        if (edge > 1) {
            // A thicker edge becomes one line and the field's own background.
            const bool plain =
                !IsWindowEnabled(hwnd) || (GetWindowLongA(hwnd, GWL_STYLE) & ES_READONLY) != 0;
            auto brush = reinterpret_cast<HBRUSH>(
                SendMessageA(GetParent(hwnd), plain ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                             reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(hwnd)));
            if (brush == nullptr) {
                brush = GetSysColorBrush(plain ? COLOR_BTNFACE : COLOR_WINDOW);
            }
            const RECT sides[] = {{0, 0, width, edge},
                                  {0, height - edge, width, height},
                                  {0, 0, edge, height},
                                  {width - edge, 0, width, height}};
            for (const RECT& side : sides) {
                FillRect(dc.get(), &side, brush);
            }
        }
        frameColour(dc.get(), {0, 0, width, height}, colour);
    } else if (state.borderInClient) {
        RECT rc{};
        GetClientRect(hwnd, &rc);
        if (clientDC != nullptr) {
            frameColour(clientDC, rc, colour);
        } else {
            const WindowDC dc(hwnd, WindowDC::Client);
            if (dc.get() != nullptr) {
                frameColour(dc.get(), rc, colour);
            }
        }
    }
}

LRESULT CALLBACK editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR ref) {
    auto* state = reinterpret_cast<EditState*>(ref);
    if (isQuery(message, wParam)) {
        return static_cast<LRESULT>(ref);
    }
    switch (message) {
    case WM_MOUSEMOVE:
        if (!state->hover) {
            state->hover = true;
            trackLeave(hwnd, false);
            paintEditBorder(hwnd, *state);
        }
        break;
    case WM_MOUSELEAVE:
        state->hover = false;
        paintEditBorder(hwnd, *state);
        break;
    case WM_NCPAINT:
    case WM_PAINT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_STYLECHANGED:
    case EM_SETREADONLY:
        // The edit paints itself, border included; our border goes over it.
        return passOnThenRedraw(hwnd, message, wParam, lParam, [hwnd] {
            if (const auto* again = dressingOf<EditState>(hwnd, DressKind::Edit)) {
                paintEditBorder(hwnd, *again);
            }
        });
    case WM_PRINTCLIENT: {
        const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        if (state->borderInClient && !hasFrameBorder(hwnd)) {
            RECT rc{};
            GetClientRect(hwnd, &rc);
            if (Engine* engine = Engine::current()) {
                frameColour(reinterpret_cast<HDC>(wParam), rc,
                            editBorderColour(hwnd, *state, engine->skin()));
            }
        }
        return result;
    }
    case WM_NCDESTROY:
        return endDressing(hwnd, editProc, state, message, wParam, lParam);
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// ---- which windows ---------------------------------------------------------------------------

bool isClass(HWND hwnd, const char* name) {
    char buffer[16] = {};
    return GetClassNameA(hwnd, buffer, sizeof buffer) > 0 && lstrcmpiA(buffer, name) == 0;
}

BOOL CALLBACK dressChild(HWND hwnd, LPARAM) {
    if (isDressedControl(hwnd)) {
        InvalidateRect(hwnd, nullptr, TRUE);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    } else {
        dressControl(hwnd, false, 0);
    }
    return TRUE;
}

BOOL CALLBACK dressTop(HWND hwnd, LPARAM) {
    if (isDressedTopLevel(hwnd) || dressTopLevel(hwnd, GetMenu(hwnd) != nullptr)) {
        EnumChildWindows(hwnd, dressChild, 0);
        refreshFrame(hwnd);
    }
    return TRUE;
}

BOOL CALLBACK undressChild(HWND hwnd, LPARAM) {
    undressControl(hwnd);
    return TRUE;
}

BOOL CALLBACK undressTop(HWND hwnd, LPARAM) {
    EnumChildWindows(hwnd, undressChild, 0);
    undressFrame(hwnd);
    return TRUE;
}

} // namespace

bool dressTopLevel(HWND hwnd, bool hasMenu) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
    if ((style & WS_CHILD) != 0 || (style & WS_CAPTION) != WS_CAPTION ||
        (style & (WS_HSCROLL | WS_VSCROLL)) != 0 || hasMenu || isDressedTopLevel(hwnd)) {
        return false;
    }
    return dressFrame(hwnd);
}

bool dressControl(HWND hwnd, bool created, DWORD createStyle) {
    if (isDressedControl(hwnd)) {
        return false;
    }
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    if (isClass(hwnd, "Button")) {
        if ((style & BS_TYPEMASK) == BS_GROUPBOX) {
            return attachDressing(hwnd, groupProc, create<GroupState>());
        }
        if (isPushButton(style)) {
            return attachDressing(hwnd, buttonProc, create<ButtonState>());
        }
        return false;
    }
    if (isClass(hwnd, "Edit")) {
        const bool border = created ? (createStyle & WS_BORDER) != 0 : drawsBorderInClient(hwnd);
        if (!border && !hasFrameBorder(hwnd)) {
            return false;
        }
        auto* state = create<EditState>();
        if (state != nullptr) {
            state->borderInClient = border;
        }
        if (!attachDressing(hwnd, editProc, state)) {
            return false;
        }
        if (!created) {
            RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        }
        return true;
    }
    return false;
}

bool isDressedControl(HWND hwnd) {
    const Dressing* d = dressingOf(hwnd);
    return d != nullptr && d->kind != DressKind::Frame;
}

void undressControl(HWND hwnd) {
    if (auto* s = dressingOf<ButtonState>(hwnd, DressKind::Button)) {
        removeDressing(hwnd, buttonProc, s);
    } else if (auto* g = dressingOf<GroupState>(hwnd, DressKind::Group)) {
        removeDressing(hwnd, groupProc, g);
    } else if (auto* e = dressingOf<EditState>(hwnd, DressKind::Edit)) {
        removeDressing(hwnd, editProc, e);
    } else {
        return;
    }
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}

void dressThreadWindows() {
    EnumThreadWindows(GetCurrentThreadId(), dressTop, 0);
}

void undressThreadWindows() {
    EnumThreadWindows(GetCurrentThreadId(), undressTop, 0);
}

} // namespace wavoro::skin
