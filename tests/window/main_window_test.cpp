// MainWindow built in this process from its form, on the wine desktop: how it is built, placed,
// painted and driven by keyboard and mouse, and the events it raises.
#include "window/main_window.h"

#include "tests/support/win_check.h"
#include "tests/support/win_support.h"
#include "window/form_values.h"
#include "window/jpeg_picture.h"
#include "window/window_runtime.h"

#include <climits>
#include <memory>
#include <string>
#include <vector>

namespace wavoro {
namespace {

using namespace test;
using form::Handler;

const std::vector<unsigned char>& fixture(const char* name) {
    static std::vector<std::vector<unsigned char>> loaded;
    static std::vector<std::string> names;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) {
            return loaded[i];
        }
    }
    names.emplace_back(name);
    loaded.push_back(readFile(programDirectory() + "\\window_fixtures\\" + name));
    return loaded.back();
}

// The test banner: 450 x 115, left half red, right half blue, the 11 rows below the box's
// 104 green; progressive, three components.
const std::vector<unsigned char>& bannerJpeg() {
    return fixture("banner.jpg");
}
const std::vector<unsigned char>& testIcon() {
    return fixture("icon.ico");
}

class RecordingSink : public FormEventSink {
public:
    void onFormEvent(Handler handler, const FormEventArgs& args) override {
        events.push_back(handler);
        lastArgs = args;
        if (handler == Handler::mainWindowCreated && onCreated) {
            onCreated();
        }
    }
    [[nodiscard]] int count(Handler handler) const {
        int n = 0;
        for (Handler h : events) {
            n += h == handler ? 1 : 0;
        }
        return n;
    }

    std::vector<Handler> events;
    FormEventArgs lastArgs;
    std::function<void()> onCreated;
};

BOOL CALLBACK countVisible(HWND hwnd, LPARAM count) {
    *reinterpret_cast<int*>(count) += IsWindowVisible(hwnd) ? 1 : 0;
    return TRUE;
}

void pump(int milliseconds = 150) {
    waitUntil([] { return false; }, milliseconds, runtime::pumpWaitingMessages);
}

struct MainWindowTest : check::Fixture {
    void load(std::span<const unsigned char> banner, std::span<const unsigned char> icon) {
        window = std::make_unique<MainWindow>(form::mainWindowForm,
                                              form::FormResources{banner, icon}, sink);
        ASSERT_TRUE(window->load());
        ASSERT_NE(window->handle(), nullptr);
        SetForegroundWindow(window->handle());
        UpdateWindow(window->handle());
        pump(300);
    }
    void load() { load(bannerJpeg(), testIcon()); }
    void TearDown() override {
        window.reset();
        pump(50);
    }

    HWND main() const { return window->handle(); }
    HWND control(ElementId id) const { return window->controlHandle(id); }
    PropertyValue get(ElementId id, PropertyNumber n) {
        return window->getControlProperty(form::mainWindowId, id, n);
    }
    void set(ElementId id, PropertyNumber n, const PropertyValue& v) {
        window->setControlProperty(form::mainWindowId, id, n, v);
    }
    RECT clientArea(RECT r) const { return clientToScreen(main(), r); }
    ScreenShot shoot() const {
        UpdateWindow(main());
        pump(100);
        return ScreenShot(screenRect(main()));
    }

    RecordingSink sink;
    std::unique_ptr<MainWindow> window;
};

TEST(JpegPicture, DecodesTheProgressiveBannerAndRefusesBrokenBytes) {
    const auto& bytes = bannerJpeg();
    ASSERT_GT(bytes.size(), 100u) << "fixture missing";
    const auto picture = decodeJpeg(bytes);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 450);
    EXPECT_EQ(picture->height, 115);
    auto pixel = [&](int x, int y) {
        const auto* p =
            &picture->pixels[(static_cast<std::size_t>(y) * 450 + static_cast<std::size_t>(x)) * 4];
        return RGB(p[2], p[1], p[0]);
    };
    EXPECT_TRUE(closeTo(pixel(50, 50), RGB(200, 30, 30), 24));
    EXPECT_TRUE(closeTo(pixel(400, 50), RGB(30, 30, 200), 24));
    EXPECT_TRUE(closeTo(pixel(50, 112), RGB(30, 200, 30), 24));

    // Each of these must come back as no picture, without ending the process.
    const std::vector<std::vector<unsigned char>> broken{
        {},
        {0xFF, 0xD8},
        std::vector<unsigned char>(bytes.begin(), bytes.begin() + 40), // header cut short
        {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0xFF, 0xFF, 0xFF, 0xFF, 0x09, 0x01},
        {'B', 'M', 0, 0},
    };
    for (const auto& b : broken) {
        EXPECT_FALSE(decodeJpeg(b)) << b.size() << " bytes";
    }
}

TEST_F(MainWindowTest, IsBuiltHiddenAndShownOnlyAfterTheCreatedEvent) {
    bool windowVisibleInCreated = true;
    int controlsWithVisibleStyle = 0;
    PropertyValue editVisibleInCreated;
    sink.onCreated = [&] {
        HWND hwnd = window->handle();
        windowVisibleInCreated = IsWindowVisible(hwnd) != FALSE;
        for (HWND c = GetWindow(hwnd, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
            controlsWithVisibleStyle += (GetWindowLongA(c, GWL_STYLE) & WS_VISIBLE) != 0 ? 1 : 0;
        }
        editVisibleInCreated = get(form::nameEditId, form::prop::visible);
    };
    load();
    EXPECT_EQ(sink.events, std::vector<Handler>{Handler::mainWindowCreated});
    EXPECT_FALSE(windowVisibleInCreated);
    EXPECT_EQ(controlsWithVisibleStyle, 9) << "controls are shown inside the hidden window";
    EXPECT_EQ(editVisibleInCreated, PropertyValue(false)) << "visible counts the window too";
    EXPECT_TRUE(IsWindowVisible(main()));
    EXPECT_EQ(get(form::nameEditId, form::prop::visible), PropertyValue(true));
    EXPECT_EQ(GetFocus(), control(form::createButtonId)) << "the first of the focus ring";
}

TEST_F(MainWindowTest, WindowIsCentredWithItsOuterSizeFrameAndTitle) {
    load();
    const RECT outer = screenRect(main());
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(outer.left, (screenWidth - 450) / 2);
    EXPECT_EQ(outer.top, (screenHeight - 262) / 2);
    if (screenWidth == 1024 && screenHeight == 768) {
        EXPECT_EQ(outer.left, 287);
        EXPECT_EQ(outer.top, 253);
    }
    EXPECT_EQ(outer.right - outer.left, 450);
    EXPECT_EQ(outer.bottom - outer.top, 262);

    const LONG style = GetWindowLongA(main(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN),
              WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN);
    EXPECT_EQ(static_cast<DWORD>(style) &
                  (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP),
              0u);
    const LONG ex = GetWindowLongA(main(), GWL_EXSTYLE);
    EXPECT_EQ(ex & (WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE | WS_EX_TOPMOST), 0);
    EXPECT_EQ(GetWindow(main(), GW_OWNER), nullptr);

    char title[100] = {};
    GetWindowTextA(main(), title, sizeof title);
    EXPECT_STREQ(title, "Wavoro - Tesmin https://tesmin.example/wavoro");
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(main(), WM_GETFONT, 0, 0)),
              GetStockObject(DEFAULT_GUI_FONT));
}

TEST_F(MainWindowTest, ControlsSitAtTheirPlacesWithIdsClassesAndStylesInFormOrder) {
    load();
    struct Expected {
        ElementId id;
        int childId;
        const char* cls; // nullptr: the runtime's own class
        RECT place;      // left, top, right, bottom in the client area
        DWORD style;     // bits that must be set
        DWORD exStyle;
    };
    const Expected expected[] = {
        {form::footerLabelId, 100, nullptr, {8, 200, 208, 232}, WS_DISABLED, WS_EX_TRANSPARENT},
        {form::bannerPictureId, 110, nullptr, {0, 0, 450, 104}, 0, 0},
        {form::passwordEditId, 120, "Edit", {144, 156, 414, 181}, WS_TABSTOP | ES_AUTOHSCROLL, 0},
        {form::passwordLabelId, 130, nullptr, {45, 160, 136, 184}, 0, 0},
        {form::nameEditId, 140, "Edit", {143, 123, 413, 148}, WS_TABSTOP | ES_AUTOHSCROLL, 0},
        {form::nameLabelId, 150, nullptr, {45, 120, 125, 152}, 0, 0},
        {form::wifiButtonId,
         160,
         "Button",
         {342, 198, 438, 230},
         WS_TABSTOP | BS_CENTER | BS_VCENTER | BS_MULTILINE,
         0},
        {form::createButtonId,
         170,
         "Button",
         {232, 198, 336, 230},
         WS_TABSTOP | BS_CENTER | BS_VCENTER | BS_MULTILINE,
         0},
        {form::inputGroupId, 180, "Button", {6, 104, 438, 192}, BS_GROUPBOX, 0},
    };
    std::vector<int> stacking;
    for (HWND c = GetWindow(main(), GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        stacking.push_back(GetDlgCtrlID(c));
    }
    EXPECT_EQ(stacking, (std::vector<int>{100, 110, 120, 130, 140, 150, 160, 170, 180}))
        << "the first control on top";

    char ownClass[64] = {};
    GetClassNameA(main(), ownClass, sizeof ownClass);
    for (const Expected& e : expected) {
        HWND hwnd = control(e.id);
        ASSERT_NE(hwnd, nullptr);
        EXPECT_EQ(GetDlgCtrlID(hwnd), e.childId);
        char cls[64] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        EXPECT_STRCASEEQ(cls, e.cls != nullptr ? e.cls : ownClass) << e.childId;
        RECT r{};
        GetWindowRect(hwnd, &r);
        MapWindowPoints(nullptr, main(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, e.place.left) << e.childId;
        EXPECT_EQ(r.top, e.place.top) << e.childId;
        EXPECT_EQ(r.right, e.place.right) << e.childId;
        EXPECT_EQ(r.bottom, e.place.bottom) << e.childId;
        const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
        EXPECT_EQ(style & (e.style | WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE),
                  e.style | WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE)
            << e.childId;
        const bool tabStop = (e.style & WS_TABSTOP) != 0;
        EXPECT_EQ((style & WS_TABSTOP) != 0, tabStop) << e.childId;
        const DWORD ex = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
        EXPECT_EQ(ex & (WS_EX_TRANSPARENT | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), e.exStyle)
            << e.childId;
        if (e.cls != nullptr) {
            EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)),
                      GetStockObject(DEFAULT_GUI_FONT))
                << e.childId;
        }
    }
    // Password mode is off: the field shows what is typed.
    EXPECT_EQ(SendMessageA(control(form::passwordEditId), EM_GETPASSWORDCHAR, 0, 0), 0);
    EXPECT_EQ(GetWindowLongA(control(form::passwordEditId), GWL_STYLE) & ES_PASSWORD, 0);
    EXPECT_EQ(GetWindowLongA(control(form::inputGroupId), GWL_STYLE) & 0x0F, BS_GROUPBOX);
    EXPECT_EQ(GetWindowLongA(control(form::createButtonId), GWL_STYLE) & 0x0F, BS_PUSHBUTTON);
}

TEST_F(MainWindowTest, IconsAreThe32And16PixelImages) {
    load();
    auto widthOf = [](HICON icon) {
        ICONINFO info{};
        if (icon == nullptr || !GetIconInfo(icon, &info)) {
            return 0;
        }
        BITMAP bitmap{};
        GetObjectA(info.hbmMask, sizeof bitmap, &bitmap);
        DeleteObject(info.hbmMask);
        if (info.hbmColor != nullptr) {
            DeleteObject(info.hbmColor);
        }
        return static_cast<int>(bitmap.bmWidth);
    };
    EXPECT_EQ(widthOf(reinterpret_cast<HICON>(SendMessageA(main(), WM_GETICON, ICON_BIG, 0))), 32);
    EXPECT_EQ(widthOf(reinterpret_cast<HICON>(SendMessageA(main(), WM_GETICON, ICON_SMALL, 0))),
              16);
}

TEST_F(MainWindowTest, WithoutIconDataTheWindowStillHasAnIcon) {
    load(bannerJpeg(), {});
    EXPECT_NE(SendMessageA(main(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(main(), WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(MainWindowTest, PropertyReadsGiveTheLiveValues) {
    load();
    const std::string createCaption = "创建无线热点";
    EXPECT_EQ(get(form::createButtonId, form::prop::button::caption),
              PropertyValue(Text(createCaption)));
    EXPECT_EQ(get(form::wifiButtonId, form::prop::button::caption),
              PropertyValue(Text("启动WIFI")));
    EXPECT_EQ(get(form::nameLabelId, form::prop::label::caption),
              PropertyValue(Text("无线热点名称：")));
    EXPECT_EQ(get(form::nameEditId, form::prop::editBox::text), PropertyValue{}) << "empty is none";
    EXPECT_EQ(get(form::nameLabelId, form::prop::label::textColour),
              PropertyValue(std::int64_t{0}));
    EXPECT_EQ(get(form::footerLabelId, form::prop::disabled), PropertyValue(true));
    EXPECT_EQ(get(form::wifiButtonId, form::prop::disabled), PropertyValue(false));
    EXPECT_EQ(get(form::nameEditId, form::prop::left), PropertyValue(std::int64_t{143}));
    EXPECT_EQ(get(form::passwordEditId, form::prop::left), PropertyValue(std::int64_t{144}));
    EXPECT_EQ(get(form::mainWindowId, form::prop::width), PropertyValue(std::int64_t{450}));

    // What the user types is what a read gives.
    SetWindowTextA(control(form::nameEditId), "我的热点ABC");
    EXPECT_EQ(get(form::nameEditId, form::prop::editBox::text), PropertyValue(Text("我的热点ABC")));

    // Writes take effect at once, on the control itself.
    set(form::nameLabelId, form::prop::label::caption, Text("无线热点已关闭！"));
    char text[64] = {};
    GetWindowTextA(control(form::nameLabelId), text, sizeof text);
    EXPECT_STREQ(text, "无线热点已关闭！") << "a label's window text is its caption";
    set(form::nameEditId, form::prop::visible, false);
    EXPECT_FALSE(IsWindowVisible(control(form::nameEditId)));
    EXPECT_EQ(get(form::nameEditId, form::prop::visible), PropertyValue(false));
    set(form::wifiButtonId, form::prop::disabled, true);
    EXPECT_FALSE(IsWindowEnabled(control(form::wifiButtonId)));
    EXPECT_EQ(get(form::wifiButtonId, form::prop::disabled), PropertyValue(true));
    set(form::passwordLabelId, form::prop::label::textColour, std::int64_t{128});
    EXPECT_EQ(get(form::passwordLabelId, form::prop::label::textColour),
              PropertyValue(std::int64_t{128}));
    set(form::wifiButtonId, form::prop::button::caption, Text("停止"));
    GetWindowTextA(control(form::wifiButtonId), text, sizeof text);
    EXPECT_STREQ(text, "停止");

    // Unknown windows, controls and properties are passed over.
    EXPECT_EQ(window->getControlProperty(0x1234, form::nameEditId, 8), PropertyValue{});
    EXPECT_EQ(get(0x1234, 8), PropertyValue{});
    EXPECT_EQ(get(form::nameEditId, 99), PropertyValue{});
    set(0x1234, 8, Text("x"));
    // A number past the kind's last property is not stored, however large.
    for (const PropertyNumber beyond : {14, 99, 1 << 20, INT_MAX}) {
        set(form::createButtonId, beyond, std::int64_t{5});
        EXPECT_EQ(get(form::createButtonId, beyond), PropertyValue{}) << beyond;
    }
    // An empty text written to a stored property reads back as none.
    set(form::nameEditId, form::prop::tag, Text(""));
    EXPECT_EQ(get(form::nameEditId, form::prop::tag), PropertyValue{});
}

TEST_F(MainWindowTest, BannerShowsThePictureAtNaturalSizeCutToItsBox) {
    load();
    const ScreenShot shot = shoot();
    const HWND banner = control(form::bannerPictureId);
    RECT box{};
    GetClientRect(banner, &box);
    const RECT screenBox = clientToScreen(banner, box);
    EXPECT_TRUE(closeTo(shot.at(screenBox.left + 20, screenBox.top + 50), RGB(200, 30, 30), 30));
    EXPECT_TRUE(closeTo(shot.at(screenBox.left + 400, screenBox.top + 50), RGB(30, 30, 200), 30));
    // Only the top 104 rows: nothing of the green band below them.
    const RECT lastRows{screenBox.left, screenBox.bottom - 3, screenBox.right, screenBox.bottom};
    EXPECT_EQ(
        shot.count(lastRows, [](COLORREF c) { return GetGValue(c) > 150 && GetRValue(c) < 100; }),
        0);
}

TEST_F(MainWindowTest, BrokenBannerLeavesTheBoxInButtonFaceWithoutAMessage) {
    std::vector<unsigned char> broken(bannerJpeg().begin(), bannerJpeg().begin() + 40);
    load(broken, testIcon());
    const ScreenShot shot = shoot();
    const RECT box = clientToScreen(control(form::bannerPictureId), RECT{0, 0, 400, 100});
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(shot.count(box, [face](COLORREF c) { return c != face; }), 0);
    // No box came up: the only top-level window of this thread is ours.
    int topLevels = 0;
    EnumThreadWindows(GetCurrentThreadId(), countVisible, reinterpret_cast<LPARAM>(&topLevels));
    EXPECT_EQ(topLevels, 1);
}

TEST_F(MainWindowTest, LabelsEditsGroupAndFooterArePaintedByTheirRules) {
    load();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    ScreenShot shot = shoot();
    const RECT nameLabel = clientArea(RECT{45, 120, 125, 152});
    EXPECT_GT(shot.count(nameLabel, isDark), 20) << "black caption";
    EXPECT_EQ(shot.count(nameLabel, isDarkRed), 0);
    // Fields: white inside a one-pixel line (the edit class draws the WS_BORDER line itself).
    const RECT nameField = clientArea(RECT{150, 128, 400, 143});
    EXPECT_EQ(shot.count(nameField, [](COLORREF c) { return c != RGB(255, 255, 255); }), 0);
    const RECT fieldTopLine = clientArea(RECT{150, 123, 400, 124});
    EXPECT_EQ(shot.count(fieldTopLine, [](COLORREF c) { return GetRValue(c) > 160; }), 0);
    // Inside the frame, around the captions and fields, the window's background colour.
    const RECT insideGroup = clientArea(RECT{12, 125, 40, 185});
    EXPECT_EQ(shot.count(insideGroup, [face](COLORREF c) { return c != face; }), 0);
    const RECT belowBanner = clientArea(RECT{0, 104, 6, 120});
    EXPECT_EQ(shot.count(belowBanner, [face](COLORREF c) { return c != face; }), 0);
    // The group frame: drawn lines in the band of its top edge, no caption gap.
    const RECT groupTop = clientArea(RECT{20, 104, 430, 116});
    const int framePixels = shot.count(groupTop, [face](COLORREF c) { return c != face; });
    EXPECT_GT(framePixels, 400) << "a line along the whole top edge";
    // The footer: black text straight on the window's background.
    const RECT footer = clientArea(RECT{8, 200, 208, 232});
    EXPECT_GT(shot.count(footer, isDark), 20);
    EXPECT_GT(shot.count(footer, [face](COLORREF c) { return c == face; }), 4000);
    // Nothing lighter than the background: no fill of its own.
    EXPECT_EQ(shot.count(footer,
                         [face](COLORREF c) {
                             return GetRValue(c) > GetRValue(face) + 8 ||
                                    GetGValue(c) > GetGValue(face) + 8 ||
                                    GetBValue(c) > GetBValue(face) + 8;
                         }),
              0);

    // A status line in dark red: long, so passwordLabel wraps it and nameLabel cuts it.
    const Text longLine = "您已创建这是一个非常长的无线热点名称用来测试折行无线热点";
    set(form::nameLabelId, form::prop::label::textColour, std::int64_t{128});
    set(form::passwordLabelId, form::prop::label::textColour, std::int64_t{128});
    set(form::nameLabelId, form::prop::label::caption, longLine);
    set(form::passwordLabelId, form::prop::label::caption, Text("热点密码为：") + longLine);
    shot = shoot();
    shot.saveBmp(programDirectory() + "\\..\\window-test-status.bmp");
    EXPECT_GT(shot.count(nameLabel, isDarkRed), 20);
    EXPECT_EQ(shot.count(nameLabel, isDark), 0) << "no black left";
    // nameLabel: one line, vertically centred in its 32 pixels: its top and bottom rows are empty.
    EXPECT_EQ(shot.count(clientArea(RECT{45, 120, 125, 126}), isDarkRed), 0);
    EXPECT_EQ(shot.count(clientArea(RECT{45, 146, 125, 152}), isDarkRed), 0);
    // Nothing is drawn past the label's right edge into the field's border gap.
    EXPECT_EQ(shot.count(clientArea(RECT{125, 120, 143, 152}), isDarkRed), 0);
    // passwordLabel: lines from its top edge, a second one below the first.
    const RECT firstLine = clientArea(RECT{45, 160, 136, 171});
    const RECT secondLine = clientArea(RECT{45, 173, 136, 184});
    EXPECT_GT(shot.count(firstLine, isDarkRed), 20);
    EXPECT_GT(shot.count(secondLine, isDarkRed), 20) << "wrapped onto a second line";
}

TEST_F(MainWindowTest, TabAndShiftTabWalkTheFocusRing) {
    load();
    const HWND create = control(form::createButtonId);
    const HWND wifi = control(form::wifiButtonId);
    const HWND name = control(form::nameEditId);
    const HWND password = control(form::passwordEditId);
    ASSERT_EQ(GetFocus(), create);
    for (HWND next : {wifi, name, password, create}) {
        pressKey(VK_TAB);
        EXPECT_TRUE(waitUntil([next] { return GetFocus() == next; }, 2000, [] { pump(20); }));
    }
    for (HWND previous : {password, name, wifi, create}) {
        pressKey(VK_TAB, true);
        EXPECT_TRUE(
            waitUntil([previous] { return GetFocus() == previous; }, 2000, [] { pump(20); }));
    }

    // Enter changes nothing: no click, no focus move, the window stays.
    pressKey(VK_RETURN);
    pump(200);
    EXPECT_EQ(GetFocus(), create);
    EXPECT_EQ(sink.count(Handler::createButtonClick), 0);

    // Hidden fields and a disabled button drop out of the ring.
    set(form::nameEditId, form::prop::visible, false);
    set(form::passwordEditId, form::prop::visible, false);
    set(form::wifiButtonId, form::prop::disabled, true);
    pressKey(VK_TAB);
    pump(200);
    EXPECT_EQ(GetFocus(), create);
    pressKey(VK_TAB, true);
    pump(200);
    EXPECT_EQ(GetFocus(), create);
}

TEST_F(MainWindowTest, FocusComesBackToTheLastControlOnActivation) {
    load();
    const HWND name = control(form::nameEditId);
    SetFocus(name);
    // Another window of the thread takes the activation, then ours gets it back.
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100,
                                 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetActiveWindow(other);
    pump(100);
    EXPECT_NE(GetFocus(), name);
    SetActiveWindow(main());
    pump(100);
    EXPECT_EQ(GetFocus(), name);
    DestroyWindow(other);
}

TEST_F(MainWindowTest, EscClosesTheWindowFromAField) {
    load();
    SetFocus(control(form::passwordEditId));
    SetWindowTextA(control(form::passwordEditId), "typed");
    pressKey(VK_ESCAPE);
    EXPECT_TRUE(waitUntil([this] { return window->handle() == nullptr; }, 3000, [] { pump(20); }));
}

TEST_F(MainWindowTest, BannerPressRaisesItsEventOncePerPressAndDoubleClick) {
    load();
    const RECT banner = screenRect(control(form::bannerPictureId));
    const POINT at{banner.left + 200, banner.top + 50};
    leftClick(at);
    EXPECT_TRUE(waitUntil([this] { return sink.count(Handler::bannerPress) == 1; }, 2000,
                          [] { pump(20); }));
    EXPECT_EQ(sink.lastArgs.x, 200);
    EXPECT_EQ(sink.lastArgs.y, 50);
    pump(static_cast<int>(GetDoubleClickTime()) + 100); // the next press starts a new click

    leftClick(at, 2); // a double-click: its second press is the double-click event
    pump(300);
    EXPECT_EQ(sink.count(Handler::bannerPress), 2);
    pump(static_cast<int>(GetDoubleClickTime()) + 100);

    rightClick(at);
    pump(300);
    EXPECT_EQ(sink.count(Handler::bannerPress), 2);

    // A press on the disabled footer raises nothing either.
    const RECT footer = screenRect(control(form::footerLabelId));
    leftClick(POINT{footer.left + 10, footer.top + 10});
    pump(300);
    EXPECT_EQ(sink.events.size(), 3u); // created and the two banner presses
}

TEST_F(MainWindowTest, ButtonClicksRaiseTheirEventsOnlyWhileEnabled) {
    load();
    const RECT create = screenRect(control(form::createButtonId));
    leftClick(POINT{create.left + 20, create.top + 10});
    EXPECT_TRUE(waitUntil([this] { return sink.count(Handler::createButtonClick) == 1; }, 2000,
                          [] { pump(20); }));
    SendMessageA(control(form::wifiButtonId), BM_CLICK, 0, 0);
    EXPECT_EQ(sink.count(Handler::wifiButtonClick), 1);
    SetFocus(control(form::wifiButtonId));
    pressKey(VK_SPACE);
    EXPECT_TRUE(waitUntil([this] { return sink.count(Handler::wifiButtonClick) == 2; }, 2000,
                          [] { pump(20); }));
    set(form::wifiButtonId, form::prop::disabled, true);
    const RECT wifi = screenRect(control(form::wifiButtonId));
    leftClick(POINT{wifi.left + 20, wifi.top + 10});
    pump(300);
    EXPECT_EQ(sink.count(Handler::wifiButtonClick), 2);
}

// Last: once the loop has run, destroying the last window posts the quit message.
TEST_F(MainWindowTest, ZMessageLoopEndsWithZeroWhenTheLastWindowIsGone) {
    load();
    PostMessageA(main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(runtime::runMessageLoop(), 0);
    EXPECT_EQ(window->handle(), nullptr);
    EXPECT_FALSE(runtime::anyTopLevelWindow());
}

} // namespace
} // namespace wavoro

int main(int argc, char** argv) {
    return wavoro::check::runAll(argc, argv);
}
