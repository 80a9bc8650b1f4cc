// The dressed frame of a top-level window: a flat title bar drawn from the skin (its image,
// the window's small icon, the title, caption buttons that light under the mouse and press),
// a thin border, and the hit-testing that goes with them. The window keeps its outer size;
// its client area is what the dressed frame leaves.
#include "skin/engine/dress.h"
#include "skin/engine/frame_layout.h"
#include "skin/engine/gdi.h"

#include <windowsx.h>

namespace wavoro::skin {

namespace {

struct FrameState : Dressing {
    FrameState() : Dressing(DressKind::Frame) {}
    bool active = false;
    FramePart hot = FramePart::Nowhere;     // the caption button under the mouse
    FramePart pressed = FramePart::Nowhere; // the caption button held down (mouse captured)
    bool pressedInside = false;             // ... with the mouse still on it
    bool trackingLeave = false;
};

constexpr UINT kUahDrawCaption = 0x00AE; // themed caption drawing of DefWindowProc
constexpr UINT kUahDrawFrame = 0x00AF;

FrameMetrics metricsOf(const Skin& skin) {
    FrameMetrics m;
    m.titleHeight = skin.metric(Setting::TitleHeight);
    m.border = skin.metric(Setting::BorderWidth);
    m.buttonWidth = skin.metric(Setting::CaptionButtonWidth);
    m.iconSize = skin.metric(Setting::TitleIconSize);
    m.padding = skin.metric(Setting::TitlePadding);
    m.grip = GetSystemMetrics(SM_CXSIZEFRAME);
    return m;
}

HICON smallIconOf(HWND hwnd) {
    auto icon = reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0));
    if (icon == nullptr) {
        icon = reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0));
    }
    if (icon == nullptr) {
        icon = reinterpret_cast<HICON>(GetClassLongPtrA(hwnd, GCLP_HICONSM));
    }
    if (icon == nullptr) {
        icon = reinterpret_cast<HICON>(GetClassLongPtrA(hwnd, GCLP_HICON));
    }
    return icon;
}

FrameStyle frameStyleOf(HWND hwnd, bool withIcon) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
    FrameStyle s;
    s.systemMenu = (style & WS_SYSMENU) != 0;
    s.minimizeBox = (style & WS_MINIMIZEBOX) != 0;
    s.maximizeBox = (style & WS_MAXIMIZEBOX) != 0;
    s.resizable = (style & WS_THICKFRAME) != 0;
    s.maximized = (style & WS_MAXIMIZE) != 0;
    s.hasIcon = withIcon && s.systemMenu && smallIconOf(hwnd) != nullptr;
    s.maximizedInset = GetSystemMetrics(s.resizable ? SM_CXSIZEFRAME : SM_CXFIXEDFRAME) +
                       GetSystemMetrics(SM_CXPADDEDBORDER);
    return s;
}

struct Frame {
    FrameStyle style;
    FrameMetrics metrics;
    FrameLayout layout;
    RECT window{}; // on the screen
};

Frame frameOf(HWND hwnd, const Skin& skin, bool withIcon) {
    Frame f;
    GetWindowRect(hwnd, &f.window);
    f.style = frameStyleOf(hwnd, withIcon);
    f.metrics = metricsOf(skin);
    f.layout = layoutFrame(f.window.right - f.window.left, f.window.bottom - f.window.top, f.style,
                           f.metrics);
    return f;
}

LRESULT hitCode(FramePart p) {
    switch (p) {
    case FramePart::Nowhere:
        return HTNOWHERE;
    case FramePart::Client:
        return HTCLIENT;
    case FramePart::Caption:
        return HTCAPTION;
    case FramePart::SystemMenu:
        return HTSYSMENU;
    case FramePart::Close:
        return HTCLOSE;
    case FramePart::Maximize:
        return HTMAXBUTTON;
    case FramePart::Minimize:
        return HTMINBUTTON;
    case FramePart::Border:
        return HTBORDER;
    case FramePart::Left:
        return HTLEFT;
    case FramePart::Right:
        return HTRIGHT;
    case FramePart::Top:
        return HTTOP;
    case FramePart::Bottom:
        return HTBOTTOM;
    case FramePart::TopLeft:
        return HTTOPLEFT;
    case FramePart::TopRight:
        return HTTOPRIGHT;
    case FramePart::BottomLeft:
        return HTBOTTOMLEFT;
    case FramePart::BottomRight:
        return HTBOTTOMRIGHT;
    }
    return HTNOWHERE;
}

FramePart captionButtonOf(WPARAM hit) {
    switch (hit) {
    case HTCLOSE:
        return FramePart::Close;
    case HTMAXBUTTON:
        return FramePart::Maximize;
    case HTMINBUTTON:
        return FramePart::Minimize;
    default:
        return FramePart::Nowhere;
    }
}

// The close button works while the system menu's Close item does (a window may remove or
// grey it, or its class may forbid closing).
bool closeAllowed(HWND hwnd) {
    if ((GetClassLongPtrA(hwnd, GCL_STYLE) & CS_NOCLOSE) != 0) {
        return false;
    }
    const HMENU menu = GetSystemMenu(hwnd, FALSE);
    if (menu == nullptr) {
        return true;
    }
    const UINT state = GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

bool buttonAllowed(HWND hwnd, FramePart p) {
    return p != FramePart::Close || closeAllowed(hwnd);
}

// The part of the frame under a point given in screen coordinates.
FramePart partAt(HWND hwnd, const Skin& skin, POINT screen) {
    const Frame f = frameOf(hwnd, skin, true);
    return hitTest(f.layout, f.style, f.metrics, screen.x - f.window.left, screen.y - f.window.top);
}

void drawCaptionButton(Canvas& canvas, const Skin& skin, const Box& box, CaptionButton which,
                       const FrameState& state, bool zoomed, bool allowed) {
    const FramePart part = partOf(which);
    const bool pressed = allowed && state.pressed == part && state.pressedInside;
    // While a button is held, no button lights up; the held one shows pressed while the
    // mouse is on it and plain when it slides off.
    const bool hot = allowed && state.pressed == FramePart::Nowhere && state.hot == part;
    const bool close = which == CaptionButton::Close;
    if (close && pressed) {
        canvas.fill(box, pixelOf(skin[Setting::ClosePressedBack]));
    } else if (close && hot) {
        canvas.fill(box, pixelOf(skin[Setting::CloseHoverBack]));
    } else if (pressed) {
        canvas.blend(box, pixelOf(skin[Setting::CaptionPressedBack]), 96);
    } else if (hot) {
        canvas.blend(box, pixelOf(skin[Setting::CaptionHoverBack]), 56);
    }
    Image glyph = Image::GlyphClose;
    if (which == CaptionButton::Maximize) {
        glyph = zoomed ? Image::GlyphRestore : Image::GlyphMaximize;
    } else if (which == CaptionButton::Minimize) {
        glyph = Image::GlyphMinimize;
    }
    std::uint32_t colour = skin[state.active ? Setting::GlyphActive : Setting::GlyphInactive];
    if (close && (hot || pressed)) {
        colour = skin[Setting::CloseHoverGlyph];
    }
    const ImageView& image = skin.image(glyph);
    canvas.mask(image, box.left + (box.width() - image.width) / 2,
                box.top + (box.height() - image.height) / 2, pixelOf(colour), allowed ? 255 : 96);
}

// Draws the whole frame into `target`, or into the window's own DC.
void paintFrame(HWND hwnd, const FrameState& state, HDC target = nullptr) {
    Engine* engine = Engine::current();
    if (engine == nullptr || IsIconic(hwnd)) {
        return;
    }
    const Skin& skin = engine->skin();
    const Frame f = frameOf(hwnd, skin, true);
    const FrameLayout& l = f.layout;
    const int width = l.window.width();
    const int height = l.window.height();
    const std::uint32_t frameColour =
        skin[state.active ? Setting::FrameActive : Setting::FrameInactive];

    // The top band (border and title bar), drawn off the screen and copied in one go.
    Bitmap band(width, l.title.bottom);
    if (!band.ok()) {
        return;
    }
    {
        Canvas canvas = band.canvas();
        canvas.fill({0, 0, width, l.title.bottom}, pixelOf(frameColour));
        canvas.stretch(skin.image(state.active ? Image::TitleActive : Image::TitleInactive),
                       l.title);
        for (int b = 0; b < static_cast<int>(CaptionButton::Count); ++b) {
            const auto which = static_cast<CaptionButton>(b);
            if (!l.button(which).empty()) {
                drawCaptionButton(canvas, skin, l.button(which), which, state, f.style.maximized,
                                  buttonAllowed(hwnd, partOf(which)));
            }
        }
    }
    if (!l.icon.empty()) {
        DrawIconEx(band.dc(), l.icon.left, l.icon.top, smallIconOf(hwnd), l.icon.width(),
                   l.icon.height(), 0, nullptr, DI_NORMAL);
    }
    const WindowText title(hwnd);
    if (title.length() > 0 && l.text.width() > 0) {
        const Selected font(band.dc(), engine->titleFont() != nullptr
                                           ? static_cast<HGDIOBJ>(engine->titleFont())
                                           : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(band.dc(), TRANSPARENT);
        SetTextColor(band.dc(),
                     skin[state.active ? Setting::TitleTextActive : Setting::TitleTextInactive]);
        RECT text = toRect(l.text);
        text.right -= f.metrics.padding;
        DrawTextA(band.dc(), title.get(), title.length(), &text,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }

    const WindowDC own(hwnd, WindowDC::Whole);
    const HDC dc = target != nullptr ? target : own.get();
    if (dc == nullptr) {
        return;
    }
    band.copyTo(dc, 0, 0);
    fillColour(dc, {0, l.title.bottom, l.client.left, height}, frameColour);
    fillColour(dc, {l.client.right, l.title.bottom, width, height}, frameColour);
    fillColour(dc, {l.client.left, l.client.bottom, l.client.right, height}, frameColour);
    // A client area shorter than the title bar leaves nothing else to paint.
    fillColour(dc, {l.client.left, l.title.bottom, l.client.right, l.client.top}, frameColour);
}

void repaint(HWND hwnd) {
    if (const auto* state = dressingOf<FrameState>(hwnd, DressKind::Frame);
        state != nullptr && IsWindowVisible(hwnd)) {
        paintFrame(hwnd, *state);
    }
}

LRESULT onNcCalcSize(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    Engine* engine = Engine::current();
    if (engine == nullptr || IsIconic(hwnd)) {
        return DefSubclassProc(hwnd, WM_NCCALCSIZE, wParam, lParam);
    }
    RECT* r = wParam != 0 ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                          : reinterpret_cast<RECT*>(lParam);
    const FrameLayout l = layoutFrame(r->right - r->left, r->bottom - r->top,
                                      frameStyleOf(hwnd, false), metricsOf(engine->skin()));
    *r = {r->left + l.client.left, r->top + l.client.top, r->left + l.client.right,
          r->top + l.client.bottom};
    return 0;
}

LRESULT onNcHitTest(HWND hwnd, LPARAM lParam) {
    Engine* engine = Engine::current();
    if (engine == nullptr || IsIconic(hwnd)) {
        return DefSubclassProc(hwnd, WM_NCHITTEST, 0, lParam);
    }
    return hitCode(partAt(hwnd, engine->skin(), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
}

void onNcMouseMove(HWND hwnd, FrameState& state, WPARAM hit) {
    const FramePart part = captionButtonOf(hit);
    const FramePart hot = buttonAllowed(hwnd, part) ? part : FramePart::Nowhere;
    if (hot != state.hot) {
        state.hot = hot;
        repaint(hwnd);
    }
    if (!state.trackingLeave) {
        state.trackingLeave = true;
        trackLeave(hwnd, true);
    }
}

// A caption button pressed: the mouse is captured until it is released.
bool onNcButtonDown(HWND hwnd, FrameState& state, WPARAM hit) {
    const FramePart part = captionButtonOf(hit);
    if (part == FramePart::Nowhere) {
        return false;
    }
    if (buttonAllowed(hwnd, part)) {
        state.pressed = part;
        state.pressedInside = true;
        state.hot = part;
        SetCapture(hwnd);
        repaint(hwnd);
    }
    return true;
}

void onCapturedMove(HWND hwnd, FrameState& state, LPARAM lParam) {
    Engine* engine = Engine::current();
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hwnd, &p);
    const bool inside = engine != nullptr && partAt(hwnd, engine->skin(), p) == state.pressed;
    if (inside != state.pressedInside) {
        state.pressedInside = inside;
        repaint(hwnd);
    }
}

void onCapturedRelease(HWND hwnd, FrameState& state, LPARAM lParam) {
    Engine* engine = Engine::current();
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hwnd, &p);
    const FramePart part = state.pressed;
    const bool inside = engine != nullptr && partAt(hwnd, engine->skin(), p) == part;
    state.pressed = FramePart::Nowhere;
    state.pressedInside = false;
    state.hot = inside ? part : FramePart::Nowhere;
    ReleaseCapture();
    repaint(hwnd);
    if (!inside) {
        return;
    }
    WPARAM command = SC_CLOSE;
    if (part == FramePart::Maximize) {
        command = IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE;
    } else if (part == FramePart::Minimize) {
        command = SC_MINIMIZE;
    }
    // The window may be gone when this returns; nothing of it is touched afterwards.
    SendMessageA(hwnd, WM_SYSCOMMAND, command, MAKELPARAM(p.x, p.y));
}

// PrintWindow and friends: the frame drawn by us, the client area by the window.
LRESULT onPrint(HWND hwnd, const FrameState& state, WPARAM wParam, LPARAM lParam) {
    Engine* engine = Engine::current();
    if (engine == nullptr || (lParam & PRF_NONCLIENT) == 0 || IsIconic(hwnd) ||
        ((lParam & PRF_CHECKVISIBLE) != 0 && !IsWindowVisible(hwnd))) {
        return DefSubclassProc(hwnd, WM_PRINT, wParam, lParam);
    }
    const auto dc = reinterpret_cast<HDC>(wParam);
    paintFrame(hwnd, state, dc);
    const Frame f = frameOf(hwnd, engine->skin(), false);
    POINT old{};
    OffsetViewportOrgEx(dc, f.layout.client.left, f.layout.client.top, &old);
    const LRESULT result = DefSubclassProc(hwnd, WM_PRINT, wParam, lParam & ~PRF_NONCLIENT);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
    return result;
}

} // namespace

LRESULT CALLBACK frameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR ref) {
    auto* state = reinterpret_cast<FrameState*>(ref);
    if (isQuery(message, wParam)) {
        return static_cast<LRESULT>(ref);
    }
    switch (message) {
    case WM_NCCALCSIZE:
        return onNcCalcSize(hwnd, wParam, lParam);
    case WM_NCHITTEST:
        return onNcHitTest(hwnd, lParam);
    case WM_NCPAINT:
        if (IsIconic(hwnd)) {
            break;
        }
        paintFrame(hwnd, *state);
        return 0;
    case WM_NCACTIVATE: {
        // Our own active look. The window still hears of the change; the system is asked not
        // to draw its caption (lParam -1), and whatever it draws all the same is painted over.
        state->active = wParam != 0;
        const bool visible = IsWindowVisible(hwnd) != FALSE;
        const LRESULT result =
            DefSubclassProc(hwnd, message, wParam, visible ? static_cast<LPARAM>(-1) : lParam);
        repaint(hwnd);
        return result;
    }
    case kUahDrawCaption:
    case kUahDrawFrame:
        return 0;
    case WM_PRINT:
        return onPrint(hwnd, *state, wParam, lParam);
    case WM_NCMOUSEMOVE:
        onNcMouseMove(hwnd, *state, wParam);
        break;
    case WM_NCMOUSELEAVE:
        state->trackingLeave = false;
        if (state->hot != FramePart::Nowhere && state->pressed == FramePart::Nowhere) {
            state->hot = FramePart::Nowhere;
            repaint(hwnd);
        }
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        if (onNcButtonDown(hwnd, *state, wParam)) {
            return 0;
        }
        // Moving by the title bar, the system menu: the system's loops, then our frame again.
        return passOnThenRedraw(hwnd, message, wParam, lParam, [hwnd] { repaint(hwnd); });
    }
    case WM_MOUSEMOVE:
        if (state->pressed != FramePart::Nowhere) {
            onCapturedMove(hwnd, *state, lParam);
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (state->pressed != FramePart::Nowhere) {
            onCapturedRelease(hwnd, *state, lParam);
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (state->pressed != FramePart::Nowhere) {
            state->pressed = FramePart::Nowhere;
            state->pressedInside = false;
            state->hot = FramePart::Nowhere;
            repaint(hwnd);
        }
        break;
    case WM_SETTEXT:
    case WM_SETICON:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_SYSCOMMAND:
    case WM_ENABLE:
    case WM_STYLECHANGED:
    case WM_INITMENUPOPUP:
        // The system draws its own caption on these; ours goes back over it at once.
        return passOnThenRedraw(hwnd, message, wParam, lParam, [hwnd] { repaint(hwnd); });
    case WM_NCDESTROY:
        return endDressing(hwnd, frameProc, state, message, wParam, lParam);
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

bool dressFrame(HWND hwnd) {
    auto* state = Engine::current() != nullptr ? create<FrameState>() : nullptr;
    if (state != nullptr) {
        state->active = GetActiveWindow() == hwnd;
    }
    if (!attachDressing(hwnd, frameProc, state)) {
        return false;
    }
    Engine::current()->setOwnFrame(hwnd, true);
    return true;
}

void refreshFrame(HWND hwnd) {
    // The client area follows the skin's metrics; the outer size stays.
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                     SWP_NOOWNERZORDER);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void undressFrame(HWND hwnd) {
    auto* state = dressingOf<FrameState>(hwnd, DressKind::Frame);
    if (state == nullptr) {
        return;
    }
    if (state->pressed != FramePart::Nowhere && GetCapture() == hwnd) {
        state->pressed = FramePart::Nowhere;
        ReleaseCapture();
    }
    removeDressing(hwnd, frameProc, state);
    if (Engine* engine = Engine::current()) {
        engine->setOwnFrame(hwnd, false);
    }
    refreshFrame(hwnd);
}

bool isDressedTopLevel(HWND hwnd) {
    return dressingOf<FrameState>(hwnd, DressKind::Frame) != nullptr;
}

} // namespace wavoro::skin
