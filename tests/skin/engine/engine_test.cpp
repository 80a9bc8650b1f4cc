// The skin engine at work under wine: jedata.dll loaded and SkinH_AttachEx called as the
// program does, on a window shaped like the main window, checked on screenshots taken from
// the screen, with real mouse input. The suites run as separate processes (see CMakeLists):
// BadSkin without an engine, Dressed with one attached before the window is shown, Release
// for the engine's end and the library's release. (The runner is the Windows test programs'
// own, tests/support/win_check.h: an argument runs the tests whose name contains it.)
#include "skin/engine/canvas.h"
#include "skin/engine/frame_layout.h"
#include "skin/skin_file.h"
#include "tests/skin/engine/screen.h"
#include "tests/skin/engine/test_window.h"

#include "tests/support/win_check.h"
#include "tests/support/win_support.h"

#include <cstdio>
#include <string>
#include <vector>

namespace wavoro::skin::testing {
namespace {

using Attach = int(__stdcall*)(const char*, const char*);

std::string shotPath(const char* name) {
    return std::string(WAVORO_SHOTS_DIR) + "/" + name + ".png";
}

using test::readFile;

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string tempPath(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    return std::string(dir) + name;
}

// jedata.dll, loaded from the test's own directory as the program would load it.
struct Library {
    HMODULE module = LoadLibraryA("jedata.dll");
    Attach attach = module != nullptr ? reinterpret_cast<Attach>(reinterpret_cast<void (*)()>(
                                            GetProcAddress(module, "SkinH_AttachEx")))
                                      : nullptr;
    void release() {
        if (module != nullptr) {
            FreeLibrary(module);
            module = nullptr;
            attach = nullptr;
        }
    }
};

// The skin as the test reads it, for the colours to expect.
const Skin& skin() {
    static LoadedSkin loaded;
    static bool done = false;
    if (!done) {
        done = true;
        const SkinError error = loadSkin(readFile(WAVORO_WIN8_SHE), loaded);
        EXPECT_EQ(error, SkinError::None) << WAVORO_WIN8_SHE;
    }
    return loaded.skin();
}

std::uint32_t colour(Setting s) {
    return skin()[s];
}

FrameMetrics metrics() {
    return {skin().metric(Setting::TitleHeight),        skin().metric(Setting::BorderWidth),
            skin().metric(Setting::CaptionButtonWidth), skin().metric(Setting::TitleIconSize),
            skin().metric(Setting::TitlePadding),       4};
}

FrameLayout mainLayout(int width = 450, int height = 262) {
    FrameStyle style;
    style.systemMenu = true;
    style.hasIcon = true;
    return layoutFrame(width, height, style, metrics());
}

// The title bar's own picture at (x, y) of the window, where no text, icon or glyph lies.
std::uint32_t titleColour(int width, int x, int y, bool active) {
    const FrameLayout l = mainLayout(width);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * l.title.bottom));
    Canvas canvas(pixels.data(), width, l.title.bottom);
    canvas.stretch(skin().image(active ? Image::TitleActive : Image::TitleInactive), l.title);
    return colourOf(canvas.at(x, y));
}

// A point of a child control, relative to the window's outer corner.
POINT inWindow(HWND window, HWND control, int x, int y) {
    RECT w{};
    RECT c{};
    GetWindowRect(window, &w);
    GetWindowRect(control, &c);
    return {c.left - w.left + x, c.top - w.top + y};
}

std::uint32_t pixelOfControl(const Shot& shot, HWND window, HWND control, int x, int y) {
    const POINT p = inWindow(window, control, x, y);
    return shot.colourAt(p.x, p.y);
}

POINT centreOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::string hex(std::uint32_t v) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%06X", static_cast<unsigned>(v));
    return buffer;
}

bool isDressed(HWND hwnd) {
    return SendMessageA(hwnd, RegisterWindowMessageA("Wavoro.SkinDressing"), 0x57564B53, 0) != 0;
}

// ---- a bad skin file: refused, and nothing changes --------------------------------------------

TEST(BadSkin, RefusedWithoutChangingAnything) {
    TestWindow w = createTestWindow();
    showTestWindow(w);
    pump(800);
    RECT clientBefore{};
    GetClientRect(w.window, &clientBefore);
    const Shot before = captureWindow(w.window);

    Library library;
    ASSERT_NE(library.attach, nullptr);
    const std::vector<std::uint8_t> good = readFile(WAVORO_WIN8_SHE);
    ASSERT_TRUE(good.size() > 15);
    std::vector<std::uint8_t> truncated(good.begin(),
                                        good.begin() + static_cast<long>(good.size() / 2));
    std::vector<std::uint8_t> longer = good;
    longer[6] = static_cast<std::uint8_t>(longer[6] + 1);
    std::vector<std::uint8_t> version = good;
    version[5] = 0x02;
    const std::string text = "not a skin file";
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        int expected;
    };
    const std::vector<Case> cases = {
        {"empty.she", {}, static_cast<int>(SkinError::TooShort)},
        {"text.she", {text.begin(), text.end()}, static_cast<int>(SkinError::BadSignature)},
        {"truncated.she", truncated, static_cast<int>(SkinError::BrokenStream)},
        {"longer.she", longer, static_cast<int>(SkinError::BrokenStream)},
        {"version.she", version, static_cast<int>(SkinError::BadVersion)},
    };
    for (const Case& c : cases) {
        const std::string path = tempPath(c.name);
        writeFile(path, c.bytes);
        EXPECT_EQ(library.attach(path.c_str(), ""), c.expected) << c.name;
    }
    EXPECT_EQ(library.attach(tempPath("missing.she").c_str(), ""),
              static_cast<int>(SkinError::Unreadable));
    EXPECT_EQ(library.attach("", ""), static_cast<int>(SkinError::Unreadable));
    EXPECT_EQ(library.attach(nullptr, ""), static_cast<int>(SkinError::Unreadable));

    // The window looks exactly as before, and keeps its client area.
    RedrawWindow(w.window, nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pump(500);
    RECT clientAfter{};
    GetClientRect(w.window, &clientAfter);
    EXPECT_TRUE(EqualRect(&clientBefore, &clientAfter));
    const Shot after = captureWindow(w.window);
    EXPECT_TRUE(after == before) << "the window changed after a refused skin file";
    savePng(after, shotPath("bad-skin"));
    for (int i = 0; i < TestWindow::kChildren; ++i) {
        EXPECT_FALSE(isDressed(w.child(i)));
    }
    DestroyWindow(w.window);

    // No hook either: a window made now is the system's own.
    TestWindow later = createTestWindow();
    showTestWindow(later);
    pump(800);
    EXPECT_FALSE(isDressed(later.window));
    EXPECT_TRUE(captureWindow(later.window) == before);
    DestroyWindow(later.window);
    library.release();
}

// ---- a good skin: attached before the window is shown ------------------------------------------

// The suite shares one window, made hidden before the skin is attached (as the program's main
// window is), and the engine attached once; later windows are dressed through the hook.
struct DressedSuite {
    TestWindow first;
    RECT firstOuter{};
    RECT firstPlaces[TestWindow::kChildren]{};
    Library library;
    int attachResult = -1;

    DressedSuite() {
        first = createTestWindow();
        GetWindowRect(first.window, &firstOuter);
        for (int i = 0; i < TestWindow::kChildren; ++i) {
            firstPlaces[i] = childPlace(first.child(i));
        }
        if (library.attach != nullptr) {
            const std::string path = WAVORO_WIN8_SHE;
            attachResult = library.attach(path.c_str(), "");
        }
    }
};

DressedSuite& dressed() {
    static DressedSuite* suite = new DressedSuite;
    return *suite;
}

// The suite's window, shown (the first test looks at it while it is still hidden).
const TestWindow& shownFirst() {
    const TestWindow& first = dressed().first;
    if (!IsWindowVisible(first.window)) {
        showTestWindow(first);
        pump(300);
    }
    return first;
}

TEST(Dressed, ExistingWindowKeepsItsOuterSizeAndControls) {
    DressedSuite& d = dressed();
    const TestWindow& first = d.first;
    ASSERT_NE(d.library.attach, nullptr);
    ASSERT_EQ(d.attachResult, 0);
    EXPECT_FALSE(IsWindowVisible(first.window)) << "attaching must not show the window";
    RECT outer{};
    GetWindowRect(first.window, &outer);
    EXPECT_EQ(outer.right - outer.left, 450);
    EXPECT_EQ(outer.bottom - outer.top, 262);
    EXPECT_TRUE(EqualRect(&outer, &d.firstOuter));
    RECT client{};
    GetClientRect(first.window, &client);
    const FrameLayout l = mainLayout();
    EXPECT_EQ(client.right, l.client.width());
    EXPECT_EQ(client.bottom, l.client.height());
    for (int i = 0; i < TestWindow::kChildren; ++i) {
        const RECT now = childPlace(first.child(i));
        EXPECT_TRUE(EqualRect(&now, &d.firstPlaces[i])) << "control " << i << " moved or resized";
        EXPECT_EQ(GetWindowLongPtrA(first.child(i), GWLP_USERDATA), kUserDataMark);
    }
    EXPECT_EQ(GetWindowLongPtrA(first.window, GWLP_USERDATA), kUserDataMark);
    EXPECT_TRUE(isDressed(first.window));
    EXPECT_TRUE(isDressed(first.createButton));
    EXPECT_TRUE(isDressed(first.disabledButton));
    EXPECT_TRUE(isDressed(first.nameEdit));
    EXPECT_TRUE(isDressed(first.group));
    // Self-drawn controls are left alone.
    EXPECT_FALSE(isDressed(first.banner));
    EXPECT_FALSE(isDressed(first.nameLabel));
}

TEST(Dressed, DrawsFrameAndControlsInTheSkinsColours) {
    const TestWindow& first = dressed().first;
    showTestWindow(first);
    const FrameLayout l = mainLayout();
    const int tx = 150;
    const int ty = l.title.top;
    const Shot shot = captureWhen(first.window, tx, ty, titleColour(450, tx, ty, true));
    savePng(shot, shotPath("dressed"));

    // Frame and title bar.
    EXPECT_EQ(hex(shot.colourAt(tx, ty)), hex(titleColour(450, tx, ty, true)));
    EXPECT_EQ(hex(shot.colourAt(30, ty)), hex(titleColour(450, 30, ty, true)));
    EXPECT_EQ(hex(shot.colourAt(0, 120)), hex(colour(Setting::FrameActive)));
    EXPECT_EQ(hex(shot.colourAt(449, 120)), hex(colour(Setting::FrameActive)));
    EXPECT_EQ(hex(shot.colourAt(200, 261)), hex(colour(Setting::FrameActive)));
    const Box close = l.button(CaptionButton::Close);
    EXPECT_EQ(hex(shot.colourAt(close.left + 2, ty)),
              hex(titleColour(450, close.left + 2, ty, true)));
    const std::uint32_t glyph =
        shot.colourAt((close.left + close.right) / 2, (close.top + close.bottom) / 2);
    EXPECT_TRUE((glyph & 0xFF) >= 0xE0 && (glyph >> 8 & 0xFF) >= 0xE0)
        << "the close glyph is white:" << hex(glyph);

    // Push buttons: flat face and a thin border; the disabled one greyed.
    EXPECT_EQ(hex(pixelOfControl(shot, first.window, first.wifiButton, 4, 4)),
              hex(colour(Setting::ButtonFace)));
    EXPECT_EQ(hex(pixelOfControl(shot, first.window, first.wifiButton, 0, 0)),
              hex(colour(Setting::ButtonBorder)));
    EXPECT_EQ(hex(pixelOfControl(shot, first.window, first.disabledButton, 4, 4)),
              hex(colour(Setting::ButtonFaceDisabled)));
    EXPECT_EQ(hex(pixelOfControl(shot, first.window, first.disabledButton, 0, 0)),
              hex(colour(Setting::ButtonBorderDisabled)));
    // Edit borders: the focused field and the other one.
    EXPECT_EQ(GetFocus(), first.nameEdit);
    EXPECT_EQ(hex(pixelOfControl(shot, first.window, first.nameEdit, 0, 10)),
              hex(colour(Setting::EditBorderFocus)));
    EXPECT_EQ(hex(pixelOfControl(shot, first.window, first.passwordEdit, 0, 10)),
              hex(colour(Setting::EditBorder)));
    EXPECT_EQ(hex(pixelOfControl(shot, first.window, first.passwordEdit, 100, 24)),
              hex(colour(Setting::EditBorder)));
    // The group frame, down its left side, and its inside filled (no leftovers).
    EXPECT_EQ(hex(pixelOfControl(shot, first.window, first.group, 0, 40)),
              hex(colour(Setting::GroupFrame)));
    EXPECT_EQ(hex(pixelOfControl(shot, first.window, first.group, 10, 70)),
              hex(GetSysColor(COLOR_BTNFACE)));
    // The self-drawn banner is untouched.
    EXPECT_EQ(hex(pixelOfControl(shot, first.window, first.banner, 10, 50)), hex(kBannerViolet));
    EXPECT_EQ(hex(pixelOfControl(shot, first.window, first.banner, 440, 50)), hex(kBannerBlue));
}

TEST(Dressed, PushButtonLightsUnderTheMouseAndPresses) {
    const TestWindow& first = shownFirst();
    const HWND b = first.wifiButton;
    const POINT c = centreOf(b);
    mouseMove(c.x, c.y);
    Shot shot = captureWhen(first.window, inWindow(first.window, b, 4, 4).x,
                            inWindow(first.window, b, 4, 4).y, colour(Setting::ButtonFaceHover));
    savePng(shot, shotPath("button-hover"));
    EXPECT_EQ(hex(pixelOfControl(shot, first.window, b, 4, 4)),
              hex(colour(Setting::ButtonFaceHover)));
    EXPECT_EQ(hex(pixelOfControl(shot, first.window, b, 0, 0)),
              hex(colour(Setting::ButtonBorderHover)));

    mouseDown();
    shot = captureWhen(first.window, inWindow(first.window, b, 4, 4).x,
                       inWindow(first.window, b, 4, 4).y, colour(Setting::ButtonFacePressed));
    savePng(shot, shotPath("button-pressed"));
    EXPECT_EQ(hex(pixelOfControl(shot, first.window, b, 4, 4)),
              hex(colour(Setting::ButtonFacePressed)));
    EXPECT_EQ(hex(pixelOfControl(shot, first.window, b, 0, 0)),
              hex(colour(Setting::ButtonBorderPressed)));
    EXPECT_EQ(events.wifiClicks, 0);

    mouseUp();
    EXPECT_EQ(events.wifiClicks, 1) << "the click still reaches the window";
    // Pressed, the button took the focus: the focus border, its width, the dotted cue.
    const int width = skin().metric(Setting::FocusBorderWidth);
    shot = captureWindow(first.window);
    EXPECT_EQ(GetFocus(), b);
    EXPECT_EQ(hex(pixelOfControl(shot, first.window, b, width - 1, 10)),
              hex(colour(Setting::ButtonBorderFocus)));
    EXPECT_EQ(hex(pixelOfControl(shot, first.window, b, width + 8, width + 8)),
              hex(colour(Setting::ButtonFaceHover)));

    // Away from it: its normal face again, and the edit loses its focus border.
    mouseMove(c.x, c.y + 120);
    const POINT inside = inWindow(first.window, b, 6, 6);
    shot = captureWhen(first.window, inside.x, inside.y, colour(Setting::ButtonFace));
    EXPECT_EQ(hex(pixelOfControl(shot, first.window, b, 6, 6)), hex(colour(Setting::ButtonFace)));
    EXPECT_EQ(hex(pixelOfControl(shot, first.window, first.nameEdit, 0, 10)),
              hex(colour(Setting::EditBorder)));
}

TEST(Dressed, EditBorderFollowsHoverAndFocus) {
    const TestWindow& first = shownFirst();
    const HWND e = first.passwordEdit;
    const POINT c = centreOf(e);
    mouseMove(c.x, c.y);
    const POINT border = inWindow(first.window, e, 0, 10);
    Shot shot = captureWhen(first.window, border.x, border.y, colour(Setting::EditBorderHover));
    EXPECT_EQ(hex(shot.colourAt(border.x, border.y)), hex(colour(Setting::EditBorderHover)));
    mouseDown();
    mouseUp();
    EXPECT_EQ(GetFocus(), e);
    shot = captureWhen(first.window, border.x, border.y, colour(Setting::EditBorderFocus));
    EXPECT_EQ(hex(shot.colourAt(border.x, border.y)), hex(colour(Setting::EditBorderFocus)));
    savePng(shot, shotPath("edit-focus"));
    mouseMove(c.x, c.y + 150);
}

TEST(Dressed, InactiveWindowShowsTheInactiveLookAndNewWindowsAreDressed) {
    const TestWindow& first = shownFirst();
    // A second window, made after the skin was attached: dressed through the hook.
    TestWindow second = createTestWindow("second");
    EXPECT_TRUE(isDressed(second.window));
    EXPECT_TRUE(isDressed(second.createButton));
    // Below the first window's title bar, on the screen.
    SetWindowPos(second.window, nullptr, 20, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    showTestWindow(second);
    const FrameLayout l = mainLayout();
    const int tx = 150;
    const int ty = l.title.top;
    Shot shot = captureWhen(first.window, tx, ty, titleColour(450, tx, ty, false));
    savePng(shot, shotPath("inactive"));
    EXPECT_EQ(hex(shot.colourAt(tx, ty)), hex(titleColour(450, tx, ty, false)));
    EXPECT_EQ(hex(shot.colourAt(0, 120)), hex(colour(Setting::FrameInactive)));
    const Shot other = captureWindow(second.window);
    EXPECT_EQ(hex(other.colourAt(tx, ty)), hex(titleColour(450, tx, ty, true)));
    DestroyWindow(second.window);
    SetForegroundWindow(first.window);
    shot = captureWhen(first.window, tx, ty, titleColour(450, tx, ty, true));
    EXPECT_EQ(hex(shot.colourAt(tx, ty)), hex(titleColour(450, tx, ty, true)));
}

TEST(Dressed, NewTitleAndRefusedSkinKeepTheDressing) {
    const TestWindow& first = shownFirst();
    SetForegroundWindow(first.window);
    const FrameLayout l = mainLayout();
    const int tx = 150;
    const int ty = l.title.top;
    const std::uint32_t title = titleColour(450, tx, ty, true);
    // The system draws its own caption when the text changes; ours must be back over it.
    SetWindowTextA(first.window, "Wavoro - 新的标题");
    pump(300);
    Shot shot = captureWhen(first.window, tx, ty, title);
    EXPECT_EQ(hex(shot.colourAt(tx, ty)), hex(title));
    EXPECT_EQ(hex(shot.colourAt(tx, l.title.bottom - 1)),
              hex(titleColour(450, tx, l.title.bottom - 1, true)));

    // A second call with a bad file changes nothing; one with the good file keeps the look.
    const std::string bad = tempPath("bad.she");
    writeFile(bad, {'.', 'S', 'H', 'E', 0, 3});
    EXPECT_EQ(dressed().library.attach(bad.c_str(), ""), static_cast<int>(SkinError::TooShort));
    RECT client{};
    GetClientRect(first.window, &client);
    EXPECT_EQ(client.bottom, l.client.height());
    const std::string good = WAVORO_WIN8_SHE;
    EXPECT_EQ(dressed().library.attach(good.c_str(), ""), 0);
    pump(300);
    shot = captureWhen(first.window, tx, ty, title);
    EXPECT_EQ(hex(shot.colourAt(tx, ty)), hex(title));
    EXPECT_EQ(hex(pixelOfControl(shot, first.window, first.disabledButton, 4, 4)),
              hex(colour(Setting::ButtonFaceDisabled)));
    GetClientRect(first.window, &client);
    EXPECT_EQ(client.bottom, l.client.height());
    SetWindowTextA(first.window, "Wavoro - Tesmin http://www.tesmin.com");
}

// A resizable window with minimise and maximise boxes: all three caption buttons work.
TEST(Dressed, MinimiseAndMaximiseButtonsWork) {
    ASSERT_EQ(dressed().attachResult, 0);
    HWND w = CreateWindowExA(0, "WavoroTestWindow", "resizable", WS_OVERLAPPEDWINDOW, 100, 100, 400,
                             300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(isDressed(w));
    ShowWindow(w, SW_SHOW);
    SetForegroundWindow(w);
    pump(300);
    FrameStyle style;
    style.systemMenu = style.minimizeBox = style.maximizeBox = style.resizable = true;
    auto click = [&](CaptionButton b) {
        RECT r{};
        GetWindowRect(w, &r);
        const Box box = layoutFrame(r.right - r.left, r.bottom - r.top, style, metrics()).button(b);
        const POINT p = windowPoint(w, (box.left + box.right) / 2, (box.top + box.bottom) / 2);
        mouseMove(p.x, p.y);
        mouseDown();
        mouseUp();
        pump(300);
    };
    click(CaptionButton::Maximize);
    EXPECT_TRUE(IsZoomed(w));
    style.maximized = true;
    style.maximizedInset = GetSystemMetrics(SM_CXSIZEFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
    // Maximised, the title bar starts at the screen's top edge.
    RECT screenTop{};
    GetWindowRect(w, &screenTop);
    EXPECT_EQ(screenTop.top + layoutFrame(screenTop.right - screenTop.left,
                                          screenTop.bottom - screenTop.top, style, metrics())
                                  .title.top,
              0);
    savePng(captureScreen({0, 0, GetSystemMetrics(SM_CXSCREEN), 60}), shotPath("maximized-top"));
    click(CaptionButton::Maximize); // now the restore button
    EXPECT_FALSE(IsZoomed(w));
    style.maximized = false;
    RECT r{};
    GetWindowRect(w, &r);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom - r.top, 300);
    click(CaptionButton::Minimize);
    EXPECT_TRUE(IsIconic(w));
    DestroyWindow(w);
}

// How many more GDI objects the process can make (wine gives no count of its own): made
// until the system refuses, then all deleted again.
int gdiRoom() {
    std::vector<HBRUSH> brushes;
    brushes.reserve(70000);
    while (brushes.size() < 70000) {
        HBRUSH b = CreateSolidBrush(RGB(1, 2, 3));
        if (b == nullptr) {
            break;
        }
        brushes.push_back(b);
    }
    for (HBRUSH b : brushes) {
        DeleteObject(b);
    }
    return static_cast<int>(brushes.size());
}

void paintRounds(const TestWindow& w, int rounds) {
    HDC dc = GetDC(w.window);
    for (int i = 0; i < rounds; ++i) {
        SendMessageA(w.window, WM_NCPAINT, 1, 0);
        SendMessageA(w.createButton, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
        SendMessageA(w.group, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
        SendMessageA(w.passwordEdit, WM_NCPAINT, 1, 0);
        InvalidateRect(w.passwordEdit, nullptr, FALSE);
        UpdateWindow(w.passwordEdit);
    }
    ReleaseDC(w.window, dc);
}

// Every paint of the frame and the controls releases what it made.
TEST(Dressed, PaintingReleasesItsGdiObjects) {
    const TestWindow& first = shownFirst();
    paintRounds(first, 20); // whatever the system keeps for itself after the first paints
    const int before = gdiRoom();
    paintRounds(first, 400);
    const int after = gdiRoom();
    EXPECT_TRUE(before > 1000) << before;
    EXPECT_TRUE(before - after < 20) << "GDI objects left behind by 400 paints:" << before - after;
}

// The message box: found by the timer that runs inside its loop, captured, closed.
struct BoxCheck {
    bool seen = false;
    bool dressed = false;
    Shot shot;
    RECT button{};
};
BoxCheck box;

void CALLBACK onBoxTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM out) -> BOOL {
            char cls[16];
            if (GetClassNameA(hwnd, cls, sizeof cls) > 0 && lstrcmpA(cls, "#32770") == 0 &&
                IsWindowVisible(hwnd)) {
                *reinterpret_cast<HWND*>(out) = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    if (found == nullptr) {
        return;
    }
    box.seen = true;
    box.dressed = isDressed(found);
    pump(400);
    box.shot = captureWindow(found);
    if (HWND ok = GetDlgItem(found, IDOK)) {
        GetWindowRect(ok, &box.button);
        RECT w{};
        GetWindowRect(found, &w);
        OffsetRect(&box.button, -w.left, -w.top);
    }
    PostMessageA(found, WM_COMMAND, IDOK, 0);
}

TEST(Dressed, MessageBoxIsDressed) {
    const TestWindow& first = shownFirst();
    SetTimer(nullptr, 0, 300, onBoxTimer);
    MessageBoxA(first.window, "无线热点名称至少需要8个字符！", "信息：", MB_OK | MB_TASKMODAL);
    ASSERT_TRUE(box.seen);
    EXPECT_TRUE(box.dressed);
    savePng(box.shot, shotPath("message-box"));
    const FrameLayout l = mainLayout(box.shot.width, box.shot.height);
    EXPECT_EQ(hex(box.shot.colourAt(0, box.shot.height / 2)), hex(colour(Setting::FrameActive)));
    EXPECT_EQ(hex(box.shot.colourAt(box.shot.width / 2, l.title.top)),
              hex(titleColour(box.shot.width, box.shot.width / 2, l.title.top, true)));
    ASSERT_TRUE(box.button.right > 0);
    // Its OK button is a flat button too (the default one: the focus colour around it).
    EXPECT_EQ(hex(box.shot.colourAt(box.button.left, box.button.top + 10)),
              hex(colour(Setting::ButtonBorderFocus)));
}

TEST(Dressed, DraggingTheTitleBarMovesTheWindow) {
    TestWindow w = createTestWindow("drag me");
    showTestWindow(w);
    pump(300);
    RECT before{};
    GetWindowRect(w.window, &before);
    const POINT grip = windowPoint(w.window, 200, mainLayout().title.top + 8);
    drag(grip, 60, 40);
    RECT after{};
    GetWindowRect(w.window, &after);
    EXPECT_EQ(after.left - before.left, 60);
    EXPECT_EQ(after.top - before.top, 40);
    EXPECT_EQ(after.right - after.left, 450);
    EXPECT_EQ(after.bottom - after.top, 262);
    DestroyWindow(w.window);
}

TEST(Dressed, CloseButtonLightsPressesAndCloses) {
    const TestWindow& first = shownFirst();
    const FrameLayout l = mainLayout();
    const Box close = l.button(CaptionButton::Close);
    const int ty = l.title.top;
    const POINT centre =
        windowPoint(first.window, (close.left + close.right) / 2, (close.top + close.bottom) / 2);
    mouseMove(centre.x, centre.y);
    Shot shot = captureWhen(first.window, close.left + 2, ty, colour(Setting::CloseHoverBack));
    savePng(shot, shotPath("close-hover"));
    EXPECT_EQ(hex(shot.colourAt(close.left + 2, ty)), hex(colour(Setting::CloseHoverBack)));

    mouseDown();
    shot = captureWhen(first.window, close.left + 2, ty, colour(Setting::ClosePressedBack));
    EXPECT_EQ(hex(shot.colourAt(close.left + 2, ty)), hex(colour(Setting::ClosePressedBack)));
    // Slid off while held: not pressed, and releasing there would not close.
    mouseMove(centre.x - 100, centre.y);
    shot =
        captureWhen(first.window, close.left + 2, ty, titleColour(450, close.left + 2, ty, true));
    EXPECT_EQ(hex(shot.colourAt(close.left + 2, ty)),
              hex(titleColour(450, close.left + 2, ty, true)));
    mouseMove(centre.x, centre.y);
    shot = captureWhen(first.window, close.left + 2, ty, colour(Setting::ClosePressedBack));
    EXPECT_EQ(hex(shot.colourAt(close.left + 2, ty)), hex(colour(Setting::ClosePressedBack)));
    EXPECT_TRUE(IsWindow(first.window));
    mouseUp();
    pumpUntil([&] { return !IsWindow(first.window); }, 2000);
    EXPECT_FALSE(IsWindow(first.window));
    EXPECT_TRUE(events.destroyed);
}

// ---- the engine's end and the library's release -----------------------------------------------

TEST(Release, EngineEndsWithTheLastWindowAndFreesCleanly) {
    Library library;
    ASSERT_NE(library.attach, nullptr);
    const std::string path = WAVORO_WIN8_SHE;
    ASSERT_EQ(library.attach(path.c_str(), ""), 0); // no window yet: only the hook is set
    TestWindow w = createTestWindow();
    EXPECT_TRUE(isDressed(w.window));
    RECT dressedClient{};
    GetClientRect(w.window, &dressedClient);
    DestroyWindow(w.window);

    // The last dressed window is gone: hook and skin with it. New windows are the system's.
    TestWindow plain = createTestWindow();
    EXPECT_FALSE(isDressed(plain.window));
    EXPECT_FALSE(isDressed(plain.createButton));
    RECT plainClient{};
    GetClientRect(plain.window, &plainClient);
    EXPECT_FALSE(EqualRect(&plainClient, &dressedClient));
    DestroyWindow(plain.window);
    library.release();
    EXPECT_EQ(GetModuleHandleA("jedata.dll"), nullptr);
}

TEST(Release, FreeLibraryUndressesWindowsThatStillLive) {
    TestWindow w = createTestWindow();
    RECT plainClient{};
    GetClientRect(w.window, &plainClient);
    Library library;
    const std::string path = WAVORO_WIN8_SHE;
    ASSERT_EQ(library.attach(path.c_str(), ""), 0);
    showTestWindow(w);
    pump(300);
    EXPECT_TRUE(isDressed(w.window));
    library.release();
    ASSERT_EQ(GetModuleHandleA("jedata.dll"), nullptr);

    // The window goes on, as the system draws it, and still works.
    EXPECT_FALSE(isDressed(w.window));
    RECT client{};
    GetClientRect(w.window, &client);
    EXPECT_TRUE(EqualRect(&client, &plainClient));
    const POINT c = centreOf(w.createButton);
    mouseMove(c.x, c.y);
    mouseDown();
    mouseUp();
    EXPECT_EQ(events.createClicks, 1);
    RedrawWindow(w.window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    pump(300);
    savePng(captureWindow(w.window), shotPath("released"));
    DestroyWindow(w.window);
    EXPECT_TRUE(events.destroyed);
}

} // namespace
} // namespace wavoro::skin::testing

int main(int argc, char** argv) {
    return wavoro::check::runAll(argc, argv);
}
