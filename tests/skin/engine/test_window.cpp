#include "tests/skin/engine/test_window.h"

namespace wavoro::skin::testing {

TestWindowEvents events;

namespace {

constexpr int kCreateId = 170;
constexpr int kWifiId = 160;

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_CTLCOLOREDIT:
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            if (LOWORD(wParam) == kCreateId) {
                ++events.createClicks;
            } else if (LOWORD(wParam) == kWifiId) {
                ++events.wifiClicks;
            }
        }
        return 0;
    case WM_DESTROY:
        events.destroyed = true;
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

// The banner: a self-drawn picture in two solid colours.
LRESULT CALLBACK bannerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT rc;
        GetClientRect(hwnd, &rc);
        HBRUSH violet = CreateSolidBrush(kBannerViolet);
        HBRUSH blue = CreateSolidBrush(kBannerBlue);
        RECT left = {0, 0, rc.right / 2, rc.bottom};
        RECT right = {rc.right / 2, 0, rc.right, rc.bottom};
        FillRect(dc, &left, violet);
        FillRect(dc, &right, blue);
        DeleteObject(violet);
        DeleteObject(blue);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A self-drawn label: background and text of its own.
LRESULT CALLBACK labelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT rc;
        GetClientRect(hwnd, &rc);
        FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
        char text[64];
        const int n = GetWindowTextA(hwnd, text, sizeof text);
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, text, n, &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void registerClasses() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpfnWndProc = windowProc;
    wc.lpszClassName = "WavoroTestWindow";
    RegisterClassA(&wc);
    wc.lpfnWndProc = bannerProc;
    wc.lpszClassName = "WavoroTestBanner";
    RegisterClassA(&wc);
    wc.lpfnWndProc = labelProc;
    wc.lpszClassName = "WavoroTestLabel";
    RegisterClassA(&wc);
}

HWND child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h,
           int id) {
    HWND hwnd = CreateWindowExA(0, cls, text, WS_CHILD | WS_CLIPSIBLINGS | style, x, y, w, h,
                                parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), nullptr);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, kUserDataMark);
    return hwnd;
}

} // namespace

HWND TestWindow::child(int i) const {
    const HWND all[kChildren] = {banner,       nameLabel,  passwordLabel,  nameEdit, passwordEdit,
                                 createButton, wifiButton, disabledButton, group};
    return all[i];
}

TestWindow createTestWindow(const char* title) {
    registerClasses();
    events = {};
    TestWindow w;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - 450) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - 262) / 2;
    w.window =
        CreateWindowExA(0, "WavoroTestWindow", title, WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU, x,
                        y, 450, 262, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(w.window, GWLP_USERDATA, kUserDataMark);
    SendMessageA(w.window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadIcon(nullptr, IDI_APPLICATION)));
    SendMessageA(w.window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 0);
    // Creation order as the form's: the first control on top, the group frame at the bottom.
    w.disabledButton = testing::child(w.window, "BUTTON", "禁用按钮", BS_PUSHBUTTON | WS_DISABLED,
                                      8, 198, 96, 32, 100);
    w.banner = testing::child(w.window, "WavoroTestBanner", "", 0, 0, 0, 450, 104, 110);
    w.passwordEdit = testing::child(w.window, "EDIT", "", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
                                    144, 156, 270, 25, 120);
    w.passwordLabel =
        testing::child(w.window, "WavoroTestLabel", "无线热点密码：", 0, 45, 160, 91, 24, 130);
    w.nameEdit = testing::child(w.window, "EDIT", "", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 143,
                                123, 270, 25, 140);
    w.nameLabel =
        testing::child(w.window, "WavoroTestLabel", "无线热点名称：", 0, 45, 120, 80, 32, 150);
    w.wifiButton =
        testing::child(w.window, "BUTTON", "启动WIFI",
                       WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 342, 198,
                       96, 32, kWifiId);
    w.createButton =
        testing::child(w.window, "BUTTON", "创建无线热点",
                       WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 232, 198,
                       104, 32, kCreateId);
    w.group = testing::child(w.window, "BUTTON", "", BS_GROUPBOX | BS_LEFT, 6, 104, 432, 88, 180);
    // Stacked in creation order, each below the one before, then shown inside the window.
    const HWND order[] = {w.disabledButton, w.banner,       w.passwordEdit,
                          w.passwordLabel,  w.nameEdit,     w.nameLabel,
                          w.wifiButton,     w.createButton, w.group};
    HWND above = HWND_TOP;
    for (HWND c : order) {
        SetWindowPos(c, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = c;
    }
    for (HWND c : order) {
        ShowWindow(c, SW_SHOWNA);
    }
    return w;
}

void showTestWindow(const TestWindow& w) {
    ShowWindow(w.window, SW_SHOW);
    SetForegroundWindow(w.window);
    UpdateWindow(w.window);
    SetFocus(w.nameEdit);
}

RECT childPlace(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace wavoro::skin::testing
